#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/ui/dados/frm_create_file_view.h"
#include "tests/app/dados/bancos_fixture.h"

namespace {

using SchemaUpdaterView = BancosFixture;

TEST_F(SchemaUpdaterView, TheButtonRunsTheDueStepsAndTheLabelFollowsTheCounter)
{
    executaComCommit(bancoModulo(), "CREATE TABLE NOTAS_TOTAIS (ID INTEGER)");
    executaComCommit(bancoModulo(), "SET GENERATOR CONTROLA_ATUALIZACAO_NFE_40 TO 96");
    ASSERT_TRUE(modulo->dtmConectBanco(true));

    TfrmCreateFileView tela(*modulo);
    tela.show();
    auto *rotulo = tela.findChild<QLabel *>("lblultima");
    ASSERT_NE(rotulo, nullptr);
    EXPECT_EQ(rotulo->text(), QString::fromUtf8("Última atualização: 96"));

    QTest::mouseClick(tela.findChild<QPushButton *>("btnAtualiza"), Qt::LeftButton);
    EXPECT_EQ(dialogos->shown, std::vector<std::string>{"Informação: Atualizacoes executadas =  097,"});
    EXPECT_EQ(rotulo->text(), QString::fromUtf8("Última atualização: 97"));
    EXPECT_EQ(consultaExterna(bancoModulo(),
                              "SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE "
                              "RDB$RELATION_NAME = 'NOTAS_TOTAIS' AND RDB$FIELD_NAME = 'QBCMONO'"),
              "1");

    QTest::mouseClick(tela.findChild<QPushButton *>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(tela.result(), QDialog::Accepted);
    EXPECT_FALSE(tela.isVisible());
}

} // namespace
