#include "app/principal/frm_principal.h"

#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_2.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dados/primeira_partida.h"
#include "app/db/db_error.h"
#include "app/principal/telas_provisorias.h"
#include "app/regional/localiza_ini.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

// The main window over the databases of a first start, made once for the
// program in an empty home; each test gets the three data modules.
class JanelaPrincipal : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        testsupport::useTestFirebird();
        casa_ = new testsupport::TempDir;
        driveC_ = new testsupport::ScopedEnv("KVL_DRIVE_C", casa_->path().string());
        instalaDialogos(std::make_unique<testsupport::ScriptedDialogs>());
        bancos_ = CriaBancosPrimeiraPartida();
        instalaDialogos(nullptr);
    }
    static void TearDownTestSuite()
    {
        delete driveC_;
        delete casa_;
    }
    void SetUp() override
    {
        auto scripted = std::make_unique<testsupport::ScriptedDialogs>();
        dialogos = scripted.get();
        instalaDialogos(std::move(scripted));
        gerencia = std::make_unique<TdtmGerencia>(LocalizaIni());
        modulo = std::make_unique<TdtmNFE_grd>(*gerencia);
        notas = std::make_unique<TdtmNFE_2>(*modulo);
        modulos = {gerencia.get(), modulo.get(), notas.get()};
        fabrica = fabricaProvisoria(modulos);
    }
    void TearDown() override
    {
        notas.reset();
        modulo.reset();
        gerencia.reset();
        instalaDialogos(nullptr);
    }
    // Disconnects the modules, runs the statements in a connection of their own.
    void alteraBanco(const std::string &banco, std::initializer_list<const char *> sqls)
    {
        notas->dtmNFEClose({"All"});
        modulo->dtmConectBanco(false);
        gerencia->dtmConectBanco(false);
        for (const char *sql : sqls)
            BancosFixtureSql::executa(banco, sql);
    }
    struct BancosFixtureSql : BancosFixture {
        static void executa(const std::string &banco, const std::string &sql)
        {
            executaComCommit(banco, sql);
        }
    };
    static std::vector<std::string> visiveis(const ItemMenu &item)
    {
        std::vector<std::string> nomes;
        for (const ItemMenu &filho : item.Items) {
            if (filho.Visible)
                nomes.push_back(filho.Name);
            for (const std::string &neto : visiveis(filho))
                nomes.push_back(neto);
        }
        return nomes;
    }

    static inline testsupport::TempDir *casa_ = nullptr;
    static inline testsupport::ScopedEnv *driveC_ = nullptr;
    static inline BancosPrimeiraPartida bancos_;

    testsupport::ScriptedDialogs *dialogos = nullptr;
    std::unique_ptr<TdtmGerencia> gerencia;
    std::unique_ptr<TdtmNFE_grd> modulo;
    std::unique_ptr<TdtmNFE_2> notas;
    ModulosDados modulos;
    FabricaTelas fabrica;
};

const std::vector<std::string> kMenuInteiro = {"Arquivos1",
                                               "Configuraesdaempresa1",
                                               "N1",
                                               "Sair1",
                                               "Gerencia1",
                                               "ModulodeGerencia1",
                                               "VerificaAberturadeArquivos1",
                                               "CreateArquivos1"};

TEST_F(JanelaPrincipal, TheMenuIsTrimmedOnceOnlyAboveLevelZeroAndRetriedAfterAFailingLookup)
{
    alteraBanco(bancos_.gerencia, {"DROP TABLE NIVELMENU"});

    gerencia->NivelUsuario = 0; // no lookup at all: the missing table is not noticed
    TfrmPrincipal livre(modulos, fabrica);
    livre.FormActivate();
    EXPECT_FALSE(livre.PrimeiraAtivacao);
    EXPECT_EQ(visiveis(livre.MainMenu1), kMenuInteiro);

    gerencia->NivelUsuario = 2;
    TfrmPrincipal janela(modulos, fabrica);
    EXPECT_THROW(janela.FormActivate(), db::DatabaseError);
    EXPECT_TRUE(janela.PrimeiraAtivacao);
    EXPECT_EQ(visiveis(janela.MainMenu1), kMenuInteiro);

    alteraBanco(
        bancos_.gerencia,
        {"CREATE TABLE NIVELMENU (COD_SISTEMA INTEGER, COD_NIVEL INTEGER, NAME VARCHAR(50), "
         "CAPTION VARCHAR(120), LIBERADO VARCHAR(1), ORDEM VARCHAR(20))",
         "INSERT INTO NIVELMENU (COD_SISTEMA, COD_NIVEL, NAME, LIBERADO) VALUES (100, 2, 'Gerencia1', 'F')",
         "INSERT INTO NIVELMENU (COD_SISTEMA, COD_NIVEL, NAME, LIBERADO) VALUES (100, 2, "
         "'CreateArquivos1', 'F')",
         "INSERT INTO NIVELMENU (COD_SISTEMA, COD_NIVEL, NAME, LIBERADO) VALUES (101, 2, 'Sair1', 'F')"});
    janela.FormActivate();
    EXPECT_FALSE(janela.PrimeiraAtivacao);
    EXPECT_EQ(visiveis(janela.MainMenu1),
              (std::vector<std::string>{"Arquivos1", "Configuraesdaempresa1", "N1", "Sair1",
                                        "ModulodeGerencia1", "VerificaAberturadeArquivos1"}));

    // A later activation trims nothing, even after the rows changed.
    alteraBanco(bancos_.gerencia,
                {"INSERT INTO NIVELMENU (COD_SISTEMA, COD_NIVEL, NAME, LIBERADO) VALUES (100, 2, "
                 "'Sair1', 'F')"});
    janela.FormActivate();
    EXPECT_TRUE(janela.item("Sair1")->Visible);
    alteraBanco(bancos_.gerencia, {"DELETE FROM NIVELMENU"});
}

