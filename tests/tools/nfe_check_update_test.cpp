#include "tests/support/run_command.h"
#include "tests/tools/nfe_check_firebird.h"

#include <gtest/gtest.h>

using testsupport::runCommand;

// "update" on a module database holding only the counter and the tables the
// last steps alter: the due steps apply, a failing step stops the run with
// exit 1 and keeps the counter, and the next run picks up from there.
class NfeCheckUpdate : public NfeCheckFirebird {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("isql-fb"))
            GTEST_SKIP() << "isql-fb is not installed";
        criaBanco("CREATE TABLE GERADOR (CODIGO INTEGER);\n"
                  "CREATE TABLE NOTAS_TOTAIS (ID INTEGER);\n"
                  "CREATE GENERATOR CONTROLA_ATUALIZACAO_NFE_40;\n"
                  "SET GENERATOR CONTROLA_ATUALIZACAO_NFE_40 TO 95;\n"
                  "COMMIT;\n");
    }

    std::string contador() const
    {
        return isql("SET LIST ON;\nSELECT GEN_ID(CONTROLA_ATUALIZACAO_NFE_40, 0) AS N FROM RDB$DATABASE;\n")
            .out;
    }
};

TEST_F(NfeCheckUpdate, AFailedStepStopsTheRunAndTheNextRunResumesAtIt)
{
    // Step 96 alters NOTAS_ITEM_IMP, which is missing.
    const auto falha = runCommand(tool({"update", fdb}));
    EXPECT_EQ(falha.exitCode, 1);
    EXPECT_EQ(falha.out, "Atualizacoes executadas = \n");
    EXPECT_EQ(falha.err.rfind("step 96: ", 0), 0u) << falha.err;
    EXPECT_NE(contador().find("95"), std::string::npos);

    ASSERT_EQ(isql("CREATE TABLE NOTAS_ITEM_IMP (ID INTEGER);\nCOMMIT;\n").exitCode, 0);
    const auto aplicada = runCommand(tool({"update", fdb}));
    EXPECT_EQ(aplicada.exitCode, 0) << aplicada.err;
    EXPECT_EQ(aplicada.out, "Atualizacoes executadas =  096, 097,\n");
    EXPECT_NE(contador().find("97"), std::string::npos);

    const auto nada = runCommand(tool({"update", fdb}));
    EXPECT_EQ(nada.exitCode, 0) << nada.err;
    EXPECT_EQ(nada.out, "Atualizacoes executadas = \n");
}

TEST_F(NfeCheckUpdate, AMissingDatabaseExitsOneWithAMessage)
{
    const auto semBanco = runCommand(tool({"update", (dir / "outro.kvl").string()}));
    EXPECT_EQ(semBanco.exitCode, 1);
    EXPECT_FALSE(semBanco.err.empty());
    EXPECT_TRUE(semBanco.out.empty());
}
