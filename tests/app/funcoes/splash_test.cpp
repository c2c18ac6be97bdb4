#include <gtest/gtest.h>

#include "app/funcoes/splash.h"

namespace {

TEST(SplashCore, ProgressStopsAtTheMaximumAndEveryChangeIsAnnounced)
{
    SplashCore splash;
    int mudancas = 0;
    splash.aoMudar = [&] { ++mudancas; };

    splash.RolaFile("GERENCIA.KVL");
    EXPECT_EQ(splash.porcentoPosicao, 0) << "maximum 0 until configured";
    splash.ConfigSplash("NF-e", "Versão 1.0", 2);
    for (const char *arquivo : {"a.kvl", "b.kvl", "c.kvl"})
        splash.RolaFile(arquivo);
    EXPECT_EQ(splash.lblFile, "c.kvl");
    EXPECT_EQ(splash.porcentoPosicao, 2);
    splash.mostraBanco(true);
    EXPECT_TRUE(splash.pnlBancoVisivel);
    EXPECT_EQ(mudancas, 6);
}

} // namespace
