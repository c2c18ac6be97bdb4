#include "tests/support/run_command.h"
#include "tests/support/test_data.h"
#include "tests/tools/nfe_check_firebird.h"

#include <gtest/gtest.h>

using testsupport::runCommand;

// "nfse-config" on a module database holding only the settings table: what
// "store" writes, the query tool reads as flat rows; "load" shows a company
// shown after another with its own values or the defaults.
class NfeCheckNfseConfig : public NfeCheckFirebird {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("isql-fb"))
            GTEST_SKIP() << "isql-fb is not installed";
        criaBanco(kTabelaConfigGeral);
    }
};

TEST_F(NfeCheckNfseConfig, StoreWritesFlatUpperCasedRowsAndLoadShowsOnlyTheLastCompany)
{
    const auto gravado = runCommand(tool({"nfse-config", fdb, "store", "11222333000181"}),
                                    "edtSmtpHost=smtp.a.com.br\nrgVersao=200\nchkOpenDanfe=1\n"
                                    "tamanhoDafonte=8\nedtEmitRazao=Padaria d'Oeste\n");
    ASSERT_EQ(gravado.exitCode, 0) << gravado.err;
    const auto linhas =
        isql("SET LIST ON;\nSELECT COUNT(*) AS N FROM CONFIG_GERAL WHERE CNPJ = '11222333000181' "
             "AND SESSAO_REFERENCIA IS NULL AND CAMPO_REF = UPPER(CAMPO_REF);\n"
             "SELECT CAMPO_REF, CAMPO_VALOR FROM CONFIG_GERAL WHERE CAMPO_REF IN "
             "('EDTSMTPHOST', 'RGVERSAO', 'CHKOPENDANFE', 'TAMANHODAFONTE', 'EDTEMITRAZAO') "
             "ORDER BY CAMPO_REF;\n");
    ASSERT_EQ(linhas.exitCode, 0) << linhas.err;
    EXPECT_NE(linhas.out.find("N                               74\n"), std::string::npos) << linhas.out;
    EXPECT_NE(linhas.out.find("CAMPO_REF                       CHKOPENDANFE\n"
                              "CAMPO_VALOR                     1\n\n"
                              "CAMPO_REF                       EDTEMITRAZAO\n"
                              "CAMPO_VALOR                     Padaria d'Oeste\n\n"
                              "CAMPO_REF                       EDTSMTPHOST\n"
                              "CAMPO_VALOR                     smtp.a.com.br\n\n"
                              "CAMPO_REF                       RGVERSAO\n"
                              "CAMPO_VALOR                     200\n\n"
                              "CAMPO_REF                       TAMANHODAFONTE\n"
                              "CAMPO_VALOR                     8\n"),
              std::string::npos)
        << linhas.out;

    ASSERT_EQ(isql("INSERT INTO CONFIG_GERAL (CNPJ, CAMPO_REF, CAMPO_VALOR) "
                   "VALUES ('22333444000181', 'EDTSMTPUSER', 'b@loja.com.br');\nCOMMIT;\n")
                  .exitCode,
              0);
    const auto lido = runCommand(tool({"nfse-config", fdb, "load", "11222333000181", "22333444000181"}));
    ASSERT_EQ(lido.exitCode, 0) << lido.err;
    EXPECT_EQ(lido.out, testsupport::testData("tools/data/nfse_config_empresa_b.txt") + "\n");
}

TEST_F(NfeCheckNfseConfig, ErrorsExitOneWithTheMessage)
{
    const auto desconhecida = runCommand(tool({"nfse-config", fdb, "store", "1"}), "edtNada=1\n");
    EXPECT_EQ(desconhecida.exitCode, 1);
    EXPECT_NE(desconhecida.err.find("chave desconhecida: edtNada"), std::string::npos) << desconhecida.err;

    ASSERT_EQ(isql("INSERT INTO CONFIG_GERAL (CNPJ, CAMPO_REF, CAMPO_VALOR) VALUES ('3', 'RGTIPOAMB', 'x');\n"
                   "COMMIT;\n")
                  .exitCode,
              0);
    const auto indice = runCommand(tool({"nfse-config", fdb, "load", "3"}));
    EXPECT_EQ(indice.exitCode, 1);
    EXPECT_NE(indice.err.find("'0x' não é um valor inteiro válido (rgTipoAmb)"), std::string::npos)
        << indice.err;

    const auto longo =
        runCommand(tool({"nfse-config", fdb, "store", "4"}), "edtEmitRazao=" + std::string(101, 'r') + "\n");
    EXPECT_EQ(longo.exitCode, 1);
    EXPECT_NE(longo.err.find("\"edtEmitRazao\""), std::string::npos) << longo.err;
    EXPECT_NE(isql("SET LIST ON;\nSELECT COUNT(*) AS N FROM CONFIG_GERAL WHERE CNPJ = '4';\n")
                  .out.find("N                               0\n"),
              std::string::npos);
}
