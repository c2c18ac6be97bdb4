#include "dfe/mail/quib_mail_thread.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <future>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include "dfe/mail/quib_mail.h"

namespace {

std::mutex &dispatcherLock()
{
    static std::mutex lock;
    return lock;
}

MainThreadDispatcher &dispatcherSlot()
{
    static MainThreadDispatcher dispatcher;
    return dispatcher;
}

// Serialises the threaded sends of the whole process, in the order they were
// started: each send draws a number on the starting thread and its worker
// waits until that number is served. A plain mutex would let a later worker
// overtake an earlier one, so two mails sent one after the other could reach
// the server swapped.
class TravaEnvioMail {
  public:
    static TravaEnvioMail &instance()
    {
        static TravaEnvioMail trava;
        return trava;
    }

    std::uint64_t tirarSenha()
    {
        std::lock_guard guard(lock_);
        return proxima_++;
    }

    void aguardarVez(std::uint64_t senha)
    {
        std::unique_lock guard(lock_);
        vez_.wait(guard, [&] { return atendendo_ == senha; });
    }

    // Ends the turn of `senha`, or gives it up before it came (a worker that
    // never started); either way the next number is served.
    void liberar(std::uint64_t senha)
    {
        {
            std::lock_guard guard(lock_);
            desistentes_.insert(senha);
            while (desistentes_.erase(atendendo_) > 0)
                ++atendendo_;
        }
        vez_.notify_all();
    }

  private:
    std::mutex lock_;
    std::condition_variable vez_;
    std::uint64_t proxima_ = 0;
    std::uint64_t atendendo_ = 0;
    std::set<std::uint64_t> desistentes_;
};

// A number drawn from TravaEnvioMail, released when it goes out of scope.
class SenhaEnvio {
  public:
    SenhaEnvio() : senha_(TravaEnvioMail::instance().tirarSenha()) {}
    SenhaEnvio(SenhaEnvio &&other) noexcept
        : senha_(other.senha_), valida_(std::exchange(other.valida_, false))
    {
    }
    SenhaEnvio(const SenhaEnvio &) = delete;
    SenhaEnvio &operator=(const SenhaEnvio &) = delete;
    SenhaEnvio &operator=(SenhaEnvio &&) = delete;
    ~SenhaEnvio()
    {
        if (valida_)
            TravaEnvioMail::instance().liberar(senha_);
    }

    void aguardarVez() const { TravaEnvioMail::instance().aguardarVez(senha_); }

  private:
    std::uint64_t senha_;
    bool valida_ = true;
};

// Runs the call on the main thread and waits for it; an error the call raises
// comes back to the worker.
void runOnMainThread(const std::function<void()> &call)
{
    MainThreadDispatcher dispatcher;
    {
        std::lock_guard guard(dispatcherLock());
        dispatcher = dispatcherSlot();
    }
    if (!dispatcher) {
        call();
        return;
    }
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    dispatcher([call, done] {
        try {
            call();
            done->set_value();
        } catch (...) {
            done->set_exception(std::current_exception());
        }
    });
    finished.get();
}

void execute(std::unique_ptr<TQuibMail> mail, const SenhaEnvio &senha)
{
    const TQuibOnMailProcess onProcess = mail->OnMailProcess;
    const TQuibOnMailException onException = mail->OnMailException;
    const TQuibMailNotify onBefore = mail->OnBeforeMailProcess;
    const TQuibMailNotify onAfter = mail->OnAfterMailProcess;

    senha.aguardarVez();
    if (onProcess)
        mail->OnMailProcess = [onProcess](TQuibMail &m, TMailStatus status) {
            runOnMainThread([&] { onProcess(m, status); });
        };
    if (onBefore)
        mail->OnBeforeMailProcess = [onBefore](TQuibMail &m) { runOnMainThread([&] { onBefore(m); }); };
    if (onAfter)
        mail->OnAfterMailProcess = [onAfter](TQuibMail &m) { runOnMainThread([&] { onAfter(m); }); };
    mail->OnMailException = [onException](TQuibMail &m, const std::exception &error, bool &throwIt) {
        if (onException)
            runOnMainThread([&] {
                bool handlerAnswer = true;
                onException(m, error, handlerAnswer);
            });
        throwIt = false;
    };
    mail->UseThread = false;
    try {
        mail->EnviarAgora();
    } catch (...) {
        // Already shown through the relays: the worker just ends.
    }
}

} // namespace

void setMailMainThreadDispatcher(MainThreadDispatcher dispatcher)
{
    std::lock_guard guard(dispatcherLock());
    dispatcherSlot() = std::move(dispatcher);
}

void TQuibMailThread::start(std::unique_ptr<TQuibMail> mail)
{
    if (!mail)
        throw EQuibMailException("MailToClone not specified");
    SenhaEnvio senha;
    std::thread(
        [](std::unique_ptr<TQuibMail> owned, SenhaEnvio minhaSenha) {
            try {
                execute(std::move(owned), minhaSenha);
            } catch (...) {
                // Nothing may leave a worker thread.
            }
            // The copy is freed before the next send's turn starts.
        },
        std::move(mail), std::move(senha))
        .detach();
}
