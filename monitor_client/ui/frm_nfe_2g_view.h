#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTimer;
class QFrame;
struct GradeDanfe;
class TfrmNFE_2G;

// "Nota Fiscal Eletronica - 2G" over its core (the caller owns the core):
// the top panel with `btnSair` and `lblConcluido`, the grids `gridEnviadas`,
// `gridDanfe` and `gridImpressa` over the core's DANFENFE rows of the run, the
// message panel `pnlErro` with `memoerro` and `Panel2`, and the timers
// `TimerNota`, `TimerDanfe`, `TimerEmail` (1000 ms) and `TimerFecha` calling
// the core's ticks. Each showing activates the core once (the send run);
// returning from a box is no new showing. The window closes with the core's
// modal result. Implemented in frm_nfe_2g_view.cpp.
class TfrmNFE_2GView : public QDialog {
  public:
    explicit TfrmNFE_2GView(TfrmNFE_2G &core, QWidget *parent = nullptr);

    // Copies the core's grids, label, panel and timer states into the window.
    void mostra();

  protected:
    void showEvent(QShowEvent *evento) override;
    void done(int resultado) override;

  private:
    QTableWidget *criaGrade(const char *nome, int altura, bool comEmail, const char *ultimaColuna);
    void preencheGrade(QTableWidget *grade, const GradeDanfe &linhas, bool comEmail, bool impressao);
    // Runs a step of the core; a failure is shown once, not on every tick.
    template <typename Passo> void executa(Passo passo);

    TfrmNFE_2G &core_;
    QPushButton *btnSair;
    QLabel *lblConcluido;
    QTableWidget *gridEnviadas;
    QTableWidget *gridDanfe;
    QTableWidget *gridImpressa;
    QFrame *pnlErro;
    QPlainTextEdit *memoerro;
    QTimer *TimerNota;
    QTimer *TimerDanfe;
    QTimer *TimerEmail;
    QTimer *TimerFecha;
    std::string ultimaFalha_;
    bool ativando_ = false;
};

// Shows the note screen modally over its core; the modal result (1 when the
// run ended or the operator left).
int MostraNFE_2G(TfrmNFE_2G &core);
