#include "app/firebird/gerenciador_firebird.h"

#include "tests/app/firebird/sonda_falsa.h"

#include <gtest/gtest.h>

namespace {

constexpr const char *kInstancias = "SOFTWARE\\Firebird Project\\Firebird Server\\Instances|DefaultInstance";
constexpr const char *kVersao = "SOFTWARE\\FirebirdSQL\\Firebird\\CurrentVersion|RootDirectory";

class GerenciadorFirebird : public ::testing::Test {
  protected:
    GerenciadorFirebird()
    {
        sonda.registros[kInstancias] = "/opt/fb/";
        sonda.arquivos.insert("/opt/fb/bin/fbguard");
    }
    template <class T> std::unique_ptr<T> cria(bool comInterno = false)
    {
        auto controlador = std::make_unique<T>(sonda, comInterno);
        controlador->OnLog = [this](const std::string &texto, int) { relatos.push_back(texto); };
        if (controlador->Inner)
            controlador->Inner->OnLog = controlador->OnLog;
        return controlador;
    }
    SondaFalsa sonda;
    std::vector<std::string> relatos;
};

TEST_F(GerenciadorFirebird, TheGuardIsStartingUntilItsServerAnswersAndStoppingUntilItEnds)
{
    auto app = cria<TFirebirdApplication>();
    EXPECT_EQ(app->GetState(), 1);
    sonda.guarda = 7;
    EXPECT_EQ(app->GetState(), 2);
    EXPECT_TRUE(app->IsRunning());
    sonda.portaAberta = true;
    EXPECT_EQ(app->GetState(), 4);

    sonda.guardaTeimosa = true;
    EXPECT_TRUE(app->Stop(2)); // still there after the limit
    EXPECT_EQ(app->GetState(), 3);
    sonda.guarda.reset();
    EXPECT_EQ(app->GetState(), 1);
}

TEST_F(GerenciadorFirebird, StartRunsTheGuardOfTheRootAndWaitsForItsServer)
{
    auto app = cria<TFirebirdApplication>();
    EXPECT_TRUE(app->Installed);
    EXPECT_FALSE(app->Start(30));
    EXPECT_EQ(sonda.pedidos,
              (std::vector<std::string>{"start application /opt/fb/bin/fbguard -forever FIREBIRD=/opt/fb/"}));
    EXPECT_EQ(app->GetState(), 4);
    // 2 s until the port answered, then the pause after a start.
    EXPECT_GE(sonda.agora, 2000 + 8000);
    EXPECT_LT(sonda.agora, 2000 + 8000 + 200);
    EXPECT_EQ(relatos, (std::vector<std::string>{"Starting Application: Firebird Server",
                                                 "  - Firebird Server started"}));

    // Running already: nothing started, answer false, the pause all the same.
    sonda.pedidos.clear();
    const auto antes = sonda.agora;
    EXPECT_FALSE(app->Start(30));
    EXPECT_TRUE(sonda.pedidos.empty());
    EXPECT_EQ(sonda.agora - antes, 8000);

    EXPECT_FALSE(app->Stop(30));
    EXPECT_EQ(app->GetState(), 1);
    EXPECT_FALSE(app->Stop(30)); // not running: false
}

TEST_F(GerenciadorFirebird, AServerThatNeverAnswersTimesOutAndAnswersTrue)
{
    auto app = cria<TFirebirdApplication>();
    app->AlwaysWait = false;
    sonda.msPorta = 60'000;
    EXPECT_TRUE(app->Start(5));
    EXPECT_GE(sonda.agora, 5000);
    EXPECT_LT(sonda.agora, 5200); // no pause: nothing was started
}

TEST_F(GerenciadorFirebird, TheSecondRegistryKeyIsTriedWhenTheFirstRootHasNoGuard)
{
    sonda.arquivos = {"/srv/firebird/bin/fbguard"};
    sonda.registros[kVersao] = "/srv/firebird";
    EXPECT_EQ(cria<TFirebirdApplication>()->ExePath, "/srv/firebird/bin/fbguard");

    sonda.arquivos.clear();
    auto semGuarda = cria<TFirebirdApplication>();
    EXPECT_FALSE(semGuarda->Installed);
    EXPECT_TRUE(semGuarda->Start(30));
    EXPECT_EQ(relatos.back(), "Unable to locate executable: ");
    EXPECT_TRUE(sonda.pedidos.empty());
}

TEST_F(GerenciadorFirebird, StoppingTheApplicationStopsTheServiceFirst)
{
    sonda.estadoDoServico = 4;
    auto app = cria<TFirebirdApplication>(true);
    EXPECT_EQ(app->GetState(), 4); // the service answers for a stopped guard
    EXPECT_FALSE(app->Stop(30));
    EXPECT_EQ(sonda.pedidos, (std::vector<std::string>{"stop service firebird3.0"}));
    EXPECT_EQ(sonda.estadoDoServico, 1);
}

TEST_F(GerenciadorFirebird, AServiceAlreadyStoppingIsOnlyWaitedFor)
{
    auto servico = cria<TFirebirdService>();
    EXPECT_EQ(servico->ServiceName, "FirebirdGuardian");
    EXPECT_EQ(servico->WaitAfterMs, 0);
    // Running when asked, already stopping when the request would go.
    sonda.proximosEstados = {4};
    sonda.estadoDoServico = 3;
    sonda.mudaServicoEm(3000, 1);
    EXPECT_FALSE(servico->Stop(30));
    EXPECT_TRUE(sonda.pedidos.empty());
    EXPECT_GE(sonda.agora, 3000);
    EXPECT_EQ(relatos.back(), "  - FirebirdServer stopped");
}

TEST_F(GerenciadorFirebird, RefusedServiceRequestsAreReportedAndAnswerTrue)
{
    auto servico = cria<TFirebirdService>();
    sonda.recusaPedidos = true;
    sonda.estadoDoServico = 4;
    EXPECT_TRUE(servico->Stop(30));
    EXPECT_EQ(relatos.back(), "Exception Stopping Service: Unable to get FirebirdServer status");
    sonda.estadoDoServico = 1;
    EXPECT_TRUE(servico->Start(30));
    EXPECT_EQ(relatos.back(), "Exception Starting Service: Unable to start FirebirdServer");
}

TEST_F(GerenciadorFirebird, AServiceStartIsAskedAgainAfterHalfTheLimitThenTimesOut)
{
    auto servico = cria<TFirebirdService>();
    sonda.servicoNaoSobe = true;
    EXPECT_TRUE(servico->Start(4));
    EXPECT_EQ(sonda.pedidos.front(), "start service firebird3.0");
    EXPECT_GT(sonda.pedidos.size(), 2u); // repeated once 2 s had passed
    EXPECT_GE(sonda.agora, 4000);
    EXPECT_EQ(relatos.back(), "Exception Starting Service: Timed out, unable to start FirebirdServer");

    sonda.servicoInstalado = false;
    EXPECT_TRUE(cria<TFirebirdService>()->Start(4)); // not installed
}

} // namespace
