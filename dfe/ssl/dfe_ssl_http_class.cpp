#include "dfe/ssl/dfe_ssl_http_class.h"

#include <exception>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"

TDFeSSLHttpClass::TDFeSSLHttpClass(TDFeSSL &SSL) : ssl_(&SSL)
{
    Limpar();
}

TDFeSSLHttpClass::~TDFeSSLHttpClass() = default;

std::string_view TDFeSSLHttpClass::NomeClasse() const
{
    return "TDFeSSLHttpClass";
}

void TDFeSSLHttpClass::ConfigurarConexao()
{
    DadosResposta.clear();
    HTTPResultCode = 0;
    InternalErrorCode = 0;
}

std::string TDFeSSLHttpClass::TextoUltimoErro()
{
    return {};
}

void TDFeSSLHttpClass::Executar()
{
    ConfigurarConexao();
}

void TDFeSSLHttpClass::Interromper() {}

void TDFeSSLHttpClass::Limpar()
{
    DadosResposta.clear();
    DadosEnvio.clear();
    CabecalhosEnvio.clear();
    CabecalhosResposta.clear();
    HTTPResultCode = 0;
    InternalErrorCode = 0;
    URL.clear();
    Metodo.clear();
    MimeType.clear();
    SoapAction.clear();
}

void TDFeSSLHttpClass::ExecutarRequisicao(std::string_view AMetodo, std::string_view AURL)
{
    Metodo = AMetodo;
    URL = AURL;
    Executar();
}

std::string TDFeSSLHttpClass::Transmitir(std::string_view ConteudoXML, std::string_view AURL,
                                         std::string_view ASoapAction, std::string_view AMimeType,
                                         std::string_view CabecalhoAutorizacao, bool ValidarCodigoHTTP)
{
    DadosEnvio.clear();
    if (ConteudoXML.empty()) {
        Metodo = "GET";
    } else {
        Metodo = "POST";
        DadosEnvio = ConteudoXML;
    }
    CabecalhosEnvio.clear();
    if (!CabecalhoAutorizacao.empty())
        CabecalhosEnvio.add("Authorization: " + std::string(CabecalhoAutorizacao));
    MimeType = AMimeType;
    SoapAction = ASoapAction;

    bool falhou = false;
    try {
        ExecutarRequisicao(Metodo, AURL);
        falhou = ValidarCodigoHTTP && (HTTPResultCode < 200 || HTTPResultCode > 202);
    } catch (const std::exception &) {
        falhou = true;
    }
    if (falhou) {
        std::string ultimoErro;
        try {
            ultimoErro = TextoUltimoErro();
        } catch (const std::exception &) {
        }
        throw EQuibDFeException::CreateSemConversao("Erro Interno: " + std::to_string(InternalErrorCode) +
                                                    "\r\nErro HTTP: " + std::to_string(HTTPResultCode) +
                                                    "\r\nURL: " + URL + "\r\n" + ultimoErro + "\r\n" +
                                                    DadosResposta);
    }
    return DadosResposta;
}

HttpConnectionSettings TDFeSSLHttpClass::connectionSettings() const
{
    if (ssl_ == nullptr)
        return fixedSettings_;
    HttpConnectionSettings settings;
    settings.ProxyHost = ssl_->ProxyHost;
    settings.ProxyPort = ssl_->ProxyPort;
    settings.ProxyUser = ssl_->ProxyUser;
    settings.ProxyPass = ssl_->ProxyPass;
    settings.TimeOut = ssl_->TimeOut;
    settings.SSLType = ssl_->SSLType;
    settings.UseCertificateHTTP = ssl_->UseCertificateHTTP;
    if (settings.UseCertificateHTTP)
        settings.credential = ssl_->ContextoWinApiDoCertificado();
    return settings;
}

void TDFeSSLHttpClass::detachFromFacade(HttpConnectionSettings settings)
{
    fixedSettings_ = std::move(settings);
    ssl_ = nullptr;
}
