#include "tests/support/fake_sefaz.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/tools/nfe_check_firebird.h"

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <string>

using testsupport::runCommand;

// "console" on a module database holding the settings table: what "save"
// stores, "show" gives back and the query tool counts; a refused save stores
// nothing; "press" prints the boxes and the controls that changed.
class NfeCheckConsole : public NfeCheckFirebird {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("isql-fb"))
            GTEST_SKIP() << "isql-fb is not installed";
        criaBanco(kTabelaConfigGeral);
    }

    testsupport::CommandResult console(std::vector<std::string> args, const std::string &entrada = {}) const
    {
        args.insert(args.begin(), {"console", fdb, kCnpj});
        return runCommand(tool(args), entrada);
    }

    std::string linhas() const
    {
        return isql("SET LIST ON;\nSELECT COUNT(*) AS N FROM CONFIG_GERAL WHERE CNPJ = '" +
                    std::string(kCnpj) + "';\n")
            .out;
    }

    static constexpr const char *kCnpj = "12345678000195";
};

TEST_F(NfeCheckConsole, SaveStoresEveryKeyOnceAndShowGivesTheControlsBack)
{
    const auto padrao = console({"show"});
    ASSERT_EQ(padrao.exitCode, 0) << padrao.err;
    std::string valores = padrao.out;
    valores = std::regex_replace(valores, std::regex("edtEmitRazao=\n"), "edtEmitRazao=Pão d'Água & Cia\n");
    valores = std::regex_replace(valores, std::regex("mmEmailMsg=\n"), "mmEmailMsg=Olá,\\nsegue a nota.\n");
    valores = std::regex_replace(valores, std::regex("edtmInf=2.00\n"), "edtmInf=1.50\n");
    valores = std::regex_replace(valores, std::regex("ckSalvar=TRUE\n"), "ckSalvar=FALSE\n");
    ASSERT_NE(valores, padrao.out);

    for (int vez = 0; vez < 2; ++vez) {
        const auto salvo = console({"save"}, valores);
        ASSERT_EQ(salvo.exitCode, 0) << salvo.err;
        EXPECT_NE(linhas().find("N                               100"), std::string::npos) << linhas();
    }
    const auto lido = console({"show"});
    EXPECT_EQ(lido.out, valores);
}

TEST_F(NfeCheckConsole, ASaveRefusedAtALongPathExitsOneNamingItAndStoresNothing)
{
    const auto padrao = console({"show"});
    const std::string longo = std::regex_replace(padrao.out, std::regex("edtPathLogs=[^\n]*\n"),
                                                 "edtPathLogs=/" + std::string(100, 'p') + "\n");
    const auto recusado = console({"save"}, longo);
    EXPECT_EQ(recusado.exitCode, 1);
    EXPECT_NE(recusado.err.find("PathSalvar"), std::string::npos) << recusado.err;
    EXPECT_NE(linhas().find("N                               0"), std::string::npos) << linhas();
}

TEST_F(NfeCheckConsole, PressPrintsTheBoxesAndTheControlsThatChanged)
{
    struct Caso {
        std::vector<std::string> args;
        std::string saida;
    };
    // clang-format off
    const Caso casos[] = {
        {{"press", "Margens default", "--set", "edtmEsq=1.13", "--set", "edtmInf=1.50"},
         "edtmEsq=0.60\nedtmInf=2.00\n"},
        {{"press", "Dados default KVL", "--confirm", "no"},
         "message: Carregar dados default KVL ?\n"},
        {{"press", "Dados default KVL"},
         "message: Carregar dados default KVL ?\n"},
        {{"press", "Dados default KVL", "--confirm", "yes"},
         "message: Carregar dados default KVL ?\nedtSmtpHost=smtp.kvl.com.br\nedtSmtpPass=Pul#604Pul\n"
         "edtSmtpPort=587\nedtSmtpUser=nfe@kvl.com.br\n"},
        {{"press", "edtPathNFe", "--file", "/srv/nfe/xml"},
         "edtPathNFe=/srv/nfe/xml\n"},
        {{"press", "sbtnCaminhoCert"},
         ""},
        {{"press", "Ativa OpenSSL"},
         "cbCryptLib=1\ncbHttpLib=3\ncbSSLLib=1\ncbSSLType=5\ncbXmlSignLib=4\nchkProtNfeSsl20=FALSE\n"
         "chkProtNfeSsl30=TRUE\nchkProtNfeTls10=FALSE\nchkProtNfeTls11=TRUE\nchkProtNfeTls12=TRUE\n"},
    };
    // clang-format on
    for (const auto &caso : casos) {
        const auto r = console(caso.args);
        EXPECT_EQ(r.exitCode, 0) << caso.args[1] << ": " << r.err;
        EXPECT_EQ(r.out, caso.saida) << caso.args[1];
    }
    EXPECT_NE(linhas().find("N                               0"), std::string::npos) << linhas();
}

