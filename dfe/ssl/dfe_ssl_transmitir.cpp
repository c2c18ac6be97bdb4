#include <chrono>

#include "dfe/ssl/dfe_send_thread.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"

namespace {

constexpr std::string_view kMimeTypePadrao = "application/soap+xml; charset=utf-8";
constexpr auto kIntervaloEspera = std::chrono::milliseconds(50);

} // namespace

std::string TDFeSSL::Transmitir(std::string_view ConteudoXML, std::string_view URL,
                                std::string_view SoapAction, std::string_view MimeType,
                                std::string_view CabecalhoAutorizacao, bool ValidarCodigoHTTP)
{
    if (UseCertificateHTTP)
        crypt_->GarantirCertificadoCarregado();
    const std::string_view mimeType = MimeType.empty() ? kMimeTypePadrao : MimeType;

    if (TimeOutPorThread)
        return transmitirPorThread(ConteudoXML, URL, SoapAction, mimeType);

    std::lock_guard lock(*sendLock_);
    return http_->Transmitir(ConteudoXML, URL, SoapAction, mimeType, CabecalhoAutorizacao, ValidarCodigoHTTP);
}

std::string TDFeSSL::transmitirPorThread(std::string_view ConteudoXML, std::string_view URL,
                                         std::string_view SoapAction, std::string_view MimeType)
{
    reapFinishedSendThreads();
    const auto prazo = currentTimePoint() + std::chrono::seconds(TimeOut / 1000);
    auto thread = std::make_unique<TDFeSendThread>(this, sslHttpLib_, ConteudoXML, URL, SoapAction, MimeType);

    // Whatever ends the wait, a thread still running is told to abort and is
    // kept until it has ended; a finished one is freed here.
    struct Desfecho {
        TDFeSSL &ssl;
        std::unique_ptr<TDFeSendThread> &thread;
        ~Desfecho()
        {
            if (thread->Done())
                return;
            thread->Abortar();
            ssl.pendingSendThreads_.push_back(std::move(thread));
        }
    } desfecho{*this, thread};

    while (!thread->Done()) {
        if (currentTimePoint() >= prazo)
            break;
        sleepFor(kIntervaloEspera);
    }

    const std::string resposta = thread->Resposta();
    const std::string erro = thread->Erro();
    if (!erro.empty())
        throw EQuibDFeException("Erro na thread de envio: " + erro);
    if (resposta.empty())
        throw EQuibDFeException("Timeout - Não foi possível obter a resposta do servidor");
    return resposta;
}

void TDFeSSL::reapFinishedSendThreads()
{
    std::erase_if(pendingSendThreads_, [](const auto &thread) { return thread->Terminado(); });
}

std::string TDFeSSL::ObterConteudoURL(std::string_view URL)
{
    http_->Limpar();
    http_->ExecutarRequisicao("GET", URL);
    return http_->DadosResposta;
}
