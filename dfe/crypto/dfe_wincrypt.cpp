#include "dfe/crypto/dfe_wincrypt.h"

#include "dfe/crypto/certificate_selector.h"
#include "dfe/crypto/detail/certificate_fields.h"
#include "dfe/crypto/detail/folder_store.h"
#include "dfe/crypto/detail/openssl_runtime.h"
#include "dfe/crypto/detail/rsa_digest.h"
#include "dfe/crypto/detail/series_com_pin.h"
#include "dfe/crypto/pfx_import.h"
#include "dfe/ssl/backend_registry.h"
#include "dfe/ssl/base64.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/codes/enum_names.h"
#include "foundation/files/file_utils.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/text/text_utils.h"

#include <vector>

using namespace dfe::openssl;

namespace {

// PKCS#11 return values of a login.
constexpr unsigned long kPinIncorreto = 0xA0;                     // CKR_PIN_INCORRECT
constexpr unsigned long kPinBloqueado = 0xA4;                     // CKR_PIN_LOCKED
constexpr int kAlgoritmoInvalido = static_cast<int>(0x80090008u); // NTE_BAD_ALGID

// The user's "My" store also shows the tokens' certificates.
bool incluiTokens(const TDFeSSL &ssl)
{
    return ssl.StoreLocation != slLocalMachine && upperAscii(ssl.StoreName) == "MY";
}

} // namespace

TDFeWinCrypt::TDFeWinCrypt(TDFeSSL &SSL) : TDFeSSLCryptClass(SSL)
{
    Limpar();
}

TDFeWinCrypt::~TDFeWinCrypt()
{
    try {
        TDFeWinCrypt::LiberarCertificado();
    } catch (...) { // a destructor does not raise
    }
}

std::string_view TDFeWinCrypt::NomeClasse() const
{
    return "TDFeWinCrypt";
}

std::string_view TDFeWinCrypt::TituloSelecao() const
{
    return "Selecione um Certificado";
}

std::string_view TDFeWinCrypt::TextoSelecao() const
{
    return "Selecione o Certificado que deseja utilizar:";
}

std::vector<TDFeWinCrypt::StoreItem> TDFeWinCrypt::lerStore() const
{
    std::vector<StoreItem> itens;
    std::vector<dfe::store::StoredCertificate> pasta;
    try {
        pasta = dfe::store::readStore(dfe::store::storeFolder(SSL().StoreLocation, SSL().StoreName));
    } catch (const dfe::store::StoreOpenError &) {
        throw EQuibDFeException("TDFeWinCrypt. Erro ao abrir StoreName: " + SSL().StoreName +
                                " Location: " + std::to_string(static_cast<int>(SSL().StoreLocation)));
    }
    for (auto &entrada : pasta)
        itens.push_back({std::move(entrada.certificate), entrada.keyPath, std::nullopt});
    if (incluiTokens(SSL()))
        for (auto &token : dfe::token::listTokenCertificates()) {
            X509 *x509 = token.certificate.get();
            X509_up_ref(x509);
            itens.push_back({CertificatePtr(x509), {}, std::move(token)});
        }
    return itens;
}

TlsCredentialPtr TDFeWinCrypt::ContextoCertificadoWinApi()
{
    GarantirCertificadoCarregado();
    if (!credencial_ && certificado_) {
        std::vector<X509 *> cadeia;
        for (int i = 0; i < sk_X509_num(cadeia_.get()); ++i)
            cadeia.push_back(sk_X509_value(cadeia_.get(), i));
        credencial_ = std::make_shared<const TlsCredential>(certificado_.get(), chaveParaAssinar(), cadeia);
    }
    return credencial_;
}

std::string TDFeWinCrypt::DadosPFXDoCertificado()
{
    if (dadosPFXCache_.empty()) {
        GarantirCertificadoCarregado();
        if (!SSL().DadosPFX().empty())
            dadosPFXCache_ = SSL().DadosPFX();
        else
            dadosPFXCache_ = ExportCertStoreToPFXData(certificado_.get(), token_ ? nullptr : chave_.get(),
                                                      cadeia_.get(), SSL().Senha());
    }
    return dadosPFXCache_;
}

void TDFeWinCrypt::CarregarCertificadoDeDadosPFX()
{
    TCertificadoComChave importado = PFXDataToCertContextWinApi(SSL().DadosPFX(), SSL().Senha());
    certificado_ = std::move(importado.certificado);
    chave_ = std::move(importado.chave);
    cadeia_ = std::move(importado.cadeia);
    token_.reset();
}

void TDFeWinCrypt::CarregarCertificadoDeNumeroSerie()
{
    const std::string &numeroSerie = SSL().NumeroSerie();
    for (StoreItem &item : lerStore()) {
        if (!dfe::store::sameSerial(serialNumberHex(item.certificado.get()), numeroSerie))
            continue;
        certificado_ = std::move(item.certificado);
        token_ = std::move(item.token);
        if (!token_)
            chave_ = dfe::store::readStoredKey({nullptr, {}, item.keyPath});
        return;
    }
    throw EQuibDFeException("Certificado Série: \"" + numeroSerie + "\", não encontrado!");
}

void TDFeWinCrypt::PreencherDadosCertificado()
{
    if (!certificado_)
        throw EQuibDFeException("Certificado Digital não Carregado!");
    TDadosCertificado &dados = DadosCertificado();
    fillCertificateData(certificado_.get(), dados);
    dados.Tipo = token_ ? tcA3 : (chave_ ? tcA1 : tcDesconhecido);
    SetCertificadoPronto(true);

    const std::string senha = SSL().Senha();
    if (dados.Tipo != tcA3 || senha.empty() || SeriesComPIN::contem(dados.NumeroSerie))
        return;
    try {
        definirPIN(senha, false);
    } catch (const EQuibDFeException &) {
        SSL().SetSenha("");
        throw;
    }
    SeriesComPIN::adicionar(dados.NumeroSerie);
}

