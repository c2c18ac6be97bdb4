#include "tests/dfe/http/pfx_crypt_fake.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"

void PfxCryptFake::CarregarCertificadoDeDadosPFX()
{
    const std::string pfx = SSL().DadosPFX();
    const std::string senha = SSL().Senha();
    BIO *in = BIO_new_mem_buf(pfx.data(), static_cast<int>(pfx.size()));
    PKCS12 *p12 = d2i_PKCS12_bio(in, nullptr);
    BIO_free(in);
    EVP_PKEY *key = nullptr;
    X509 *cert = nullptr;
    STACK_OF(X509) *cas = nullptr;
    const bool aberto = p12 != nullptr && PKCS12_parse(p12, senha.c_str(), &key, &cert, &cas) == 1;
    PKCS12_free(p12);
    ERR_clear_error();
    if (aberto) {
        std::vector<X509 *> chain;
        for (int i = 0; i < sk_X509_num(cas); ++i)
            chain.push_back(sk_X509_value(cas, i));
        credential_ = std::make_shared<const TlsCredential>(cert, key, chain);
    }
    X509_free(cert);
    EVP_PKEY_free(key);
    sk_X509_pop_free(cas, X509_free);
    if (!aberto)
        throw EQuibDFeException("PFX ilegível ou senha errada");
}

void PfxCryptFake::PreencherDadosCertificado()
{
    if (!credential_)
        return;
    char *subject = X509_NAME_oneline(X509_get_subject_name(credential_->certificate()), nullptr, 0);
    DadosCertificado().SetSubjectName(subject);
    DadosCertificado().NumeroSerie = "1";
    OPENSSL_free(subject);
}

void PfxCryptFake::LiberarCertificado()
{
    credential_.reset();
    TDFeSSLCryptClass::LiberarCertificado();
}

PfxCryptFakeRegistration::PfxCryptFakeRegistration() : previous_(cryptBackendFactory(cryOpenSSL))
{
    registerCryptBackend(cryOpenSSL, [](TDFeSSL &ssl) { return std::make_unique<PfxCryptFake>(ssl); });
}

PfxCryptFakeRegistration::~PfxCryptFakeRegistration()
{
    registerCryptBackend(cryOpenSSL, previous_);
}
