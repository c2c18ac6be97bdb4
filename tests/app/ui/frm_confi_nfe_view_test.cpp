#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "app/config_geral/frm_config_geral.h"
#include "app/config_nfe/frm_confi_nfe.h"
#include "app/ui/config_nfe/frm_confi_nfe_view.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/qt_ui.h"
#include "tests/support/temp_dir.h"

namespace {

using ConfiNFEView = BancosFixture;

TEST_F(ConfiNFEView, IncludesAnEmitterPicksItsStateAndClosesPreparingTheMonitor)
{
    testsupport::TempDir pasta;
    pasta.write("Tabela_Cidades_IBGE.txt", "35;SAO PAULO;3548500;Santos\n33;RIO;3304557;Rio de Janeiro\n");
    pasta.write("tabela_de_paises.txt", "1058\tBrasil\n");
    const std::string raiz = pasta.path().string() + "/";
    bool preparado = false;

    instalaConfiNFEQt();
    ConfiguracoesDaEmpresa(*modulo, *gerencia, raiz, [&](TfrmConfiNFE &tela) {
        tela.Criar_Forms = [&] { preparado = true; };
        testsupport::respondeJanelaModal([](QWidget *janela) {
            EXPECT_EQ(janela->windowTitle(), QString::fromUtf8("Configuração da nota fiscal eletrônica"));
            auto *salvar = janela->findChild<QPushButton *>("dbBBtnSave");
            ASSERT_NE(salvar, nullptr);
            EXPECT_FALSE(salvar->isEnabled());
            QTest::mouseClick(janela->findChild<QPushButton *>("btnNew"), Qt::LeftButton);
            EXPECT_TRUE(salvar->isEnabled());
            EXPECT_EQ(janela->findChild<QLineEdit *>("edtpais")->text(), QStringLiteral("BRASIL"));
            EXPECT_TRUE(janela->findChild<QCheckBox *>("chkCnpjAtivo")->isChecked());
            testsupport::digita(janela->findChild<QLineEdit *>("edtnome"),
                                QString::fromUtf8("Açougue Vista"));
            testsupport::digita(janela->findChild<QLineEdit *>("edtcnpj"), QStringLiteral("60600600000100"));

            auto *estados = janela->findChild<QPushButton *>("btnBuscaEstados");
            QTest::mouseClick(estados, Qt::LeftButton);
            auto *grade = janela->findChild<QTableWidget *>("gridUf");
            ASSERT_TRUE(grade->isVisible());
            EXPECT_EQ(grade->geometry(), QRect(390, 215, 300, 275));
            EXPECT_EQ(estados->text(), QStringLiteral("Confirmar estado"));
            ASSERT_EQ(grade->rowCount(), 2);
            grade->setCurrentCell(1, 0); // 35, after 33
            QTest::mouseClick(estados, Qt::LeftButton);
            EXPECT_FALSE(grade->isVisible());
            EXPECT_EQ(janela->findChild<QLineEdit *>("edtuf")->text(), QStringLiteral("SP"));
            EXPECT_EQ(janela->findChild<QLineEdit *>("edtcoduf")->text(), QStringLiteral("35"));

            QTest::mouseClick(salvar, Qt::LeftButton);
            EXPECT_FALSE(salvar->isEnabled());
            QTest::mouseClick(janela->findChild<QPushButton *>("btnSair"), Qt::LeftButton);
        });
    });
    instalaConfiNFE({});

    EXPECT_TRUE(preparado);
    EXPECT_EQ(
        consultaExterna(bancoModulo(), "SELECT UF_EMI FROM CONFIGNFE WHERE CNPJ_EMI = '60600600000100'"),
        "SP");
    EXPECT_FALSE(modulo->tblConfigNFE->active());
}

} // namespace
