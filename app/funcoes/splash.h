#pragma once

#include <functional>
#include <string>
#include <string_view>

// The core of the splash window shown from the start of the program until the
// message loop begins: the program and version texts, the file being opened
// with a progress count, and the "restoring the database service" panel the
// login shows while it restarts the server. Whoever drives the start-up
// changes it; the view (app/ui/funcoes/splash_view.h) sets `aoMudar` and
// repaints whenever it is called. Implemented in splash.cpp.
class SplashCore {
  public:
    static constexpr std::string_view kTextoBanco =
        "Aguarde...\r\n Restaurando Serviço do \r\nBanco de Dados";

    std::string lblPrograma = "Programa...";
    std::string lblVersao = "Versao...";
    std::string lblFile;
    int porcentoMaximo = 0;
    int porcentoPosicao = 0;
    bool pnlBancoVisivel = false;

    // Called after every change below; may be empty.
    std::function<void()> aoMudar;

    void ConfigSplash(std::string_view programa, std::string_view versao, int maximo);
    // Shows the file's name and advances the progress by one (never past the
    // maximum).
    void RolaFile(std::string_view arquivo);
    void mostraBanco(bool visivel);

  private:
    void mudou() const;
};
