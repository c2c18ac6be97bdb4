#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "app/dados/esquema_base.h"
#include "app/dados/selecao_empresa.h"
#include "app/db/data_set.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "app/ui/dados/selecao_empresa_view.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/qt_ui.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(CompanyChooserView, TheChosenRowBecomesTheTablesCurrentRow)
{
    testsupport::useTestFirebird();
    testsupport::TempDir pasta;
    db::Database banco = db::Database::create((pasta.path() / "gerencia.kvl").string());
    db::Transaction t(banco);
    criaEsquema(t, esquemaBaseGerencia());
    db::executeSql(t, "INSERT INTO EMPRESA (CODIGO, NOME) VALUES (1, 'Padaria São João')");
    db::executeSql(t, "INSERT INTO EMPRESA (CODIGO, NOME) VALUES (2, 'Mercado Boa Vista')");
    t.commitRetaining();
    {
        db::DataSet empresas(t, "EMPRESA", {"CODIGO", "NOME"});
        empresas.setOrder({"CODIGO"});
        empresas.open();
        TfrmSelectEmpresa escolha(empresas);

        instalaSelecaoEmpresaQt();
        testsupport::respondeJanelaModal([](QWidget *janela) {
            auto *grade = janela->findChild<QTableWidget *>("DBGrid1");
            ASSERT_NE(grade, nullptr);
            EXPECT_EQ(grade->item(0, 1)->text(), QString::fromUtf8("Padaria São João"));
            grade->selectRow(1);
            QTest::mouseClick(janela->findChild<QPushButton *>("SpeedButton1"), Qt::LeftButton);
        });
        EXPECT_TRUE(escolha.ShowModal());
        EXPECT_EQ(empresas.field("CODIGO").asInteger(), 2);
        instalaSelecaoEmpresa({});
    }
    t.commit();
}

} // namespace