TEST_F(NfeCheckConsole, AppliedPrintsTheComponentAfterTheOperatorsChoices)
{
    const auto grava = [&](const char *sessao, const char *chave, const char *valor) {
        ASSERT_EQ(runCommand(tool({"settings", fdb, "set", kCnpj, sessao, chave, valor})).exitCode, 0);
    };
    grava("Certificado", "CryptLib", "1");
    grava("Certificado", "HttpLib", "3");
    grava("Certificado", "XmlSignLib", "4");
    grava("WebService", "Aguardar", "999");
    const auto r = console({"applied", "--choose", "cbHttpLib=4", "--choose", "cbSSLType=6"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char *linha :
         {"Configuracoes.Geral.SSLLib=libCustom\n", "Configuracoes.WebServices.AguardarConsultaRet=999000\n",
          "SSL.SSLType=LT_TLSv1_3\n"})
        EXPECT_NE(r.out.find(linha), std::string::npos) << linha << r.out;
    EXPECT_TRUE(r.out.ends_with("cbSSLLib=5\ncbCryptLib=1\ncbHttpLib=4\ncbXmlSignLib=4\n")) << r.out;

    grava("WebService", "Aguardar", "3s");
    const auto falha = console({"applied"});
    EXPECT_EQ(falha.exitCode, 1);
    EXPECT_NE(falha.err.find("'3s' não é um valor inteiro válido (WebService, Aguardar)."), std::string::npos)
        << falha.err;
    EXPECT_NE(falha.out.find("Configuracoes.WebServices.AguardarConsultaRet=15000\n"), std::string::npos)
        << falha.out;
    EXPECT_EQ(console({"applied", "--choose", "cbUF=1"}).exitCode, 2);
    EXPECT_EQ(console({"applied", "--set", "cbSSLLib=1"}).exitCode, 2);
}

TEST_F(NfeCheckConsole, WrongArgumentsExitTwo)
{
    for (const std::vector<std::string> &args :
         std::vector<std::vector<std::string>>{{"open"},
                                               {"press"},
                                               {"press", "btnNenhum"},
                                               {"show", "--set", "x=1"},
                                               {"press", "Margens default", "--set", "edtNada=1"}})
        EXPECT_EQ(console(args).exitCode, 2) << args[0];
}

// "press" on the service operations, against the fake on a free port with
// the company's stored settings using the test e-CNPJ.
class NfeCheckConsoleServicos : public NfeCheckConsole {
  protected:
    void SetUp() override
    {
        NfeCheckConsole::SetUp();
        if (IsSkipped())
            return;
        const auto &pki = testsupport::testPki();
        const std::vector<std::array<std::string, 3>> linhas = {
            {"Certificado", "SSLLib", "1"},
            {"Certificado", "CryptLib", "1"},
            {"Certificado", "HttpLib", "3"},
            {"Certificado", "XmlSignLib", "4"},
            {"Certificado", "Caminho", pki.ecnpj.pfxAes},
            {"Certificado", "Senha", pki.ecnpj.password},
            {"WebService", "UF", "SP"},
            {"WebService", "Ambiente", "1"},
            {"Geral", "PathSalvar", (pasta / "salvos").string()}};
        for (const auto &[sessao, chave, valor] : linhas)
            ASSERT_EQ(runCommand(tool({"settings", fdb, "set", kCnpj, sessao, chave, valor})).exitCode, 0);
        ini = pasta.write("servicos.ini", fake.servicesIni()).string();
    }

    testsupport::FakeSefaz fake;
    testsupport::TempDir pasta;
    std::string ini;
};

TEST_F(NfeCheckConsoleServicos, PressReachesTheServiceOperations)
{
    const auto status = console({"press", " Status de Serviço", "--services-ini", ini, "--set", "cbUF=0"});
    ASSERT_EQ(status.exitCode, 0) << status.err;
    EXPECT_NE(status.out.find("[MemoDados]\n\nStatus Serviço\ntpAmb: 2\n"), std::string::npos) << status.out;
    EXPECT_NE(status.out.find("cStat: 107\n"), std::string::npos) << status.out;
    EXPECT_TRUE(status.out.ends_with("page=1\n")) << status.out;
    // The unsaved edit is replaced by the stored state.
    EXPECT_TRUE(status.out.starts_with("cbUF=24\n")) << status.out;

    const auto cadastro = console(
        {"press", "btnConsCad", "--services-ini", ini, "--answer", "sp", "--answer", "111.444.777-35"});
    ASSERT_EQ(cadastro.exitCode, 0) << cadastro.err;
    EXPECT_NE(cadastro.out.find("\nConsulta Cadastro\nversao: "), std::string::npos) << cadastro.out;

    // Cancel on the first box asks nothing; a bad key exits one with the
    // service's words.
    EXPECT_EQ(console({"press", "Consultar pela Chave", "--services-ini", ini}).out, "");
    const auto chave = console({"press", "Consultar pela Chave", "--services-ini", ini, "--answer", "123"});
    EXPECT_EQ(chave.exitCode, 1);
    EXPECT_NE(chave.err.find("Chave"), std::string::npos) << chave.err;
    EXPECT_EQ(fake.exchanges().size(), 2u);
}
