#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <libxml/tree.h>

// Small libxml2 helpers of the fake tax-authority server: parsing, lookups by
// local name (namespaces ignored) and serialising. Implemented in
// xml_tree.cpp.

namespace testsupport::fakesefaz {

struct XmlDocFree {
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};
using XmlDoc = std::unique_ptr<xmlDoc, XmlDocFree>;

// Null when the text is not well-formed. No network access, no entity loading.
XmlDoc parseXml(std::string_view text);
// A document of its own whose root is a deep copy of `node`.
XmlDoc ownDocument(const xmlNode *node);

std::string localName(const xmlNode *node);
std::string namespaceOf(const xmlNode *node);
// The first element child; null when none.
xmlNode *firstElement(const xmlNode *parent);
// The first child element with that local name; null when none.
xmlNode *child(const xmlNode *parent, std::string_view name);
// The first element with that local name below `node` (depth first, the node
// itself excluded); null when none.
xmlNode *descendant(const xmlNode *node, std::string_view name);
// Text content of the node; empty for null.
std::string textOf(const xmlNode *node);
// Text of the first descendant with that local name; empty when none.
std::string descendantText(const xmlNode *node, std::string_view name);
std::string attribute(const xmlNode *node, std::string_view name);
// The element serialised as it stands (no declaration).
std::string nodeXml(const xmlNode *node);

// `&`, `<`, `>` and `"` written as entities.
std::string escapeXml(std::string_view text);

} // namespace testsupport::fakesefaz
