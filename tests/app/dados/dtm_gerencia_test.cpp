#include "app/dados/dtm_gerencia.h"
#include "app/dados/selecao_empresa.h"
#include "app/db/db_error.h"
#include "foundation/files/ini_file.h"
#include "tests/app/dados/bancos_fixture.h"

class DtmGerenciaTest : public BancosFixture {
  protected:
    std::string externo(const std::string &sql)
    {
        gerencia->dtmGerenciaCommit();
        return consultaExterna(bancoGerencia(), sql);
    }
};

TEST_F(DtmGerenciaTest, CreationOpensTheTablesAndCopiesTheOneCompanyWithoutAsking)
{
    EXPECT_EQ(gerencia->DatabaseName(), bancoGerencia());
    EXPECT_TRUE(gerencia->tblUsuarios->active() && gerencia->tblPathIb->active());
    EXPECT_EQ(gerencia->tblEmpresa.recordCount(), 1u);
    EXPECT_EQ(gerencia->tblEmpresa.field("NOME").asString(), "Padaria São João");
    EXPECT_EQ(gerencia->tblEmpresaMulti.field("Cidade").asString(), "Santos");
    EXPECT_EQ(externo("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'CONFIG_GERAL'"), "1");
    // A second connect does nothing; CONFIG_GERAL is not created again.
    gerencia->dtmConectBanco(true);
    gerencia->dtmGerenciaClose();
    EXPECT_FALSE(gerencia->conectado());
    gerencia->dtmGerenciaOpen();
    EXPECT_TRUE(gerencia->tblEmpresaHD->active());
}

TEST_F(DtmGerenciaTest, SeveralCompaniesAskTheChooserOnceUnlessTheLoginChoseOne)
{
    executaComCommit(bancoGerencia(), "INSERT INTO EMPRESA (CODIGO, NOME) VALUES (2, 'Armazém Zeta')");
    executaComCommit(bancoGerencia(), "INSERT INTO EMPRESA (CODIGO, NOME) VALUES (3, 'Bazar Alfa')");
    int vezes = 0;
    instalaSelecaoEmpresa([&](TfrmSelectEmpresa &tela) {
        ++vezes;
        tela.empresas().locate("CODIGO", db::Value(3));
        tela.DBGrid1KeyPress('\r');
    });
    {
        TdtmGerencia escolhida(pastaIni());
        EXPECT_EQ(vezes, 1);
        EXPECT_EQ(escolhida.tblEmpresa.field("NOME").asString(), "Bazar Alfa");
        EXPECT_EQ(escolhida.tblEmpresaMulti.field("nome").asString(), "Armazém Zeta"); // ordered by name
    }
    {
        TdtmGerencia doLogin(pastaIni(), 1);
        EXPECT_EQ(vezes, 1);
        EXPECT_EQ(doLogin.tblEmpresa.field("CODIGO").asInteger(), 1);
    }
    instalaSelecaoEmpresa({});
    gerencia.reset();
    modulo.reset();
    executaComCommit(bancoGerencia(), "DELETE FROM EMPRESA WHERE CODIGO > 1");
}

TEST_F(DtmGerenciaTest, InsertfileTurnsCommasAndQuotesAndKeepsEmptyValues)
{
    gerencia->INSERTFILE("REGISTRO", {"NROSERIE", "1,50", "DESCRICAO", "d'água", "CAMPO_AUX1", ""});
    EXPECT_EQ(externo("SELECT DESCRICAO FROM REGISTRO WHERE NROSERIE = '1.50'"), "d água");
    EXPECT_EQ(externo("SELECT CAMPO_AUX1 FROM REGISTRO WHERE NROSERIE = '1.50'"), "");
    EXPECT_THROW(gerencia->INSERTFILE("REGISTRO", {}), db::DatabaseError);
}

TEST_F(DtmGerenciaTest, KeyValueStoreCutsAndKeepsTheValueTheSameOnEveryWrite)
{
    const std::string chave(40, 'k');
    const std::string senha = "se,nha'x" + std::string(150, 'p');
    gerencia->Grava_Valor_Referencia(chave, senha);
    EXPECT_EQ(gerencia->Busca_Valor_Referencia(std::string(30, 'K')), senha.substr(0, 100));
    gerencia->Grava_Valor_Referencia(chave, "outra,senha'");
    EXPECT_EQ(gerencia->Busca_Valor_Referencia(std::string(30, 'k')), "outra,senha'");
    EXPECT_EQ(externo("SELECT COUNT(*) FROM CONFIG_GERAL WHERE CAMPO_REF = '" + std::string(30, 'K') + "'"),
              "1");
    EXPECT_EQ(gerencia->Busca_Valor_Referencia("NAO_EXISTE"), "");
}

TEST_F(DtmGerenciaTest, PathIbPicksTheDefaultFileUnlessItNamesOne)
{
    const std::string ini = pastaIni() + "KVLAplic.ini";
    // clang-format off
    const struct { std::string path, esperado; } casos[] = {
        {pastaIni(),                  pastaIni() + "GERENCIA.KVL"},
        {pastaIni() + "gerencia.kvl", pastaIni() + "gerencia.kvl"},
    };
    // clang-format on
    for (const auto &caso : casos) {
        IniFile(ini).WriteString("IBGERENCIA", "PATH IB", caso.path);
        try {
            TdtmGerencia outra(pastaIni());
            EXPECT_EQ(outra.DatabaseName(), caso.esperado);
        } catch (const db::DatabaseError &e) {
            // No file at the default name: the error names it.
            EXPECT_EQ(caso.esperado, pastaIni() + "GERENCIA.KVL");
            EXPECT_NE(std::string(e.what()).find("GERENCIA.KVL"), std::string::npos) << e.what();
        }
    }
    IniFile(ini).WriteString("IBGERENCIA", "PATH IB", bancoGerencia());
}
