#include "app/funcoes/splash.h"

#include <algorithm>

void SplashCore::ConfigSplash(std::string_view programa, std::string_view versao, int maximo)
{
    lblPrograma = programa;
    lblVersao = versao;
    porcentoMaximo = std::max(maximo, 0);
    porcentoPosicao = std::min(porcentoPosicao, porcentoMaximo);
    mudou();
}

void SplashCore::RolaFile(std::string_view arquivo)
{
    lblFile = arquivo;
    porcentoPosicao = std::min(porcentoPosicao + 1, porcentoMaximo);
    mudou();
}

void SplashCore::mostraBanco(bool visivel)
{
    pnlBancoVisivel = visivel;
    mudou();
}

void SplashCore::mudou() const
{
    if (aoMudar)
        aoMudar();
}
