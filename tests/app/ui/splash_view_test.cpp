#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>

#include "app/ui/funcoes/splash_view.h"

namespace {

TEST(SplashView, ShowsTheCoreAsItChanges)
{
    TfrmSplash splash;
    splash.show();
    EXPECT_EQ(splash.size(), QSize(485, 287));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    auto *programa = splash.findChild<QLabel *>("lblPrograma");
    auto *arquivo = splash.findChild<QLabel *>("lblFile");
    auto *porcento = splash.findChild<QProgressBar *>("Porcento");
    auto *banco = splash.findChild<QLabel *>("pnlBanco");
    ASSERT_TRUE(programa && arquivo && porcento && banco);
    EXPECT_EQ(programa->text(), "Programa...");
    EXPECT_FALSE(banco->isVisible());

    splash.core().ConfigSplash("Configurador NF-e", "Versão 4.00", 3);
    splash.core().RolaFile("GERENCIA.KVL");
    EXPECT_EQ(programa->text(), "Configurador NF-e");
    EXPECT_EQ(arquivo->text(), "GERENCIA.KVL");
    EXPECT_EQ(porcento->maximum(), 3);
    EXPECT_EQ(porcento->value(), 1);

    splash.core().mostraBanco(true);
    EXPECT_TRUE(banco->isVisible());
    EXPECT_EQ(banco->text(), QString::fromUtf8("Aguarde...\n Restaurando Serviço do \nBanco de Dados"));
}

} // namespace
