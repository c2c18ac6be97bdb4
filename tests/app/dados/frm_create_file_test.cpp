#include "app/dados/dtm_nfe_2.h"
#include "app/dados/esquema_base.h"
#include "app/dados/frm_create_file.h"
#include "app/dados/passos_atualizacao.h"
#include "app/db/catalogue.h"
#include "app/db/database.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "tests/app/dados/bancos_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include "tests/support/child_process.h"
#include "tests/support/run_command.h"

namespace {

std::atomic<int> contador{0};

// The list of every step but the one left out.
std::string listaSem(int excluido, int acima = 0)
{
    std::string lista;
    for (const PassoAtualizacao &p : passosAtualizacao())
        if (p.numero != excluido && p.numero > acima)
            lista += " " + std::string(p.numero < 10 ? "00" : "0") + std::to_string(p.numero) + ",";
    return lista;
}

// The catalogue of a database as lines, in a fixed order: one per column
// ("TABLE.COLUMN TYPE"), index ("INDEX NAME ON TABLE (COLUMNS)") and
// generator ("GENERATOR NAME").
std::vector<std::string> catalogo(const std::string &banco)
{
    db::Database conexao = db::Database::attach(banco);
    db::Transaction t(conexao);
    std::vector<std::string> linhas;
    {
        db::Statement colunas(t,
                              "SELECT TRIM(RF.RDB$RELATION_NAME), TRIM(RF.RDB$FIELD_NAME), F.RDB$FIELD_TYPE, "
                              "F.RDB$CHARACTER_LENGTH, F.RDB$FIELD_SUB_TYPE, F.RDB$SEGMENT_LENGTH, "
                              "CAST(RF.RDB$DEFAULT_SOURCE AS VARCHAR(100)) FROM RDB$RELATION_FIELDS RF "
                              "JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = RF.RDB$RELATION_NAME "
                              "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
                              "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 ORDER BY 1, RF.RDB$FIELD_POSITION");
        db::Cursor c = colunas.open();
        while (c.next()) {
            std::string tipo;
            switch (c.at(2).asInteger()) {
            case 8:
                tipo = "INTEGER";
                break;
            case 12:
                tipo = "DATE";
                break;
            case 37:
                tipo = "VARCHAR(" + c.at(3).asString() + ")";
                break;
            case 261:
                tipo = "BLOB SUB_TYPE " + c.at(4).asString() + " SEGMENT SIZE " + c.at(5).asString();
                break;
            default:
                tipo = "TYPE " + c.at(2).asString();
            }
            if (!c.at(6).isNull())
                tipo += " " + c.at(6).asString();
            linhas.push_back(c.at(0).asString() + "." + c.at(1).asString() + " " + tipo);
        }
    }
    {
        db::Statement indices(t,
                              "SELECT TRIM(I.RDB$INDEX_NAME), TRIM(I.RDB$RELATION_NAME), "
                              "TRIM(S.RDB$FIELD_NAME) FROM RDB$INDICES I JOIN RDB$INDEX_SEGMENTS S "
                              "ON S.RDB$INDEX_NAME = I.RDB$INDEX_NAME WHERE COALESCE(I.RDB$SYSTEM_FLAG, 0) "
                              "= 0 ORDER BY 2, 1, S.RDB$FIELD_POSITION");
        db::Cursor c = indices.open();
        std::string atual, linha;
        while (c.next()) {
            if (c.at(0).asString() != atual) {
                if (!linha.empty())
                    linhas.push_back(linha + ")");
                atual = c.at(0).asString();
                linha = "INDEX " + atual + " ON " + c.at(1).asString() + " (" + c.at(2).asString();
            } else {
                linha += ", " + c.at(2).asString();
            }
        }
        if (!linha.empty())
            linhas.push_back(linha + ")");
    }
    {
        db::Statement geradores(t, "SELECT TRIM(RDB$GENERATOR_NAME) FROM RDB$GENERATORS "
                                   "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY 1");
        db::Cursor c = geradores.open();
        while (c.next())
            linhas.push_back("GENERATOR " + c.at(0).asString());
    }
    t.commit();
    return linhas;
}

// The lines of `depois` that `antes` does not hold, in their order.
std::vector<std::string> acrescimos(const std::vector<std::string> &antes,
                                    const std::vector<std::string> &depois)
{
    const std::set<std::string> jaHavia(antes.begin(), antes.end());
    std::vector<std::string> novas;
    for (const std::string &linha : depois)
        if (!jaHavia.contains(linha))
            novas.push_back(linha);
    return novas;
}

} // namespace

