#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "foundation/dates/date_time.h"
#include "foundation/fiscal/random_source.h"
#include "nfe/services/quib_integrador.h"
#include "tests/support/fake_integrador.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_zone_guard.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using testsupport::FakeIntegrador;
using testsupport::IntegradorCommand;
using testsupport::TempDir;

std::vector<std::string> nomesEm(const fs::path &pasta)
{
    std::vector<std::string> nomes;
    if (fs::exists(pasta))
        for (const auto &entrada : fs::directory_iterator(pasta))
            nomes.push_back(entrada.path().filename().string());
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

// A client on temporary folders, a fake Integrador answering from the
// injected sleep, and a fake clock at 10/03/2026 12:00:00 (São Paulo).
class IntegradorTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        agora = sys_days{year{2026} / 3 / 10} + hours{15};
        inicio = agora;
        setClock([this] { return agora; });
        setSleep([this](milliseconds duracao) {
            agora += duracao;
            fake.poll();
        });
        setRandomDraw([](std::int64_t) { return 4242; });
        integrador.SetPastaInput((pasta / "input").string());
        integrador.SetPastaOutput((pasta / "output").string());
        integrador.OnGravarLog = [this](std::string_view linha, bool &) { log.emplace_back(linha); };
        integrador.DefinirNomeMetodo("NfeStatusServico2Soap12", true);
        integrador.NomeComponente = "NFCE";
    }
    void TearDown() override
    {
        resetClock();
        resetSleep();
        resetRandomDraw();
    }
    seconds esperado() const { return duration_cast<seconds>(agora - inicio); }

    testsupport::ScopedTimeZone fuso{"America/Sao_Paulo"};
    TempDir pasta;
    FakeIntegrador fake{pasta / "input", pasta / "output"};
    TQuibIntegrador integrador;
    system_clock::time_point agora;
    system_clock::time_point inicio;
    std::vector<std::string> log;
};

} // namespace

TEST_F(IntegradorTest, WritesTheCommandAndTakesOnlyTheReplyOfItsSession)
{
    const std::string alheia = FakeIntegrador::replyText("777", "outra|sessao");
    std::ofstream(pasta / "output" / "alheia.xml") << alheia;
    integrador.SetParametro("versaoDados", "4.00");
    integrador.SetParametro("cUF", "35");
    fake.reply = [](const IntegradorCommand &c) { return FakeIntegrador::replyText(c.session, "a|b|c"); };

    EXPECT_EQ(integrador.ExecutarComando(true), "a|b|c");

    EXPECT_EQ(integrador.Resposta, (std::vector<std::string>{"a", "b", "c"}));
    ASSERT_EQ(fake.commands().size(), 1U);
    const IntegradorCommand &comando = fake.commands()[0];
    EXPECT_EQ(comando.fileName, "hnfestatusservico2soap12-20260310120000-4242.xml");
    EXPECT_EQ(comando.xml, "<Integrador><Identificador><Valor>4242</Valor></Identificador>"
                           "<Componente Nome=\"NFCE\"><Metodo Nome=\"HNfeStatusServico2Soap12\"><Parametros>"
                           "<Parametro><Nome>numeroSessao</Nome><Valor>4242</Valor></Parametro>"
                           "<Parametro><Nome>versaoDados</Nome><Valor>4.00</Valor></Parametro>"
                           "<Parametro><Nome>cUF</Nome><Valor>35</Valor></Parametro>"
                           "</Parametros></Metodo></Componente></Integrador>");
    EXPECT_EQ(nomesEm(pasta / "input"), std::vector<std::string>{});
    EXPECT_EQ(nomesEm(pasta / "output"), std::vector<std::string>{"alheia.xml"});

    // A second command (a retried send) carries one session parameter only.
    integrador.ExecutarComando(true);
    EXPECT_EQ(fake.commands()[1].xml.find("numeroSessao", fake.commands()[1].xml.find("numeroSessao") + 1),
              std::string::npos);
}

TEST_F(IntegradorTest, WaitsAtLeastTwentyFiveSecondsThenRaisesATimeOut)
{
    struct Caso {
        int timeout;
        int segundos;
    };
    for (const Caso caso : {Caso{10, 25}, Caso{25, 25}, Caso{40, 40}}) {
        inicio = agora;
        fake.reply = [](const IntegradorCommand &) { return std::string(); };
        integrador.SetTimeout(caso.timeout);
        try {
            integrador.ExecutarComando();
            ADD_FAILURE() << "no time-out for " << caso.timeout;
        } catch (const EComandoIntegradorException &erro) {
            EXPECT_STREQ(erro.what(), "Sem Resposta do Integrador");
        }
        EXPECT_TRUE(integrador.ErroTimeout());
        EXPECT_EQ(esperado().count(), caso.segundos) << caso.timeout;
    }
}

