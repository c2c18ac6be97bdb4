#pragma once

#include <QDialog>

#include "app/regional/path_reg_gerencia.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The management-database address dialog ("Endereco do Banco Gerencia") over
// its core: fixed size, modal, centred. Showing it runs FormActivate; edits go
// into the core's fields as they are typed; "Confirma Endereço" writes the
// address and closes with Accepted; the close box ends it with Rejected and
// nothing written. An error of a handler is reported and the dialog stays.
// Implemented in path_reg_gerencia_view.cpp.
class TfrmPathRegGerencia : public QDialog {
  public:
    explicit TfrmPathRegGerencia(QWidget *parent = nullptr);

    PathRegGerenciaCore &core() { return core_; }

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void mostra();

    PathRegGerenciaCore core_;
    bool ativado_ = false;
    QRadioButton *chkLocal;
    QRadioButton *chkRemoto;
    QLabel *lblServidor;
    QLineEdit *edtServidor;
    QLineEdit *edtPath;
    QLineEdit *edtUnidade;
    QPushButton *SpeedButton1;
    QPushButton *SpeedButton2;
};
