#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "app/principal/telas_provisorias.h"
#include "app/ui/aplicacao.h"
#include "app/ui/principal/frm_nivel_menu_view.h"
#include "app/ui/principal/frm_principal_view.h"
#include "tests/app/dados/bancos_fixture.h"

namespace {

using MainWindowView = BancosFixture;

QAction *acao(QWidget &janela, const char *nome)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return janela.findChild<QAction *>(nome);
}

TEST_F(MainWindowView, ShowsTheTrimmedMenuAndTheButtonsAskBeforeEnding)
{
    executaComCommit(bancoGerencia(), "INSERT INTO NIVELMENU (COD_SISTEMA, COD_NIVEL, NAME, LIBERADO) "
                                      "VALUES (100, 31, 'CreateArquivos1', 'F')");
    gerencia->NivelUsuario = 31;
    ModulosDados modulos{gerencia.get(), modulo.get(), nullptr};
    FabricaTelas fabrica = fabricaProvisoria(modulos);
    TfrmPrincipalView janela(modulos, fabrica);
    EXPECT_EQ(janela.windowTitle(),
              QString::fromUtf8("Configurador módulo NFE - NFCE - NFSE - KVL Informática"));
    ASSERT_NE(acao(janela, "CreateArquivos1"), nullptr);
    EXPECT_TRUE(acao(janela, "CreateArquivos1")->isVisible());

    janela.show();
    janela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    EXPECT_FALSE(janela.core().PrimeiraAtivacao);
    EXPECT_FALSE(acao(janela, "CreateArquivos1")->isVisible());
    EXPECT_TRUE(acao(janela, "ModulodeGerencia1")->isVisible());
    EXPECT_TRUE(acao(janela, "N1")->isSeparator());

    // The menu's command runs through the core and its box.
    acao(janela, "Configuraesdaempresa1")->trigger();
    EXPECT_EQ(dialogos->shown, std::vector<std::string>{"Configurações da empresa: " +
                                                        textoTelaNaoConstruida("Configurações da empresa")});

    // Cancel keeps the window; the close button ends without asking.
    dialogos->shown.clear();
    dialogos->answers = {false};
    QTest::mouseClick(janela.findChild<QPushButton *>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(dialogos->shown, std::vector<std::string>{"atencao: Deseja Finalizar o Programa ?"});
    EXPECT_TRUE(janela.isVisible());
    dialogos->shown.clear();
    EXPECT_TRUE(janela.close());
    EXPECT_TRUE(dialogos->shown.empty());
    executaComCommit(bancoGerencia(), "DELETE FROM NIVELMENU WHERE COD_NIVEL = 31");
}

TEST_F(MainWindowView, TheMenuLevelEditorListsAMenuAndWritesItOnClose)
{
    ItemMenu menu = TfrmPrincipal::menuPrincipal();
    {
        TfrmNivelMenuView editor(*gerencia);
        editor.core().CodigoSistema = 932;
        editor.core().Menu = &menu;
        editor.show();
        EXPECT_EQ(editor.findChild<QLabel *>("lblcodigo")->text(),
                  QString::fromUtf8("Código do Sistema = 932"));
        auto *nivel = editor.findChild<QSpinBox *>("edtNivel");
        ASSERT_NE(nivel, nullptr);
        nivel->setValue(4);
        QTest::mouseClick(editor.findChild<QPushButton *>("btnSelect"), Qt::LeftButton);
        auto *grade = editor.findChild<QTableWidget *>("DBGrid1");
        ASSERT_EQ(grade->rowCount(), 8);
        EXPECT_EQ(grade->item(7, 1)->text(), QStringLiteral("Gerencia -> AlteraCAo de Arquivos"));
        grade->item(7, 2)->setCheckState(Qt::Unchecked);
        editor.close();
    }
    EXPECT_EQ(consultaExterna(bancoGerencia(), "SELECT LIST(NAME) FROM NIVELMENU WHERE COD_SISTEMA = 932 AND "
                                               "LIBERADO = 'F'"),
              "CreateArquivos1");
}

TEST_F(MainWindowView, AFailedTrimmingIsToldOnceAndRetriedAtTheNextActivation)
{
    gerencia->dtmConectBanco(false);
    executaComCommit(bancoGerencia(), "DROP TABLE NIVELMENU");
    auto *aplicacao = static_cast<AplicacaoKvl *>(qApp);
    std::vector<std::string> erros;
    aplicacao->OnException = [&](const std::exception &erro) { erros.push_back(erro.what()); };

    gerencia->NivelUsuario = 5;
    ModulosDados modulos{gerencia.get(), modulo.get(), nullptr};
    FabricaTelas fabrica = fabricaProvisoria(modulos);
    TfrmPrincipalView janela(modulos, fabrica);
    janela.show();
    janela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    QTest::qWait(50);
    EXPECT_EQ(erros.size(), 1u);
    EXPECT_TRUE(janela.core().PrimeiraAtivacao);

    gerencia->dtmConectBanco(false);
    executaComCommit(bancoGerencia(),
                     "CREATE TABLE NIVELMENU (COD_SISTEMA INTEGER, COD_NIVEL INTEGER, "
                     "NAME VARCHAR(50), CAPTION VARCHAR(120), LIBERADO VARCHAR(1), ORDEM VARCHAR(20))");
    executaComCommit(bancoGerencia(), "INSERT INTO NIVELMENU (COD_SISTEMA, COD_NIVEL, NAME, LIBERADO) "
                                      "VALUES (100, 5, 'Sair1', 'F')");
    QWidget outra;
    outra.show();
    outra.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&outra));
    janela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    EXPECT_EQ(erros.size(), 1u);
    EXPECT_FALSE(janela.core().PrimeiraAtivacao);
    EXPECT_FALSE(acao(janela, "Sair1")->isVisible());
    aplicacao->OnException = nullptr;
    executaComCommit(bancoGerencia(), "DELETE FROM NIVELMENU WHERE COD_NIVEL = 5");
}

} // namespace
