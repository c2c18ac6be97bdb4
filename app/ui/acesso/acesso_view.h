#pragma once

#include <QDialog>

#include "app/acesso/acesso.h"

#include <memory>

class QLabel;
class QLineEdit;

// The login screen "Solicitação de Acesso" over its core. Creating it
// connects (the core's FormCreate; the address dialog is shown modally when
// the core asks and no other was given); showing it runs FormActivate. Enter
// moves from the date to the user to the password, where it runs the check;
// Escape in any field ends it with Rejected and `core().encerraPrograma()`
// set. An accepted password closes it with Accepted. While it lives, the
// Firebird controller's waits keep processing the screen's events.
// Implemented in acesso_view.cpp.
class TfrmAcessoView : public QDialog {
  public:
    explicit TfrmAcessoView(TfrmAcesso::Ambiente ambiente, QWidget *parent = nullptr);
    ~TfrmAcessoView() override;

    TfrmAcesso &core() { return *core_; }

  protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

  private:
    void mostra();
    void depois();

    std::unique_ptr<TfrmAcesso> core_;
    QLineEdit *edtData;
    QLineEdit *edtUsuario;
    QLineEdit *edtSenha;
    QLabel *statusBar;
};
