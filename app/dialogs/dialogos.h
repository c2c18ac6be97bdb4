#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The standard dialogs as the shell's functions and screen cores reach them:
// the Qt views install their implementation at start-up, tests install a
// scripted one. Used from the main thread only.
class Dialogos {
  public:
    virtual ~Dialogos() = default;

    // Warning box (caption "Warning", warning icon) with OK and Cancel; true on OK.
    virtual bool atencao(std::string_view texto) = 0;
    // Question box (caption "Confirmação") with Yes and No; true on Yes.
    virtual bool confirmacao(std::string_view texto) = 0;
    // Plain box with the caption and an OK button.
    virtual void mensagem(std::string_view texto, std::string_view titulo) = 0;
    // Open-file dialog with a filter in the "description|mask|..." form; the
    // chosen file's full name, or nothing when cancelled.
    virtual std::optional<std::string> abrirArquivo(std::string_view filtro,
                                                    std::string_view nomeInicial) = 0;
    // Folder chooser starting at `pastaInicial` (a new folder may be created
    // from it); the chosen folder, or nothing when cancelled.
    virtual std::optional<std::string> escolherPasta(std::string_view pastaInicial) = 0;
    // One-line input box with its caption, prompt and default text; the text
    // typed, or nothing when cancelled. Dialogs that do not offer one answer
    // as cancelled.
    virtual std::optional<std::string> entrada(std::string_view titulo, std::string_view pergunta,
                                               std::string_view padrao)
    {
        (void)titulo;
        (void)pergunta;
        (void)padrao;
        return std::nullopt;
    }
};

// The installed dialogs. Until something is installed, a stand-in writes the
// texts to standard error and answers Cancel, No, no file and no input.
Dialogos &dialogos();

// Installs the dialogs (nullptr goes back to the stand-in) and returns the
// ones installed before.
std::unique_ptr<Dialogos> instalaDialogos(std::unique_ptr<Dialogos> novos);
