#include "dfe/ssl/dfe_ssl_crypt_class.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/files/file_utils.h"
#include "foundation/fiscal/dfe_exception.h"

namespace {

std::string lerArquivo(const std::string &caminho)
{
    std::ifstream arquivo(caminho, std::ios::binary);
    if (!arquivo)
        throw EQuibDFeException("Arquivo: " + caminho + " não encontrado");
    return std::string(std::istreambuf_iterator<char>(arquivo), std::istreambuf_iterator<char>());
}

// The local date of the file's last modification; 0 when it cannot be read.
TDateTime dataModificacao(const std::string &caminho)
{
    struct stat info {};
    if (::stat(caminho.c_str(), &info) != 0)
        return kDataNaoInformada;
    return dateOf(toLocalDateTime(std::chrono::system_clock::from_time_t(info.st_mtime)));
}

std::string formata(std::string_view modelo, std::string_view valor)
{
    std::string texto(modelo);
    texto.replace(texto.find("%s"), 2, valor);
    return texto;
}

// Switches the facade's UseCertificateHTTP off while it lives.
class SemCertificadoHTTP {
  public:
    explicit SemCertificadoHTTP(TDFeSSL &ssl) : ssl_(ssl), anterior_(ssl.UseCertificateHTTP)
    {
        ssl_.UseCertificateHTTP = false;
    }
    ~SemCertificadoHTTP() { ssl_.UseCertificateHTTP = anterior_; }
    SemCertificadoHTTP(const SemCertificadoHTTP &) = delete;
    SemCertificadoHTTP &operator=(const SemCertificadoHTTP &) = delete;

  private:
    TDFeSSL &ssl_;
    bool anterior_;
};

} // namespace

TDFeSSLCryptClass::TDFeSSLCryptClass(TDFeSSL &SSL) : ssl_(SSL) {}

TDFeSSLCryptClass::~TDFeSSLCryptClass() = default;

std::string_view TDFeSSLCryptClass::NomeClasse() const
{
    return "TDFeSSLCryptClass";
}

void TDFeSSLCryptClass::NaoSuportado(std::string_view operacao) const
{
    throw EQuibDFeException("\"" + std::string(operacao) +
                            "\" não suportado em: " + std::string(NomeClasse()));
}

TlsCredentialPtr TDFeSSLCryptClass::ContextoCertificadoWinApi()
{
    return nullptr;
}

std::string TDFeSSLCryptClass::DadosPFXDoCertificado()
{
    return ssl_.DadosPFX();
}

void TDFeSSLCryptClass::CarregarCertificadoDeArquivo()
{
    const std::string caminho = ssl_.ArquivoPFX();
    if (!std::filesystem::is_regular_file(caminho))
        throw EQuibDFeException("Arquivo: " + caminho + " não encontrado");
    ssl_.SetDadosPFX(lerArquivo(caminho));
    CarregarCertificadoDeDadosPFX();
}

void TDFeSSLCryptClass::CarregarCertificadoDeURL()
{
    const std::string copiaLocal = ssl_.ArquivoPFX();
    const std::string url = ssl_.URLPFX();

    std::string cnpjAtual;
    if (!copiaLocal.empty() && std::filesystem::is_regular_file(copiaLocal)) {
        CarregarCertificadoDeArquivo();
        PreencherDadosCertificado();
        cnpjAtual = dadosCertificado_.CNPJ;
        const TDateTime hoje = dateOf(nowLocal());
        const double diasParaVencer = std::floor(dateOf(dadosCertificado_.DataValidade) - hoje + 0.5);
        if (diasParaVencer > 15 || dataModificacao(copiaLocal) >= hoje)
            return;
    }

    std::string corpo;
    {
        SemCertificadoHTTP semCertificado(ssl_);
        corpo = ssl_.ObterConteudoURL(url);
        const int status = ssl_.HTTPResultCode();
        if (status < 200 || status > 202)
            throw EQuibDFeException("Http erro " + std::to_string(status) + ", baixando Certificado de " +
                                    url);
    }
    const std::string invalido = formata("Certificado obtido de %s é inválido", url);
    if (corpo.empty())
        throw EQuibDFeException(invalido);

    try {
        ssl_.SetDadosPFX(corpo);
        LiberarCertificado();
        CarregarCertificadoDeDadosPFX();
    } catch (const std::exception &) {
        throw EQuibDFeException(invalido);
    }

    if (!cnpjAtual.empty()) {
        PreencherDadosCertificado();
        if (dadosCertificado_.CNPJ != cnpjAtual)
            throw EQuibDFeException(
                formata("CNPJ do Certificado obtido de %s é diferente do CNPJ atual", url));
    }

    if (!copiaLocal.empty())
        SobrescreveArquivoTexto(copiaLocal, corpo, true); // a failed write keeps the old copy
}

