#include "foundation/xml/xml_text_utils.h"

#include <array>
#include <utility>

#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

constexpr std::string_view kUtf8Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

// Entities decoded after "&amp;". None is a prefix of another and no
// replacement holds "&", so one left-to-right scan gives the same result as
// replacing them one after the other.
constexpr std::array<std::pair<std::string_view, std::string_view>, 32> kEntities{{
    {"&lt;", "<"},     {"&gt;", ">"},     {"&quot;", "\""},  {"&#39;", "'"},    {"&#45;", "-"},
    {"&aacute;", "á"}, {"&Aacute;", "Á"}, {"&acirc;", "â"},  {"&Acirc;", "Â"},  {"&atilde;", "ã"},
    {"&Atilde;", "Ã"}, {"&agrave;", "à"}, {"&Agrave;", "À"}, {"&eacute;", "é"}, {"&Eacute;", "É"},
    {"&ecirc;", "ê"},  {"&Ecirc;", "Ê"},  {"&iacute;", "í"}, {"&Iacute;", "Í"}, {"&oacute;", "ó"},
    {"&Oacute;", "Ó"}, {"&otilde;", "õ"}, {"&Otilde;", "Õ"}, {"&ocirc;", "ô"},  {"&Ocirc;", "Ô"},
    {"&uacute;", "ú"}, {"&Uacute;", "Ú"}, {"&uuml;", "ü"},   {"&Uuml;", "Ü"},   {"&ccedil;", "ç"},
    {"&Ccedil;", "Ç"}, {"&apos;", "'"},
}};

