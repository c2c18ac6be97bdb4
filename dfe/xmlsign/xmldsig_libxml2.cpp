#include "dfe/xmlsign/xmldsig_libxml2.h"

#include <memory>
#include <string>

#include "dfe/ssl/base64.h"
#include "dfe/ssl/dfe_ssl_xml_sign_class.h"
#include "dfe/xmlsign/detail/external_loads.h"
#include "dfe/xmlsign/detail/libxml_document.h"
#include "dfe/xmlsign/detail/libxml_errors.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/fiscal/dfe_util.h"
#include "foundation/xml/xml_text_utils.h"

namespace {

constexpr const char *kXmlDsigNamespace = "http://www.w3.org/2000/09/xmldsig#";
constexpr std::string_view kUtf8Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

std::string withoutLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '\r' && c != '\n')
            result += c;
    }
    return result;
}

std::string_view localPart(std::string_view name)
{
    while (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool isSignature(const xmlNode *node)
{
    return node != nullptr && node->type == XML_ELEMENT_NODE &&
           std::string_view(reinterpret_cast<const char *>(node->name)) == "Signature" &&
           node->ns != nullptr &&
           std::string_view(reinterpret_cast<const char *>(node->ns->href)) == kXmlDsigNamespace;
}

// The signature of `infElement`: among the signed element's siblings (from
// the last one back to it, then after it), else the root's last child, else
// a sibling that follows the root.
xmlNode *locateSignature(xmlDoc *doc, std::string_view infElement)
{
    xmlNode *root = xmlDocGetRootElement(doc);
    if (root == nullptr)
        return nullptr;
    const std::string_view name = localPart(infElement);
    xmlNode *signedElement = name.empty() ? nullptr : findElement(root, name);
    if (signedElement != nullptr && signedElement->parent != nullptr &&
        signedElement->parent->type == XML_ELEMENT_NODE) {
        for (xmlNode *node = signedElement->parent->last; node != nullptr && node != signedElement;
             node = node->prev) {
            if (isSignature(node))
                return node;
        }
    }
    if (signedElement != nullptr) {
        for (xmlNode *node = signedElement->next; node != nullptr; node = node->next) {
            if (isSignature(node))
                return node;
        }
    }
    if (isSignature(root->last))
        return root->last;
    for (xmlNode *node = root->next; node != nullptr; node = node->next) {
        if (isSignature(node))
            return node;
    }
    return nullptr;
}

// The element the digest covers: `infElement` looked up from the root, or
// null (the whole document) when its local name is empty.
xmlNode *signedElement(xmlDoc *doc, std::string_view infElement)
{
    const std::string_view name = localPart(infElement);
    if (name.empty())
        return nullptr;
    xmlNode *root = xmlDocGetRootElement(doc);
    if (root == nullptr)
        throw EQuibDFeException("Erro: Falha ao localizar o nó Raiz");
    xmlNode *element = findElement(root, name);
    if (element == nullptr)
        throw EQuibDFeException("Erro: Falha ao localizar o nó de Assinatura");
    return element;
}

xmlNode *required(xmlNode *signature, std::string_view name)
{
    xmlNode *node = findElement(signature, name, kXmlDsigNamespace);
    if (node == nullptr)
        throw EQuibDFeException("Node " + std::string(name) + " não encontrado");
    return node;
}

void setText(xmlNode *node, const std::string &text)
{
    xmlNodeSetContent(node, reinterpret_cast<const xmlChar *>(text.c_str()));
}

std::string attributeOf(xmlNode *node, const char *name)
{
    if (node == nullptr)
        return {};
    xmlChar *value = xmlGetProp(node, reinterpret_cast<const xmlChar *>(name));
    std::string text = value != nullptr ? reinterpret_cast<const char *>(value) : "";
    xmlFree(value);
    return text;
}

// The empty template, parsed on its own and copied into the document as the
// last child of `docElement` (the root when empty).
xmlNode *appendTemplate(xmlDoc *doc, const XmlSignRequest &request, const std::string &id)
{
    const std::string modelo = ModeloAssinaturaXML(id, true, request.idSignature, request.digest);
    XmlDocPtr wrapper = parseXml("<a>" + modelo + "</a>");
    xmlNode *templateSignature =
        wrapper ? findElement(xmlDocGetRootElement(wrapper.get()), "Signature") : nullptr;
    if (templateSignature == nullptr)
        throw EQuibDFeException("Erro ao selecionar os elementos do XML.");
    xmlNode *target = findElement(xmlDocGetRootElement(doc), localPart(request.docElement));
    if (target == nullptr)
        throw EQuibDFeException("Nenhum elemento encontrado");
    xmlNode *copy = xmlDocCopyNode(templateSignature, doc, 1);
    if (copy == nullptr)
        throw EQuibDFeException("Erro ao selecionar os elementos do XML.");
    xmlAddChild(target, copy);
    return copy;
}

// The bytes of a Base64 value; empty when it is not Base64.
std::string decodedOrEmpty(std::string_view text)
{
    try {
        return decodeBase64(text);
    } catch (const EQuibDFeException &) {
        return {};
    }
}

// The element as libxml2 writes it on its own.
std::string nodeText(xmlDoc *doc, xmlNode *node)
{
    std::unique_ptr<xmlBuffer, void (*)(xmlBuffer *)> buffer(xmlBufferCreate(), xmlBufferFree);
    xmlNodeDump(buffer.get(), doc, node, 0, 0);
    return std::string(reinterpret_cast<const char *>(xmlBufferContent(buffer.get())),
                       static_cast<std::size_t>(xmlBufferLength(buffer.get())));
}

class CertificateRelease {
  public:
    explicit CertificateRelease(XmlDsigCrypto &crypto) : crypto_(crypto) {}
    ~CertificateRelease() { crypto_.releaseCertificate(); }
    CertificateRelease(const CertificateRelease &) = delete;
    CertificateRelease &operator=(const CertificateRelease &) = delete;

  private:
    XmlDsigCrypto &crypto_;
};

} // namespace

std::string signXml(const XmlSignRequest &request, XmlDsigCrypto &crypto)
{
    const bool declaresUtf8 = DeclaraUTF8(request.conteudoXml);
    std::string text = withoutLineBreaks(request.conteudoXml);
    if (!declaresUtf8)
        text = std::string(kUtf8Declaration) + RetiraDeclaracaoXML(text, false);
    const std::string id = ValorIdParaAssinatura(text, request.docElement, request.nomeAtributoId);

    LibXmlErrors errors;
    ExternalLoads noExternalLoads;
    XmlDocPtr doc = parseXml(text);
    if (!doc)
        throw EQuibDFeException(errors.withSuffix("Erro: Falha ao interpretar o XML \"xmlParseDoc\""));

    if (xmlNode *old = locateSignature(doc.get(), request.infElement)) {
        xmlUnlinkNode(old);
        xmlFreeNode(old);
    }
    const std::string digestInput =
        canonicalForm(doc.get(), id.empty() ? nullptr : signedElement(doc.get(), request.infElement));

    xmlNode *signature = appendTemplate(doc.get(), request, id);
    setText(required(signature, "DigestValue"), encodeBase64(crypto.digest(digestInput, request.digest)));
    const std::string signedInfo = canonicalForm(doc.get(), required(signature, "SignedInfo"));
    setText(required(signature, "SignatureValue"), encodeBase64(crypto.sign(signedInfo, request.digest)));
    setText(required(signature, "X509Certificate"), crypto.certificateBase64());

    std::string output = serialiseXml(doc.get());
    if (!declaresUtf8)
        output = RetiraDeclaracaoXML(output, false);
    return withoutLineBreaks(output);
}

bool verifyXmlSignature(std::string_view conteudoXml, std::string &msgErro, std::string_view infElement,
                        XmlDsigCrypto &crypto)
{
    msgErro.clear();
    LibXmlErrors errors;
    ExternalLoads noExternalLoads;
    XmlDocPtr doc = parseXml(conteudoXml);
    if (!doc) {
        msgErro = errors.withSuffix("Erro: Falha ao interpretar o XML \"xmlParseDoc\"");
        return false;
    }
    CertificateRelease release(crypto);
    xmlNode *signature = locateSignature(doc.get(), infElement);
    if (signature == nullptr) {
        msgErro = "Erro: Falha ao localizar o nó de Assinatura";
        return false;
    }
    const TSSLDgst algorithm = TDFeSSLXmlSignClass::DigestDoSignatureMethod(nodeText(doc.get(), signature));
    const std::string uri = attributeOf(findElement(signature, "Reference"), "URI");
    const std::string digestValue = decodedOrEmpty(textOf(findElement(signature, "DigestValue")));

    std::string digestInput;
    try {
        digestInput = uri.empty() ? canonicalForm(doc.get(), nullptr, signature)
                                  : canonicalForm(doc.get(), signedElement(doc.get(), infElement));
    } catch (const EQuibDFeException &e) {
        msgErro = e.what();
        return false;
    }
    if (digestValue.empty() || crypto.digest(digestInput, algorithm) != digestValue) {
        msgErro = "DigestValue não confere. Conteúdo de \"" + std::string(infElement) + "\" foi alterado";
        return false;
    }

    crypto.usePublicCertificate(textOf(findElement(signature, "X509Certificate")));
    xmlNode *signedInfo = findElement(signature, "SignedInfo");
    if (signedInfo == nullptr)
        return false;
    return crypto.signatureMatches(canonicalForm(doc.get(), signedInfo), algorithm,
                                   decodedOrEmpty(textOf(findElement(signature, "SignatureValue"))));
}
