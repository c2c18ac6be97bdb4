#pragma once

#include <string>
#include <string_view>

#include "dfe/ssl/ssl_types.h"

class TDFeSSL;

// Base of the XML-signature and schema back-ends of TDFeSSL. The facade owns
// one; it keeps a non-owning reference to the facade (SSLDgst, the crypt
// operations). The base class is what the facade holds when no signature
// library is chosen: Assinar raises NomeClasse() + ".Assinar, não
// implementado", the others "\"<operation>\" não suportado em: " + NomeClasse().
// The text routines below are shared by every signature back-end.
class TDFeSSLXmlSignClass {
  public:
    explicit TDFeSSLXmlSignClass(TDFeSSL &SSL);
    virtual ~TDFeSSLXmlSignClass();
    TDFeSSLXmlSignClass(const TDFeSSLXmlSignClass &) = delete;
    TDFeSSLXmlSignClass &operator=(const TDFeSSLXmlSignClass &) = delete;

    // The class's own name, used in the messages ("TDFeSSLXmlSignClass").
    virtual std::string_view NomeClasse() const;

    // ---- Virtual operations ----
    virtual std::string Assinar(std::string_view ConteudoXML, std::string_view docElement,
                                std::string_view infElement, std::string_view SignatureNode,
                                std::string_view SelectionNamespaces, std::string_view IdSignature,
                                std::string_view NomeAtributoId);
    // MsgErro is emptied first.
    virtual bool Validar(std::string_view ConteudoXML, std::string_view ArqSchema, std::string &MsgErro);
    virtual bool ValidarAssinatura(std::string_view ConteudoXML, std::string &MsgErro,
                                   std::string_view infElement, std::string_view SignatureNode,
                                   std::string_view SelectionNamespaces, std::string_view IdSignature,
                                   std::string_view NomeAtributoId);

    // ---- Shared routines ----
    // The XML with the empty signature template (the facade's SSLDgst)
    // inserted before the last "</docElement>", referencing the Id attribute
    // (NomeAtributoId, default "Id") found after the start of docElement.
    // Raises "Não encontrei final do elemento: </docElement>".
    std::string InserirTemplateAssinatura(std::string_view ConteudoXML, bool ComCertificado,
                                          std::string_view docElement, std::string_view IdSignature,
                                          std::string_view NomeAtributoId) const;
    // Tidies a signed document: a declaration other than UTF-8 removed, line
    // breaks removed, the certificate put in (or, without one, only the last
    // X509Certificate kept), blanks removed from SignatureValue to </KeyInfo>.
    static std::string AcertarXMLAssinado(std::string_view XMLAssinado, std::string_view CertificadoBase64);
    // The digest of the SignatureMethod Algorithm of a signed document.
    // Raises "Não foi possivel recuperar o \"Digest Algorithm\" do XML" or
    // "Digest Algorithm, \"<method>\" não suportado".
    static TSSLDgst DigestDoSignatureMethod(std::string_view XMLAssinado);

  protected:
    TDFeSSL &SSL() const { return ssl_; }

  private:
    TDFeSSL &ssl_;
};
