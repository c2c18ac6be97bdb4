#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "console/config_geral/frm_config_geral40.h"
#include "console/ui/config_geral/frm_config_geral40_view.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/qt_ui.h"

#include <filesystem>

namespace {

using ConfigGeral40View = BancosFixture;

TEST_F(ConfigGeral40View, OpensWithTheCompanysValuesShowsAnswersAndClosesOnSave)
{
    const auto pasta =
        std::filesystem::temp_directory_path() / ("console_view_" + std::to_string(::getpid()));
    std::filesystem::create_directories(pasta);
    modulo->CnpjEmpresa = "55000000000155";
    TfrmConfigGeral40 core(*modulo, pasta.string() + "/");
    core.Ini_WriteString("Emitente", "RazaoSocial", "Padaria São João");

    bool respondeu = false;
    testsupport::respondeJanelaModal([&](QWidget *janela) {
        respondeu = true;
        EXPECT_EQ(janela->windowTitle(), QString::fromUtf8("QuibNFe - Demonstração"));
        QTRY_COMPARE(janela->findChild<QLineEdit *>("edtEmitRazao")->text(),
                     QString::fromUtf8("Padaria São João"));
        EXPECT_EQ(janela->findChild<QComboBox *>("cbSSLLib")->count(), 6);
        auto *respostas = janela->findChild<QTabWidget *>("pgRespostas");
        EXPECT_EQ(respostas->count(), 7);
        EXPECT_EQ(respostas->currentIndex(), 2);

        core.ExibirArvoreResposta("<retConsSitNFe><cStat>100</cStat></retConsSitNFe>");
        auto *arvore = janela->findChild<QTreeWidget *>("TreeViewRetornoConsulta");
        ASSERT_EQ(arvore->topLevelItemCount(), 1);
        EXPECT_EQ(arvore->topLevelItem(0)->child(0)->child(0)->text(0), QString::fromUtf8("\u00A0100"));
        core.ExibirXMLNoNavegador("<a><b>1</b></a>", core.WBResposta);
        EXPECT_TRUE(janela->findChild<QPlainTextEdit *>("WBResposta")->toPlainText().contains("  <b>1</b>"));

        testsupport::digita(janela->findChild<QLineEdit *>("edtNumSerie"), QStringLiteral("ABC123"));
        QTest::mouseClick(janela->findChild<QPushButton *>("btnSalvarConfig"), Qt::LeftButton);
    });
    EXPECT_TRUE(MostraConfigGeral40(core));
    EXPECT_TRUE(respondeu);
    EXPECT_EQ(core.Ini_ReadString("Certificado", "NumSerie", ""), "ABC123");
    std::filesystem::remove_all(pasta);
}

} // namespace