std::string decodeEntities(std::string_view text)
{
    const std::string ampersands = replaceAll(text, "&amp;", "&");
    const std::string_view t = ampersands;
    std::string out;
    out.reserve(t.size());
    std::size_t pos = 0;
    while (pos < t.size()) {
        const std::size_t amp = t.find('&', pos);
        if (amp == std::string_view::npos)
            break;
        out.append(t.substr(pos, amp - pos));
        pos = amp;
        bool replaced = false;
        for (const auto &[entity, character] : kEntities) {
            if (t.compare(amp, entity.size(), entity) == 0) {
                out.append(character);
                pos = amp + entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += '&';
            ++pos;
        }
    }
    out.append(t.substr(pos));
    return out;
}

std::string encodeEntities(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where an element was found, as byte offsets into the searched text.
struct ElementSpan {
    std::size_t begin = 0; // its "<"
    std::size_t contentBegin = 0;
    std::size_t contentEnd = 0;
    std::size_t end = 0; // one past its closing ">"
};

bool findElement(std::string_view t, std::string_view name, ElementSpan &span)
{
    const std::string opening = "<" + std::string(name);
    std::size_t start = std::string_view::npos;
    for (std::size_t pos = t.find(opening); pos != std::string_view::npos; pos = t.find(opening, pos + 1)) {
        const std::size_t next = pos + opening.size();
        if (next < t.size() && (isBlank(t[next]) || t[next] == '>')) {
            start = pos;
            break;
        }
    }
    if (start == std::string_view::npos)
        return false;
    const std::size_t openEnd = t.find('>', start + opening.size());
    if (openEnd == std::string_view::npos)
        return false;
    span.begin = start;
    if (t[openEnd - 1] == '/') {
        // Self-closing: no content.
        span.contentBegin = span.contentEnd = openEnd + 1;
        span.end = openEnd + 1;
        return true;
    }
    const std::string closing = "</" + std::string(name);
    for (std::size_t pos = t.find(closing, openEnd + 1); pos != std::string_view::npos;
         pos = t.find(closing, pos + 1)) {
        const std::size_t next = pos + closing.size();
        if (next < t.size() && (isBlank(t[next]) || t[next] == '>')) {
            const std::size_t closeEnd = t.find('>', next);
            if (closeEnd == std::string_view::npos)
                return false;
            span.contentBegin = openEnd + 1;
            span.contentEnd = pos;
            span.end = closeEnd + 1;
            return true;
        }
    }
    return false;
}

std::string contentOf(std::string_view text, std::string_view tag, bool includeTag, bool ignoreCase,
                      bool &found)
{
    ElementSpan span;
    if (ignoreCase) {
        // Upper-casing keeps every byte offset, so the span applies to the text.
        const std::string upperText = upperWithAccents(text);
        found = findElement(upperText, upperWithAccents(tag), span);
    } else {
        found = findElement(text, tag, span);
    }
    if (!found)
        return {};
    if (includeTag)
        return std::string(text.substr(span.begin, span.end - span.begin));
    return std::string(text.substr(span.contentBegin, span.contentEnd - span.contentBegin));
}

} // namespace

std::string ConverteEntidades(std::string_view text, bool decode, bool isUtf8)
{
    if (decode)
        return decodeEntities(DecodificaTexto(text, isUtf8));
    return encodeEntities(text);
}

bool DeclaraUTF8(std::string_view xml)
{
    const std::string head = lowerAscii(utf8Prefix(xml, 50));
    const std::size_t encoding = head.find("encoding");
    return encoding != std::string::npos && head.find("utf-8", encoding) != std::string::npos;
}

std::string GaranteXMLUTF8(std::string_view xml)
{
    if (DeclaraUTF8(xml))
        return std::string(xml);
    return std::string(kUtf8Declaration) + AnsiParaUTF8(xml);
}

std::string ExtraiDeclaracaoXML(std::string_view xml)
{
    const std::size_t start = xml.find("<?");
    if (start == std::string_view::npos)
        return {};
    const std::size_t end = xml.find("?>", start + 2);
    if (end == std::string_view::npos)
        return {};
    return std::string(xml.substr(start, end + 2 - start));
}

std::string RetiraDeclaracaoXML(std::string_view xml, bool all)
{
    const std::string declaration = ExtraiDeclaracaoXML(xml);
    if (declaration.empty())
        return std::string(xml);
    if (all)
        return replaceAll(xml, declaration, "");
    std::string out(xml);
    out.erase(out.find(declaration), declaration.size());
    return out;
}

std::string IncluiDeclaracaoFaltante(std::string_view xml, std::string_view declaration)
{
    const bool wellFormed = declaration.starts_with("<?") && declaration.ends_with("?>");
    if (!wellFormed || !ExtraiDeclaracaoXML(xml).empty())
        return std::string(xml);
    return std::string(declaration) + std::string(xml);
}

std::string XMLUTF8ParaNativo(std::string_view xml)
{
    if (!DeclaraUTF8(xml))
        return std::string(xml);
    return RetiraDeclaracaoXML(UTF8ParaAnsi(xml), false);
}

std::string ConteudoDaTag(std::string_view text, std::string_view tag, bool includeTag, bool allowPrefix,
                          bool ignoreCase)
{
    bool found = false;
    std::string result = contentOf(text, tag, includeTag, ignoreCase, found);
    if (found || !allowPrefix || tag.empty())
        return result;

    // Written with a namespace prefix, such as "soap:Body"?
    const std::size_t colon = text.find(":" + std::string(tag));
    if (colon == std::string_view::npos || colon == 0)
        return {};
    const std::size_t lt = text.rfind('<', colon);
    if (lt == std::string_view::npos)
        return {};
    const std::string prefixed = std::string(text.substr(lt + 1, colon - lt - 1)) + ":" + std::string(tag);
    return contentOf(text, prefixed, includeTag, ignoreCase, found);
}

std::string ConteudoPrimeiraTag(const std::vector<std::string> &tags, std::string_view text, bool includeTag,
                                bool allowPrefix, bool ignoreCase)
{
    for (const auto &tag : tags) {
        const std::string content = ConteudoDaTag(text, tag, includeTag, allowPrefix, ignoreCase);
        const std::string_view trimmed = trimText(content);
        if (!trimmed.empty())
            return std::string(trimmed);
    }
    return {};
}

std::string LocalizaProximaTag(std::string_view text, int start, int &position)
{
    position = 0;
    const std::size_t from = utf8Offset(text, start > 1 ? static_cast<std::size_t>(start - 1) : 0);
    const std::size_t lt = text.find('<', from);
    if (lt == std::string_view::npos)
        return {};
    const std::size_t gt = text.find('>', lt + 1);
    if (gt == std::string_view::npos)
        return {};
    const std::size_t tagStart = text.rfind('<', gt);
    position = static_cast<int>(utf8IndexOfOffset(text, tagStart)) + 1;
    return lowerAscii(text.substr(tagStart, gt - tagStart + 1));
}

std::string RemoveTagsHTML(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        const std::size_t lt = text.find('<', pos);
        if (lt == std::string_view::npos)
            break;
        const std::size_t gt = text.find('>', lt + 1);
        if (gt == std::string_view::npos)
            break;
        const std::size_t tagStart = text.rfind('<', gt);
        out.append(text.substr(pos, tagStart - pos));
        pos = gt + 1;
    }
    out.append(text.substr(pos));
    return out;
}
