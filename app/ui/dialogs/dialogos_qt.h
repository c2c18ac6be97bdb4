#pragma once

#include <QString>

#include "app/dialogs/dialogos.h"

// The standard dialogs on Qt Widgets, installed at start-up with
// `instalaDialogos(std::make_unique<DialogosQt>())`. Each box is modal over
// the active window. Implemented in dialogos_qt.cpp.
class DialogosQt : public Dialogos {
  public:
    bool atencao(std::string_view texto) override;
    bool confirmacao(std::string_view texto) override;
    void mensagem(std::string_view texto, std::string_view titulo) override;
    // Starts in the folder of the initial name (a stored Windows path is
    // mapped) with that file selected; answers the chosen file's Linux path.
    std::optional<std::string> abrirArquivo(std::string_view filtro, std::string_view nomeInicial) override;
    std::optional<std::string> escolherPasta(std::string_view pastaInicial) override;
    std::optional<std::string> entrada(std::string_view titulo, std::string_view pergunta,
                                       std::string_view padrao) override;
};

// A "description|mask|description|mask" filter as Qt's name filters
// ("description (mask);;..."). Masks match either case, as they do on the
// suite's home platform: "*.KVL" also lists "gerencia.kvl".
QString filtroQt(std::string_view filtro);
