#include "dfe/ssl/dfe_ssl.h"

#include <algorithm>
#include <optional>

#include "dfe/ssl/backend_registry.h"
#include "dfe/ssl/dfe_send_thread.h"
#include "foundation/files/file_utils.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

TDFeSSL::TDFeSSL()
    : sendLock_(std::make_shared<std::mutex>()), crypt_(createCryptBackend(cryNone, *this)),
      http_(createHttpBackend(httpNone, *this)), xmlSign_(createXmlSignBackend(xsNone, *this))
{
}

TDFeSSL::~TDFeSSL()
{
    pendingSendThreads_.clear(); // each one is interrupted and waited for
    try {
        crypt_->LiberarCertificado();
    } catch (...) {
    }
    crypt_.reset();
    http_.reset();
    xmlSign_.reset();
}

// ---- Library choices --------------------------------------------------------

void TDFeSSL::SetSSLCryptLib(TSSLCryptLib value)
{
    if (value == sslCryptLib_)
        return;
    auto novo = createCryptBackend(value, *this);
    crypt_->LiberarCertificado();
    crypt_ = std::move(novo);
    sslCryptLib_ = value;
}

void TDFeSSL::SetSSLHttpLib(TSSLHttpLib value)
{
    if (value == sslHttpLib_)
        return;
    http_ = createHttpBackend(value, *this);
    sslHttpLib_ = value;
}

void TDFeSSL::SetSSLXmlSignLib(TSSLXmlSignLib value)
{
    if (value == sslXmlSignLib_)
        return;
    if (value == xsXmlSec)
        throw EQuibDFeException("Suporte a \"xsXmlSec\" foi desativado por compilação "
                                "(DFE_SEM_OPENSSL ou DFE_SEM_XMLSEC)");
    xmlSign_ = createXmlSignBackend(value, *this);
    sslXmlSignLib_ = value;
}

namespace {

// clang-format off
constexpr TSSLEscolhas kEscolhasDosPacotes[] = {
    /* libNone        */ {cryNone,     httpNone,    xsNone},
    /* libOpenSSL     */ {cryOpenSSL,  httpOpenSSL, xsLibXml2},
    /* libCapicom     */ {cryCapicom,  httpWinINet, xsMsXmlCapicom},
    /* libCapicomSoap */ {cryCapicom,  httpIndy,    xsMsXmlCapicom},
    /* libWinCrypt    */ {cryWinCrypt, httpWinHttp, xsLibXml2},
};
// clang-format on

} // namespace

std::optional<TSSLEscolhas> escolhasDoPacote(TSSLLib lib)
{
    if (lib >= std::size(kEscolhasDosPacotes))
        return std::nullopt;
    return kEscolhasDosPacotes[lib];
}

TSSLLib pacoteDasEscolhas(const TSSLEscolhas &escolhas)
{
    for (const TSSLLib lib : {libOpenSSL, libNone, libCapicom, libCapicomSoap, libWinCrypt}) {
        const TSSLEscolhas &pacote = kEscolhasDosPacotes[lib];
        if (pacote.crypt == escolhas.crypt && pacote.http == escolhas.http &&
            pacote.xmlSign == escolhas.xmlSign)
            return lib;
    }
    return libCustom;
}

void applySslLib(TDFeSSL &ssl, TSSLLib lib)
{
    const auto escolhas = escolhasDoPacote(lib);
    if (!escolhas)
        return; // libCustom: the choices stay as they are
    ssl.SetSSLCryptLib(escolhas->crypt);
    ssl.SetSSLHttpLib(escolhas->http);
    ssl.SetSSLXmlSignLib(escolhas->xmlSign);
}

// ---- Certificate sources and password -----------------------------------------

void TDFeSSL::unloadWhenLoaded()
{
    if (crypt_->CertificadoPronto())
        crypt_->LiberarCertificado();
}

