#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "dfe/mail/quib_mail.h"
#include "foundation/base/silent_abort.h"
#include "tests/support/smtp_test_server.h"
#include "tests/support/temp_dir.h"

using testsupport::sha256Hex;
using testsupport::SmtpTestServer;

namespace {

class MailOverSmtp : public testing::Test {
  protected:
    void SetUp() override
    {
        if (!SmtpTestServer::available())
            GTEST_SKIP() << "python3-aiosmtpd is not installed";
    }

    static void pointAt(TQuibMail &mail, const SmtpTestServer &server)
    {
        mail.Host = "127.0.0.1";
        mail.Port = std::to_string(server.port());
        mail.TimeOut = 5000;
        mail.From = "loja@exemplo.com.br";
        mail.AdicionarDestinatario("cliente@exemplo.com.br");
        mail.Subject = "Nota";
        mail.CorpoTexto = {"Segue a nota."};
    }

    // Sends and returns the error text (empty when sent).
    static std::string send(TQuibMail &mail)
    {
        try {
            mail.EnviarAgora();
        } catch (const EQuibMailException &e) {
            return e.what();
        }
        return {};
    }
};

struct Transport {
    const char *name;
    SmtpTestServer::Mode mode;
    bool auth;
};

class MailTransports : public MailOverSmtp, public testing::WithParamInterface<Transport> {};

TEST_P(MailTransports, FullMessageArrivesAsBuilt)
{
    const Transport transport = GetParam();
    SmtpTestServer::Options options;
    options.mode = transport.mode;
    if (transport.auth) {
        options.user = "loja";
        options.password = "s3nha";
    }
    SmtpTestServer server(options);
    testsupport::TempDir folder;
    const std::string pdf = std::string("%PDF-1.4\n\x00\xff\x10 binario", 20);
    const std::string xml = "<?xml version=\"1.0\"?><nfeProc><NFe>ação</NFe></nfeProc>";
    const std::string png = std::string("\x89PNG\r\n\x1a\n", 8);

    TQuibMail mail;
    pointAt(mail, server);
    mail.SetSSL = transport.mode == SmtpTestServer::Mode::ssl;
    mail.SetTLS = transport.mode == SmtpTestServer::Mode::starttls;
    mail.Username = options.user;
    mail.Password = options.password;
    mail.FromName = "Loja São João";
    mail.Subject = "Nota fiscal nº 123 – emissão de março";
    mail.ReadingConfirmation = true;
    mail.IsHTML = true;
    mail.Corpo = {"<p>Segue a nota.</p><img src=\"cid:logo\">"};
    mail.CorpoTexto = {"Segue a nota."};
    mail.AdicionarDestinatario("jose@exemplo.com.br", "José Álvares");
    mail.AdicionarCopia("contador@exemplo.com.br");
    mail.AdicionarCopiaOculta("arquivo@exemplo.com.br");
    mail.AdicionarResponderPara("vendas@exemplo.com.br");
    std::istringstream xmlStream(xml);
    mail.AnexarStream(&xmlStream, "35200111222333000181550010000001231000001230-nfe.xml", 0);
    mail.AnexarArquivo(folder.write("danfe.pdf", pdf).string(), "", 0);
    mail.AnexarArquivo(folder.write("logo.png", png).string(), "logo");
    std::vector<TMailStatus> statuses;
    mail.OnMailProcess = [&](TQuibMail &, TMailStatus status) { statuses.push_back(status); };

    ASSERT_EQ(send(mail), "");

    const std::vector<TMailStatus> expected = {
        pmsStartProcess, pmsConfigHeaders, pmsAddingMimeParts, pmsLoginSMTP,  pmsStartSends, pmsSendTo,
        pmsSendCC,       pmsSendBCC,       pmsSendData,        pmsLogoutSMTP, pmsDone};
    EXPECT_EQ(statuses, expected);
    EXPECT_TRUE(mail.Header.ToList.empty() && mail.Anexos.empty() && mail.Subject.empty());

    const auto messages = server.messages();
    ASSERT_EQ(messages.size(), 1u);
    const auto got = nlohmann::json::parse(messages[0]);
    EXPECT_EQ(got["structure"],
              "multipart/mixed(multipart/alternative(text/plain,multipart/related(text/html,image/png)),"
              "text/xml,application/pdf)");
    EXPECT_EQ(got["subject"], "Nota fiscal nº 123 – emissão de março");
    EXPECT_EQ(got["from"][0]["name"], "Loja São João");
    EXPECT_EQ(got["from"][0]["address"], "loja@exemplo.com.br");
    EXPECT_EQ(got["to"][1]["name"], "José Álvares");
    EXPECT_EQ(got["to"][1]["address"], "jose@exemplo.com.br");
    EXPECT_EQ(got["cc"][0]["address"], "contador@exemplo.com.br");
    EXPECT_EQ(got["reply_to"][0]["address"], "vendas@exemplo.com.br");
    EXPECT_EQ(got["x_mailer"], "Synapse - QuibMail");
    EXPECT_NE(got["disposition_notification_to"].get<std::string>().find("loja@exemplo.com.br"),
              std::string::npos);
    EXPECT_TRUE(got["has_date"]);
    EXPECT_FALSE(got["has_bcc"]);
    EXPECT_EQ(messages[0].find("arquivo@"), messages[0].rfind("arquivo@")) << "BCC only in the envelope";
    EXPECT_EQ(got["rcpt_tos"], nlohmann::json({"cliente@exemplo.com.br", "jose@exemplo.com.br",
                                               "contador@exemplo.com.br", "arquivo@exemplo.com.br"}));
    EXPECT_EQ(got["mail_from"], "loja@exemplo.com.br");

    const auto &parts = got["parts"];
    ASSERT_EQ(parts.size(), 5u);
    EXPECT_EQ(parts[0]["text"], "Segue a nota.");
    EXPECT_EQ(parts[2]["content_id"], "<logo>");
    EXPECT_EQ(parts[2]["sha256"], sha256Hex(png));
    EXPECT_EQ(parts[3]["filename"], "35200111222333000181550010000001231000001230-nfe.xml");
    EXPECT_EQ(parts[3]["disposition"], "attachment");
    EXPECT_EQ(parts[3]["sha256"], sha256Hex(xml));
    EXPECT_EQ(parts[4]["filename"], "danfe.pdf");
    EXPECT_EQ(parts[4]["sha256"], sha256Hex(pdf));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Smtp, MailTransports, testing::Values(
    Transport{"plain",        SmtpTestServer::Mode::plain,    false},
    Transport{"starttlsAuth", SmtpTestServer::Mode::starttls, true},
    Transport{"implicitTls",  SmtpTestServer::Mode::ssl,      false}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(MailOverSmtp, WithoutHtmlBothBodiesSendOnlyThePlainTextInMixed)
{
    SmtpTestServer server;
    TQuibMail mail;
    pointAt(mail, server);
    mail.Corpo = {"<p>não vai</p>"};
    ASSERT_EQ(send(mail), "");
    const auto got = nlohmann::json::parse(server.messages().at(0));
    EXPECT_EQ(got["structure"], "multipart/mixed(text/plain)");
}

TEST_F(MailOverSmtp, RefusalsNameTheStepAndEachServerReplyOnce)
{
    struct Case {
        const char *refuse;
        int mailCommands;
        const char *expected;
    };
    // clang-format off
    const Case cases[] = {
        {"mail",                    3, "SMTP Error: Unable to send MailFrom.\r\n550 Sender refused by test"},
        {"rcpt:cliente@exemplo.com.br", 3, "SMTP Error: Unable to send MailTo.\r\n550 Recipient refused by test"},
        {"rcpt:cc@exemplo.com.br",  3, "SMTP Error: Unable to send CC list.\r\n550 Recipient refused by test"},
        {"rcpt:bcc@exemplo.com.br", 3, "SMTP Error: Unable to send BCC list.\r\n550 Recipient refused by test"},
        {"data",                    3, "SMTP Error: Unable to send Mail data.\r\n550 Data refused by test"},
    };
    // clang-format on
    for (const auto &c : cases) {
        SmtpTestServer::Options options;
        options.refuse = c.refuse;
        SmtpTestServer server(options);
        TQuibMail mail;
        pointAt(mail, server);
        mail.AdicionarCopia("cc@exemplo.com.br");
        mail.AdicionarCopiaOculta("bcc@exemplo.com.br");
        std::vector<TMailStatus> statuses;
        mail.OnMailProcess = [&](TQuibMail &, TMailStatus status) { statuses.push_back(status); };
        EXPECT_EQ(send(mail), c.expected) << c.refuse;
        EXPECT_EQ(mail.UltimoErro, c.expected);
        EXPECT_EQ(server.mailCommands(), c.mailCommands) << c.refuse;
        EXPECT_TRUE(server.messages().empty());
        EXPECT_TRUE(mail.Header.ToList.empty() && mail.CopiaOculta.empty());
        EXPECT_EQ(statuses.back(), pmsError);
    }
}

TEST_F(MailOverSmtp, WrongPasswordGivesTheLoginFailureWithReplyAndCode)
{
    SmtpTestServer server({SmtpTestServer::Mode::starttls, "loja", "s3nha", ""});
    TQuibMail mail;
    pointAt(mail, server);
    mail.SetTLS = true;
    mail.Username = "loja";
    mail.Password = "errada";
    const std::string error = send(mail);
    EXPECT_EQ(error.rfind("SMTP Error: Unable to Login.\r\n535 ", 0), 0u) << error;
    EXPECT_NE(error.find("\r\n67 - "), std::string::npos) << error;
    EXPECT_EQ(error.find("535 "), error.rfind("535 ")) << "the same reply once";
    EXPECT_EQ(server.mailCommands(), 0);
}

TEST_F(MailOverSmtp, DeliveryConfirmationNeedsAServerWithDsn)
{
    SmtpTestServer server;
    TQuibMail mail;
    pointAt(mail, server);
    mail.DeliveryConfirmation = true;
    EXPECT_EQ(send(mail), "SMTP Error: The SMTP Server does not support Delivery Status Notification");
    EXPECT_TRUE(server.messages().empty());
}

TEST_F(MailOverSmtp, HandlerAnsweringFalseEndsInSilentAbortWithTheErrorKept)
{
    SmtpTestServer server({SmtpTestServer::Mode::plain, "", "", "mail"});
    TQuibMail mail;
    pointAt(mail, server);
    mail.SetAttempts(1);
    std::string shown;
    mail.OnMailException = [&](TQuibMail &, const std::exception &e, bool &throwIt) {
        shown = e.what();
        throwIt = false;
    };
    EXPECT_THROW(mail.EnviarAgora(), SilentAbort);
    EXPECT_EQ(shown, "SMTP Error: Unable to send MailFrom.\r\n550 Sender refused by test");
    EXPECT_EQ(mail.UltimoErro, shown);
    EXPECT_TRUE(mail.Header.ToList.empty());
}

} // namespace