class AtualizadorTest : public BancosFixture {
  protected:
    // A new module database with the base schema; without the counter and
    // with the staged tables of steps 01-39 when `legado`.
    std::string novoBanco(bool legado)
    {
        const std::string nome = pastaIni() + "upd" + std::to_string(++contador) + ".kvl";
        db::Database banco = db::Database::create(nome);
        db::Transaction t(banco);
        criaEsquema(t, esquemaBaseModulo());
        if (legado) {
            for (const PassoAtualizacao &p : passosAtualizacao())
                if (p.numero < 40)
                    for (const ParteAtualizacao &parte : p.partes)
                        criaEsquema(t, {parte.comandos.begin(), parte.comandos.end()});
            criaEsquema(t, {"DROP GENERATOR CONTROLA_ATUALIZACAO_NFE_40"});
        }
        t.commit();
        modulo->setDatabaseName(nome);
        EXPECT_TRUE(modulo->dtmConectBanco(true));
        return nome;
    }

    static int contadorDe(const std::string &banco)
    {
        return std::stoi(
            consultaExterna(banco, "SELECT GEN_ID(CONTROLA_ATUALIZACAO_NFE_40, 0) FROM RDB$DATABASE"));
    }
    static std::string segmento(const std::string &banco, const char *tabela)
    {
        return consultaExterna(banco,
                               std::string("SELECT F.RDB$SEGMENT_LENGTH FROM RDB$RELATION_FIELDS R JOIN "
                                           "RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE WHERE "
                                           "R.RDB$RELATION_NAME = '") +
                                   tabela + "' AND R.RDB$FIELD_NAME = 'TXT_NOTA'");
    }
    static std::string conta(const std::string &banco, const std::string &sql)
    {
        return consultaExterna(banco, "SELECT COUNT(*) FROM " + sql);
    }
};

TEST_F(AtualizadorTest, FromZeroAppliesEveryStepButTheSecondTxtTableAndASecondRunNothing)
{
    const std::string banco = novoBanco(false);
    executaComCommit(banco, "INSERT INTO CONFIGNFE (NOM_EMI, CNPJ_EMI) VALUES ('A', '11.222.333/0001-81')");
    TfrmCreateFile tela(*modulo);
    tela.Executa_as_Atiualizacao();
    ASSERT_FALSE(tela.Falha) << tela.Falha->mensagem;
    EXPECT_EQ(tela.AtualizacoesExecutadas, listaSem(78));
    EXPECT_EQ(contadorDe(banco), 97);
    EXPECT_EQ(segmento(banco, "NOTAS_TXT"), "2000");
    EXPECT_EQ(consultaExterna(banco, "SELECT CNPJ_ATIVO FROM CONFIGNFE"), "T");
    EXPECT_EQ(conta(banco, "CONFIG_GERAL WHERE CAMPO_REF = 'PODE_ATUALIZAR_WEB'"), "1");

    tela.Executa_as_Atiualizacao();
    EXPECT_EQ(tela.AtualizacoesExecutadas, "");
    EXPECT_FALSE(tela.Falha);

    tela.btnAtualizaClick();
    EXPECT_EQ(dialogos->shown.back(), "Informação: Atualizacoes executadas = ");

    // The staged-invoice tables all open on the updated database.
    TdtmNFE_2 notas(*modulo);
    notas.dtmNFEOpen({"Notas_Cab"});
    EXPECT_EQ(notas.tabela("tblNotascab"), nullptr);
    notas.dtmNFEOpen({"all"});
    for (const auto &t : TdtmNFE_2::tabelas())
        EXPECT_NE(notas.tabela(t.componente), nullptr) << t.componente;
    notas.dtmNFEClose({"NOTAScab"});
    EXPECT_EQ(notas.tabela("tblNotascab"), nullptr);
    EXPECT_NE(notas.tabela("tblNotas"), nullptr);
}

