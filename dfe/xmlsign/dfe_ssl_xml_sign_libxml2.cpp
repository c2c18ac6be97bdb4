#include "dfe/xmlsign/dfe_ssl_xml_sign_libxml2.h"

#include <memory>

#include "dfe/ssl/backend_registry.h"
#include "dfe/ssl/dfe_ssl.h"
#include "dfe/xmlsign/schema_validation.h"
#include "dfe/xmlsign/xmldsig_libxml2.h"

namespace {

constexpr int kBytesCrus = 2; // CalcHash output: the raw bytes

// The signer's cryptography through the facade and its crypt back-end.
class FacadeCrypto : public XmlDsigCrypto {
  public:
    explicit FacadeCrypto(TDFeSSL &ssl) : ssl_(ssl) {}

    std::string digest(std::string_view data, TSSLDgst algorithm) override
    {
        return ssl_.CalcHashTexto(data, algorithm, kBytesCrus, false);
    }
    std::string sign(std::string_view data, TSSLDgst algorithm) override
    {
        ssl_.GarantirCertificadoCarregado();
        return ssl_.CalcHashTexto(data, algorithm, kBytesCrus, true);
    }
    std::string certificateBase64() override
    {
        ssl_.GarantirCertificadoCarregado();
        return ssl_.DadosCertificado().CertificadoDERBase64;
    }
    void usePublicCertificate(std::string_view certificateBase64) override
    {
        ssl_.CarregarCertificadoPublico(certificateBase64);
    }
    bool signatureMatches(std::string_view data, TSSLDgst algorithm, std::string_view signature) override
    {
        return !signature.empty() && ssl_.ValidarHashTexto(data, algorithm, signature, true);
    }
    void releaseCertificate() override { ssl_.LiberarCertificado(); }

  private:
    TDFeSSL &ssl_;
};

} // namespace

TDFeSSLXmlSignLibXml2::TDFeSSLXmlSignLibXml2(TDFeSSL &SSL) : TDFeSSLXmlSignClass(SSL) {}

std::string_view TDFeSSLXmlSignLibXml2::NomeClasse() const
{
    return "TDFeSSLXmlSignLibXml2";
}

std::string TDFeSSLXmlSignLibXml2::Assinar(std::string_view ConteudoXML, std::string_view docElement,
                                           std::string_view infElement, std::string_view SignatureNode,
                                           std::string_view SelectionNamespaces, std::string_view IdSignature,
                                           std::string_view NomeAtributoId)
{
    std::string node(SignatureNode);
    std::string namespaces(SelectionNamespaces);
    AjustarParametrosAssinatura(node, namespaces);
    FacadeCrypto crypto(SSL());
    return signXml({ConteudoXML, docElement, infElement, IdSignature, NomeAtributoId, SSL().SSLDgst}, crypto);
}

bool TDFeSSLXmlSignLibXml2::Validar(std::string_view ConteudoXML, std::string_view ArqSchema,
                                    std::string &MsgErro)
{
    return validateXml(ConteudoXML, std::filesystem::path(ArqSchema), MsgErro);
}

bool TDFeSSLXmlSignLibXml2::ValidarAssinatura(std::string_view ConteudoXML, std::string &MsgErro,
                                              std::string_view infElement, std::string_view SignatureNode,
                                              std::string_view SelectionNamespaces, std::string_view,
                                              std::string_view)
{
    std::string node(SignatureNode);
    std::string namespaces(SelectionNamespaces);
    AjustarParametrosAssinatura(node, namespaces);
    FacadeCrypto crypto(SSL());
    return verifyXmlSignature(ConteudoXML, MsgErro, infElement, crypto);
}

void TDFeSSLXmlSignLibXml2::AjustarParametrosAssinatura(std::string &SignatureNode,
                                                        std::string &SelectionNamespaces)
{
    SignatureNode = "Signature";
    SelectionNamespaces = "http://www.w3.org/2000/09/xmldsig#";
}

void registerLibXml2XmlSignBackend()
{
    registerXmlSignBackend(xsLibXml2,
                           [](TDFeSSL &ssl) { return std::make_unique<TDFeSSLXmlSignLibXml2>(ssl); });
}