void TDFeSSL::SetArquivoPFX(std::string_view value)
{
    if (value == arquivoPFX_)
        return;
    arquivoPFX_ = value;
    if (value.empty())
        return;
    numeroSerie_.clear();
    dadosPFX_.clear();
    unloadWhenLoaded();
}

void TDFeSSL::SetDadosPFX(std::string_view value)
{
    if (value == dadosPFX_)
        return;
    dadosPFX_ = value;
    if (value.empty())
        return;
    arquivoPFX_.clear();
    urlPFX_.clear();
    numeroSerie_.clear();
    unloadWhenLoaded();
}

void TDFeSSL::SetURLPFX(std::string_view value)
{
    if (value == urlPFX_)
        return;
    urlPFX_ = value;
    if (value.empty())
        return;
    numeroSerie_.clear();
    dadosPFX_.clear();
    unloadWhenLoaded();
}

void TDFeSSL::SetNumeroSerie(std::string_view value)
{
    std::string normalizado(value);
    std::erase(normalizado, ' ');
    normalizado = std::string(trimText(upperAscii(normalizado)));
    if (normalizado == numeroSerie_)
        return;
    numeroSerie_ = normalizado;
    if (numeroSerie_.empty())
        return;
    arquivoPFX_.clear();
    dadosPFX_.clear();
    urlPFX_.clear();
    unloadWhenLoaded();
}

std::string TDFeSSL::Senha() const
{
    return EmbaralhaTexto(senhaEmbaralhada_, chaveSenha_);
}

void TDFeSSL::SetSenha(std::string_view value)
{
    if (!chaveSenha_.empty() && EmbaralhaTexto(value, chaveSenha_) == senhaEmbaralhada_)
        return;
    chaveSenha_ = DataHoraFormatoBR(nowLocal(), "hhnnsszzz");
    senhaEmbaralhada_ = EmbaralhaTexto(value, chaveSenha_);
    unloadWhenLoaded();
}

// ---- Certificate ------------------------------------------------------------------

void TDFeSSL::GarantirCertificadoCarregado()
{
    crypt_->GarantirCertificadoCarregado();
}

void TDFeSSL::LiberarCertificado()
{
    crypt_->LiberarCertificado();
}

void TDFeSSL::LerCertificadosStore()
{
    crypt_->LerCertificadosStore();
}

std::string TDFeSSL::SelecionarCertificado()
{
    std::string numeroSerie = crypt_->SelecionarCertificado();
    if (!numeroSerie.empty())
        crypt_->CarregarCertificadoConfigurado();
    return numeroSerie;
}

void TDFeSSL::CarregarCertificadoPublico(std::string_view DadosX509Base64)
{
    crypt_->LiberarCertificado();
    if (DadosX509Base64.empty())
        return;
    crypt_->CarregarCertificadoPublico(DadosX509Base64);
}

TDateTime TDFeSSL::DataValidadeDoCertificado()
{
    return crypt_->DataValidadeDoCertificado();
}

std::string TDFeSSL::NumeroSerieDoCertificado()
{
    return crypt_->NumeroSerieDoCertificado();
}

std::string TDFeSSL::SubjectNameDoCertificado()
{
    return crypt_->SubjectNameDoCertificado();
}

std::string TDFeSSL::IssuerNameDoCertificado()
{
    return crypt_->IssuerNameDoCertificado();
}

std::string TDFeSSL::RazaoSocialDoCertificado()
{
    return crypt_->RazaoSocialDoCertificado();
}

std::string TDFeSSL::CNPJDoCertificado()
{
    return crypt_->CNPJDoCertificado();
}

std::string TDFeSSL::AutoridadeDoCertificado()
{
    return crypt_->AutoridadeDoCertificado();
}

TlsCredentialPtr TDFeSSL::ContextoWinApiDoCertificado()
{
    crypt_->GarantirCertificadoCarregado();
    return crypt_->ContextoCertificadoWinApi();
}
