#include "dfe/xmlsign/dfe_ssl_xml_sign_msxml.h"

#include <libxml/parser.h>

#include <memory>

#include "dfe/crypto/dfe_capicom.h"
#include "dfe/ssl/backend_registry.h"
#include "dfe/ssl/dfe_ssl.h"
#include "dfe/xmlsign/detail/external_loads.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/text/text_utils.h"

namespace {

constexpr std::string_view kNoAssinatura = ".//ds:Signature";
constexpr std::string_view kNamespaceDs = "xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\"";
constexpr std::string_view kFalhaInterpretar = "Erro: Falha ao interpretar o XML";

struct ParserCtxtFree {
    void operator()(xmlParserCtxt *context) const { xmlFreeParserCtxt(context); }
};

// Parses only to learn whether (and where) the text is refused: "Err: <code>,
// Lin: <line>, Pos: <column> - <reason>"; empty when it parses.
std::string erroDeCarga(std::string_view texto)
{
    ExternalLoads semCargasExternas;
    std::unique_ptr<xmlParserCtxt, ParserCtxtFree> contexto(xmlNewParserCtxt());
    if (!contexto)
        return "Err: 0, Lin: 0, Pos: 0 - sem memória";
    xmlDocPtr doc = xmlCtxtReadMemory(contexto.get(), texto.data(), static_cast<int>(texto.size()), nullptr,
                                      nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const bool semRaiz = doc != nullptr && xmlDocGetRootElement(doc) == nullptr;
    xmlFreeDoc(doc);
    if (doc != nullptr && !semRaiz)
        return {};
    const xmlError *erro = xmlCtxtGetLastError(contexto.get());
    if (erro == nullptr || erro->code == 0)
        return "Err: 0, Lin: 0, Pos: 0 - documento vazio";
    return "Err: " + std::to_string(erro->code) + ", Lin: " + std::to_string(erro->line) +
           ", Pos: " + std::to_string(erro->int2) + " - " +
           std::string(trimText(erro->message != nullptr ? erro->message : ""));
}

bool contemAssinatura(std::string_view texto)
{
    return lowerAscii(texto).find("<signature") != std::string::npos;
}

} // namespace

TDFeSSLXmlSignMsXml::TDFeSSLXmlSignMsXml(TDFeSSL &SSL) : TDFeSSLXmlSignClass(SSL), libxml2_(SSL) {}

std::string_view TDFeSSLXmlSignMsXml::NomeClasse() const
{
    return "TDFeSSLXmlSignMsXml";
}

void TDFeSSLXmlSignMsXml::AplicarPadroes(std::string &SignatureNode, std::string &SelectionNamespaces)
{
    if (SignatureNode.empty())
        SignatureNode = kNoAssinatura;
    if (SelectionNamespaces.empty())
        SelectionNamespaces = kNamespaceDs;
    else if (!SelectionNamespaces.starts_with(kNamespaceDs))
        SelectionNamespaces = std::string(kNamespaceDs) + " " + SelectionNamespaces;
}

std::string TDFeSSLXmlSignMsXml::assinarETratar(std::string_view ConteudoXML, std::string_view docElement,
                                                std::string_view infElement, std::string_view SignatureNode,
                                                std::string_view IdSignature, std::string_view NomeAtributoId,
                                                std::string_view Certificado)
{
    SSL().GarantirCertificadoCarregado();
    std::string no(SignatureNode), namespaces;
    AplicarPadroes(no, namespaces);
    // A document without a signature gets the empty template first; the
    // signer fills the template in place (it replaces an existing signature).
    std::string documento(ConteudoXML);
    if (!(contemAssinatura(documento) && no == kNoAssinatura))
        documento = InserirTemplateAssinatura(documento, false, docElement, IdSignature, NomeAtributoId);
    std::string assinado;
    try {
        assinado =
            libxml2_.Assinar(documento, docElement, infElement, no, namespaces, IdSignature, NomeAtributoId);
    } catch (const EQuibDFeException &erro) {
        if (std::string_view(erro.what()).starts_with(kFalhaInterpretar))
            throw EQuibDFeException("Não foi possível carregar XML\r\n" + std::string(ConteudoXML));
        throw;
    }
    return AcertarXMLAssinado(assinado, Certificado);
}

std::string TDFeSSLXmlSignMsXml::Assinar(std::string_view ConteudoXML, std::string_view docElement,
                                         std::string_view infElement, std::string_view SignatureNode,
                                         std::string_view, std::string_view IdSignature,
                                         std::string_view NomeAtributoId)
{
    const std::string assinado =
        assinarETratar(ConteudoXML, docElement, infElement, SignatureNode, IdSignature, NomeAtributoId, "");
    // The key information ends up holding exactly the loaded certificate.
    return AcertarXMLAssinado(assinado, SSL().DadosCertificado().CertificadoDERBase64);
}

bool TDFeSSLXmlSignMsXml::Validar(std::string_view ConteudoXML, std::string_view ArqSchema,
                                  std::string &MsgErro)
{
    MsgErro.clear();
    if (const std::string erro = erroDeCarga(ConteudoXML); !erro.empty()) {
        MsgErro = "Não foi possível carregar o arquivo.\r\n" + erro;
        return false;
    }
    return libxml2_.Validar(ConteudoXML, ArqSchema, MsgErro);
}

bool TDFeSSLXmlSignMsXml::ValidarAssinatura(std::string_view ConteudoXML, std::string &MsgErro,
                                            std::string_view infElement, std::string_view SignatureNode,
                                            std::string_view SelectionNamespaces,
                                            std::string_view IdSignature, std::string_view NomeAtributoId)
{
    std::string no(SignatureNode), namespaces(SelectionNamespaces);
    AplicarPadroes(no, namespaces);
    MsgErro.clear();
    if (!erroDeCarga(ConteudoXML).empty()) {
        MsgErro = "Não foi possível carregar o arquivo.";
        return false;
    }
    if (!contemAssinatura(ConteudoXML)) {
        MsgErro = "Não foi possível ler o nó de Assinatura (" + no + ")";
        return false;
    }
    if (ConteudoXML.find("X509Certificate>") == std::string_view::npos) {
        MsgErro = "Erro ao ler <X509Data> da Assinatura";
        return false;
    }
    const bool valida = libxml2_.ValidarAssinatura(ConteudoXML, MsgErro, infElement, no, namespaces,
                                                   IdSignature, NomeAtributoId);
    if (!valida && MsgErro.empty())
        MsgErro = "Erro ao verificar assinatura do arquivo: SignatureValue não confere";
    return valida;
}

std::string_view TDFeSSLXmlSignMsXmlCapicom::NomeClasse() const
{
    return "TDFeSSLXmlSignMsXmlCapicom";
}

std::string TDFeSSLXmlSignMsXmlCapicom::Assinar(std::string_view ConteudoXML, std::string_view docElement,
                                                std::string_view infElement, std::string_view SignatureNode,
                                                std::string_view, std::string_view IdSignature,
                                                std::string_view NomeAtributoId)
{
    if (dynamic_cast<TDFeCapicom *>(&SSL().SSLCryptClass()) == nullptr)
        throw EQuibDFeException("Erro de configuração. SSLCryptClass não é TDFeCapicom");
    return assinarETratar(ConteudoXML, docElement, infElement, SignatureNode, IdSignature, NomeAtributoId,
                          "");
}

void registerMsXmlXmlSignBackends()
{
    registerXmlSignBackend(xsMsXml, [](TDFeSSL &ssl) { return std::make_unique<TDFeSSLXmlSignMsXml>(ssl); });
    registerXmlSignBackend(xsMsXmlCapicom,
                           [](TDFeSSL &ssl) { return std::make_unique<TDFeSSLXmlSignMsXmlCapicom>(ssl); });
}