TEST_F(JanelaPrincipal, TheTableCheckOpensEveryTableFirstAndAMissingColumnLeavesTheWindowUsable)
{
    TfrmPrincipal janela(modulos, fabrica);
    std::vector<std::string> abertasNaMensagem;
    struct Gravador : testsupport::ScriptedDialogs {
        TdtmNFE_2 *notas = nullptr;
        std::size_t abertas = 0;
        bool atencao(std::string_view texto) override
        {
            for (const auto &tabela : TdtmNFE_2::tabelas())
                abertas += notas->tabela(tabela.componente) != nullptr;
            return ScriptedDialogs::atencao(texto);
        }
    };
    auto gravador = std::make_unique<Gravador>();
    Gravador *caixas = gravador.get();
    caixas->notas = notas.get();
    instalaDialogos(std::move(gravador));

    EXPECT_TRUE(janela.clicaItem("VerificaAberturadeArquivos1"));
    EXPECT_EQ(caixas->shown,
              std::vector<std::string>{"atencao: ATENÇÃO ! ...  \r\nAbertura de Arquivos Concluida..."});
    EXPECT_EQ(caixas->abertas, TdtmNFE_2::tabelas().size());
    EXPECT_EQ(notas->tabela("tblNotas"), nullptr);
    EXPECT_FALSE(modulo->tblConfigNFE && modulo->tblConfigNFE->active());

    alteraBanco(bancos_.modulo, {"ALTER TABLE NOTAS_ITEM DROP CFOP"});
    caixas->shown.clear();
    try {
        janela.VerificaAberturadeArquivos1Click();
        ADD_FAILURE() << "the check went through without NOTAS_ITEM.CFOP";
    } catch (const db::DatabaseError &erro) {
        EXPECT_NE(std::string(erro.what()).find("CFOP"), std::string::npos) << erro.what();
    }
    EXPECT_TRUE(caixas->shown.empty());
    EXPECT_EQ(notas->tabela("tblNotas"), nullptr);

    // Still usable: the next action runs.
    janela.Configuraesdaempresa1Click();
    EXPECT_EQ(caixas->shown, std::vector<std::string>{"Configurações da empresa: " +
                                                      textoTelaNaoConstruida("Configurações da empresa")});
    EXPECT_FALSE(modulo->tblConfigNFE && modulo->tblConfigNFE->active());
    alteraBanco(bancos_.modulo, {"ALTER TABLE NOTAS_ITEM ADD CFOP VARCHAR(4)"});
}

TEST_F(JanelaPrincipal, SairEndsOnlyOnOkAndThePictureButtonsRunTheirCommands)
{
    TfrmPrincipal janela(modulos, fabrica);
    int fins = 0;
    janela.encerraPrograma = [&] { ++fins; };
    dialogos->answers = {false, true};
    janela.Sair1Click();
    EXPECT_EQ(fins, 0);
    janela.BitBtn1Click();
    EXPECT_EQ(fins, 1);
    EXPECT_EQ(dialogos->shown, (std::vector<std::string>(2, "atencao: Deseja Finalizar o Programa ?")));

    dialogos->shown.clear();
    janela.BitBtn2Click();
    ASSERT_EQ(dialogos->shown.size(), 1u);
    EXPECT_FALSE(janela.clicaItem("Arquivos1"));
}

TEST_F(JanelaPrincipal, TheStandInReprintScreenReadsTheEmitterKind)
{
    ReimpressaoProvisoria tela(modulos);
    tela.Criar_Forms();
    alteraBanco(bancos_.modulo, {"INSERT INTO CONFIGNFE (TIPO_EMISSOR) VALUES ('NFE SEFAZ')"});
    tela.Ativa_Modelo_Exportacao();
    EXPECT_TRUE(tela.ModoExportacao);
    alteraBanco(bancos_.modulo, {"UPDATE CONFIGNFE SET TIPO_EMISSOR = 'MONITOR'"});
    tela.Ativa_Modelo_Exportacao();
    EXPECT_FALSE(tela.ModoExportacao);
    alteraBanco(bancos_.modulo, {"DELETE FROM CONFIGNFE"});
}

} // namespace
