#include "app/dados/dtm_nfe_grd.h"
#include "app/dados/texto_sql.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"
#include "tests/app/dados/bancos_fixture.h"

class DtmNFEGrdTest : public BancosFixture {
  protected:
    std::string externo(const std::string &sql)
    {
        modulo->dtmNFECommit();
        return consultaExterna(bancoModulo(), sql);
    }
};

TEST_F(DtmNFEGrdTest, InsertfileLeavesEmptyPairsOutAndStoresQuotesAsGiven)
{
    modulo->INSERTFILE("CEP", {"CEP_10", "", "NOM_CID", "Olho d'Água", "UF_CID", "AL", "CEP_6"});
    EXPECT_EQ(externo("SELECT NOM_CID FROM CEP WHERE UF_CID = 'AL'"), "Olho d'Água");
    EXPECT_EQ(externo("SELECT COUNT(*) FROM CEP WHERE UF_CID = 'AL' AND CEP_10 IS NULL AND CEP_6 IS NULL"),
              "1");

    modulo->INSERTFILE("CEP", {"CEP_10", "", "UF_CID", ""}); // nothing runs
    EXPECT_EQ(externo("SELECT COUNT(*) FROM CEP"), "1");
    EXPECT_THROW(modulo->INSERTFILE("CEP", {"UF_CID); DROP TABLE CEP; --", "x"}), db::DatabaseError);
}

TEST_F(DtmNFEGrdTest, UpdatefileMatrizTurnsCommasAndQuotesAndBindsTheCondition)
{
    modulo->INSERTFILE("CEP", {"CEP_10", "57000-000", "UF_CID", "AL"});
    modulo->UPDATEFILE_Matriz("CEP", "CEP_10 = ?", {"NOM_CID", "1,5 d'\"x\"", "CEP_6", ""},
                              {db::Value("57000-000")});
    EXPECT_EQ(externo("SELECT NOM_CID FROM CEP WHERE CEP_10 = '57000-000'"), "1.5 d  x ");
    EXPECT_EQ(externo("SELECT CEP_6 FROM CEP WHERE CEP_10 = '57000-000'"), "<null>");

    modulo->UPDATEFILE("CEP", "NOM_CID = ?", "CEP_10 = ?", {db::Value("São Luís"), db::Value("57000-000")});
    EXPECT_EQ(externo("SELECT NOM_CID FROM CEP WHERE CEP_10 = '57000-000'"), "São Luís");
    modulo->DeleteRegistro("CEP", "CEP_10 = ?", {db::Value("57000-000")});
    EXPECT_EQ(externo("SELECT COUNT(*) FROM CEP WHERE CEP_10 = '57000-000'"), "0");
}

TEST_F(DtmNFEGrdTest, SelectsStayOnTheirRowAndCloseOrUnknownNumbersGiveFalse)
{
    modulo->INSERTFILE("CEP", {"CEP_10", "01000-000", "NOM_CID", "São Paulo", "UF_CID", "SP"});
    modulo->INSERTFILE("CEP", {"CEP_10", "02000-000", "NOM_CID", "Guarulhos", "UF_CID", "SP"});
    ASSERT_TRUE(modulo->SelectFileOrdem("3", "CEP", "UF_CID = ?", "NOM_CID", {db::Value("SP")}));
    EXPECT_EQ(modulo->qrySelect3.campo("NOM_CID").asString(), "Guarulhos");
    EXPECT_TRUE(modulo->SelectFileOrdemCampo("1", "CEP", "UF_CID = ?", "", "CEP_10", {db::Value("SP")}));
    EXPECT_FALSE(modulo->SelectFile("2", "CEP", "UF_CID = ?", {db::Value("RJ")}));
    EXPECT_TRUE(modulo->qrySelect3.ativa());

    EXPECT_FALSE(modulo->SelectFile("4", "CEP", "1=1"));
    EXPECT_TRUE(modulo->qrySelect1.ativa());
    EXPECT_FALSE(modulo->SelectFile("close", "CEP", "1=1"));
    EXPECT_FALSE(modulo->qrySelect1.ativa() || modulo->qrySelect2.ativa() || modulo->qrySelect3.ativa());
}

