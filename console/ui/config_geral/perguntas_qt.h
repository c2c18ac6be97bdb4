#pragma once

#include "console/config_geral/janela_console.h"

class QWidget;

// The console's prompts as Qt dialogs over the window: a one-line input box
// (an empty answer is Cancel), the shared file dialog with its title,
// filter and starting folder, and the boxes. Used on the window's thread.
// Implemented in perguntas_qt.cpp.
class PerguntasQt : public PerguntasConsole {
  public:
    explicit PerguntasQt(QWidget *janela) : janela_(janela) {}

    std::optional<std::string> InputBox(std::string_view legenda, std::string_view pergunta,
                                        std::string_view padrao) override;
    std::optional<std::string> abrirArquivo(const DialogoArquivo &dialogo) override;
    void mensagem(std::string_view texto) override;
    void erro(std::string_view texto) override;
    bool confirmacao(std::string_view texto) override;

  private:
    QWidget *janela_;
};
