#include "tests/support/fake_sefaz/xml_tree.h"

#include <libxml/parser.h>

namespace testsupport::fakesefaz {

namespace {

const xmlChar *chars(const char *text)
{
    return reinterpret_cast<const xmlChar *>(text);
}

bool named(const xmlNode *node, std::string_view name)
{
    return node->type == XML_ELEMENT_NODE && name == reinterpret_cast<const char *>(node->name);
}

} // namespace

XmlDoc parseXml(std::string_view text)
{
    return XmlDoc(xmlReadMemory(text.data(), static_cast<int>(text.size()), "request.xml", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

XmlDoc ownDocument(const xmlNode *node)
{
    XmlDoc doc(xmlNewDoc(chars("1.0")));
    xmlNode *copy = xmlDocCopyNode(const_cast<xmlNode *>(node), doc.get(), 1);
    // The copy declares what it takes from the ancestors itself; a later
    // reconciliation would rename the default namespaces of signatures.
    xmlDocSetRootElement(doc.get(), copy);
    return doc;
}

std::string localName(const xmlNode *node)
{
    return node != nullptr ? reinterpret_cast<const char *>(node->name) : "";
}

std::string namespaceOf(const xmlNode *node)
{
    return node != nullptr && node->ns != nullptr && node->ns->href != nullptr
               ? reinterpret_cast<const char *>(node->ns->href)
               : "";
}

xmlNode *firstElement(const xmlNode *parent)
{
    for (xmlNode *c = parent != nullptr ? parent->children : nullptr; c != nullptr; c = c->next)
        if (c->type == XML_ELEMENT_NODE)
            return c;
    return nullptr;
}

xmlNode *child(const xmlNode *parent, std::string_view name)
{
    for (xmlNode *c = parent != nullptr ? parent->children : nullptr; c != nullptr; c = c->next)
        if (named(c, name))
            return c;
    return nullptr;
}

xmlNode *descendant(const xmlNode *node, std::string_view name)
{
    for (xmlNode *c = node != nullptr ? node->children : nullptr; c != nullptr; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (named(c, name))
            return c;
        if (xmlNode *found = descendant(c, name))
            return found;
    }
    return nullptr;
}

std::string textOf(const xmlNode *node)
{
    if (node == nullptr)
        return {};
    xmlChar *content = xmlNodeGetContent(node);
    std::string text = content != nullptr ? reinterpret_cast<const char *>(content) : "";
    xmlFree(content);
    return text;
}

std::string descendantText(const xmlNode *node, std::string_view name)
{
    return textOf(descendant(node, name));
}

std::string attribute(const xmlNode *node, std::string_view name)
{
    if (node == nullptr)
        return {};
    xmlChar *value = xmlGetProp(node, chars(std::string(name).c_str()));
    std::string text = value != nullptr ? reinterpret_cast<const char *>(value) : "";
    xmlFree(value);
    return text;
}

std::string nodeXml(const xmlNode *node)
{
    xmlBuffer *buffer = xmlBufferCreate();
    xmlNodeDump(buffer, node->doc, const_cast<xmlNode *>(node), 0, 0);
    std::string text(reinterpret_cast<const char *>(xmlBufferContent(buffer)),
                     static_cast<std::size_t>(xmlBufferLength(buffer)));
    xmlBufferFree(buffer);
    return text;
}

std::string escapeXml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
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
        default:
            out += c;
        }
    }
    return out;
}

} // namespace testsupport::fakesefaz
