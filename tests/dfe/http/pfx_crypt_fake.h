#pragma once

#include <string_view>

#include "dfe/ssl/backend_registry.h"
#include "dfe/ssl/dfe_ssl_crypt_class.h"

// A crypt back-end for the transport tests: opens the facade's DadosPFX with
// its Senha (OpenSSL PKCS#12) and hands the certificate out as the TLS
// credential; no digests or signatures. Implemented in pfx_crypt_fake.cpp.
class PfxCryptFake : public TDFeSSLCryptClass {
  public:
    using TDFeSSLCryptClass::TDFeSSLCryptClass;
    std::string_view NomeClasse() const override { return "PfxCryptFake"; }
    TlsCredentialPtr ContextoCertificadoWinApi() override { return credential_; }
    void CarregarCertificadoDeDadosPFX() override;
    void PreencherDadosCertificado() override;
    void LiberarCertificado() override;

  private:
    TlsCredentialPtr credential_;
};

// Puts PfxCryptFake in place of the cryOpenSSL back-end while it lives.
class PfxCryptFakeRegistration {
  public:
    PfxCryptFakeRegistration();
    ~PfxCryptFakeRegistration();
    PfxCryptFakeRegistration(const PfxCryptFakeRegistration &) = delete;
    PfxCryptFakeRegistration &operator=(const PfxCryptFakeRegistration &) = delete;

  private:
    CryptBackendFactory previous_;
};
