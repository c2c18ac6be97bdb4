#include "dfe/crypto/dfe_openssl.h"

#include "dfe/crypto/detail/certificate_fields.h"
#include "dfe/crypto/detail/openssl_runtime.h"
#include "dfe/crypto/detail/pkcs12_reader.h"
#include "dfe/crypto/detail/rsa_digest.h"
#include "dfe/ssl/backend_registry.h"
#include "dfe/ssl/base64.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"

#include <vector>

using namespace dfe::openssl;

TDFeOpenSSL::TDFeOpenSSL(TDFeSSL &SSL) : TDFeSSLCryptClass(SSL)
{
    Limpar();
}

TDFeOpenSSL::~TDFeOpenSSL() = default;

std::string_view TDFeOpenSSL::NomeClasse() const
{
    return "TDFeOpenSSL";
}

TlsCredentialPtr TDFeOpenSSL::ContextoCertificadoWinApi()
{
    GarantirCertificadoCarregado();
    if (!credencial_ && certificadoX509_) {
        std::vector<X509 *> chain;
        for (int i = 0; i < sk_X509_num(cadeia_.get()); ++i)
            chain.push_back(sk_X509_value(cadeia_.get(), i));
        credencial_ =
            std::make_shared<const TlsCredential>(certificadoX509_.get(), chavePrivada_.get(), chain);
    }
    return credencial_;
}

void TDFeOpenSSL::CarregarCertificadoDeDadosPFX()
{
    chavePrivada_.reset();
    certificadoX509_.reset();
    cadeia_.reset();
    credencial_.reset();
    Pkcs12Contents contents;
    if (!readPkcs12(SSL().DadosPFX(), SSL().Senha(), contents))
        throw EQuibDFeException(
            "Erro ao ler informações do Certificado.\r\nProvavelmente a senha está errada");
    chavePrivada_ = std::move(contents.key);
    certificadoX509_ = std::move(contents.certificate);
    cadeia_ = std::move(contents.authorities);
    lerDadosCertificado();
}

void TDFeOpenSSL::lerDadosCertificado()
{
    fillCertificateData(certificadoX509_.get(), DadosCertificado());
    DadosCertificado().Tipo = tcA1;
}

void TDFeOpenSSL::Limpar()
{
    TDFeSSLCryptClass::Limpar();
    versaoOpenSSL_.clear();
}

std::string TDFeOpenSSL::VersaoBiblioteca()
{
    VersaoOpenSSL();
    return versionText();
}

const std::string &TDFeOpenSSL::VersaoOpenSSL()
{
    if (versaoOpenSSL_.empty())
        versaoOpenSSL_ = versionNumberText();
    return versaoOpenSSL_;
}

std::string TDFeOpenSSL::CalcHash(std::istream &AStream, TSSLDgst Digest, bool Assinar)
{
    if (Assinar && !chavePrivada_)
        CarregarCertificadoConfigurado();
    return digestOrSign(AStream, Digest, Assinar ? chavePrivada_.get() : nullptr);
}

bool TDFeOpenSSL::ValidarHash(std::istream &AStream, TSSLDgst Digest, std::string_view Hash, bool Assinado)
{
    if (!Assinado)
        return digestContained(AStream, Digest, Hash);
    if (!certificadoX509_)
        CarregarCertificadoConfigurado();
    return signatureValid(AStream, Digest, Hash, X509_get0_pubkey(certificadoX509_.get()));
}

void TDFeOpenSSL::LiberarCertificado()
{
    chavePrivada_.reset();
    certificadoX509_.reset();
    cadeia_.reset();
    credencial_.reset();
    TDFeSSLCryptClass::LiberarCertificado();
}

void TDFeOpenSSL::CarregarCertificadoPublico(std::string_view DadosX509Base64)
{
    LiberarCertificado();
    certificadoX509_ = certificateFromDerBase64(DadosX509Base64);
    if (certificadoX509_)
        lerDadosCertificado();
}

void registerOpenSslCryptBackend()
{
    registerCryptBackend(cryOpenSSL, [](TDFeSSL &ssl) { return std::make_unique<TDFeOpenSSL>(ssl); });
}
