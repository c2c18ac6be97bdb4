#include "tests/support/run_command.h"
#include "tests/tools/nfe_check_firebird.h"

#include <gmock/gmock.h>

using testing::HasSubstr;
using testsupport::runCommand;

// "console" on a module database holding only the settings store.
class NfeCheckConsole : public NfeCheckFirebird {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("isql-fb"))
            GTEST_SKIP() << "isql-fb is not installed";
        criaBancoDeConfiguracoes();
    }

    void grava(const std::string &sessao, const std::string &chave, const std::string &valor)
    {
        ASSERT_EQ(runCommand(tool({"settings", fdb, "set", "1", sessao, chave, valor})).exitCode, 0);
    }
};

TEST_F(NfeCheckConsole, AppliedPrintsTheComponentAfterTheOperatorsChoices)
{
    grava("Certificado", "CryptLib", "1");
    grava("Certificado", "HttpLib", "3");
    grava("Certificado", "XmlSignLib", "4");
    grava("WebService", "Aguardar", "999");
    const auto r = runCommand(
        tool({"console", fdb, "1", "applied", "--choose", "cbHttpLib=4", "--choose", "cbSSLType=6"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Configuracoes.Geral.SSLLib=libCustom\n"));
    EXPECT_THAT(r.out, HasSubstr("Configuracoes.WebServices.AguardarConsultaRet=999000\n"));
    EXPECT_THAT(r.out, HasSubstr("SSL.SSLType=LT_TLSv1_3\n"));
    EXPECT_THAT(r.out, testing::EndsWith("cbSSLLib=5\ncbCryptLib=1\ncbHttpLib=4\ncbXmlSignLib=4\n"));

    grava("WebService", "Aguardar", "3s");
    const auto falha = runCommand(tool({"console", fdb, "1", "applied"}));
    EXPECT_EQ(falha.exitCode, 1);
    EXPECT_THAT(falha.err, HasSubstr("'3s' não é um valor inteiro válido (WebService, Aguardar)."));
    EXPECT_THAT(falha.out, HasSubstr("Configuracoes.WebServices.AguardarConsultaRet=15000\n"));

    EXPECT_EQ(runCommand(tool({"console", fdb, "1", "applied", "--choose", "cbUF=1"})).exitCode, 2);
}

TEST_F(NfeCheckConsole, PressPrintsTheControlsAPresetChanged)
{
    const auto r = runCommand(tool({"console", fdb, "1", "press", "Ativa OpenSSL"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "cbCryptLib=1\ncbHttpLib=3\ncbSSLLib=1\ncbSSLType=5\ncbXmlSignLib=4\n"
                     "chkProtNfeSsl20=FALSE\nchkProtNfeSsl30=TRUE\nchkProtNfeTls10=FALSE\n"
                     "chkProtNfeTls11=TRUE\nchkProtNfeTls12=TRUE\n");
    EXPECT_EQ(runCommand(tool({"console", fdb, "1", "press", "Salvar"})).exitCode, 2);
}
