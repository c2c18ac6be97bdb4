#pragma once

#include <QPointer>
#include <QWidget>

#include <map>
#include <string>

class QPlainTextEdit;
class QTabWidget;
class QTreeWidget;
class TfrmConfigGeral40;

// "QuibNFe - Demonstração" over its core (the caller owns the core): on the
// left `PageControl1` with every settings control of the key table, each
// widget named after its control, and "Salvar Configurações"; on the right
// the operations tabs `PageControl3` ("NF-e", "NFC-e") above the answer pages
// `pgRespostas` (0 "Respostas" to 6 "RetornoConsulta NFe 2.01").
//
// Becoming the active window from another window or program activates the
// core (the company's settings are read); the return from a dialog or box
// the window opened is not an activation, nor is anything read while a
// handler runs. The browser page shows the file the core sent it to,
// indented for reading, or as plain text when not well-formed; no web
// engine. Implemented in frm_config_geral40_view.cpp.
class TfrmConfigGeral40View : public QWidget {
  public:
    explicit TfrmConfigGeral40View(TfrmConfigGeral40 &core, QWidget *parent = nullptr);
    ~TfrmConfigGeral40View() override;

    // Copies the core into the widgets.
    void mostra();

  protected:
    bool event(QEvent *evento) override;

  private:
    QWidget *criaConfiguracoes();
    QWidget *criaConsole();
    void salva();

    TfrmConfigGeral40 &core_;
    QTabWidget *PageControl1;
    QTabWidget *PageControl3;
    QTabWidget *pgRespostas;
    QPlainTextEdit *MemoResp;
    QPlainTextEdit *WBResposta;
    QPlainTextEdit *memoLog;
    QTreeWidget *trvwNFe;
    QPlainTextEdit *memoRespWS;
    QPlainTextEdit *MemoDados;
    QTreeWidget *TreeViewRetornoConsulta;
    std::map<std::string, QWidget *> widgets_;
    bool mostrando_ = false;
    bool ocupado_ = false;
    // The window of this program that took the activation from this one.
    QPointer<QWidget> ultimaJanelaPropria_;
};

// The console window's entry point for the program's openers: shows the
// screen over the core as a modal window, centred, and returns when it is
// closed; true when it was closed by a save.
bool MostraConfigGeral40(TfrmConfigGeral40 &core);
