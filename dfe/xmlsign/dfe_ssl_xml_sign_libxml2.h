#pragma once

#include <string>
#include <string_view>

#include "dfe/ssl/dfe_ssl_xml_sign_class.h"

// The XML-signature and schema back-end on libxml2, created by the facade for
// xsLibXml2 (the libOpenSSL and libWinCrypt bundles). libxml2 parses,
// canonicalises (inclusive C14N 1.0) and serialises (xmldsig_libxml2.h);
// digests and RSA come from the facade's crypt back-end (CalcHashTexto,
// ValidarHashTexto), so a crypt library must be chosen too. Schemas are
// compiled once per process (schema_cache.h). No libxml2 setting of the
// process is changed.
class TDFeSSLXmlSignLibXml2 : public TDFeSSLXmlSignClass {
  public:
    explicit TDFeSSLXmlSignLibXml2(TDFeSSL &SSL);

    std::string_view NomeClasse() const override;

    // The signed document on one line (see signXml). Raises the signer's
    // EQuibDFeException messages and the crypt back-end's errors (no
    // certificate, no private key). SignatureNode and SelectionNamespaces
    // are ignored (AjustarParametrosAssinatura).
    std::string Assinar(std::string_view ConteudoXML, std::string_view docElement,
                        std::string_view infElement, std::string_view SignatureNode,
                        std::string_view SelectionNamespaces, std::string_view IdSignature,
                        std::string_view NomeAtributoId) override;
    // See validateXml; the path is the facade's, already checked to exist.
    bool Validar(std::string_view ConteudoXML, std::string_view ArqSchema, std::string &MsgErro) override;
    // See verifyXmlSignature; afterwards the facade has no certificate loaded.
    bool ValidarAssinatura(std::string_view ConteudoXML, std::string &MsgErro, std::string_view infElement,
                           std::string_view SignatureNode, std::string_view SelectionNamespaces,
                           std::string_view IdSignature, std::string_view NomeAtributoId) override;

    // Whatever is passed, the node name becomes "Signature" and the namespace
    // the XML-DSig one.
    virtual void AjustarParametrosAssinatura(std::string &SignatureNode, std::string &SelectionNamespaces);
};

// Registers TDFeSSLXmlSignLibXml2 for xsLibXml2 (called by RegistraBackendsDFe).
void registerLibXml2XmlSignBackend();
