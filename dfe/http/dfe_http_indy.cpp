#include "dfe/http/dfe_http_indy.h"

#include "dfe/http/detail/install_tls_credential.h"
#include "dfe/ssl/backend_registry.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/text/text_utils.h"

TDFeHttpIndy::TDFeHttpIndy(TDFeSSL &SSL) : TDFeSSLHttpClass(SSL), cliente_(std::make_shared<THTTPReqResp>())
{
}

std::string_view TDFeHttpIndy::NomeClasse() const
{
    return "TDFeHttpIndy";
}

std::shared_ptr<THTTPReqResp> TDFeHttpIndy::ClienteSOAP() const
{
    std::lock_guard lock(mutex_);
    return cliente_;
}

std::shared_ptr<THTTPReqResp> TDFeHttpIndy::clienteDaTroca()
{
    std::lock_guard lock(mutex_);
    return emUso_ ? emUso_ : cliente_;
}

void TDFeHttpIndy::ConfigurarConexao()
{
    TDFeSSLHttpClass::ConfigurarConexao();
    settings_ = connectionSettings(); // may load the certificate
    // Held, not borrowed: an Interromper from another thread may replace the
    // back-end's client meanwhile.
    const std::shared_ptr<THTTPReqResp> segurado = clienteDaTroca();
    THTTPReqResp &cliente = *segurado;
    if (!settings_.ProxyHost.empty()) {
        cliente.Proxy = settings_.ProxyHost + ":" + settings_.ProxyPort;
        cliente.UserName = settings_.ProxyUser;
        cliente.Password = settings_.ProxyPass;
    }
    cliente.URL = URL;
    cliente.UseUTF8InHeader = true;
    TipoConteudo = MimeType;
    cliente.SoapAction = SoapAction;
    cliente.ConnectTimeout = settings_.TimeOut;
    cliente.ReceiveTimeout = settings_.TimeOut;
    cliente.SendTimeout = settings_.TimeOut;
    cliente.OnBeforePost = [this](THTTPReqResp &c, HttpSend &requisicao) { antesDePostar(c, requisicao); };
}

void TDFeHttpIndy::antesDePostar(THTTPReqResp &cliente, HttpSend &requisicao) const
{
    if (settings_.UseCertificateHTTP && settings_.credential)
        requisicao.tlsContextSetup = installTlsCredential(settings_.credential);
    requisicao.verifyServer = false;
    if (!trimText(settings_.ProxyUser).empty()) {
        requisicao.proxyUser = settings_.ProxyUser;
        if (!trimText(settings_.ProxyPass).empty())
            requisicao.proxyPass = settings_.ProxyPass;
    }
    if (!TipoConteudo.empty()) {
        requisicao.requestHeaders.GravaCampo("Content-Type", TipoConteudo);
        cliente.ContentType = TipoConteudo;
    }
}

void TDFeHttpIndy::Executar()
{
    std::shared_ptr<THTTPReqResp> cliente;
    {
        std::lock_guard lock(mutex_);
        if (interromperProxima_) {
            interromperProxima_ = false;
            throw EQuibDFeException("Requisição interrompida");
        }
        emUso_ = cliente_;
        cliente = emUso_;
    }
    // Whatever the outcome, the codes are those of this request.
    struct FimDaTroca {
        TDFeHttpIndy &back;
        THTTPReqResp &cliente;
        bool postou = false;
        ~FimDaTroca()
        {
            if (postou) {
                back.InternalErrorCode = cliente.SystemErrorCode;
                back.HTTPResultCode = cliente.StatusCode;
            }
            std::lock_guard lock(back.mutex_);
            back.emUso_.reset();
        }
    } fim{*this, *cliente};
    TDFeSSLHttpClass::Executar();
    fim.postou = true;
    cliente->Execute(DadosEnvio, DadosResposta);
    CabecalhosResposta = cliente->ResponseHeaders;
}

void TDFeHttpIndy::Interromper()
{
    std::lock_guard lock(mutex_);
    if (emUso_)
        emUso_->Abort();
    else
        interromperProxima_ = true;
    cliente_ = std::make_shared<THTTPReqResp>();
}

void registerIndyHttpBackend()
{
    registerHttpBackend(httpIndy, [](TDFeSSL &ssl) { return std::make_unique<TDFeHttpIndy>(ssl); });
}