TEST_F(IntegradorTest, RewritesAnUntakenCommandUnderANewNameAfterFiveSeconds)
{
    fake.taking = false;
    fake.reply = [this](const IntegradorCommand &c) { return FakeIntegrador::replyText(c.session, "ok"); };
    integrador.OnGravarLog = [this](std::string_view linha, bool &) {
        log.emplace_back(linha);
        if (agora - inicio >= seconds{6})
            fake.taking = true;
    };

    EXPECT_EQ(integrador.ExecutarComando(), "ok");

    ASSERT_EQ(fake.commands().size(), 1U);
    EXPECT_EQ(fake.commands()[0].fileName, "hnfestatusservico2soap12-20260310120000-4242-120005.xml");
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "Apagando arquivo não processado: " + (pasta / "input").string() +
                            "/hnfestatusservico2soap12-20260310120000-4242.xml"),
              log.end());
    EXPECT_EQ(nomesEm(pasta / "input"), std::vector<std::string>{});
}

TEST_F(IntegradorTest, ReadsTheReplyByItsCode)
{
    const std::string ee =
        "<Integrador><Identificador><Valor>4242</Valor></Identificador><IntegradorResposta>"
        "<Codigo>EE</Codigo><Valor>Erro interno</Valor></IntegradorResposta></Integrador>";
    fake.reply = [&](const IntegradorCommand &) { return ee; };
    EXPECT_EQ(integrador.ExecutarComando(), ee);
    EXPECT_EQ(integrador.ComandoIntegrador().IntegradorResposta().Codigo, "EE");

    fake.reply = [](const IntegradorCommand &c) { return FakeIntegrador::replyText(c.session, "\\\"x|y"); };
    EXPECT_EQ(integrador.ExecutarComando(), "x|y");
    EXPECT_EQ(integrador.Resposta, (std::vector<std::string>{"x", "y"}));

    fake.reply = [](const IntegradorCommand &c) {
        return "<Integrador><Identificador><Valor>" + c.session +
               "</Valor></Identificador><Erro>Falha no SAT</Erro></Integrador>";
    };
    try {
        integrador.ExecutarComando();
        ADD_FAILURE() << "an error reply was taken";
    } catch (const EIntegradorException &erro) {
        EXPECT_STREQ(erro.what(), "<Erro>Falha no SAT</Erro>");
    }
    EXPECT_EQ(log.back(), "EIntegradorException: <Erro>Falha no SAT</Erro>");

    integrador.NomeMetodo.clear();
    EXPECT_THROW(integrador.ExecutarComando(), EIntegradorException);
}

TEST_F(IntegradorTest, KeepsCopiesInAFolderPerDayOnlyWhenAsked)
{
    fake.reply = [](const IntegradorCommand &c) { return FakeIntegrador::replyText(c.session, "ok"); };
    integrador.ExecutarComando();
    EXPECT_FALSE(fs::exists(pasta / "backup"));

    integrador.SetPastaBackup((pasta / "backup").string());
    integrador.ExecutarComando();
    EXPECT_EQ(nomesEm(pasta / "backup"), std::vector<std::string>{"20260310"});
    EXPECT_EQ(nomesEm(pasta / "backup" / "20260310"),
              (std::vector<std::string>{"HNfeStatusServico2Soap12-20260310120000-resposta-4242.xml",
                                        "hnfestatusservico2soap12-20260310120000-4242.xml"}));
}

TEST_F(IntegradorTest, DefaultFoldersAreTheWindowsOnesUnderTheHomeFolder)
{
    testsupport::ScopedEnv home("HOME", pasta.path().string());
    TQuibIntegrador padrao;
    EXPECT_EQ(padrao.PastaInput(), "C:\\Integrador\\Input\\");
    EXPECT_EQ(padrao.PastaOutput(), "C:\\Integrador\\Output\\");
    FakeIntegrador noHome(pasta / "Integrador" / "Input", pasta / "Integrador" / "Output");
    noHome.reply = [](const IntegradorCommand &c) { return FakeIntegrador::replyText(c.session, "ok"); };
    setSleep([&](milliseconds d) {
        agora += d;
        noHome.poll();
    });
    padrao.DefinirNomeMetodo("M", false);
    EXPECT_EQ(padrao.ExecutarComando(), "ok");
    EXPECT_EQ(noHome.commands().size(), 1U);
}
