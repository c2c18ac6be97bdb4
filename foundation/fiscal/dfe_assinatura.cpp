// The empty XML signature that the signing back-ends fill in, the Id it
// references, and the test for a signed text.

#include <string>

#include "foundation/fiscal/dfe_util.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"

namespace {

constexpr std::string_view kXmlDsigNamespace = "http://www.w3.org/2000/09/xmldsig#";
constexpr std::string_view kCanonicalXml = "http://www.w3.org/TR/2001/REC-xml-c14n-20010315";
constexpr std::string_view kEnvelopedSignature = "http://www.w3.org/2000/09/xmldsig#enveloped-signature";

struct Algoritmos {
    std::string_view assinatura;
    std::string_view digest;
};

Algoritmos algoritmosDo(TSSLDgst digest)
{
    switch (digest) {
    case dgstSHA256:
        return {"http://www.w3.org/2001/04/xmldsig-more#rsa-sha256",
                "http://www.w3.org/2001/04/xmlenc#sha256"};
    case dgstSHA512:
        return {"http://www.w3.org/2001/04/xmldsig-more#rsa-sha512",
                "http://www.w3.org/2001/04/xmlenc#sha512"};
    default:
        return {"http://www.w3.org/2000/09/xmldsig#rsa-sha1", "http://www.w3.org/2000/09/xmldsig#sha1"};
    }
}

std::string comAlgoritmo(std::string_view elemento, std::string_view algoritmo)
{
    return "<" + std::string(elemento) + " Algorithm=\"" + std::string(algoritmo) + "\" />";
}

std::string vazio(std::string_view elemento)
{
    return "<" + std::string(elemento) + "></" + std::string(elemento) + ">";
}

} // namespace

bool XMLAssinado(std::string_view xml)
{
    return lowerAscii(xml).find("<signature") != std::string::npos;
}

std::string ModeloAssinaturaXML(std::string_view uri, bool comX509, std::string_view atributosSignature,
                                TSSLDgst digest)
{
    const Algoritmos algoritmos = algoritmosDo(digest);
    const std::string referencia = uri.empty() ? std::string() : "#" + std::string(uri);

    std::string xml =
        "<Signature xmlns=\"" + std::string(kXmlDsigNamespace) + "\"" + std::string(atributosSignature) + ">";
    xml += "<SignedInfo>";
    xml += comAlgoritmo("CanonicalizationMethod", kCanonicalXml);
    xml += comAlgoritmo("SignatureMethod", algoritmos.assinatura);
    xml += "<Reference URI=\"" + referencia + "\">";
    xml += "<Transforms>" + comAlgoritmo("Transform", kEnvelopedSignature) +
           comAlgoritmo("Transform", kCanonicalXml) + "</Transforms>";
    xml += comAlgoritmo("DigestMethod", algoritmos.digest);
    xml += vazio("DigestValue");
    xml += "</Reference></SignedInfo>";
    xml += vazio("SignatureValue");
    xml += comX509 ? "<KeyInfo><X509Data>" + vazio("X509Certificate") + "</X509Data></KeyInfo>"
                   : vazio("KeyInfo");
    xml += "</Signature>";
    return xml;
}

std::string ValorIdParaAssinatura(std::string_view xml, std::string_view elemento, std::string_view atributo)
{
    const std::string nomeAtributo = atributo.empty() ? std::string("Id") : std::string(atributo);

    std::size_t inicio = 0;
    if (!elemento.empty()) {
        const std::size_t posElemento = xml.find("<" + std::string(elemento));
        if (posElemento != std::string_view::npos)
            inicio = posElemento;
    }

    const std::size_t posAtributo = xml.find(nomeAtributo + "=", inicio);
    if (posAtributo == std::string_view::npos)
        return {};
    const std::size_t aspaInicial = xml.find('"', posAtributo + 2);
    if (aspaInicial == std::string_view::npos)
        throw EQuibDFeException("Não encontrei inicio do URI: aspas inicial");
    const std::size_t aspaFinal = xml.find('"', aspaInicial + 1);
    if (aspaFinal == std::string_view::npos)
        throw EQuibDFeException("Não encontrei inicio do URI: aspas final");
    return std::string(xml.substr(aspaInicial + 1, aspaFinal - aspaInicial - 1));
}
