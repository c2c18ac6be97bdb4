#pragma once

#include <QList>
#include <QMainWindow>

#include "app/principal/frm_principal.h"

class QMenu;
class QPushButton;

// The main window over its core: caption, background picture and the two
// 40x40 picture buttons `BitBtn1` (end) and `BitBtn2` (company settings) at
// the top left, and a menu bar rebuilt from the core's `MainMenu1` (menus
// and actions carry the items' names). Each activation runs FormActivate
// and rebuilds the menu; after a failed one (shown in the "Erro de sistema"
// box) activations are passed over until the window has lost the focus
// once more, so the trimming is retried at the next real activation and
// never loops on its own box.
// Pictures come from "ImagensFrente/" in the program's folder; a missing
// one leaves the button blank. The window's close button ends the program
// without asking. Implemented in frm_principal_view.cpp.
class TfrmPrincipalView : public QMainWindow {
  public:
    TfrmPrincipalView(ModulosDados &modulos, FabricaTelas &fabrica, QWidget *parent = nullptr);

    TfrmPrincipal &core() { return core_; }
    // Rebuilds the menu bar from the core.
    void mostra();

  protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void ativa();
    void acrescenta(QMenu *menu, const ItemMenu &item);

    TfrmPrincipal core_;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    class QLabel *PanoFundo;
    QList<QMenu *> menus_;
    bool emAtivacao_ = false;
    bool esperaDesativacao_ = false;
};
