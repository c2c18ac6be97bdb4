#include "app/dialogs/dialogos.h"

#include <iostream>

namespace {

class DialogosSemTela : public Dialogos {
  public:
    bool atencao(std::string_view texto) override
    {
        std::cerr << texto << '\n';
        return false;
    }
    bool confirmacao(std::string_view texto) override
    {
        std::cerr << texto << '\n';
        return false;
    }
    void mensagem(std::string_view texto, std::string_view titulo) override
    {
        std::cerr << titulo << ": " << texto << '\n';
    }
    std::optional<std::string> abrirArquivo(std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    std::optional<std::string> escolherPasta(std::string_view) override { return std::nullopt; }
    std::optional<std::string> entrada(std::string_view titulo, std::string_view pergunta,
                                       std::string_view) override
    {
        std::cerr << titulo << ": " << pergunta << '\n';
        return std::nullopt;
    }
};

std::unique_ptr<Dialogos> &instalados()
{
    static std::unique_ptr<Dialogos> dialogos = std::make_unique<DialogosSemTela>();
    return dialogos;
}

} // namespace

Dialogos &dialogos()
{
    return *instalados();
}

std::unique_ptr<Dialogos> instalaDialogos(std::unique_ptr<Dialogos> novos)
{
    std::unique_ptr<Dialogos> antigos = std::move(instalados());
    instalados() = novos ? std::move(novos) : std::make_unique<DialogosSemTela>();
    return antigos;
}
