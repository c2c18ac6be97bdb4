#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "dfe/ssl/dfe_send_thread.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/dfe/ssl/fake_backends.h"

using namespace dfetest;

namespace {

class ThreadedSend : public ::testing::Test {
  protected:
    FakeBackends fakes;
    FakeClock clock;
    std::unique_ptr<TDFeSSL> ssl = std::make_unique<TDFeSSL>();

    void SetUp() override
    {
        ssl->SetSSLHttpLib(httpWinINet);
        ssl->UseCertificateHTTP = false;
        ssl->TimeOutPorThread = true;
    }
    std::string sendError()
    {
        try {
            ssl->Transmitir("<env/>", "https://sefaz/ws", "acao", "", "Bearer x", false);
        } catch (const EQuibDFeException &e) {
            return e.what();
        }
        return "(no exception)";
    }
};

TEST_F(ThreadedSend, DeadlineIsTheTimeOutInWholeSeconds)
{
    struct Case {
        int timeOut;
        int sleeps; // 50 ms polls before giving up
    };
    const Case cases[] = {{999, 0}, {1500, 20}, {5000, 100}};
    httpScript().block = true;
    for (const auto &c : cases) {
        ssl->TimeOut = c.timeOut;
        {
            std::lock_guard lock(httpScript().mutex);
            httpScript().released = false; // the previous case's abort released its exchange
        }
        const int before = clock.sleeps();
        EXPECT_EQ(sendError(), "Timeout - Não foi possível obter a resposta do servidor") << c.timeOut;
        EXPECT_EQ(clock.sleeps() - before, c.sleeps) << c.timeOut;
    }
}

TEST_F(ThreadedSend, AnswerArrivesWithoutAuthorizationAndWithTheStatusCheck)
{
    httpScript().body = "<resposta/>";
    EXPECT_EQ(ssl->Transmitir("<env/>", "https://sefaz/ws", "acao", "", "Bearer x", false), "<resposta/>");
    EXPECT_EQ(httpScript().lastHeaders, "");
    EXPECT_EQ(httpScript().lastMimeType, "application/soap+xml; charset=utf-8");

    httpScript().status = 500;
    const std::string error = sendError();
    EXPECT_TRUE(error.starts_with("Erro na thread de envio: Erro Interno: 0\r\nErro HTTP: 500")) << error;
}

TEST_F(ThreadedSend, FailuresOfTheThread)
{
    httpScript().raise = true;
    EXPECT_EQ(sendError(),
              "Erro na thread de envio: Erro Interno: 0\r\nErro HTTP: 0\r\nURL: https://sefaz/ws\r\n"
              "falha simulada\r\n");
    httpScript().raise = false;
    httpScript().body = "";
    EXPECT_EQ(sendError(), "Timeout - Não foi possível obter a resposta do servidor");
}

TEST_F(ThreadedSend, InvalidParameters)
{
    // clang-format off
    const std::tuple<TDFeSSL *, const char *, const char *> cases[] = {
        {nullptr,   "<env/>", "https://x"},
        {ssl.get(), "",       "https://x"},
        {ssl.get(), "<env/>", ""},
    };
    // clang-format on
    for (const auto &[facade, content, url] : cases) {
        try {
            TDFeSendThread thread(facade, httpWinINet, content, url, "", "");
            ADD_FAILURE() << "accepted";
        } catch (const EQuibDFeException &e) {
            EXPECT_STREQ(e.what(), "TDFeSendThread, parâmetros inválidos");
        }
    }
}

// The facade is freed while its send thread is still inside a slow exchange:
// the destructor interrupts it and waits, and the thread reads only its own
// copy of the settings (AddressSanitizer would report any use of the facade).
TEST_F(ThreadedSend, FacadeFreedWhileItsSendThreadIsBlocked)
{
    httpScript().block = true;
    httpScript().ignoreInterrupt = true; // the deadline's abort does not get through
    ssl->ProxyHost = "proxy.local";
    ssl->TimeOut = 1000;
    clock.onSleep = [] { httpScript().waitUntilExecuting(); }; // the exchange has begun
    EXPECT_EQ(sendError(), "Timeout - Não foi possível obter a resposta do servidor");
    httpScript().waitUntilExecuting();

    // A later send of the same facade waits for the running exchange.
    std::atomic<bool> secondDone{false};
    ssl->TimeOutPorThread = false;
    std::thread second([&] {
        try {
            ssl->Transmitir("<env2/>", "https://sefaz/ws", "acao", "", "", false);
        } catch (...) {
        }
        secondDone = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(secondDone);
    {
        std::lock_guard lock(httpScript().mutex);
        httpScript().ignoreInterrupt = false;
        httpScript().block = false;
    }
    httpScript().release();
    second.join();
    EXPECT_TRUE(secondDone);

    // Blocked once more, past the deadline, and then the facade goes away:
    // only the destructor's interruption releases the exchange.
    {
        std::lock_guard lock(httpScript().mutex);
        httpScript().block = true;
        httpScript().released = false;
        httpScript().ignoreInterrupt = true;
    }
    ssl->TimeOutPorThread = true;
    EXPECT_EQ(sendError(), "Timeout - Não foi possível obter a resposta do servidor");
    httpScript().waitUntilExecuting();
    {
        std::lock_guard lock(httpScript().mutex);
        httpScript().ignoreInterrupt = false;
    }
    ssl.reset(); // returns once the back-end is interrupted
    EXPECT_EQ(httpScript().lastSettings.ProxyHost, "proxy.local");
}

} // namespace
