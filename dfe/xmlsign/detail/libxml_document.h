#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <libxml/tree.h>

// Owned libxml2 documents and the few tree operations the signer and the
// schema validation share. Nothing here touches libxml2's process-wide
// settings: parser and writer options are given per call. Implemented in
// libxml_document.cpp and canonical_form.cpp.

struct XmlDocFree {
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

// Parses the text with network access off and no DTD loading; internal
// entities are expanded (libxml2 refuses expansion bombs), external ones are
// never read (the caller holds an ExternalLoads scope). Null when libxml2
// refuses the text or finds no root element; the reason goes to the
// thread's LibXmlErrors.
XmlDocPtr parseXml(std::string_view text);

// The document as libxml2 writes it with its declaration: empty elements as a
// start and an end tag, UTF-8 as UTF-8, and line breaks inside text written
// as character references so the element content stays on one line.
std::string serialiseXml(xmlDoc *doc);

// The first element named `name` (local name, case-sensitive; with `ns`, in
// that namespace) among `start` and its descendants in document order. An
// empty name gives `start` itself.
xmlNode *findElement(xmlNode *start, std::string_view name, const char *ns = nullptr);

// The inclusive canonical XML 1.0 form, without comments, of `node` and its
// descendants with the namespaces and xml: attributes it inherits (the whole
// document when `node` is null or the root element), leaving out the subtree
// `excluded` when given. Raises EQuibDFeException "Erro ao aplicar
// transformação C14N" when libxml2 fails or gives nothing.
std::string canonicalForm(xmlDoc *doc, xmlNode *node, xmlNode *excluded = nullptr);

// The text content of an element; empty for null.
std::string textOf(xmlNode *node);
