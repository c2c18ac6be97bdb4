#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/dfe/ssl/fake_backends.h"
#include "tests/support/temp_dir.h"

using namespace dfetest;

namespace {

class FacadeOperations : public ::testing::Test {
  protected:
    FakeBackends fakes;
    TDFeSSL ssl;

    void SetUp() override
    {
        ssl.SetSSLCryptLib(cryCapicom);
        ssl.SetSSLXmlSignLib(xsMsXml);
    }
};

std::string messageOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const EQuibDFeException &e) {
        return e.what();
    }
    return "(no exception)";
}

TEST_F(FacadeOperations, AssinarKeepsTheDocumentsUtf8Declaration)
{
    struct Case {
        const char *input;
        const char *backendDeclaration;
        const char *result;
    };
    // clang-format off
    const Case cases[] = {
        {"<?xml version='1.0' encoding='utf-8'?><a/>",      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<?xml version='1.0' encoding='utf-8'?><a/><Signature/>"},
        {"<?xml version='1.0' encoding='utf-8'?><a/>",      "",                                           "<?xml version='1.0' encoding='utf-8'?><a/><Signature/>"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>", "<?xml version=\"1.0\"?>",                "<?xml version=\"1.0\"?><a/><Signature/>"},
        {"<a/>",                                            "",                                           "<a/><Signature/>"},
    };
    // clang-format on
    for (const auto &c : cases) {
        FakeXmlSign::declaracaoSaida = c.backendDeclaration;
        EXPECT_EQ(ssl.Assinar(c.input, "a", "a"), c.result) << c.input;
    }
}

TEST_F(FacadeOperations, AntesDeAssinarThatChangesTheTextHasSigned)
{
    ssl.AntesDeAssinar = [](std::string &xml, std::string_view docElement, auto...) {
        if (docElement == "evento")
            xml = "<assinado-pelo-evento/>";
    };
    EXPECT_EQ(ssl.Assinar("<a/>", "evento", "a"), "<assinado-pelo-evento/>");
    EXPECT_EQ(ssl.Assinar("<a/>", "a", "a"), "<a/><Signature/>");
}

TEST_F(FacadeOperations, CalcHashOutputForms)
{
    EXPECT_EQ(ssl.CalcHashTexto("\x01\xab", dgstSHA1, 0), "01AB");
    EXPECT_EQ(ssl.CalcHashTexto("abcd", dgstSHA1, 1), "YWJjZA==");
    EXPECT_EQ(ssl.CalcHashTexto("ab", dgstSHA1, 2), "ab");
    EXPECT_EQ(ssl.CalcHashTexto("ab", dgstSHA1, 7, true), "SIG:ab");
    EXPECT_TRUE(ssl.ValidarHashTexto("ab", dgstSHA1, "ab"));
    EXPECT_FALSE(ssl.ValidarHashTexto("ab", dgstSHA1, "ac"));
}

TEST_F(FacadeOperations, HashOfAMissingEmptyOrUnreadableStream)
{
    std::ifstream missing("/nonexistent/file");
    std::istringstream empty;
    std::istringstream filled("x");
    EXPECT_EQ(messageOf([&] { ssl.CalcHash(nullptr, dgstSHA1); }), "Stream inválido");
    EXPECT_EQ(messageOf([&] { ssl.CalcHash(&missing, dgstSHA1); }), "Stream inválido");
    EXPECT_EQ(messageOf([&] { ssl.CalcHash(&empty, dgstSHA1); }), "Stream vazio");
    EXPECT_EQ(messageOf([&] { ssl.CalcHashTexto("", dgstSHA1); }), "Stream vazio");
    EXPECT_EQ(messageOf([&] { ssl.ValidarHash(nullptr, dgstSHA1, "h"); }), "Stream inválido");
    EXPECT_EQ(messageOf([&] { ssl.ValidarHashTexto("", dgstSHA1, "h"); }), "Stream vazio");
    EXPECT_EQ(messageOf([&] { ssl.ValidarHash(&filled, dgstSHA1, ""); }), "Hash vazio");
}

TEST_F(FacadeOperations, ValidarNeedsAnExistingSchema)
{
    std::string msg = "antiga";
    EXPECT_EQ(messageOf([&] { ssl.Validar("<a/>", "", msg); }), "Arquivo de Schema não especificado");
    EXPECT_EQ(msg, "");
    EXPECT_EQ(messageOf([&] { ssl.Validar("<a/>", "/nao/existe.xsd", msg); }),
              "Arquivo \r\n/nao/existe.xsd\r\nNão encontrado");
    testsupport::TempDir dir;
    EXPECT_TRUE(ssl.Validar("<a/>", dir.write("a.xsd", "<xs/>").string(), msg));
    EXPECT_EQ(msg, "validado");
}

TEST_F(FacadeOperations, ConferirCNPJDocumento)
{
    ssl.SetDadosPFX(FakeCrypt::pfx("11222333000181", 100));
    struct Case {
        const char *documento;
        const char *message; // empty: passes
    };
    // clang-format off
    const Case cases[] = {
        {"529.982.247-25",     ""},                          // CPF: not checked
        {"",                   ""},
        {"11.222.333/0001-81", ""},
        {"11222333000262",     ""},                          // another branch of the same company
        {"11222333000182",     "Erro CNPJ Documento: "},     // followed by the validator's text
        {"11444777000161",     "O CNPJ do Documento é diferente do CNPJ do Certificado Digital"},
    };
    // clang-format on
    for (const auto &c : cases) {
        const std::string message = messageOf([&] { ssl.ConferirCNPJDocumento(c.documento); });
        if (*c.message == '\0')
            EXPECT_EQ(message, "(no exception)") << c.documento;
        else
            EXPECT_TRUE(message.starts_with(c.message)) << c.documento << ": " << message;
    }
    EXPECT_GT(messageOf([&] { ssl.ConferirCNPJDocumento("11222333000182"); }).size(),
              std::string_view("Erro CNPJ Documento: ").size());
}

TEST_F(FacadeOperations, TransmitirDirectPathDefaultsTheMimeType)
{
    ssl.SetSSLHttpLib(httpWinINet);
    ssl.UseCertificateHTTP = false;
    httpScript().body = "<resposta/>";
    EXPECT_EQ(ssl.Transmitir("<env/>", "https://sefaz/ws", "acao", "", "Bearer x"), "<resposta/>");
    EXPECT_EQ(httpScript().lastMimeType, "application/soap+xml; charset=utf-8");
    EXPECT_EQ(httpScript().lastHeaders, "Authorization: Bearer x\r\n");
    EXPECT_EQ(ssl.HTTPResultCode(), 200);

    EXPECT_EQ(ssl.ObterConteudoURL("https://sefaz/pfx"), "<resposta/>");
    EXPECT_EQ(httpScript().lastMethod, "GET");
}

TEST_F(FacadeOperations, TransmitirWithTheClientCertificateLoadsIt)
{
    ssl.SetSSLHttpLib(httpWinINet);
    ssl.SetDadosPFX(FakeCrypt::pfx("11222333000181", 100));
    ssl.ProxyHost = "proxy";
    ssl.TimeOut = 1234;
    ssl.Transmitir("<env/>", "https://sefaz/ws", "acao");
    EXPECT_TRUE(ssl.CertificadoCarregado());
    EXPECT_EQ(httpScript().lastSettings.ProxyHost, "proxy");
    EXPECT_EQ(httpScript().lastSettings.TimeOut, 1234);
    EXPECT_TRUE(httpScript().lastSettings.UseCertificateHTTP);
}

} // namespace
