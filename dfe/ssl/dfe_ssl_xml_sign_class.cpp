#include "dfe/ssl/dfe_ssl_xml_sign_class.h"

#include <algorithm>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/fiscal/dfe_util.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"

namespace {

constexpr std::string_view kNamespaceXmlDSig = "http://www.w3.org/2000/09/xmldsig#";
constexpr std::string_view kNamespaceXmlDSigMore = "http://www.w3.org/2001/04/xmldsig-more#";

// Replaces what lies between the first `abre` after `depois` and the last
// `fecha` (which must follow it) by `conteudo`; false when either is missing.
bool trocaEntre(std::string &xml, std::size_t depois, std::string_view abre, std::string_view fecha,
                std::string_view conteudo)
{
    const auto inicio = xml.find(abre, depois);
    const auto fim = xml.rfind(fecha);
    if (inicio == std::string::npos || fim == std::string::npos || fim < inicio + abre.size())
        return false;
    xml.replace(inicio + abre.size(), fim - inicio - abre.size(), conteudo);
    return true;
}

} // namespace

TDFeSSLXmlSignClass::TDFeSSLXmlSignClass(TDFeSSL &SSL) : ssl_(SSL) {}

TDFeSSLXmlSignClass::~TDFeSSLXmlSignClass() = default;

std::string_view TDFeSSLXmlSignClass::NomeClasse() const
{
    return "TDFeSSLXmlSignClass";
}

std::string TDFeSSLXmlSignClass::Assinar(std::string_view, std::string_view, std::string_view,
                                         std::string_view, std::string_view, std::string_view,
                                         std::string_view)
{
    throw EQuibDFeException(std::string(NomeClasse()) + ".Assinar, não implementado");
}

bool TDFeSSLXmlSignClass::Validar(std::string_view, std::string_view, std::string &MsgErro)
{
    MsgErro.clear();
    throw EQuibDFeException("\"Validar\" não suportado em: " + std::string(NomeClasse()));
}

bool TDFeSSLXmlSignClass::ValidarAssinatura(std::string_view, std::string &, std::string_view,
                                            std::string_view, std::string_view, std::string_view,
                                            std::string_view)
{
    throw EQuibDFeException("\"ValidarAssinatura\" não suportado em: " + std::string(NomeClasse()));
}

std::string TDFeSSLXmlSignClass::InserirTemplateAssinatura(std::string_view ConteudoXML, bool ComCertificado,
                                                           std::string_view docElement,
                                                           std::string_view IdSignature,
                                                           std::string_view NomeAtributoId) const
{
    const std::string id = ValorIdParaAssinatura(ConteudoXML, docElement, NomeAtributoId);
    const std::string fimElemento = "</" + std::string(docElement) + ">";
    const auto posicao = ConteudoXML.rfind(fimElemento);
    if (posicao == std::string_view::npos)
        throw EQuibDFeException("Não encontrei final do elemento: " + fimElemento);
    std::string xml(ConteudoXML.substr(0, posicao));
    xml += ModeloAssinaturaXML(id, ComCertificado, IdSignature, ssl_.SSLDgst);
    xml += ConteudoXML.substr(posicao);
    return xml;
}

std::string TDFeSSLXmlSignClass::AcertarXMLAssinado(std::string_view XMLAssinado,
                                                    std::string_view CertificadoBase64)
{
    std::string xml =
        DeclaraUTF8(XMLAssinado) ? std::string(XMLAssinado) : RetiraDeclaracaoXML(XMLAssinado, false);
    std::erase_if(xml, [](char c) { return c == '\r' || c == '\n'; });

    const auto valor = xml.rfind("<SignatureValue>");
    if (valor == std::string::npos)
        return xml;

    if (!CertificadoBase64.empty()) {
        const std::string certificado =
            "<X509Certificate>" + std::string(CertificadoBase64) + "</X509Certificate>";
        if (!trocaEntre(xml, valor, "<X509Data>", "</X509Data>", certificado))
            trocaEntre(xml, valor, "<KeyInfo>", "</KeyInfo>", "<X509Data>" + certificado + "</X509Data>");
    } else {
        const auto primeiro = xml.find("<X509Certificate>", valor);
        if (primeiro != std::string::npos)
            xml.erase(primeiro, xml.rfind("<X509Certificate>") - primeiro);
    }

    const auto fimKeyInfo = xml.find("</KeyInfo>", valor);
    const auto fim = fimKeyInfo == std::string::npos ? xml.size() : fimKeyInfo;
    const auto removidos = std::remove(xml.begin() + static_cast<std::ptrdiff_t>(valor),
                                       xml.begin() + static_cast<std::ptrdiff_t>(fim), ' ');
    xml.erase(removidos, xml.begin() + static_cast<std::ptrdiff_t>(fim));
    return xml;
}

TSSLDgst TDFeSSLXmlSignClass::DigestDoSignatureMethod(std::string_view XMLAssinado)
{
    std::string metodo;
    constexpr std::string_view marca = "SignatureMethod Algorithm=\"";
    const auto inicio = XMLAssinado.find(marca);
    if (inicio != std::string_view::npos) {
        const auto valorInicio = inicio + marca.size();
        const auto valorFim = XMLAssinado.find('"', valorInicio);
        const auto valor =
            XMLAssinado.substr(valorInicio, valorFim == std::string_view::npos ? std::string_view::npos
                                                                               : valorFim - valorInicio);
        if (valor.starts_with(kNamespaceXmlDSig))
            metodo = lowerAscii(valor.substr(kNamespaceXmlDSig.size()));
        else if (valor.starts_with(kNamespaceXmlDSigMore))
            metodo = lowerAscii(valor.substr(kNamespaceXmlDSigMore.size()));
    }
    if (metodo.empty())
        throw EQuibDFeException("Não foi possivel recuperar o \"Digest Algorithm\" do XML");
    if (metodo == "rsa-sha1")
        return dgstSHA1;
    if (metodo == "rsa-sha256")
        return dgstSHA256;
    if (metodo == "rsa-sha512")
        return dgstSHA512;
    throw EQuibDFeException("Digest Algorithm, \"" + metodo + "\" não suportado");
}
