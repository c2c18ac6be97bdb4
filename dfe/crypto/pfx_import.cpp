#include "dfe/crypto/pfx_import.h"

#include "dfe/crypto/detail/openssl_runtime.h"
#include "foundation/files/file_utils.h"
#include "foundation/fiscal/dfe_exception.h"

#include <openssl/err.h>
#include <openssl/pkcs12.h>

using namespace dfe::openssl;

namespace {

constexpr std::string_view kPrefixo = "PFXDataToCertContextWinApi: ";

[[noreturn]] void falha(std::string_view texto)
{
    clearErrors();
    throw EQuibDFeException(std::string(kPrefixo) + std::string(texto));
}

// An empty password may have been stored as no password at all.
bool senhaConfere(PKCS12 *pkcs12, const std::string &senha)
{
    if (!PKCS12_mac_present(pkcs12))
        return true;
    if (PKCS12_verify_mac(pkcs12, senha.c_str(), static_cast<int>(senha.size())) == 1)
        return true;
    return senha.empty() && PKCS12_verify_mac(pkcs12, nullptr, 0) == 1;
}

bool chaveDoCertificado(X509 *certificado, EVP_PKEY *chave)
{
    return certificado != nullptr && chave != nullptr && X509_check_private_key(certificado, chave) == 1;
}

} // namespace

TCertificadoComChave PFXDataToCertContextWinApi(std::string_view DadosPFX, const std::string &Senha)
{
    ensureProviders();
    BioPtr bio(BIO_new_mem_buf(DadosPFX.data(), static_cast<int>(DadosPFX.size())));
    Pkcs12Ptr pkcs12(bio && !DadosPFX.empty() ? d2i_PKCS12_bio(bio.get(), nullptr) : nullptr);
    if (!pkcs12)
        falha("DadosPFX informado não são válidos");
    if (!senhaConfere(pkcs12.get(), Senha))
        falha("Senha informada está errada");

    EVP_PKEY *chave = nullptr;
    X509 *certificado = nullptr;
    STACK_OF(X509) *cadeia = nullptr;
    const char *senha =
        Senha.empty() && PKCS12_verify_mac(pkcs12.get(), nullptr, 0) == 1 ? nullptr : Senha.c_str();
    if (PKCS12_parse(pkcs12.get(), senha, &chave, &certificado, &cadeia) != 1)
        falha("Falha em \"PFXImportCertStore\" Erro: " + CodigoErroHexa(static_cast<int>(ERR_get_error())));
    TCertificadoComChave resultado{CertificatePtr(certificado), KeyPtr(chave), CertificateStackPtr(cadeia)};
    clearErrors();
    if (!chaveDoCertificado(resultado.certificado.get(), resultado.chave.get()))
        falha("Falha ao localizar o Certificado com a Chave Privada.");
    return resultado;
}

std::string ExportCertStoreToPFXData(X509 *Certificado, EVP_PKEY *Chave, STACK_OF(X509) * Cadeia,
                                     const std::string &Senha)
{
    if (Chave == nullptr)
        throw EQuibDFeExceptionNoPrivateKey("Certificado não permite Exportar Chave Privada.");
    ensureProviders();
    Pkcs12Ptr pkcs12(PKCS12_create(Senha.c_str(), nullptr, Chave, Certificado, Cadeia, 0, 0, 0, 0, 0));
    BioPtr bio(BIO_new(BIO_s_mem()));
    if (!pkcs12 || !bio || i2d_PKCS12_bio(bio.get(), pkcs12.get()) != 1) {
        const auto codigo = static_cast<int>(ERR_get_error());
        clearErrors();
        throw EQuibDFeException("ExportCertStoreToPFXData: Falha em \"PFXExportCertStoreEx\" Erro: " +
                                CodigoErroHexa(codigo));
    }
    char *dados = nullptr;
    const long tamanho = BIO_get_mem_data(bio.get(), &dados);
    return std::string(dados, static_cast<size_t>(tamanho));
}