TEST_F(DtmNFEGrdTest, OpenAndCloseFollowTheLogicalNames)
{
    modulo->dtmNFEOpen({"cep"});
    EXPECT_TRUE(modulo->tblCep->active());
    EXPECT_FALSE(modulo->tblConfigNFE->active() || modulo->tblDanfeNFE->active());
    modulo->dtmNFEOpen({"cep"});
    EXPECT_TRUE(modulo->tblCep->active());
    modulo->dtmNFEOpen({"All"});
    EXPECT_TRUE(modulo->tblConfigNFE->active() && modulo->tblDanfeNFE->active());
    modulo->dtmNFEClose({"DANFENFE"});
    EXPECT_FALSE(modulo->tblDanfeNFE->active());
    EXPECT_TRUE(modulo->tblConfigNFE->active());
    EXPECT_TRUE(dialogos->shown.empty());
}

TEST_F(DtmNFEGrdTest, ConfigNFEThatCannotBeOpenedIsToldAndTheOtherTablesStillOpen)
{
    executaComCommit(bancoModulo(), "ALTER TABLE CONFIGNFE DROP CNPJ_ATIVO");
    modulo->dtmConectBanco(false);
    modulo->dtmNFEOpen({"ALL"});
    EXPECT_FALSE(modulo->tblConfigNFE->active());
    EXPECT_TRUE(modulo->tblCep->active());
    ASSERT_EQ(dialogos->shown.size(), 1u);
    EXPECT_NE(dialogos->shown[0].find(TdtmNFE_grd::kErroConfigNFE), std::string::npos);
    executaComCommit(bancoModulo(), "ALTER TABLE CONFIGNFE ADD CNPJ_ATIVO VARCHAR(1)");
}

TEST_F(DtmNFEGrdTest, FailedCommitRollsBackTellsAndKeepsWorkingInTheSameTransaction)
{
    executaComCommit(bancoModulo(), "CREATE TABLE FALHA (X INTEGER)");
    executaComCommit(bancoModulo(), "CREATE EXCEPTION RECUSA 'commit recusado'");
    executaComCommit(bancoModulo(), "CREATE TRIGGER RECUSA_COMMIT ON TRANSACTION COMMIT AS BEGIN "
                                    "IF (EXISTS(SELECT 1 FROM FALHA)) THEN EXCEPTION RECUSA; END");
    modulo->dtmConectBanco(false);
    ASSERT_TRUE(modulo->dtmConectBanco(true));

    modulo->INSERTFILE("CEP", {"CEP_10", "perdido"});
    modulo->INSERTFILE("FALHA", {"X", "1"});
    EXPECT_FALSE(modulo->dtmNFECommit());
    ASSERT_EQ(dialogos->shown.size(), 1u);
    EXPECT_NE(dialogos->shown[0].find(kMensagemCommitFalhou), std::string::npos);
    EXPECT_TRUE(modulo->ibtNFE->active());

    modulo->INSERTFILE("CEP", {"CEP_10", "mantido"});
    EXPECT_TRUE(modulo->dtmNFECommit());
    EXPECT_EQ(
        consultaExterna(bancoModulo(), "SELECT COUNT(*) FROM CEP WHERE CEP_10 IN ('perdido', 'mantido')"),
        "1");
    EXPECT_EQ(consultaExterna(bancoModulo(), "SELECT CEP_10 FROM CEP WHERE CEP_10 = 'mantido'"), "mantido");
    modulo->dtmConectBanco(false);
    executaComCommit(bancoModulo(), "DROP TRIGGER RECUSA_COMMIT");
}

