#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/dialogos.h"

namespace testsupport {

// Dialogs that answer from a script and record what they were asked: every
// box appends "<kind>: <text>" to `shown`; the answers are taken in order
// (OK / Yes when the script is empty; `files` answers the open-file dialog
// and the folder chooser, nothing when empty).
class ScriptedDialogs : public Dialogos {
  public:
    std::vector<std::string> shown;
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> files;
    // Answers of the input boxes in order; the default text when empty.
    std::deque<std::optional<std::string>> inputs;

    bool atencao(std::string_view texto) override { return record("atencao", texto); }
    bool confirmacao(std::string_view texto) override { return record("confirmacao", texto); }
    void mensagem(std::string_view texto, std::string_view titulo) override
    {
        shown.push_back(std::string(titulo) + ": " + std::string(texto));
    }
    std::optional<std::string> abrirArquivo(std::string_view filtro, std::string_view) override
    {
        shown.push_back("arquivo: " + std::string(filtro));
        return nextFile();
    }
    std::optional<std::string> escolherPasta(std::string_view pastaInicial) override
    {
        shown.push_back("pasta: " + std::string(pastaInicial));
        return nextFile();
    }

    std::optional<std::string> entrada(std::string_view titulo, std::string_view pergunta,
                                       std::string_view padrao) override
    {
        shown.push_back("entrada: " + std::string(titulo) + ": " + std::string(pergunta));
        if (inputs.empty())
            return std::string(padrao);
        auto input = inputs.front();
        inputs.pop_front();
        return input;
    }

  private:
    std::optional<std::string> nextFile()
    {
        if (files.empty())
            return std::nullopt;
        auto file = files.front();
        files.pop_front();
        return file;
    }
    bool record(const char *kind, std::string_view texto)
    {
        shown.push_back(std::string(kind) + ": " + std::string(texto));
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace testsupport
