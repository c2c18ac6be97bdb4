#pragma once

#include <QWidget>

#include "app/funcoes/splash.h"

class QLabel;
class QProgressBar;

// The splash window over its core: borderless, 485x287, centred on the screen,
// not modal. It repaints at once on every change of the core, since the
// message loop is not running yet while the program starts. Implemented in
// splash_view.cpp.
class TfrmSplash : public QWidget {
  public:
    explicit TfrmSplash(QWidget *parent = nullptr);
    ~TfrmSplash() override;

    SplashCore &core() { return core_; }

  private:
    void mostra();

    SplashCore core_;
    QLabel *lblPrograma;
    QLabel *lblVersao;
    QLabel *lblFile;
    QProgressBar *Porcento;
    QLabel *pnlBanco;
};
