#include "dfe/mail/quib_mail_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "dfe/mail/quib_mail.h"
#include "tests/support/smtp_test_server.h"

using testsupport::SmtpTestServer;

namespace {

// Stands in for the application's event loop: the worker posts calls, the
// test thread runs them.
class PumpedDispatcher {
  public:
    PumpedDispatcher()
    {
        setMailMainThreadDispatcher([this](std::function<void()> call) {
            std::lock_guard guard(lock_);
            calls_.push_back(std::move(call));
            ready_.notify_one();
        });
    }
    ~PumpedDispatcher() { setMailMainThreadDispatcher(nullptr); }

    // Runs posted calls until the condition holds or 20 s pass.
    bool pumpUntil(const std::function<bool()> &done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done()) {
            std::unique_lock guard(lock_);
            if (!ready_.wait_until(guard, deadline, [&] { return !calls_.empty(); }))
                return false;
            auto call = std::move(calls_.front());
            calls_.pop_front();
            guard.unlock();
            call();
        }
        return true;
    }

  private:
    std::mutex lock_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> calls_;
};

class ThreadedMail : public testing::Test {
  protected:
    void SetUp() override
    {
        if (!SmtpTestServer::available())
            GTEST_SKIP() << "python3-aiosmtpd is not installed";
    }
};

TEST_F(ThreadedMail, SendsInTurnWithEventsOnTheDispatchingThreadAndKeepsTheMessage)
{
    SmtpTestServer server;
    PumpedDispatcher dispatcher;
    const auto mainThread = std::this_thread::get_id();
    int done = 0;
    bool allOnMain = true;

    TQuibMail mail;
    mail.Host = "127.0.0.1";
    mail.Port = std::to_string(server.port());
    mail.UseThread = true;
    mail.From = "loja@exemplo.com.br";
    mail.AdicionarDestinatario("cliente@exemplo.com.br");
    mail.CorpoTexto = {"Segue a nota."};
    mail.OnMailProcess = [&](TQuibMail &, TMailStatus status) {
        allOnMain = allOnMain && std::this_thread::get_id() == mainThread;
        done += status == pmsDone ? 1 : 0;
    };
    mail.Subject = "primeira";
    mail.Enviar();
    mail.Subject = "segunda";
    mail.Enviar();
    EXPECT_EQ(mail.Header.ToList.size(), 1u) << "the component keeps its message";

    ASSERT_TRUE(dispatcher.pumpUntil([&] { return done == 2; }));
    EXPECT_TRUE(allOnMain);
    const auto messages = server.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find("\"primeira\""), std::string::npos);
    EXPECT_NE(messages[1].find("\"segunda\""), std::string::npos);
}

TEST_F(ThreadedMail, HandlerAnsweringTrueSeesTheErrorAndTheWorkerRaisesNothing)
{
    SmtpTestServer server({SmtpTestServer::Mode::plain, "", "", "data"});
    PumpedDispatcher dispatcher;
    std::string shown;

    TQuibMail mail;
    mail.Host = "127.0.0.1";
    mail.Port = std::to_string(server.port());
    mail.UseThread = true;
    mail.SetAttempts(1);
    mail.From = "loja@exemplo.com.br";
    mail.AdicionarDestinatario("cliente@exemplo.com.br");
    mail.OnMailException = [&](TQuibMail &, const std::exception &e, bool &throwIt) {
        shown = e.what();
        throwIt = true;
    };
    mail.Enviar();
    ASSERT_TRUE(dispatcher.pumpUntil([&] { return !shown.empty(); }));
    EXPECT_EQ(shown, "SMTP Error: Unable to send Mail data.\r\n550 Data refused by test");
    EXPECT_TRUE(mail.UltimoErro.empty()) << "the error belongs to the copy";
}

TEST(MailThread, RefusesToStartWithoutAMail)
{
    EXPECT_THROW(TQuibMailThread::start(nullptr), EQuibMailException);
}

} // namespace
