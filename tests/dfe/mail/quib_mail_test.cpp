#include "dfe/mail/quib_mail.h"

#include <gtest/gtest.h>

#include <sstream>

#include "foundation/base/silent_abort.h"

namespace {

TEST(QuibMailAddresses, SplitsAtTheFirstSeparatorFoundAndKeepsNamesWhole)
{
    struct Case {
        const char *address;
        const char *name;
        std::vector<std::string> expected;
    };
    // clang-format off
    const Case cases[] = {
        {"a@x.com;b@x.com",            "",     {"a@x.com", "b@x.com"}},
        {" a@x.com, b@x.com ",         "",     {"a@x.com", " b@x.com"}},
        {"\"Ana\" <a@x.com>;b@x.com",    "",     {"\"Ana\" <a@x.com>", "b@x.com"}},
        {"a@x.com|b@x.com;c@x.com",    "",     {"a@x.com|b@x.com", "c@x.com"}},
        {"a@x.com|b@x.com",            "",     {"a@x.com", "b@x.com"}},
        {"\"Silva, Ana\" <a@x.com>",   "",     {"\"Silva, Ana\" <a@x.com>"}},
        {"a@x.com",                    "",     {"a@x.com"}},
        {"a@x.com;b@x.com",            "Ana",  {"\"Ana\" <a@x.com;b@x.com>"}},
    };
    // clang-format on
    for (const auto &c : cases) {
        TQuibMail to, cc;
        to.AdicionarDestinatario(c.address, c.name);
        cc.AdicionarCopia(c.address, c.name);
        EXPECT_EQ(to.Header.ToList, c.expected) << c.address;
        EXPECT_EQ(cc.Header.CCList, c.expected) << c.address;
    }
}

TEST(QuibMailOptions, AttemptsBelowOneStoreOne)
{
    TQuibMail mail;
    EXPECT_EQ(mail.Attempts(), 3);
    mail.SetAttempts(0);
    EXPECT_EQ(mail.Attempts(), 1);
}

TEST(QuibMailAttachments, MissingFileOrStreamIsRefusedThroughTheHandler)
{
    TQuibMail mail;
    try {
        mail.AnexarArquivo("/nonexistent/nota.xml");
        FAIL() << "no error";
    } catch (const EQuibMailException &e) {
        EXPECT_STREQ(e.what(), "Add Attachment: File not Exists.");
    }
    EXPECT_THROW(mail.AnexarStream(nullptr, "a.xml"), EQuibMailException);

    std::string seen;
    mail.OnMailException = [&](TQuibMail &, const std::exception &e, bool &throwIt) {
        seen = e.what();
        throwIt = false;
    };
    EXPECT_THROW(mail.AnexarStream(nullptr, "a.xml"), SilentAbort);
    EXPECT_EQ(seen, "Add Attachment: Access Violation.");
    EXPECT_EQ(mail.Anexos.count(), 0);
}

TEST(QuibMailAttachments, StreamIsReadFromItsStartAndUnnamedGetsATimeName)
{
    TQuibMail mail;
    std::istringstream stream("<NFe/>");
    stream.seekg(3);
    mail.AnexarStream(&stream, "  ");
    ASSERT_EQ(mail.Anexos.count(), 1);
    EXPECT_EQ(mail.Anexos[0].Conteudo, "<NFe/>");
    EXPECT_EQ(mail.Anexos[0].NomeArquivo.rfind("file_", 0), 0u);
    EXPECT_EQ(mail.Anexos[0].NomeArquivo.size(), 14u);
}

TEST(QuibMailCopy, AssignCopiesMessageAndSettingsButNotFromOtherComponents)
{
    TQuibMail source;
    source.Host = "smtp.x.com";
    source.SetAttempts(5);
    source.Subject = "Nota";
    source.AdicionarDestinatario("a@x.com");
    source.AdicionarCopiaOculta("b@x.com");
    source.CorpoTexto = {"linha"};
    std::istringstream stream("abc");
    source.AnexarStream(&stream, "a.txt");

    TQuibMail copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Host, "smtp.x.com");
    EXPECT_EQ(copy.Attempts(), 5);
    EXPECT_EQ(copy.Subject, "Nota");
    EXPECT_EQ(copy.Header.ToList, source.Header.ToList);
    EXPECT_EQ(copy.CopiaOculta, source.CopiaOculta);
    EXPECT_EQ(copy.CorpoTexto, source.CorpoTexto);
    ASSERT_EQ(copy.Anexos.count(), 1);
    EXPECT_EQ(copy.Anexos[0].Conteudo, "abc");

    TQuibComponent other;
    EXPECT_THROW(copy.Assign(&other), EQuibMailException);
}

TEST(QuibMailSend, EmptyHostFailsClearsTheMessageAndKeepsTheError)
{
    TQuibMail mail;
    mail.Host = "";
    mail.Subject = "Nota";
    mail.AdicionarDestinatario("a@x.com");
    std::vector<TMailStatus> statuses;
    mail.OnMailProcess = [&](TQuibMail &, TMailStatus status) { statuses.push_back(status); };
    try {
        mail.EnviarAgora();
        FAIL() << "no error";
    } catch (const EQuibMailException &e) {
        EXPECT_STREQ(e.what(), "SMTP Error: Server not informed");
    }
    EXPECT_EQ(mail.UltimoErro, "SMTP Error: Server not informed");
    EXPECT_TRUE(mail.Header.ToList.empty());
    EXPECT_TRUE(mail.Subject.empty());
    EXPECT_EQ(statuses.back(), pmsError);
}

} // namespace
