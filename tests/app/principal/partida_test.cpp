#include "app/principal/partida.h"

#include "foundation/base/quib_exception.h"

#include <gtest/gtest.h>

namespace {

// Records every step; the login's answer and the failing creations are set
// by the test.
class PassosGravados : public PassosPartida {
  public:
    std::vector<std::string> passos;
    std::optional<int> nivel = 3;
    bool bancosFalham = false;
    std::vector<std::string> falham;

    void criaBancos() override
    {
        passos.push_back("bancos");
        if (bancosFalham)
            throw ProgramError("Não foi possível criar o banco");
    }
    void mostraSplash(const std::string &programa, const std::string &versao, int maximo) override
    {
        passos.push_back("splash " + programa + " / " + versao + " / " + std::to_string(maximo));
    }
    std::optional<int> login() override
    {
        passos.push_back("login");
        return nivel;
    }
    void repintaSplash() override { passos.push_back("repinta"); }
    void inicializa() override { passos.push_back("inicializa"); }
    std::vector<Criacao> criacoes() override
    {
        std::vector<Criacao> lista;
        for (const char *nome : {"TfrmPrincipal", "TdtmGerencia", "TfrmPathIB", "TdtmNFE_grd", "TdtmNFE_2"})
            lista.push_back({nome, [this, nome] {
                                 passos.push_back(std::string("cria ") + nome);
                                 for (const std::string &falha : falham)
                                     if (falha == nome)
                                         throw ProgramError("falhou " + falha);
                             }});
        return lista;
    }
    void entregaNivel(int n) override { passos.push_back("nivel " + std::to_string(n)); }
    void fechaSplash() override { passos.push_back("fecha splash"); }
    int executaLaco() override
    {
        passos.push_back("laco");
        return 7;
    }
    void mostraErro(const std::exception &erro) override
    {
        passos.push_back(std::string("erro: ") + erro.what());
    }
};

TEST(Partida, CreatesInOrderAndHandsTheLevelOverBeforeTheLoop)
{
    PassosGravados passos;
    EXPECT_EQ(ExecutaPartida(passos), 7);
    EXPECT_EQ(passos.passos,
              (std::vector<std::string>{"bancos", "splash Configurador de NFE KVL / Versão 2023.1101 4.0 / 7",
                                        "login", "repinta", "inicializa", "cria TfrmPrincipal",
                                        "cria TdtmGerencia", "cria TfrmPathIB", "cria TdtmNFE_grd",
                                        "cria TdtmNFE_2", "nivel 3", "fecha splash", "laco"}));
}

TEST(Partida, AFailingCreationIsShownAndTheNextOneGoesOn)
{
    PassosGravados passos;
    passos.falham = {"TdtmGerencia", "TdtmNFE_2"};
    EXPECT_EQ(ExecutaPartida(passos), 7);
    EXPECT_EQ(
        std::vector<std::string>(passos.passos.begin() + 5, passos.passos.end()),
        (std::vector<std::string>{"cria TfrmPrincipal", "cria TdtmGerencia", "erro: falhou TdtmGerencia",
                                  "cria TfrmPathIB", "cria TdtmNFE_grd", "cria TdtmNFE_2",
                                  "erro: falhou TdtmNFE_2", "nivel 3", "fecha splash", "laco"}));
}

TEST(Partida, AnEndedLoginOrFailedFirstStartCreatesNothing)
{
    PassosGravados semLogin;
    semLogin.nivel.reset();
    EXPECT_EQ(ExecutaPartida(semLogin), 0);
    EXPECT_EQ(semLogin.passos.back(), "fecha splash");
    EXPECT_EQ(semLogin.passos.size(), 4u);

    PassosGravados semBancos;
    semBancos.bancosFalham = true;
    EXPECT_EQ(ExecutaPartida(semBancos), 1);
    EXPECT_EQ(semBancos.passos, (std::vector<std::string>{"bancos", "erro: Não foi possível criar o banco"}));
}

} // namespace
