#include "app/ui/dados/frm_gerencia_view.h"
#include "app/ui/dados/frm_path_ib_view.h"
#include "app/ui/dados/modulo_gerencia.h"
#include "app/ui/relatorios/visualizacao_relatorio_view.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "app/relatorios/frm_rdp.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/qt_ui.h"

namespace {

using ManagementViews = BancosFixture;

template <class Widget> Widget *controle(QWidget &janela, const char *nome)
{
    auto *widget = janela.findChild<Widget *>(nome);
    EXPECT_NE(widget, nullptr) << nome;
    return widget;
}

TEST_F(ManagementViews, ManagementScreenShowsItsPagesAndDrivesTheUserButtons)
{
    TfrmRdp rdp;
    instalaVisualizacaoRelatorio(rdp);
    TfrmGerencia::Ambiente ambiente;
    ambiente.rdp = &rdp;
    FrmGerenciaView tela(*gerencia, ambiente);
    tela.show();
    auto *paginas = controle<QTabWidget>(tela, "PageControl1");
    ASSERT_EQ(paginas->count(), 4);
    EXPECT_EQ(paginas->tabText(3), QStringLiteral("Opções Adicionais"));
    EXPECT_EQ(controle<QLabel>(tela, "StatusBar1")->text(), QStringLiteral("Acesso Total"));
    EXPECT_EQ(controle<QLabel>(tela, "lblcodigo")->text(), QStringLiteral("Código do sistema = 100"));
    EXPECT_EQ(controle<QPushButton>(tela, "btnSair")->toolTip(), QStringLiteral("Fechar Janela"));

    auto *incluir = controle<QPushButton>(tela, "btnIncluirUsuario");
    auto *salvar = controle<QPushButton>(tela, "btnSalvarUsuario");
    EXPECT_FALSE(salvar->isEnabled());
    QTest::mouseClick(incluir, Qt::LeftButton);
    EXPECT_FALSE(incluir->isEnabled());
    EXPECT_TRUE(salvar->isEnabled());
    testsupport::digita(controle<QLineEdit>(tela, "edtUsuario"), QStringLiteral("joão"));
    EXPECT_EQ(gerencia->tblUsuarios->field("USUARIO").asString(), "JOÃO");
    QTest::mouseClick(controle<QPushButton>(tela, "btnCancelarUsuario"), Qt::LeftButton);
    EXPECT_TRUE(incluir->isEnabled());

    // The printer grid opens its preview.
    paginas->setCurrentIndex(3);
    QString previa;
    testsupport::respondeJanelaModal([&previa](QWidget *janela) {
        previa = controle<QPlainTextEdit>(*janela, "texto")->toPlainText();
        static_cast<QDialog *>(janela)->accept();
    });
    QTest::mouseClick(controle<QPushButton>(tela, "btnImprimirMatriz"), Qt::LeftButton);
    EXPECT_TRUE(previa.startsWith(QStringLiteral("01_4567890")));
    EXPECT_EQ(previa.count(QLatin1Char('\n')), 65);
    tela.accept();
}

TEST_F(ManagementViews, LocationEditorAddsARowThroughItsBoxes)
{
    FrmPathIbView editor(*gerencia);
    testsupport::respondeJanelaModal([](QWidget *janela) {
        auto &dialogo = *static_cast<QDialog *>(janela);
        EXPECT_GE(controle<QTableWidget>(dialogo, "grdPathIb")->rowCount(), 1);
        EXPECT_FALSE(controle<QWidget>(dialogo, "pnlAlias")->isVisible());
        QTest::mouseClick(controle<QPushButton>(dialogo, "btnIncluir"), Qt::LeftButton);
        testsupport::digita(controle<QLineEdit>(dialogo, "edtalias"), QStringLiteral("ib_tela"));
        testsupport::digita(controle<QLineEdit>(dialogo, "edtPath"), QStringLiteral("/srv/tela/"));
        QTest::mouseClick(controle<QPushButton>(dialogo, "btnSalvar"), Qt::LeftButton);
        dialogo.reject();
    });
    editor.core().ShowModal(0);
    EXPECT_EQ(consultaExterna(bancoGerencia(), "SELECT PATH_IB FROM PATHIB WHERE ALIAS_IB = 'IB_TELA'"),
              "/srv/tela/");
    EXPECT_EQ(editor.core().CodEmpresa, 0);
}

} // namespace

namespace {

TEST_F(ManagementViews, MenuCommandShowsTheScreenAndClosesTheModuleAfterwards)
{
    FrmPathIbView editor(*gerencia);
    QString titulo;
    testsupport::respondeJanelaModal([&titulo](QWidget *janela) {
        titulo = janela->windowTitle();
        EXPECT_EQ(controle<QLabel>(*janela, "lblcodigo")->text(), QStringLiteral("Código do sistema = 100"));
        static_cast<QDialog *>(janela)->accept();
    });
    abreModuloGerencia(*gerencia, editor);
    EXPECT_EQ(titulo, QStringLiteral("Módulo de gerência"));
    EXPECT_FALSE(gerencia->conectado());
}

} // namespace
