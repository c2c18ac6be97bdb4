#pragma once

#include <string>
#include <string_view>
#include <vector>

// XML and HTML treated as text: character entities, the XML declaration and
// UTF-8, the content of a named element found by text search, and removal of
// markup. Every function here runs in time linear in the text.

// Decoding (decode set): "&amp;" first, then "&lt;", "&gt;", "&quot;",
// "&#39;", "&#45;", the accented-letter entities (&aacute; ... &Ccedil;) and
// "&apos;"; because "&amp;" goes first, "&amp;lt;" gives "<". Encoding: "&",
// "<", ">", the double and the single quote become entities. The text is
// UTF-8 either way; `isUtf8` is kept for the callers that pass it.
std::string ConverteEntidades(std::string_view text, bool decode, bool isUtf8);

// True when, within the first 50 characters lower-cased, "encoding" occurs
// with "utf-8" after it.
bool DeclaraUTF8(std::string_view xml);
// Unchanged when DeclaraUTF8 holds; otherwise the text (made UTF-8 with
// AnsiParaUTF8) behind <?xml version="1.0" encoding="UTF-8"?> (a declaration
// it already has stays behind the new one).
std::string GaranteXMLUTF8(std::string_view xml);
// From the first "<?" to the first "?>" after it, inclusive; empty when missing.
std::string ExtraiDeclaracaoXML(std::string_view xml);
// The text without that declaration (every occurrence of it with `all`).
std::string RetiraDeclaracaoXML(std::string_view xml, bool all);
// The declaration put in front when it begins with "<?" and ends with "?>" and
// the text has none; else the text unchanged.
std::string IncluiDeclaracaoFaltante(std::string_view xml, std::string_view declaration);
// When DeclaraUTF8 holds, the text without its first declaration; else unchanged.
std::string XMLUTF8ParaNativo(std::string_view xml);

// The content of the first element named `tag` (with its tags when
// `includeTag`). The opening tag is "<" + tag followed by a blank or ">"; the
// closing tag is the first "</" + tag followed by ">" or a blank after it. A
// self-closing element has empty content. With `allowPrefix`, when nothing is
// found, the element is searched again with the namespace prefix written before
// the first ":" + tag of the text. `ignoreCase` compares upper-cased texts.
// Empty when absent or unclosed.
std::string ConteudoDaTag(std::string_view text, std::string_view tag, bool includeTag, bool allowPrefix,
                          bool ignoreCase);
// ConteudoDaTag with each name in order: the first result that is not empty
// after trimming, trimmed.
std::string ConteudoPrimeiraTag(const std::vector<std::string> &tags, std::string_view text, bool includeTag,
                                bool allowPrefix, bool ignoreCase);

// The next markup tag at or after the character position `start` (from 1),
// lower-cased, from its "<" to the next ">" (a stray "<" before it is skipped:
// the last "<" before the ">" starts the tag). `position` receives the
// character position of its "<"; 0 and an empty result when there is none.
std::string LocalizaProximaTag(std::string_view text, int start, int &position);
// The text without any markup tag (as found by LocalizaProximaTag).
std::string RemoveTagsHTML(std::string_view text);