void TDFeSSLCryptClass::CarregarCertificadoDeDadosPFX()
{
    throw EQuibDFeException("\"CarregarCertificadoDeDadosPFX\" não implementado em: " +
                            std::string(NomeClasse()));
}

void TDFeSSLCryptClass::CarregarCertificadoDeNumeroSerie()
{
    NaoSuportado("CarregarCertificadoDeNumeroSerie");
}

void TDFeSSLCryptClass::PreencherDadosCertificado() {}

void TDFeSSLCryptClass::Limpar()
{
    dadosCertificado_.Limpar();
    listaCertificados_.Clear();
}

std::string TDFeSSLCryptClass::VersaoBiblioteca()
{
    return {};
}

std::string TDFeSSLCryptClass::CalcHash(std::istream &, TSSLDgst, bool)
{
    NaoSuportado("CalcHash");
}

bool TDFeSSLCryptClass::ValidarHash(std::istream &, TSSLDgst, std::string_view, bool)
{
    NaoSuportado("ValidarHash");
}

void TDFeSSLCryptClass::LiberarCertificado()
{
    Limpar();
    certificadoPronto_ = false;
}

std::string TDFeSSLCryptClass::SelecionarCertificado()
{
    NaoSuportado("SelecionarCertificado");
}

void TDFeSSLCryptClass::LerCertificadosStore()
{
    NaoSuportado("LerCertificadosStore");
}

void TDFeSSLCryptClass::CarregarCertificadoPublico(std::string_view)
{
    NaoSuportado("CarregarCertificadoPublico");
}

void TDFeSSLCryptClass::CarregarCertificadoConfigurado()
{
    LiberarCertificado();
    Limpar();
    if (!ssl_.URLPFX().empty())
        CarregarCertificadoDeURL();
    else if (!ssl_.DadosPFX().empty())
        CarregarCertificadoDeDadosPFX();
    else if (!ssl_.ArquivoPFX().empty())
        CarregarCertificadoDeArquivo();
    else if (!ssl_.NumeroSerie().empty())
        CarregarCertificadoDeNumeroSerie();
    else
        throw EQuibDFeException("DadosPFX, ArquivoPFX, URLPFX ou NumeroSerie não especificados !");
    PreencherDadosCertificado();
    certificadoPronto_ = true;
}

void TDFeSSLCryptClass::GarantirCertificadoCarregado()
{
    if (!certificadoPronto_)
        CarregarCertificadoConfigurado();
}

void TDFeSSLCryptClass::GarantirDadosCertificado()
{
    if (dadosCertificado_.NumeroSerie.empty())
        GarantirCertificadoCarregado();
}

TDateTime TDFeSSLCryptClass::DataValidadeDoCertificado()
{
    GarantirDadosCertificado();
    return dadosCertificado_.DataValidade;
}

std::string TDFeSSLCryptClass::NumeroSerieDoCertificado()
{
    GarantirDadosCertificado();
    return dadosCertificado_.NumeroSerie;
}

std::string TDFeSSLCryptClass::SubjectNameDoCertificado()
{
    GarantirDadosCertificado();
    return dadosCertificado_.SubjectName();
}

std::string TDFeSSLCryptClass::IssuerNameDoCertificado()
{
    GarantirDadosCertificado();
    return dadosCertificado_.IssuerName();
}

std::string TDFeSSLCryptClass::AutoridadeDoCertificado()
{
    GarantirDadosCertificado();
    return dadosCertificado_.AutoridadeCertificadora;
}

std::string TDFeSSLCryptClass::CNPJDoCertificado()
{
    GarantirDadosCertificado();
    return dadosCertificado_.CNPJ;
}

std::string TDFeSSLCryptClass::RazaoSocialDoCertificado()
{
    GarantirDadosCertificado();
    return dadosCertificado_.RazaoSocial;
}
