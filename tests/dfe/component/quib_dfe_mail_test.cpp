#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "dfe/component/quib_dfe.h"
#include "dfe/mail/quib_mail.h"
#include "tests/support/smtp_test_server.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::sha256Hex;
using testsupport::SmtpTestServer;

// The component mails a note through a real mailer to the loopback SMTP
// server; Python's email parser judges the message that arrived.
TEST(DFeQuibDFeMail, SendsHtmlWithPlainTextAndTheXmlAttached)
{
    if (!SmtpTestServer::available())
        GTEST_SKIP() << "python3-aiosmtpd is not installed";
    SmtpTestServer server;
    testsupport::TempDir folder;
    const std::string pdf = std::string("%PDF-1.4\n\x00\xff binario", 18);
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><nfeProc><NFe>ação</NFe></nfeProc>";

    TQuibMail mail;
    mail.Host = "127.0.0.1";
    mail.Port = std::to_string(server.port());
    mail.TimeOut = 5000;
    mail.From = "loja@exemplo.com.br";
    mail.IsHTML = true;
    // Left over from an earlier message: must not leak into this one.
    mail.AdicionarDestinatario("antigo@exemplo.com.br");
    mail.AnexarArquivo(folder.write("velho.pdf", pdf).string());

    TQuibDFe dfe;
    dfe.SetMAIL(&mail);
    const std::vector<std::string> mensagem = {"<html><body>", "<p>Segue a <b>nota</b> nº 123.</p>",
                                               "<a href=\"x\">Loja São João</a>", "</body></html>"};
    const std::vector<std::string> copias = {"contador@exemplo.com.br"};
    const std::vector<std::string> anexos = {folder.write("danfe.pdf", pdf).string()};
    const std::vector<std::string> responder = {"vendas@exemplo.com.br"};
    const std::vector<std::string> ocultas = {"arquivo@exemplo.com.br"};
    std::istringstream stream(xml);
    const std::string nomeXml = "35200111222333000181550010000001231000001230-nfe.xml";

    dfe.EnviarPorEmail("cliente@exemplo.com.br", "Nota fiscal nº 123", &mensagem, &copias, &anexos, &stream,
                       nomeXml, &responder, &ocultas);

    const auto messages = server.messages();
    ASSERT_EQ(messages.size(), 1u);
    const auto got = nlohmann::json::parse(messages[0]);
    EXPECT_EQ(got["structure"],
              "multipart/mixed(multipart/alternative(text/plain,text/html),text/xml,application/pdf)");
    EXPECT_EQ(got["subject"], "Nota fiscal nº 123");
    EXPECT_EQ(got["rcpt_tos"], nlohmann::json({"cliente@exemplo.com.br", "contador@exemplo.com.br",
                                               "arquivo@exemplo.com.br"}));
    EXPECT_EQ(got["to"].size(), 1u);
    EXPECT_EQ(got["reply_to"][0]["address"], "vendas@exemplo.com.br");
    EXPECT_FALSE(got["has_bcc"]);

    const auto &parts = got["parts"];
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0]["text"], "\r\nSegue a nota nº 123.\r\nLoja São João\r\n");
    EXPECT_EQ(parts[1]["text"], "<html><body>\r\n<p>Segue a <b>nota</b> nº 123.</p>\r\n"
                                "<a href=\"x\">Loja São João</a>\r\n</body></html>");
    EXPECT_EQ(parts[2]["filename"], nomeXml);
    EXPECT_EQ(parts[2]["sha256"], sha256Hex(xml));
    EXPECT_EQ(parts[3]["filename"], "danfe.pdf");
    EXPECT_EQ(parts[3]["sha256"], sha256Hex(pdf));
}

} // namespace
