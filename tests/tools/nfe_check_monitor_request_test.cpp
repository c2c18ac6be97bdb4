#include "tests/support/run_command.h"
#include "tests/support/test_data.h"
#include "tests/tools/nfe_check_firebird.h"

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::runCommand;

namespace {

// A module database with the emitter of the golden documents, and the
// staged notes with the city list beside them.
class NfeCheckMonitorRequest : public NfeCheckFirebird {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("isql-fb"))
            GTEST_SKIP() << "isql-fb is not installed";
        criaBanco(
            std::string(kTabelaConfigGeral) +
            "CREATE TABLE CONFIGNFE ( NOM_EMI VARCHAR(60), FAN_EMI VARCHAR(60), END_EMI VARCHAR(60), "
            "NRO_END_EMI VARCHAR(10), BAI_EMI VARCHAR(60), COD_MUN_EMI INTEGER, MUN_EMI VARCHAR(60), "
            "COD_UF_EMI INTEGER, UF_EMI VARCHAR(2), CEP_EMI VARCHAR(10), COD_PAIS_EMI INTEGER, PAIS_EMI "
            "VARCHAR(30), FONE_EMI VARCHAR(20), CNPJ_EMI VARCHAR(18), CPF_EMI VARCHAR(14), IE_EMI "
            "VARCHAR(20), IE_SUBST_EMI VARCHAR(20), IM_EMI VARCHAR(20), CNAE_EMI VARCHAR(7), "
            "ENVIA_EMAIL VARCHAR(1), PATH_COMUNICACAO VARCHAR(80), VERSAO_APL_NFE VARCHAR(20), "
            "TIPO_IMP_DANF VARCHAR(1), COMPL_EMI VARCHAR(60), TIPO_EMI VARCHAR(1), PATH_PRINT_1 "
            "VARCHAR(50), PATH_PRINT_2 VARCHAR(50), PATH_PRINT_3 VARCHAR(50), CONTINGENCIA INTEGER, "
            "CST_VENDA VARCHAR(3), CST_COMPRA VARCHAR(3), TIPO_PC_COMPRA VARCHAR(15), TIPO_PC_VENDA "
            "VARCHAR(15), ALIQUOTA_PIS DECIMAL(18,2), ALIQUOTA_COFINS DECIMAL(18,2), TIPO_EMISSOR "
            "VARCHAR(10), COD_REG_TRIB INTEGER, NRO_COPIAS1 INTEGER, NRO_COPIAS2 INTEGER, LIST_PRINT "
            "BLOB SUB_TYPE TEXT SEGMENT SIZE 80);\n"
            "ALTER TABLE CONFIGNFE ADD CNPJ_ATIVO VARCHAR(1);\n"
            "CREATE TABLE CEP (CEP_10 VARCHAR(10), CEP_6 VARCHAR(6), NOM_CID VARCHAR(30), UF_CID "
            "VARCHAR(2));\n"
            "INSERT INTO CONFIGNFE (NOM_EMI, FAN_EMI, END_EMI, NRO_END_EMI, BAI_EMI, COD_MUN_EMI, MUN_EMI, "
            "COD_UF_EMI, UF_EMI, CEP_EMI, COD_PAIS_EMI, PAIS_EMI, FONE_EMI, CNPJ_EMI, CPF_EMI, IE_EMI, "
            "IE_SUBST_EMI, IM_EMI, CNAE_EMI, TIPO_IMP_DANF, COMPL_EMI, TIPO_EMI, COD_REG_TRIB, NRO_COPIAS2) "
            "VALUES ('EMITENTE EXEMPLO LTDA', 'EXEMPLO', 'AV PAULISTA', '1000', "
            "'BELA VISTA', 3550308, 'SAO PAULO', 35, 'SP', '01310-100', 1058, 'BRASIL', '(11) 4000-1000', "
            "'11.222.333/0001-81', '', '111.111.111.111', '', '12345', '4711-3', '1', 'SALA 1', 'J', 3, 0);\n"
            "COMMIT;\n");
        for (const char *arquivo : {"notas.json", "Tabela_Cidades_IBGE.txt"})
            std::filesystem::copy_file(testsupport::sourceDir() / "tests/data/monitor_client" / arquivo,
                                       dir / arquivo);
    }
    std::string notas() const { return (dir / "notas.json").string(); }
};

TEST_F(NfeCheckMonitorRequest, WritesTheNoteDocumentAsTheFileBytes)
{
    const auto r =
        runCommand(tool({"monitor-request", fdb, notas(), "--note", "1", "--now", "2024-03-07T10:20:30"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, testsupport::testBytes("data/monitor_client/cnpj_prazo_volume_da_nota.txt"));
}

TEST_F(NfeCheckMonitorRequest, ABadDateNamesTheNoteAndTheFieldAndWritesNothing)
{
    std::string texto = testsupport::testData("data/monitor_client/notas.json");
    texto.replace(texto.find("07/03/2024"), 10, "00/00/0000");
    dir.write("ruim.json", texto);
    const auto r = runCommand(tool({"monitor-request", fdb, (dir / "ruim.json").string(), "--note", "1"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Nota Fiscal 000123 nao Gerada\n'00/00/0000' não é uma data válida (Dat_emi_not)\n");
}

TEST_F(NfeCheckMonitorRequest, RefusedStagedNotesAndWrongArgumentsExitTwo)
{
    dir.write("longo.json", R"({"tblNotas": [{"nota": 1}, {"nota": 2, "uf_ent": "SPX"}]})");
    auto r = runCommand(tool({"monitor-request", fdb, (dir / "longo.json").string()}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "tblNotas, linha 2, campo uf_ent: texto com 3 caracteres (maximo 2)\n");
    r = runCommand(tool({"monitor-request", fdb}));
    EXPECT_EQ(r.exitCode, 2);
}

} // namespace
