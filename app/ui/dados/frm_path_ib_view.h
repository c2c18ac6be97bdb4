#pragma once

#include <QDialog>

#include "app/dados/frm_path_ib.h"

class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

// The database-location editor "Configurações de estações de clientes" over
// its core: a grid of PATHIB ("Empresa", "Alias IB", "Servidor IB",
// "Endereco IB"), the boxes `edtalias`, `edtserver` and `edtPath`, the data
// buttons and "Localiza banco de dados......". The core's modal runs show
// this dialog; showing it runs FormActivate, closing it FormClose. Errors of
// the handlers are reported and the dialog stays. Implemented in
// frm_path_ib_view.cpp.
class FrmPathIbView : public QDialog {
  public:
    FrmPathIbView(TdtmGerencia &gerencia, QWidget *parent = nullptr);
    ~FrmPathIbView() override;

    TfrmPathIB &core() { return core_; }

  protected:
    void showEvent(QShowEvent *event) override;
    void done(int resultado) override;

  private:
    void mostra();

    TdtmGerencia &gerencia_;
    TfrmPathIB core_;
    QTableWidget *grade;
    QLineEdit *edtalias;
    QLineEdit *edtserver;
    QLineEdit *edtPath;
    QPushButton *btnIncluir;
    QPushButton *btnExcluir;
    QPushButton *btnSalvar;
    QPushButton *btnCancelar;
    QPushButton *btnLocaliza;
    QWidget *pnlAlias;
};
