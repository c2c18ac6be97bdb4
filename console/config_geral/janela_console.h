#pragma once

#include "console/config_geral/exibicao_resposta.h"
#include "nfe/services/quib_nfe.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The two ways the console's operations reach the window: the prompts that
// ask the operator something and the answer panes that show what came back.
// The window installs its own (console/ui/); a runner that moves the
// operations to another thread installs ones that cross to the window's
// thread. Every call returns once the window has done it.

// The shared file dialog as an operation sets it before opening it.
struct DialogoArquivo {
    std::string titulo;
    std::string extensaoPadrao;
    // Pairs of description and pattern separated by "|".
    std::string filtro;
    std::string pastaInicial;
};

class PerguntasConsole {
  public:
    virtual ~PerguntasConsole() = default;

    // One-line input box; nothing for Cancel (an empty answer counts as Cancel).
    virtual std::optional<std::string> InputBox(std::string_view legenda, std::string_view pergunta,
                                                std::string_view padrao) = 0;
    // The chosen file's full name; nothing when the dialog was closed without one.
    virtual std::optional<std::string> abrirArquivo(const DialogoArquivo &dialogo) = 0;
    // A plain message box with OK.
    virtual void mensagem(std::string_view texto) = 0;
    // The application's error box ("Erro de sistema").
    virtual void erro(std::string_view texto) = 0;
    // A question with Yes and No; true on Yes.
    virtual bool confirmacao(std::string_view texto) = 0;
};

// What the pop-up does at a component step.
enum class AcaoStatus { Esconder, Mostrar, Manter };
struct PassoStatus {
    AcaoStatus acao = AcaoStatus::Manter;
    // The text shown for Mostrar.
    std::string_view texto;
};
// The pop-up's answer to a step: hidden at etOcioso, a text for steps 1 to
// 11, unchanged for any other.
PassoStatus PassoDoStatus(TEtapaNFe etapa);

class PaineisConsole {
  public:
    virtual ~PaineisConsole() = default;

    // Pages are the indexes of `pgRespostas` (TfrmConfigGeral40::PaginaResposta).
    // A memo's text replaced; lines use CR LF.
    virtual void substitui(int pagina, std::string texto) = 0;
    // Lines added at a memo's end: behind a CR LF when the memo holds text.
    virtual void acrescenta(int pagina, std::string linhas) = 0;
    virtual void mostraPagina(int pagina) = 0;
    virtual void defineArvore(int pagina, std::vector<NoArvore> arvore) = 0;
    // The embedded browser sent to the file.
    virtual void navega(std::string arquivo) = 0;
    // The status pop-up follows the component's step (PassoDoStatus).
    virtual void etapa(TEtapaNFe etapa) = 0;
    // Runs the function where the window's controls live; used for the
    // settings controls, which the window shows and edits.
    virtual void naJanela(const std::function<void()> &funcao) = 0;
};
