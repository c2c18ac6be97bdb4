#pragma once

#include <string>
#include <string_view>

#include "dfe/xmlsign/dfe_ssl_xml_sign_libxml2.h"

// The MSXML signature personalities, made by the facade for xsMsXml and
// xsMsXmlCapicom (registered by registerMsXmlXmlSignBackends): adapters over
// the libxml2 signer and schema cache that keep the personality's defaults,
// template insertion, tidying (AcertarXMLAssinado) and texts. Implemented in
// dfe_ssl_xml_sign_msxml.cpp.
//
// Defaults: an empty SignatureNode is ".//ds:Signature"; SelectionNamespaces
// always begins with the "ds" declaration of the XML-DSig namespace.
// Signing raises EQuibDFeException ("Não foi possível carregar XML\r\n" + the
// text, the crypt back-end's errors); Validar and ValidarAssinatura answer
// through MsgErro ("Não foi possível carregar o arquivo.\r\nErr: <code>, Lin:
// <line>, Pos: <column> - <reason>" when the text does not parse).
class TDFeSSLXmlSignMsXml : public TDFeSSLXmlSignClass {
  public:
    explicit TDFeSSLXmlSignMsXml(TDFeSSL &SSL);

    std::string_view NomeClasse() const override;
    std::string Assinar(std::string_view ConteudoXML, std::string_view docElement,
                        std::string_view infElement, std::string_view SignatureNode,
                        std::string_view SelectionNamespaces, std::string_view IdSignature,
                        std::string_view NomeAtributoId) override;
    bool Validar(std::string_view ConteudoXML, std::string_view ArqSchema, std::string &MsgErro) override;
    bool ValidarAssinatura(std::string_view ConteudoXML, std::string &MsgErro, std::string_view infElement,
                           std::string_view SignatureNode, std::string_view SelectionNamespaces,
                           std::string_view IdSignature, std::string_view NomeAtributoId) override;

    // The defaults above applied to the two arguments.
    static void AplicarPadroes(std::string &SignatureNode, std::string &SelectionNamespaces);

  protected:
    // Signs with the libxml2 signer and tidies with the given certificate.
    std::string assinarETratar(std::string_view ConteudoXML, std::string_view docElement,
                               std::string_view infElement, std::string_view SignatureNode,
                               std::string_view IdSignature, std::string_view NomeAtributoId,
                               std::string_view Certificado);

  private:
    TDFeSSLXmlSignLibXml2 libxml2_;
};

// The CAPICOM variant: the crypt back-end must be a TDFeCapicom, else
// "Erro de configuração. SSLCryptClass não é TDFeCapicom"; the tidying keeps
// the signer's last certificate element.
class TDFeSSLXmlSignMsXmlCapicom : public TDFeSSLXmlSignMsXml {
  public:
    using TDFeSSLXmlSignMsXml::TDFeSSLXmlSignMsXml;

    std::string_view NomeClasse() const override;
    std::string Assinar(std::string_view ConteudoXML, std::string_view docElement,
                        std::string_view infElement, std::string_view SignatureNode,
                        std::string_view SelectionNamespaces, std::string_view IdSignature,
                        std::string_view NomeAtributoId) override;
};

// Registers both for xsMsXml and xsMsXmlCapicom (called by RegistraBackendsDFe).
void registerMsXmlXmlSignBackends();