TEST_F(AtualizadorTest, WithoutTheCounterStartsAt70AndTheSecondTxtTableHasSegment80)
{
    const std::string banco = novoBanco(true);
    executaComCommit(banco, "INSERT INTO NOTAS_CCE (ID_NOTA, VALORNOVO) VALUES (1, 'Rua Nova')");
    TfrmCreateFile tela(*modulo);
    tela.Executa_as_Atiualizacao();
    ASSERT_FALSE(tela.Falha) << tela.Falha->mensagem;
    EXPECT_EQ(tela.AtualizacoesExecutadas, listaSem(0, 70));
    EXPECT_EQ(segmento(banco, "NOTAS_TXT"), "80");
    EXPECT_EQ(segmento(banco, "NOTAS_TXT_RET"), "80");
    EXPECT_EQ(consultaExterna(banco, "SELECT VLR_NEW_MEMO FROM NOTAS_CCE"), "Rua Nova");
    EXPECT_EQ(conta(banco, "CONFIG_GERAL WHERE CAMPO_REF = 'NOTAS_CCE_AT_01'"), "1");
    // Step 90 run again keeps a single marker row; step 92 copies only once.
    executaComCommit(banco, "INSERT INTO NOTAS_CCE (ID_NOTA, VALORNOVO) VALUES (2, 'Depois')");
    executaComCommit(banco, "SET GENERATOR CONTROLA_ATUALIZACAO_NFE_40 TO 89");
    tela.Executa_as_Atiualizacao();
    EXPECT_EQ(tela.AtualizacoesExecutadas, " 090,");
    EXPECT_EQ(conta(banco, "CONFIG_GERAL WHERE CAMPO_REF = 'PODE_ATUALIZAR_WEB'"), "1");
    EXPECT_EQ(conta(banco, "NOTAS_CCE WHERE VLR_NEW_MEMO IS NULL"), "1");
}

TEST_F(AtualizadorTest, AlreadyExistingObjectsAreSkippedSilentlyAndRunsGoOn)
{
    // Each engine message meets "already exists": table, column, index, generator.
    const std::string banco = novoBanco(true);
    for (const char *sql :
         {"CREATE TABLE NOTAS_PAG (ID_NOTA INTEGER)", "ALTER TABLE NOTAS_ITEM ADD CBENEF VARCHAR(10)",
          "CREATE INDEX NOTAS_OBS_C ON NOTAS_OBS (ID_NOTA)"})
        executaComCommit(banco, sql);
    TfrmCreateFile tela(*modulo);
    tela.Executa_as_Atiualizacao();
    ASSERT_FALSE(tela.Falha) << tela.Falha->mensagem;
    EXPECT_EQ(tela.AtualizacoesExecutadas.find("075"), std::string::npos);
    EXPECT_EQ(tela.AtualizacoesExecutadas.find("089"), std::string::npos);
    EXPECT_NE(tela.AtualizacoesExecutadas.find("097"), std::string::npos);
    // Step 75 was undone whole: its columns of NOTAS_TOTAIS are not there.
    db::Transaction t(*modulo->dtbNFE);
    const auto colunas = db::tableColumns(t, "NOTAS_TOTAIS");
    EXPECT_EQ(std::count(colunas.begin(), colunas.end(), "VFCPSTRET"), 0);
    EXPECT_EQ(contadorDe(banco), 97);

    // Generators: a counter at 0 on the updated database runs step 02 again.
    executaComCommit(banco, "SET GENERATOR CONTROLA_ATUALIZACAO_NFE_40 TO 1");
    tela.Executa_as_Atiualizacao();
    ASSERT_FALSE(tela.Falha) << tela.Falha->mensagem;
    EXPECT_EQ(tela.AtualizacoesExecutadas.substr(0, 10), " 017, 028,");
}

TEST_F(AtualizadorTest, TheEngineCodesOfAnExistingObjectAreRecognised)
{
    novoBanco(false);
    db::Transaction t(*modulo->dtbNFE);
    // clang-format off
    const std::pair<const char *, bool> casos[] = {
        {"CREATE TABLE CONFIGNFE (A INTEGER)", true},
        {"ALTER TABLE CONFIGNFE ADD NOM_EMI VARCHAR(60)", true},
        {"CREATE INDEX DANFENFE_A ON DANFENFE (CHAVE_NFE)", true},
        {"CREATE GENERATOR CONTROLA_ATUALIZACAO_NFE_40", true},
        {"ALTER TABLE NAO_EXISTE ADD A INTEGER", false},
        {"CREATE INDEX X_A ON CONFIGNFE (NAO_EXISTE)", false},
    };
    // clang-format on
    for (const auto &[sql, existe] : casos) {
        try {
            db::executeSql(t, sql);
            t.commitRetaining();
            ADD_FAILURE() << sql;
        } catch (const db::DatabaseError &erro) {
            t.rollbackRetaining();
            EXPECT_EQ(objetoJaExiste(erro), existe)
                << sql << ": " << erro.what() << " " << erro.codes().back();
        }
    }
}

