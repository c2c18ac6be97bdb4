#include "tests/support/run_command.h"
#include "tests/tools/nfe_check_firebird.h"

#include <gtest/gtest.h>

using testsupport::runCommand;

// What "settings set" writes, the query tool reads as the store's row, and
// the reverse.
class NfeCheckSettings : public NfeCheckFirebird {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("isql-fb"))
            GTEST_SKIP() << "isql-fb is not installed";
        criaBanco(kTabelaConfigGeral);
    }
};

TEST_F(NfeCheckSettings, WhatTheVerbWritesTheQueryToolReadsAndTheReverse)
{
    ASSERT_EQ(runCommand(tool({"settings", fdb, "set", "12'3", "Seção", "Chave d'Água", "Valor 'ç' \"x\""}))
                  .exitCode,
              0);
    ASSERT_EQ(runCommand(tool({"settings", fdb, "set", "", "-", "vazio", ""})).exitCode, 0);
    const auto lido = isql("SET LIST ON;\nSELECT CNPJ, SESSAO_REFERENCIA, CAMPO_REF, CAMPO_VALOR, "
                           "CAMPO_VALOR IS NULL AS NULO FROM CONFIG_GERAL ORDER BY CAMPO_REF;\n");
    ASSERT_EQ(lido.exitCode, 0) << lido.err;
    EXPECT_NE(lido.out.find("CNPJ                            12'3\n"
                            "SESSAO_REFERENCIA               SEÇÃO\n"
                            "CAMPO_REF                       CHAVE D'ÁGUA\n"
                            "CAMPO_VALOR                     Valor 'ç' \"x\"\n"),
              std::string::npos)
        << lido.out;
    EXPECT_NE(lido.out.find("CNPJ                            \n"
                            "SESSAO_REFERENCIA               <null>\n"
                            "CAMPO_REF                       VAZIO\n"
                            "CAMPO_VALOR                     <null>\n"
                            "NULO                            <true>\n"),
              std::string::npos)
        << lido.out;

    ASSERT_EQ(isql("INSERT INTO CONFIG_GERAL (CNPJ, CAMPO_REF, SESSAO_REFERENCIA, CAMPO_VALOR, CAMPO_MEMO) "
                   "VALUES ('9', 'RAZAOSOCIAL', 'EMITENTE', 'Sé d''Ouro', 'memo longo');\nCOMMIT;\n")
                  .exitCode,
              0);
    EXPECT_EQ(runCommand(tool({"settings", fdb, "get", "9", "emitente", "razaoSocial"})).out, "Sé d'Ouro\n");
    EXPECT_EQ(runCommand(tool({"settings", fdb, "get", "9", "Emitente", "RazaoSocial", "Campo_memo"})).out,
              "memo longo\n");
    EXPECT_EQ(runCommand(tool({"settings", fdb, "get", "9", "-", "RazaoSocial"})).out, "Sé d'Ouro\n");
}

TEST_F(NfeCheckSettings, ErrorsExitOneWithTheLayersMessage)
{
    const auto longo = runCommand(tool({"settings", fdb, "set", "1", "Geral", "k", std::string(101, 'v')}));
    EXPECT_EQ(longo.exitCode, 1);
    EXPECT_FALSE(longo.err.empty());
    const auto coluna = runCommand(tool({"settings", fdb, "get", "1", "Geral", "k", "CNPJ"}));
    EXPECT_EQ(coluna.exitCode, 1);
    EXPECT_NE(coluna.err.find("Coluna de configuração desconhecida"), std::string::npos) << coluna.err;
    const auto semBanco = runCommand(tool({"settings", (dir / "nada.kvl").string(), "get", "1", "-", "k"}));
    EXPECT_EQ(semBanco.exitCode, 1);
    EXPECT_NE(semBanco.err.find("Banco de dados não encontrado"), std::string::npos) << semBanco.err;
}
