#pragma once

#include <QDialog>

class QTableWidget;
class TfrmSelectEmpresa;

// The company chooser "Selecione a Empresa de Acesso" over its core: a grid
// of the company table's rows (one column per field) starting on the table's
// current row, and the button "Confirmar Empresa". The button, or Enter in
// the grid, moves the table to the chosen row and closes with Accepted; the
// close box leaves the table where it was. Implemented in
// selecao_empresa_view.cpp.
class TfrmSelectEmpresaView : public QDialog {
  public:
    explicit TfrmSelectEmpresaView(TfrmSelectEmpresa &core, QWidget *parent = nullptr);

  protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

  private:
    void confirma();

    TfrmSelectEmpresa &core_;
    QTableWidget *DBGrid1;
};

// Makes the core's modal run show this view (instalaSelecaoEmpresa).
void instalaSelecaoEmpresaQt();
