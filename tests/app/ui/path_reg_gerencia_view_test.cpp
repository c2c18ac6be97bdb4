#include <memory>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/ui/regional/path_reg_gerencia_view.h"
#include "foundation/files/ini_file.h"
#include "tests/support/mapped_drives.h"
#include "tests/support/qt_ui.h"
#include "tests/support/scripted_dialogs.h"

namespace {

constexpr const char *kIni = "C:\\DriveKVL\\KVLAplic.ini";

class AddressDialog : public ::testing::Test, protected testsupport::MappedDrives {
  protected:
    AddressDialog()
    {
        auto owned = std::make_unique<testsupport::ScriptedDialogs>();
        script = owned.get();
        instalaDialogos(std::move(owned));
        put(c, "DriveKVL/KVLAplic.ini");
        IniFile(kIni).WriteString("IBGERENCIA", "PATH IB", "servidor:c:\\kvl\\GERENCIA.KVL");
        IniFile(kIni).WriteString("IBGERENCIA", "UNIDADE SERVIDOR", "f:");
    }
    ~AddressDialog() override { instalaDialogos(nullptr); }

    template <class Widget> Widget *controle(const char *nome)
    {
        auto *widget = dialogo.findChild<Widget *>(nome);
        EXPECT_NE(widget, nullptr) << nome;
        return widget;
    }
    static std::string pathIb() { return IniFile(kIni).ReadString("IBGERENCIA", "PATH IB", ""); }

    testsupport::ScriptedDialogs *script;
    TfrmPathRegGerencia dialogo;
};

TEST_F(AddressDialog, ShowsTheStoredAddressAndWritesTheEditedOne)
{
    dialogo.show();
    auto *servidor = controle<QLineEdit>("edtServidor");
    auto *path = controle<QLineEdit>("edtPath");
    EXPECT_TRUE(controle<QRadioButton>("chkRemoto")->isChecked());
    EXPECT_TRUE(controle<QLabel>("lblServidor")->isVisible());
    EXPECT_EQ(servidor->text(), "servidor");
    EXPECT_EQ(path->text(), "c:\\kvl\\GERENCIA.KVL");
    EXPECT_EQ(controle<QLineEdit>("edtUnidade")->text(), "F:");
    EXPECT_FALSE(controle<QLineEdit>("edtUnidade")->isVisible());

    servidor->clear();
    testsupport::digita(servidor, QString::fromUtf8("estação-01"));
    script->files = {"/srv/bancos/GERENCIA.KVL"};
    QTest::mouseClick(controle<QPushButton>("SpeedButton1"), Qt::LeftButton);
    EXPECT_EQ(path->text(), "/srv/bancos/GERENCIA.KVL");
    path->end(false);
    testsupport::digita(path, QString::fromUtf8("ção"));
    QTest::mouseClick(controle<QPushButton>("SpeedButton2"), Qt::LeftButton);
    EXPECT_EQ(dialogo.result(), QDialog::Accepted);
    EXPECT_EQ(pathIb(), "estação-01:/srv/bancos/GERENCIA.KVLção");
}

TEST_F(AddressDialog, LocalAccessHidesTheServerAndTheCloseBoxWritesNothing)
{
    dialogo.show();
    QTest::mouseClick(controle<QRadioButton>("chkLocal"), Qt::LeftButton);
    EXPECT_FALSE(controle<QLineEdit>("edtServidor")->isVisible());
    EXPECT_FALSE(controle<QLabel>("lblServidor")->isVisible());
    dialogo.close();
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_EQ(pathIb(), "servidor:c:\\kvl\\GERENCIA.KVL");
}

TEST_F(AddressDialog, AnAddressThatCannotBeWrittenIsReportedAndTheDialogStays)
{
    dialogo.show();
    dialogo.core().edtPath = "c:\\kvl\nGERENCIA.KVL";
    QTest::mouseClick(controle<QPushButton>("SpeedButton2"), Qt::LeftButton);
    ASSERT_EQ(script->shown.size(), 1u);
    EXPECT_NE(script->shown[0].find("PATH IB"), std::string::npos) << script->shown[0];
    EXPECT_TRUE(dialogo.isVisible());
    EXPECT_EQ(pathIb(), "servidor:c:\\kvl\\GERENCIA.KVL");
}

} // namespace