TEST_F(AtualizadorTest, AStepThatFailsIsUndoneWholeAndTheRunStopsAtIt)
{
    const std::string banco = novoBanco(true);
    executaComCommit(banco, "INSERT INTO CONFIG_GERAL (CNPJ, CAMPO_REF, CAMPO_VALOR) VALUES ('1', 'X', 'Y')");
    // A second connection keeps the only settings row locked: step 71 adds
    // its column (committed) and then cannot section the row.
    db::Database outra = db::Database::attach(banco);
    auto trava = std::make_unique<db::Transaction>(outra);
    db::executeSql(*trava, "UPDATE CONFIG_GERAL SET CAMPO_VALOR = 'Z'");

    TfrmCreateFile tela(*modulo);
    tela.btnAtualizaClick();
    ASSERT_TRUE(tela.Falha);
    EXPECT_EQ(tela.Falha->numero, 71);
    EXPECT_EQ(tela.AtualizacoesExecutadas, "");
    EXPECT_EQ(contadorDe(banco), 70);
    {
        db::Transaction t(*modulo->dtbNFE);
        EXPECT_EQ(db::tableColumns(t, "CONFIG_GERAL").size(), 3u);
    }
    ASSERT_EQ(dialogos->shown.size(), 2u);
    EXPECT_NE(dialogos->shown[1].find("071"), std::string::npos);

    trava->rollback();
    trava.reset();
    outra.detach();
    tela.Executa_as_Atiualizacao();
    ASSERT_FALSE(tela.Falha) << tela.Falha->mensagem;
    EXPECT_EQ(tela.AtualizacoesExecutadas.substr(0, 5), " 071,");
    EXPECT_EQ(consultaExterna(banco, "SELECT SESSAO_REFERENCIA FROM CONFIG_GERAL WHERE CNPJ = '1'"), "V-3.0");
}

// What a run from 0 adds to the base schema, against the listing written
// from the documented table list of the module database.
TEST_F(AtualizadorTest, ARunFromZeroAddsExactlyTheDocumentedTablesColumnsIndexesAndGenerators)
{
    const std::string banco = novoBanco(false);
    modulo->dtmConectBanco(false);
    const std::vector<std::string> base = catalogo(banco);
    TfrmCreateFile tela(*modulo);
    tela.Executa_as_Atiualizacao();
    ASSERT_FALSE(tela.Falha) << tela.Falha->mensagem;

    std::ifstream arquivo(testsupport::sourceDir() / "tests/app/dados/data/catalogo_atualizado.txt");
    ASSERT_TRUE(arquivo);
    std::vector<std::string> esperado;
    for (std::string linha; std::getline(arquivo, linha);)
        if (!linha.empty())
            esperado.push_back(linha);
    modulo->dtmConectBanco(false);
    EXPECT_EQ(acrescimos(base, catalogo(banco)), esperado);
}

// A run killed at random moments leaves a sound database whose counter names
// only finished steps: the next run completes it to the same catalogue as a
// run never interrupted. The kills that matter land inside a step's commit:
// one that creates a table leaves its pages behind for the next table, and
// one that sets the counter may keep the number without the work.
TEST_F(AtualizadorTest, ARunKilledAtRandomMomentsLeavesADatabaseTheNextRunCompletes)
{
    const std::string inteiro = novoBanco(false);
    TfrmCreateFile(*modulo).Executa_as_Atiualizacao();
    const std::string banco = novoBanco(false);
    modulo->dtmConectBanco(false);

    const unsigned semente = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(semente));
    std::mt19937 aleatorio(semente);
    std::uniform_int_distribution<int> pausa(100, 1500);
    const std::string nfeCheck = (testsupport::binaryDir() / "bin" / "nfe-check").string();
    int ultimo = 0;
    for (int morte = 0; morte < 3; ++morte) {
        testsupport::ChildProcess filho({nfeCheck, "update", banco}, {{"TMPDIR", pastaIni()}});
        SCOPED_TRACE(morte);
        std::this_thread::sleep_for(std::chrono::milliseconds(pausa(aleatorio)));
        filho.stop(SIGKILL, std::chrono::milliseconds(0));
        const int contador = contadorDe(banco);
        EXPECT_GE(contador, ultimo);
        ultimo = contador;
    }
    if (testsupport::hasProgram("gfix")) {
        const auto verificacao = testsupport::runCommand({"gfix", "-v", "-full", "-user", "SYSDBA", banco});
        EXPECT_EQ(verificacao.exitCode, 0) << verificacao.out << verificacao.err;
    }

    modulo->dtmConectBanco(true);
    TfrmCreateFile tela(*modulo);
    tela.Executa_as_Atiualizacao();
    ASSERT_FALSE(tela.Falha) << tela.Falha->mensagem;
    EXPECT_EQ(contadorDe(banco), 97);
    modulo->dtmConectBanco(false);
    EXPECT_EQ(catalogo(banco), catalogo(inteiro));
}
