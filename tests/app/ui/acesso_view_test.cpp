#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "app/dados/esquema_base.h"
#include "app/db/database.h"
#include "app/db/transaction.h"
#include "app/regional/localiza_ini.h"
#include "app/ui/acesso/acesso_view.h"
#include "foundation/files/ini_file.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/qt_ui.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(LoginView, TheSupportAccountGetsInWithLevelZero)
{
    testsupport::useTestFirebird();
    testsupport::TempDir pasta;
    const std::string banco = (pasta.path() / "gerencia.kvl").string();
    {
        db::Database criado = db::Database::create(banco);
        db::Transaction t(criado);
        criaEsquema(t, esquemaBaseGerencia());
        t.commit();
    }
    const std::string ini = (pasta.path() / std::string(kArquivoIniAplicacao)).string();
    IniFile(ini).WriteString("IBGERENCIA", "PATH IB", banco);
    IniFile(ini).WriteString("IBGERENCIA", "CONVERTE PONTO VIRUGLA", "NAO");
    instalaDialogos(std::make_unique<testsupport::ScriptedDialogs>());

    TfrmAcesso::Ambiente ambiente;
    ambiente.pastaIni = [&] { return pasta.path().string() + "/"; };
    TfrmAcessoView tela(ambiente);
    tela.show();
    auto *usuario = tela.findChild<QLineEdit *>("edtUsuario");
    auto *senha = tela.findChild<QLineEdit *>("edtSenha");
    ASSERT_NE(usuario, nullptr);
    ASSERT_NE(senha, nullptr);
    EXPECT_FALSE(tela.findChild<QLineEdit *>("edtData")->text().isEmpty());
    testsupport::digita(usuario, QStringLiteral("masterkvl"));
    EXPECT_EQ(usuario->text(), QStringLiteral("MASTERKVL"));
    testsupport::digita(senha, QStringLiteral("40719358"));
    QTest::keyClick(senha, Qt::Key_Return);

    EXPECT_EQ(tela.result(), QDialog::Accepted);
    EXPECT_TRUE(tela.core().AcessoLiberado);
    EXPECT_EQ(tela.core().NivelUsuario, 0);
    EXPECT_FALSE(tela.core().encerraPrograma());
    instalaDialogos(nullptr);
}

} // namespace
