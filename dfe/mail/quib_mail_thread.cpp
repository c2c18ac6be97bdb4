#include "dfe/mail/quib_mail_thread.h"

#include <exception>
#include <future>
#include <mutex>
#include <thread>

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

// Serialises the threaded sends of the whole process.
std::mutex &travaEnvioMail()
{
    static std::mutex lock;
    return lock;
}

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

void execute(std::unique_ptr<TQuibMail> mail)
{
    const TQuibOnMailProcess onProcess = mail->OnMailProcess;
    const TQuibOnMailException onException = mail->OnMailException;
    const TQuibMailNotify onBefore = mail->OnBeforeMailProcess;
    const TQuibMailNotify onAfter = mail->OnAfterMailProcess;

    std::lock_guard sending(travaEnvioMail());
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
    std::thread(
        [](std::unique_ptr<TQuibMail> owned) {
            try {
                execute(std::move(owned));
            } catch (...) {
                // Nothing may leave a worker thread.
            }
        },
        std::move(mail))
        .detach();
}
