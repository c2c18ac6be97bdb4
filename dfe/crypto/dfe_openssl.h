#pragma once

#include "dfe/crypto/detail/openssl_ptr.h"
#include "dfe/ssl/dfe_ssl_crypt_class.h"

#include <string>

// The certificate and RSA back-end on the linked OpenSSL library, made by the
// facade for cryOpenSSL (registered by registerOpenSslCryptBackend). It opens
// the facade's PFX data with its password (AES and legacy RC2-40/3DES files
// alike), reads the certificate's fields into DadosCertificado, computes
// digests and RSA (PKCS #1 v1.5) signatures of streams and checks them, loads
// a public certificate given as base64 DER, and answers the client
// certificate of the HTTPS transports. Loading from a file or a URL is the
// base class's.
//
// Errors are EQuibDFeException: "Erro ao ler informações do
// Certificado.\r\nProvavelmente a senha está errada" for PFX data that does
// not open; "Erro ao carregar Digest: " + name for a digest the library does
// not offer (md2, "sha"). A failed load leaves key and certificate empty.
// Streams are hashed from their start. Not shared between threads (the facade
// serialises its use); the library's providers are loaded once per process.
class TDFeOpenSSL : public TDFeSSLCryptClass {
  public:
    explicit TDFeOpenSSL(TDFeSSL &SSL);
    ~TDFeOpenSSL() override;

    std::string_view NomeClasse() const override;

    // The loaded certificate, its key and the PFX's other certificates as the
    // chain; loads the configured certificate first when none is loaded.
    TlsCredentialPtr ContextoCertificadoWinApi() override;
    void CarregarCertificadoDeDadosPFX() override;
    void Limpar() override;
    // The library's own version text.
    std::string VersaoBiblioteca() override;
    std::string CalcHash(std::istream &AStream, TSSLDgst Digest, bool Assinar) override;
    bool ValidarHash(std::istream &AStream, TSSLDgst Digest, std::string_view Hash, bool Assinado) override;
    void LiberarCertificado() override;
    // Fills DadosCertificado from the certificate (no key; Tipo tcA1). Text
    // that is not a base64 DER certificate leaves everything empty.
    void CarregarCertificadoPublico(std::string_view DadosX509Base64) override;

    // "MM.NN.FF.PPS" of the library's version number, cached until Limpar;
    // VersaoAntiga is always false with a linked library of version 3.
    const std::string &VersaoOpenSSL();
    bool VersaoAntiga() const { return false; }

  private:
    void lerDadosCertificado();

    dfe::openssl::KeyPtr chavePrivada_;
    dfe::openssl::CertificatePtr certificadoX509_;
    dfe::openssl::CertificateStackPtr cadeia_;
    TlsCredentialPtr credencial_;
    std::string versaoOpenSSL_;
};

// Registers TDFeOpenSSL for cryOpenSSL (called by RegistraBackendsDFe).
void registerOpenSslCryptBackend();