TEST_F(DtmNFEGrdTest, GeneratorAdvancesByOneAndRegimeReadsTheFirstEmitter)
{
    executaComCommit(bancoModulo(), "CREATE GENERATOR GERA_TESTE");
    modulo->dtmConectBanco(false);
    modulo->dtmConectBanco(true);
    EXPECT_EQ(modulo->BuscaGerador("GERA_TESTE"), 1);
    EXPECT_EQ(modulo->BuscaGerador("GERA_TESTE"), 2);
    EXPECT_THROW(modulo->BuscaGerador("GERA_TESTE,1) from rdb$database --"), db::DatabaseError);

    EXPECT_EQ(modulo->RegimeTributacao(), 0);
    modulo->INSERTFILE("CONFIGNFE", {"NOM_EMI", "Emitente", "COD_REG_TRIB", "3"});
    EXPECT_EQ(modulo->RegimeTributacao(), 3);
    EXPECT_FALSE(modulo->qrySelect1.ativa());
}

TEST_F(DtmNFEGrdTest, ConnectingTwiceKeepsTheTransactionAndABadFileIsTold)
{
    db::Transaction *antes = modulo->ibtNFE.get();
    EXPECT_TRUE(modulo->dtmConectBanco(true));
    EXPECT_EQ(modulo->ibtNFE.get(), antes);

    modulo->setDatabaseName(pastaIni() + "naoexiste.kvl");
    EXPECT_FALSE(modulo->dtmConectBanco(true));
    // The box names the missing file.
    ASSERT_EQ(dialogos->shown.size(), 1u);
    EXPECT_EQ(dialogos->shown[0], std::string("Atenção: ") + TdtmNFE_grd::kErroConexao +
                                      "\r\nBanco de dados não encontrado: " + pastaIni() + "naoexiste.kvl");
    EXPECT_THROW(modulo->SelectFile("1", "CEP", "1=1"), db::DatabaseError);
}

// Where the module database is, from the PATHIB rows of the management one.
TEST_F(DtmNFEGrdTest, LocationComesFromTheCompanyZeroRowItself)
{
    // clang-format off
    const struct { const char *servidor, *path, *esperado; } casos[] = {
        {"",           "/dados/nfe/",         "/dados/nfe/DanfeNFE.kvl"},
        {"",           "/dados/NOTAS.gdb",    "/dados/NOTAS.gdb"},
        {"servidor:",  "C:\\KVL\\DANFE.KVL",  "servidor:C:\\KVL\\DANFE.KVL"},
    };
    // clang-format on
    // Another company's row of the same alias names a file: it must not decide.
    gerencia->INSERTFILE(
        "PATHIB", {"ALIAS_IB", "IB_DANFE_NFE", "SERVIDOR_IB", "", "PATH_IB", "/outra/X.GDB", "COD_EMP", "7"});
    for (const auto &caso : casos) {
        gerencia->UPDATEFILE("PATHIB", "SERVIDOR_IB = ?, PATH_IB = ?", "ALIAS_IB = ? AND COD_EMP = 0",
                             {db::Value(caso.servidor), db::Value(caso.path), db::Value("IB_DANFE_NFE")});
        TdtmNFE_grd outro(*gerencia);
        EXPECT_EQ(outro.DatabaseName(), caso.esperado);
        EXPECT_FALSE(outro.conectado());
        EXPECT_TRUE(outro.Iniciado);
    }
    gerencia->ibtGerencia->rollbackRetaining();

    // A long alias is looked up by its first 15 characters; a missing one is told.
    gerencia->INSERTFILE("PATHIB", {"ALIAS_IB", "IB_ALIAS_LONGO1", "PATH_IB", "/longo/", "COD_EMP", "0"});
    EXPECT_EQ(modulo->LoadPathIb("ib_alias_longo1_e_mais"), "/longo/");
    gerencia->ibtGerencia->rollbackRetaining();
    EXPECT_EQ(modulo->LoadPathIb("IB_OUTRO"), "");
    ASSERT_EQ(dialogos->shown.size(), 1u);
    EXPECT_NE(dialogos->shown[0].find("Alias =IB_OUTRO para COD_EMP=0 não localizado."), std::string::npos);
    EXPECT_EQ(modulo->LoadExtensao("IB_DANFE_NFE"), ".KVL");
}
