#include <gtest/gtest.h>

#include "nfe_check_paths.h"
#include "tests/support/run_command.h"
#include "tests/support/smtp_test_server.h"
#include "tests/support/temp_dir.h"

using testsupport::SmtpTestServer;

namespace {

TEST(NfeCheckMail, SendsOverStartTlsOrReportsTheMailerError)
{
    if (!SmtpTestServer::available())
        GTEST_SKIP() << "python3-aiosmtpd is not installed";
    SmtpTestServer server({SmtpTestServer::Mode::starttls, "loja", "s3nha", ""});
    testsupport::TempDir folder;
    const auto text = folder.write("corpo.txt", "Segue a nota.\n");
    const auto xml = folder.write("nota.xml", "<NFe/>");
    std::vector<std::string> argv = {nfe_check_test::tool(),
                                     "mail",
                                     "--host",
                                     "127.0.0.1",
                                     "--port",
                                     std::to_string(server.port()),
                                     "--starttls",
                                     "--user",
                                     "loja",
                                     "--password",
                                     "s3nha",
                                     "--from",
                                     "loja@x.com.br",
                                     "--to",
                                     "a@x.com.br;b@x.com.br",
                                     "--subject",
                                     "Nota",
                                     "--text",
                                     text.string(),
                                     "--attach",
                                     xml.string()};
    const auto sent = testsupport::runCommand(argv);
    EXPECT_EQ(sent.exitCode, 0) << sent.err;
    ASSERT_EQ(server.messages().size(), 1u);
    EXPECT_NE(server.messages()[0].find("\"nota.xml\""), std::string::npos);

    argv[10] = "errada";
    const auto refused = testsupport::runCommand(argv);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err.rfind("SMTP Error: Unable to Login.", 0), 0u) << refused.err;
}

} // namespace
