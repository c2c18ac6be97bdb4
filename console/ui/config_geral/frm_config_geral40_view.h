#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

struct BotaoTela;
struct ChaveConfiguracao;
struct LegendaControle;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class PerguntasQt;
class TfrmConfigGeral40;

// "QuibNFe - Demonstração" over its core (the caller owns the core): on the
// left `PageControl1` with every settings control of the key table, each
// widget named after its control and captioned as the screen's layout table
// says (console/config_geral/disposicao_tela.h), and "Salvar Configurações";
// on the right the operations tabs `PageControl3` ("NF-e", "NFC-e") with one
// button per operation above the answer pages `pgRespostas` (0 "Respostas"
// to 6 "RetornoConsulta NFe 2.01"). A button runs its core handler and the
// widgets show the core again; a button whose handler is not bound shows
// disabled.
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
    QWidget *criaControle(const ChaveConfiguracao &chave, const LegendaControle &legenda);
    QWidget *comBotoesAoLado(QWidget *widget, std::string_view nome);
    QPushButton *criaBotao(const BotaoTela &botao);
    QWidget *criaConsole();
    // Runs a core handler as the operator's action: no activation reads the
    // settings meanwhile, an error is reported, then the widgets show the core.
    void executa(const std::function<void()> &tratador);
    void pressiona(const BotaoTela &botao);

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
    // The console's prompts, installed in the core while the view lives.
    std::unique_ptr<PerguntasQt> perguntas_;
    // The window of this program that took the activation from this one.
    QPointer<QWidget> ultimaJanelaPropria_;
};

// The console window's entry point for the program's openers: shows the
// screen over the core as a modal window, centred, and returns when it is
// closed; true when it was closed by a save.
bool MostraConfigGeral40(TfrmConfigGeral40 &core);