void TDFeWinCrypt::definirPIN(const std::string &senha, bool levantarFalhasGenericas)
{
    if (!token_)
        return;
    const unsigned long status =
        senha.empty() ? (dfe::token::logoutToken(*token_), 0UL) : dfe::token::loginToken(*token_, senha);
    if (status == 0)
        return;
    if (status == kPinIncorreto)
        throw EQuibDFeException("O cartão não pode ser acessado porque o PIN errado foi apresentado.");
    if (status == kPinBloqueado)
        throw EQuibDFeException("O cartão não pode ser acessado porque o número máximo de tentativas de "
                                "entrada de PIN foi atingido");
    if (levantarFalhasGenericas)
        throw EQuibDFeException("Falha ao Definir PIN do Certificado. Erro: " +
                                CodigoErroHexa(static_cast<int>(status)));
}

EVP_PKEY *TDFeWinCrypt::chaveParaAssinar()
{
    if (!chave_ && token_)
        chave_ = dfe::token::tokenPrivateKey(*token_);
    return chave_.get();
}

std::string TDFeWinCrypt::VersaoBiblioteca()
{
    return "crypt32.dll " + VersaoDoArquivo("crypt32.dll");
}

namespace {

// The CryptoAPI names of the digests: "sha" is SHA-1 there; RIPEMD-160 has none.
TSSLDgst digestDoProvedor(TSSLDgst digest, std::string_view classe)
{
    if (digest == dgstRMD160)
        throw EQuibDFeException("Digest " + std::string(EnumValueName(digest)) + " não suportado em " +
                                std::string(classe));
    return digest == dgstSHA ? dgstSHA1 : digest;
}

template <typename Operacao> auto noProvedor(TSSLDgst digest, Operacao operacao)
{
    try {
        return operacao();
    } catch (const EQuibDFeException &erro) {
        if (std::string_view(erro.what()).starts_with("Erro ao carregar Digest"))
            throw EQuibDFeException(
                "O Provedor de Criptografia não suporta o algoritmo: " + std::string(EnumValueName(digest)) +
                " , erro: $" + CodigoErroHexa(kAlgoritmoInvalido));
        throw;
    }
}

} // namespace

std::string TDFeWinCrypt::CalcHash(std::istream &AStream, TSSLDgst Digest, bool Assinar)
{
    const TSSLDgst digest = digestDoProvedor(Digest, NomeClasse());
    EVP_PKEY *chave = nullptr;
    if (Assinar) {
        GarantirCertificadoCarregado();
        if (!certificado_)
            throw EQuibDFeException("Certificado não pode ser carregado po MS CryptoAPI");
        chave = chaveParaAssinar();
        if (chave == nullptr)
            throw EQuibDFeException(token_
                                        ? "O recipiente da chave não pôde ser aberto"
                                        : "Falha em obter Provedor de Criptografia do Certificado. Erro: " +
                                              CodigoErroHexa(static_cast<int>(0x80090016u)));
    }
    // OpenSSL gives the signature at the key's full length, leading zero bytes included.
    return noProvedor(Digest, [&] { return digestOrSign(AStream, digest, chave); });
}

bool TDFeWinCrypt::ValidarHash(std::istream &AStream, TSSLDgst Digest, std::string_view Hash, bool Assinado)
{
    const TSSLDgst digest = digestDoProvedor(Digest, NomeClasse());
    if (!Assinado)
        return noProvedor(Digest, [&] { return digestContained(AStream, digest, Hash); });
    if (!certificado_)
        CarregarCertificadoConfigurado();
    return noProvedor(
        Digest, [&] { return signatureValid(AStream, digest, Hash, X509_get0_pubkey(certificado_.get())); });
}

void TDFeWinCrypt::LiberarCertificado()
{
    const std::string numeroSerie = DadosCertificado().NumeroSerie;
    if (!numeroSerie.empty() && SeriesComPIN::contem(numeroSerie)) {
        try {
            definirPIN("", true);
        } catch (const std::exception &) { // releasing goes on
        }
        SeriesComPIN::remover(numeroSerie);
    }
    credencial_.reset();
    chave_.reset();
    cadeia_.reset();
    certificado_.reset();
    token_.reset();
    dadosPFXCache_.clear();
    TDFeSSLCryptClass::LiberarCertificado();
}

std::string TDFeWinCrypt::SelecionarCertificado()
{
    LiberarCertificado();
    LerCertificadosStore();
    const std::string numeroSerie =
        MostrarSeletorCertificado(ListaCertificados(), TituloSelecao(), TextoSelecao());
    LiberarCertificado();
    if (!numeroSerie.empty()) {
        SSL().SetNumeroSerie(numeroSerie);
        CarregarCertificadoConfigurado();
    }
    return numeroSerie;
}

void TDFeWinCrypt::LerCertificadosStore()
{
    ListaCertificados().Clear();
    for (const StoreItem &item : lerStore())
        fillCertificateData(item.certificado.get(), ListaCertificados().Novo());
}

void TDFeWinCrypt::CarregarCertificadoPublico(std::string_view DadosX509Base64)
{
    LiberarCertificado();
    certificado_ = certificateFromDerBase64(DadosX509Base64);
    if (certificado_)
        fillCertificateData(certificado_.get(), DadosCertificado());
}

void registerWinCryptBackend()
{
    registerCryptBackend(cryWinCrypt, [](TDFeSSL &ssl) { return std::make_unique<TDFeWinCrypt>(ssl); });
}
