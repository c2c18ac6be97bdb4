#include <memory>

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "app/funcoes/ufuncoes.h"
#include "app/ui/dialogs/dialogos_qt.h"
#include "tests/support/qt_ui.h"
#include "tests/support/temp_dir.h"

using testsupport::respondeJanelaModal;

namespace {

class QtDialogs : public ::testing::Test {
  protected:
    QtDialogs() { instalaDialogos(std::make_unique<DialogosQt>()); }
    ~QtDialogs() override { instalaDialogos(nullptr); }

    // Answers the next box with the button given, recording what it showed.
    void responde(QMessageBox::StandardButton botao)
    {
        respondeJanelaModal([this, botao](QWidget *janela) {
            auto *box = qobject_cast<QMessageBox *>(janela);
            ASSERT_NE(box, nullptr);
            titulo = box->windowTitle();
            texto = box->text();
            icone = box->icon();
            botoes = box->standardButtons();
            box->button(botao)->click();
        });
    }

    QString titulo, texto;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QMessageBox::StandardButtons botoes;
};

TEST_F(QtDialogs, WarningAndQuestionBoxesAnswerTrueOnlyOnTheirFirstButton)
{
    // clang-format off
    const struct {
        bool (*caixa)(std::string_view);
        const char *titulo, *texto;
        QMessageBox::Icon icone;
        QMessageBox::StandardButton sim, nao;
    } cases[] = {
        {MsgAtencao,     "Warning",      "ATENÇÃO ! ...  \nCaminho inválido", QMessageBox::Warning,
         QMessageBox::Ok,  QMessageBox::Cancel},
        {MsgConfirmacao, "Confirmação", "Caminho inválido",                  QMessageBox::Question,
         QMessageBox::Yes, QMessageBox::No},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.titulo);
        responde(c.nao);
        EXPECT_FALSE(c.caixa("Caminho inválido"));
        EXPECT_EQ(titulo, QString::fromUtf8(c.titulo));
        EXPECT_EQ(texto, QString::fromUtf8(c.texto));
        EXPECT_EQ(icone, c.icone);
        EXPECT_EQ(botoes, c.sim | c.nao);
        responde(c.sim);
        EXPECT_TRUE(c.caixa("x"));
    }
}

TEST_F(QtDialogs, PlainBoxHasItsCaptionAndOk)
{
    responde(QMessageBox::Ok);
    dialogos().mensagem("Usuário não localizado", "Login");
    EXPECT_EQ(titulo, "Login");
    EXPECT_EQ(texto, QString::fromUtf8("Usuário não localizado"));
    EXPECT_EQ(icone, QMessageBox::NoIcon);
    EXPECT_EQ(botoes, QMessageBox::Ok);
}

TEST(QtFileFilter, PairsBecomeQtFiltersMatchingEitherCase)
{
    // clang-format off
    const struct { const char *filtro; const char *qt; } cases[] = {
        {"Banco de Dados KVL|*.KVL|Banco de Dados |*.GDB",
         "Banco de Dados KVL (*.KVL *.kvl);;Banco de Dados  (*.GDB *.gdb)"},
        {"XML|*.xml;*.Xml",   "XML (*.xml *.XML *.Xml)"},
        {"Todos|*.*",         "Todos (*.*)"},
        {"Sem máscara",       ""},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(filtroQt(c.filtro), QString::fromUtf8(c.qt)) << c.filtro;
}

TEST_F(QtDialogs, OpenFileStartsAtTheInitialFileAndAnswersTheChosenOne)
{
    testsupport::TempDir pasta;
    pasta.write("gerencia.kvl", "");
    const std::string inicial = (pasta / "gerencia.kvl").string();

    QString diretorio, selecionado;
    respondeJanelaModal([&](QWidget *janela) {
        auto *dialogo = qobject_cast<QFileDialog *>(janela);
        ASSERT_NE(dialogo, nullptr);
        diretorio = dialogo->directory().absolutePath();
        selecionado = dialogo->selectedFiles().value(0);
        static_cast<QDialog *>(dialogo)->accept();
    });
    EXPECT_EQ(dialogos().abrirArquivo("Banco de Dados KVL|*.KVL", inicial), inicial);
    EXPECT_EQ(diretorio.toStdString(), pasta.path().string());
    EXPECT_EQ(selecionado.toStdString(), inicial);

    respondeJanelaModal([](QWidget *janela) { qobject_cast<QDialog *>(janela)->reject(); });
    EXPECT_EQ(dialogos().abrirArquivo("Banco de Dados KVL|*.KVL", inicial), std::nullopt);
}

} // namespace
