#include <memory>
#include <stdexcept>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "app/ui/aplicacao.h"
#include "app/ui/dialogs/dialogos_qt.h"
#include "app/ui/funcoes/funcoes_form.h"
#include "foundation/base/quib_exception.h"
#include "foundation/base/silent_abort.h"
#include "tests/support/qt_ui.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

namespace {

// An object whose event handler raises the error it is given.
template <class Error> class Falha : public QObject {
  public:
    explicit Falha(Error erro) : erro_(std::move(erro)) {}
    bool event(QEvent *) override { throw erro_; }

  private:
    Error erro_;
};

template <class Error> void disparaEvento(Error erro)
{
    Falha<Error> falha(std::move(erro));
    QEvent evento(QEvent::User);
    QCoreApplication::sendEvent(&falha, &evento);
}

ListaImpressoras duasImpressoras()
{
    return {{"Balcao", "Escritorio/rascunho"}, 1};
}

class ErrorHandler : public ::testing::Test {
  protected:
    ErrorHandler()
    {
        auto owned = std::make_unique<testsupport::ScriptedDialogs>();
        script = owned.get();
        instalaDialogos(std::move(owned));
    }
    ~ErrorHandler() override { instalaDialogos(nullptr); }

    testsupport::ScriptedDialogs *script;
};

TEST_F(ErrorHandler, UncaughtErrorsGoToTheSystemErrorBoxWhileTheFunctionsFormLives)
{
    disparaEvento(ProgramError("antes do formulário"));
    {
        TFuncoes funcoes(duasImpressoras);
        disparaEvento(ProgramError("Arquivo não encontrado"));
        disparaEvento(SilentAbort());
    }
    disparaEvento(std::runtime_error("depois"));
    EXPECT_EQ(script->shown,
              (std::vector<std::string>{"nfe-console: antes do formulário",
                                        "Erro de sistema: Arquivo não encontrado", "nfe-console: depois"}));
}

TEST_F(ErrorHandler, PrinterListSelectsTheDefaultAndIgnoresFailures)
{
    TFuncoes funcoes(duasImpressoras);
    EXPECT_EQ(funcoes.CBImpressoras->count(), 2);
    EXPECT_EQ(funcoes.CBImpressoras->currentText(), "Escritorio/rascunho");
    EXPECT_FALSE(funcoes.CBImpressoras->isVisibleTo(&funcoes));

    TFuncoes semLista([]() -> ListaImpressoras { throw ProgramError("spooler"); });
    EXPECT_EQ(semLista.CBImpressoras->count(), 0);
    EXPECT_TRUE(script->shown.empty());
}

TEST(CupsPrinters, NoSchedulerGivesAnEmptyList)
{
    testsupport::TempDir pasta;
    testsupport::ScopedEnv servidor("CUPS_SERVER", (pasta / "sem-cupsd.sock").string());
    const ListaImpressoras lista = impressorasCups();
    EXPECT_TRUE(lista.nomes.empty());
    EXPECT_EQ(lista.atual, -1);
}

TEST(SystemErrorBox, ShowsTheMessageWithItsCaptionAndOk)
{
    instalaDialogos(std::make_unique<DialogosQt>());
    TFuncoes funcoes([] { return ListaImpressoras{}; });
    QString titulo, texto;
    QMessageBox::StandardButtons botoes;
    testsupport::respondeJanelaModal([&](QWidget *janela) {
        auto *box = qobject_cast<QMessageBox *>(janela);
        ASSERT_NE(box, nullptr);
        titulo = box->windowTitle();
        texto = box->text();
        botoes = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    disparaEvento(ProgramError("Conexão recusada"));
    instalaDialogos(nullptr);
    EXPECT_EQ(titulo, "Erro de sistema");
    EXPECT_EQ(texto, QString::fromUtf8("Conexão recusada"));
    EXPECT_EQ(botoes, QMessageBox::Ok);
}

} // namespace
