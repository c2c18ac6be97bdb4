#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "app/ui/texto_qt.h"
#include "console/config_geral/disposicao_tela.h"
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
        EXPECT_EQ(respostas->tabText(6), QStringLiteral("RetornoConsulta NFe 2.01"));
        auto *operacoes = janela->findChild<QTabWidget *>("PageControl3");
        EXPECT_EQ(operacoes->tabText(operacoes->currentIndex()), QStringLiteral("NF-e"));
        // Every settings control and every button is there under its own name.
        for (const auto &legenda : legendasControles())
            EXPECT_NE(janela->findChild<QWidget *>(paraQString(legenda.controle)), nullptr)
                << legenda.controle;
        for (const auto &botao : botoesTela()) {
            auto *b = janela->findChild<QPushButton *>(paraQString(botao.nome));
            ASSERT_NE(b, nullptr) << botao.nome;
            EXPECT_EQ(b->text(), paraQString(botao.legenda));
            EXPECT_EQ(b->isEnabled(), botaoAtivo(botao)) << botao.nome;
        }
        EXPECT_EQ(janela->findChild<QCheckBox *>("cbxSalvarSOAP")->text(),
                  QStringLiteral("Salvar envelope SOAP"));
        EXPECT_EQ(janela->findChild<QGroupBox *>("rgTipoAmb")->title(),
                  QStringLiteral("Selecione o Ambiente de Destino"));
        EXPECT_FALSE(janela->findChild<QGroupBox *>("rgTipoAmb")->isEnabled());
        // The font-size group shows the core's choice and gives the operator's back.
        auto *fonte = janela->findChild<QGroupBox *>("edtTamanhofonte");
        EXPECT_TRUE(fonte->findChildren<QRadioButton *>().at(0)->isChecked());
        fonte->findChildren<QRadioButton *>().at(3)->click();
        EXPECT_EQ(core.controle("edtTamanhofonte").indice, 3);
        auto *margem = janela->findChild<QLineEdit *>("edtmInf");
        margem->selectAll();
        testsupport::digita(margem, QStringLiteral("1.5"));
        EXPECT_EQ(core.controle("edtmInf").texto, "1.5");
        janela->findChild<QPushButton *>("btnMargensDefault")->click();
        EXPECT_EQ(margem->text(), QStringLiteral("2.00"));

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
    EXPECT_EQ(core.Ini_ReadInteger("DANFE", "tamanhoDafonte", 0), 9);
    EXPECT_EQ(core.Ini_ReadInteger("DANFE", "margemInf", 0), 200);
    std::filesystem::remove_all(pasta);
}

} // namespace
