#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "app/config_geral/frm_config_geral.h"
#include "app/ui/config_geral/frm_config_geral_view.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/qt_ui.h"

namespace {

using ConfigGeralView = BancosFixture;

TEST_F(ConfigGeralView, ShowsTheCompanysValuesAndStoresWhatIsTyped)
{
    modulo->Grava_Valor_Referencia("31000000000101", CampoRef("edtSmtpHost"), "smtp.loja.com.br");
    modulo->Grava_Valor_Referencia("31000000000101", CampoRef("rgTipoAmbNFSE"), "1");
    TfrmConfigGeral core(*modulo, "/opt/kvl/");
    core.CnpjEmpresa = "31000000000101";

    instalaConfigGeralQt();
    testsupport::respondeJanelaModal([](QWidget *janela) {
        auto *paginas = janela->findChild<QTabWidget *>("PageControl1");
        ASSERT_NE(paginas, nullptr);
        ASSERT_EQ(paginas->count(), 7);
        EXPECT_EQ(paginas->tabText(6), QString::fromUtf8("NFSE - Outras configuraçôes"));
        EXPECT_EQ(paginas->currentIndex(), 0);
        EXPECT_TRUE(janela->findChild<QLabel *>("lblCertificado")
                        ->text()
                        .startsWith(QString::fromUtf8("Informe o número de série do certificado\n")));
        EXPECT_TRUE(janela->findChild<QLineEdit *>("edtCaminho")->isHidden());
        EXPECT_EQ(janela->findChild<QLineEdit *>("edtSmtpHost")->text(), QStringLiteral("smtp.loja.com.br"));
        EXPECT_EQ(janela->findChild<QComboBox *>("cbUF")->currentText(), QStringLiteral("RS"));
        EXPECT_TRUE(janela->findChild<QCheckBox *>("chkProtServTls12")->isChecked());
        auto *homologacao =
            janela->findChild<QWidget *>("rgTipoAmbNFSE")->findChildren<QRadioButton *>().at(1);
        EXPECT_TRUE(homologacao->isChecked());

        testsupport::digita(janela->findChild<QLineEdit *>("edtEmitRazao"),
                            QString::fromUtf8("Padaria São João"));
        testsupport::digita(janela->findChild<QLineEdit *>("edtNumSerie"), QStringLiteral("0a1b"));
        QTest::mouseClick(janela->findChild<QCheckBox *>("chkOpenDanfe"), Qt::LeftButton);
        QTest::mouseClick(janela->findChild<QPushButton *>("Confirmar"), Qt::LeftButton);
    });
    EXPECT_TRUE(core.ShowModal());
    instalaConfigGeral({});

    EXPECT_EQ(core.Busca_Valor_Referencia("31000000000101", "edtEmitRazao"), "Padaria São João");
    EXPECT_EQ(core.Busca_Valor_Referencia("31000000000101", "edtNumSerie"), "0A1B");
    EXPECT_EQ(core.Busca_Valor_Referencia("31000000000101", "chkOpenDanfe"), "1");
    EXPECT_EQ(
        consultaExterna(bancoModulo(), "SELECT COUNT(*) FROM CONFIG_GERAL WHERE CNPJ = '31000000000101'"),
        "74");
}

} // namespace
