#pragma once

#include <QDialog>

#include "app/nivel_menu/frm_nivel_menu.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The menu-level editor "Nivel de Menu de usuario" over its core: the level
// `edtNivel`, the grid `DBGrid1` (columns "Nivel", "Nome da Opção" and a
// released check box per row), `btnSelect`, `btnDelete`, `SpeedButton2`
// ("Marcar todos") and `btnSair`. Showing it runs FormActivate; closing it
// runs FormClose, which writes the list back. The exit picture is
// "ImagensFrente/sair.png" of the program's folder; without it the button
// shows a standard icon. Implemented in frm_nivel_menu_view.cpp.
class TfrmNivelMenuView : public QDialog {
  public:
    explicit TfrmNivelMenuView(TdtmGerencia &gerencia, QWidget *parent = nullptr);

    TfrmNivelMenu &core() { return core_; }

  protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    void mostra();
    void clica(void (TfrmNivelMenu::*tratador)());

    TfrmNivelMenu core_;
    QSpinBox *edtNivel;
    QLabel *lblcodigo;
    QTableWidget *DBGrid1;
    QPushButton *btnSelect;
    QPushButton *btnDelete;
    QPushButton *SpeedButton2;
    QPushButton *btnSair;
    bool mostrando_ = false;
};
