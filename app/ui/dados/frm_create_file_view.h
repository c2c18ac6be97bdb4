#pragma once

#include <QDialog>

#include "app/dados/frm_create_file.h"

class QLabel;
class QPushButton;

// The schema updater "Criação e Alteração de Tabelas" over its core: modal,
// centred, fixed size. Each activation reads the counter into `lblultima`;
// "Atualização de Banco de dados" runs the update steps (the core shows the
// list and any failure through dialogos()) and then shows the new counter;
// the blank button `BitBtn1` closes with Accepted. The module must be
// connected and outlive the view. Implemented in frm_create_file_view.cpp.
class TfrmCreateFileView : public QDialog {
  public:
    explicit TfrmCreateFileView(TdtmNFE_grd &modulo, QWidget *parent = nullptr);

    TfrmCreateFile &core() { return core_; }

  protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void ativa();
    void mostra();

    TfrmCreateFile core_;
    QLabel *lblultima;
    QPushButton *btnAtualiza;
    QPushButton *BitBtn1;
};
