#include "dfe/xmlsign/detail/libxml_document.h"

#include <string_view>

#include <libxml/parser.h>
#include <libxml/xmlsave.h>

namespace {

constexpr int kParseOptions = XML_PARSE_NOENT | XML_PARSE_NONET;

struct ParserCtxtFree {
    void operator()(xmlParserCtxt *context) const { xmlFreeParserCtxt(context); }
};

// Text content as libxml2's writer escapes it, plus CR and LF as character
// references (libxml2 would write LF as a raw line break).
int escapeText(unsigned char *out, int *outLength, const unsigned char *in, int *inLength)
{
    unsigned char *o = out;
    unsigned char *const outEnd = out + *outLength;
    const unsigned char *i = in;
    const unsigned char *const inEnd = in + *inLength;
    while (i < inEnd) {
        std::string_view replacement;
        switch (*i) {
        case '<':
            replacement = "&lt;";
            break;
        case '>':
            replacement = "&gt;";
            break;
        case '&':
            replacement = "&amp;";
            break;
        case '\r':
            replacement = "&#13;";
            break;
        case '\n':
            replacement = "&#10;";
            break;
        default:
            break;
        }
        const std::size_t needed = replacement.empty() ? 1 : replacement.size();
        if (static_cast<std::size_t>(outEnd - o) < needed)
            break;
        if (replacement.empty()) {
            *o++ = *i;
        } else {
            for (char c : replacement)
                *o++ = static_cast<unsigned char>(c);
        }
        ++i;
    }
    *outLength = static_cast<int>(o - out);
    *inLength = static_cast<int>(i - in);
    return 0;
}

bool matches(const xmlNode *node, std::string_view name, const char *ns)
{
    if (node->type != XML_ELEMENT_NODE || name != reinterpret_cast<const char *>(node->name))
        return false;
    if (ns == nullptr)
        return true;
    return node->ns != nullptr && node->ns->href != nullptr &&
           std::string_view(reinterpret_cast<const char *>(node->ns->href)) == ns;
}

} // namespace

XmlDocPtr parseXml(std::string_view text)
{
    std::unique_ptr<xmlParserCtxt, ParserCtxtFree> context(xmlNewParserCtxt());
    if (!context)
        return nullptr;
    XmlDocPtr doc(xmlCtxtReadMemory(context.get(), text.data(), static_cast<int>(text.size()), nullptr,
                                    nullptr, kParseOptions));
    if (doc && xmlDocGetRootElement(doc.get()) == nullptr)
        return nullptr;
    return doc;
}

std::string serialiseXml(xmlDoc *doc)
{
    std::unique_ptr<xmlBuffer, void (*)(xmlBuffer *)> buffer(xmlBufferCreate(), xmlBufferFree);
    xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer.get(), nullptr, XML_SAVE_NO_EMPTY);
    if (save == nullptr)
        return {};
    xmlSaveSetEscape(save, escapeText);
    xmlSaveDoc(save, doc);
    xmlSaveClose(save);
    return std::string(reinterpret_cast<const char *>(xmlBufferContent(buffer.get())),
                       static_cast<std::size_t>(xmlBufferLength(buffer.get())));
}

xmlNode *findElement(xmlNode *start, std::string_view name, const char *ns)
{
    if (start == nullptr || name.empty())
        return start;
    if (matches(start, name, ns))
        return start;
    // Depth-first in document order, without recursion.
    xmlNode *node = start->children;
    while (node != nullptr && node != start) {
        if (matches(node, name, ns))
            return node;
        if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            node = node->children;
            continue;
        }
        while (node != start && node->next == nullptr)
            node = node->parent;
        if (node == start)
            break;
        node = node->next;
    }
    return nullptr;
}

std::string textOf(xmlNode *node)
{
    if (node == nullptr)
        return {};
    xmlChar *content = xmlNodeGetContent(node);
    std::string text = content != nullptr ? reinterpret_cast<const char *>(content) : "";
    xmlFree(content);
    return text;
}
