// Inclusive canonical XML 1.0 of a document or of one element's subtree.

#include <memory>

#include <libxml/c14n.h>

#include "dfe/xmlsign/detail/libxml_document.h"
#include "foundation/fiscal/dfe_exception.h"

namespace {

struct Subset {
    xmlNode *top;      // null: the whole document
    xmlNode *excluded; // null: nothing left out
};

bool inside(const xmlNode *node, const xmlNode *ancestor)
{
    for (; node != nullptr; node = node->parent) {
        if (node == ancestor)
            return true;
    }
    return false;
}

// Called by libxml2 for every node, attribute and namespace node; a namespace
// node comes as an xmlNs with its element as `parent`.
int isVisible(void *data, xmlNode *node, xmlNode *parent)
{
    const auto *subset = static_cast<const Subset *>(data);
    const xmlNode *owner = (node != nullptr && node->type == XML_NAMESPACE_DECL) ? parent : node;
    if (owner == nullptr)
        return 0;
    if (subset->excluded != nullptr && inside(owner, subset->excluded))
        return 0;
    return subset->top == nullptr || inside(owner, subset->top) ? 1 : 0;
}

struct OutputFree {
    void operator()(xmlOutputBuffer *buffer) const { xmlOutputBufferClose(buffer); }
};

} // namespace

std::string canonicalForm(xmlDoc *doc, xmlNode *node, xmlNode *excluded)
{
    const std::string failure = "Erro ao aplicar transformação C14N";
    if (doc == nullptr)
        throw EQuibDFeException(failure);
    Subset subset{node == xmlDocGetRootElement(doc) ? nullptr : node, excluded};

    std::unique_ptr<xmlOutputBuffer, OutputFree> output(xmlAllocOutputBuffer(nullptr));
    if (!output)
        throw EQuibDFeException(failure);
    int result = 0;
    if (subset.top == nullptr && subset.excluded == nullptr)
        result = xmlC14NExecute(doc, nullptr, nullptr, XML_C14N_1_0, nullptr, 0, output.get());
    else
        result = xmlC14NExecute(doc, isVisible, &subset, XML_C14N_1_0, nullptr, 0, output.get());
    if (result < 0)
        throw EQuibDFeException(failure);
    const xmlChar *content = xmlOutputBufferGetContent(output.get());
    const std::size_t size = xmlOutputBufferGetSize(output.get());
    if (content == nullptr || size == 0)
        throw EQuibDFeException(failure);
    return std::string(reinterpret_cast<const char *>(content), size);
}
