#include "tests/support/run_command.h"
#include "tests/tools/nfe_check_firebird.h"

#include <gtest/gtest.h>

using testsupport::runCommand;

namespace {

// A module database without CEP; the step creates the table.
class NfeCheckCep : public NfeCheckFirebird {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("isql-fb"))
            GTEST_SKIP() << "isql-fb is not installed";
        criaBanco(std::string(kTabelaConfigGeral) + "CREATE TABLE GERADOR (CODIGO INTEGER);\n");
    }
    // `n` lines: inserts into CEP, every tenth a comment line that is skipped.
    static std::string linhas(int n)
    {
        std::string texto;
        for (int i = 1; i <= n; ++i)
            texto += i % 10 == 0 ? "-- bloco " + std::to_string(i) + "\r\n"
                                 : "insert into CEP (CEP_10, NOM_CID, UF_CID) values ('" + std::to_string(i) +
                                       "', 'SANTA B\xC1RBARA D''OESTE', 'SP');\r\n";
        return texto;
    }
    std::string conta(const std::string &condicao = "1=1")
    {
        const auto r = isql("SET HEADING OFF;\nSELECT COUNT(*) FROM CEP WHERE " + condicao + ";\n");
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return std::string(trimmed(r.out));
    }
    static std::string_view trimmed(std::string_view s)
    {
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
            s.remove_prefix(1);
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
            s.remove_suffix(1);
        return s;
    }
};

TEST_F(NfeCheckCep, ALongFileCommitsEveryFiveHundredLinesAndAtTheEnd)
{
    const std::string arquivo = dir.write("cidades.SQL", linhas(1200)).string();
    const auto r = runCommand(tool({"cep-import", fdb, arquivo}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "linhas importadas: 1080\ncommits: 3\n");
    EXPECT_EQ(conta("NOM_CID = 'SANTA BÁRBARA D''OESTE'"), "1080");
}

TEST_F(NfeCheckCep, AHostileLineStopsTheImportWithItsNumberAndEarlierCommitsStay)
{
    std::string texto = linhas(1200);
    std::string::size_type pos = 0;
    for (int i = 0; i < 700; ++i)
        pos = texto.find('\n', pos) + 1;
    texto.insert(pos, "INSERT INTO CEP (NOM_CID) VALUES ('X'); DELETE FROM CONFIG_GERAL\r\n");
    const std::string arquivo = dir.write("cidades.sql", texto).string();
    const auto r = runCommand(tool({"cep-import", fdb, arquivo}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cidades.sql, linha 701: comando não aceito"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "linhas importadas: 630\ncommits: 1\n");
    // Lines 1-500 were committed; 501-700 were not.
    EXPECT_EQ(conta(), "450");
}

} // namespace
