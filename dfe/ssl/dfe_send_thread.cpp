#include "dfe/ssl/dfe_send_thread.h"

#include <exception>
#include <mutex>

#include "dfe/ssl/backend_registry.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"

// What the thread and its owner share; it lives as long as either needs it.
struct SendThreadState {
    mutable std::mutex mutex;
    std::string resposta;
    std::string erro;
    bool terminado = false;
    bool trocaFinalizada = false;

    std::unique_ptr<TDFeSSLHttpClass> http;
    std::shared_ptr<std::mutex> sendLock;
    std::string conteudoXML;
    std::string url;
    std::string soapAction;
    std::string mimeType;
};

namespace {

void executaEnvio(const std::shared_ptr<SendThreadState> &state)
{
    try {
        std::lock_guard envio(*state->sendLock);
        {
            std::lock_guard lock(state->mutex);
            if (state->trocaFinalizada) // aborted before its turn came
                return;
        }
        std::string resposta = state->http->Transmitir(state->conteudoXML, state->url, state->soapAction,
                                                       state->mimeType, "", true);
        std::lock_guard lock(state->mutex);
        state->resposta = std::move(resposta);
        state->trocaFinalizada = true;
    } catch (const std::exception &erro) {
        std::lock_guard lock(state->mutex);
        state->erro = erro.what();
    } catch (...) {
        std::lock_guard lock(state->mutex);
        state->erro = "erro desconhecido";
    }
}

} // namespace

TDFeSendThread::TDFeSendThread(TDFeSSL *SSL, TSSLHttpLib HttpLib, std::string_view ConteudoXML,
                               std::string_view URL, std::string_view SoapAction, std::string_view MimeType)
{
    if (SSL == nullptr || ConteudoXML.empty() || URL.empty())
        throw EQuibDFeException("TDFeSendThread, parâmetros inválidos");

    state_ = std::make_shared<SendThreadState>();
    state_->http = createHttpBackend(HttpLib, *SSL);
    HttpConnectionSettings settings = state_->http->connectionSettings();
    state_->http->detachFromFacade(std::move(settings));
    state_->sendLock = SSL->sendLock_;
    state_->conteudoXML = ConteudoXML;
    state_->url = URL;
    state_->soapAction = SoapAction;
    state_->mimeType = MimeType;

    thread_ = std::thread([state = state_] {
        executaEnvio(state);
        std::lock_guard lock(state->mutex);
        state->terminado = true;
    });
}

TDFeSendThread::~TDFeSendThread()
{
    Abortar();
    // Interrupt again: the abort at the deadline may have reached the
    // back-end before its exchange began.
    if (!Terminado())
        state_->http->Interromper();
    if (thread_.joinable())
        thread_.join();
}

bool TDFeSendThread::Done() const
{
    std::lock_guard lock(state_->mutex);
    return state_->terminado || !state_->resposta.empty() || !state_->erro.empty();
}

bool TDFeSendThread::Terminado() const
{
    std::lock_guard lock(state_->mutex);
    return state_->terminado;
}

std::string TDFeSendThread::Resposta() const
{
    std::lock_guard lock(state_->mutex);
    return state_->resposta;
}

std::string TDFeSendThread::Erro() const
{
    std::lock_guard lock(state_->mutex);
    return state_->erro;
}

void TDFeSendThread::Abortar()
{
    {
        std::lock_guard lock(state_->mutex);
        if (state_->trocaFinalizada)
            return;
        state_->trocaFinalizada = true;
    }
    state_->http->Interromper();
}
