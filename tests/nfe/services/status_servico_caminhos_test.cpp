// The status service's other roads: NFC-e through a linked Integrador (NF-e
// still to the tax authority), and the facade's send thread with its time-out.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "foundation/dates/date_time.h"
#include "foundation/fiscal/random_source.h"
#include "nfe/services/quib_integrador.h"
#include "tests/nfe/services/status_servico_fixture.h"
#include "tests/support/fake_integrador.h"

namespace {

using namespace std::chrono;
using testsupport::FakeIntegrador;
using testsupport::IntegradorCommand;

const std::string kRespostaNFCe =
    "<soap12:Envelope xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"><soap12:Body><nfeResultMsg>"
    "<retConsStatServ xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\"><tpAmb>2</tpAmb>"
    "<verAplic>INTEGRADOR</verAplic><cStat>107</cStat><xMotivo>Servico em Operacao</xMotivo><cUF>35</cUF>"
    "</retConsStatServ></nfeResultMsg></soap12:Body></soap12:Envelope>";

class StatusComIntegrador : public StatusNaFake {
  protected:
    StatusComIntegrador()
    {
        agora = sys_days{year{2026} / 3 / 10} + hours{15};
        setClock([this] { return agora; });
        setSleep([this](milliseconds duracao) {
            agora += duracao;
            integradorFalso.poll();
        });
        setRandomDraw([](std::int64_t) { return 515; });
        integrador.SetPastaInput((pasta / "input").string());
        integrador.SetPastaOutput((pasta / "output").string());
        integradorFalso.soapAnswer = [](const IntegradorCommand &) { return kRespostaNFCe; };
        nfe.SetIntegrador(&integrador);
    }
    ~StatusComIntegrador() override
    {
        resetClock();
        resetSleep();
        resetRandomDraw();
    }

    system_clock::time_point agora;
    TQuibIntegrador integrador;
    FakeIntegrador integradorFalso{pasta / "input", pasta / "output"};
};

} // namespace

TEST_F(StatusComIntegrador, NFCeGoesThroughTheIntegradorAndNFeToTheAuthority)
{
    nfe.Configuracoes().Geral().SetModeloDF(moNFCe);
    ASSERT_TRUE(status.Processar());
    EXPECT_EQ(status.verAplic, "INTEGRADOR");
    ASSERT_EQ(integradorFalso.commands().size(), 1U);
    const IntegradorCommand &comando = integradorFalso.commands()[0];
    EXPECT_EQ(comando.method, "HNfeStatusServico2Soap12");
    EXPECT_EQ(comando.component, "NFCE");
    EXPECT_EQ(comando.parameters.at("numeroSessao"), "515");
    EXPECT_EQ(comando.parameters.at("versaoDados"), "4.00");
    EXPECT_EQ(comando.parameters.at("cUF"), "35");
    EXPECT_EQ(comando.dados, status.EnvelopeSoap);
    EXPECT_TRUE(fake.exchanges().empty());

    nfe.Configuracoes().Geral().SetModeloDF(moNFe);
    ASSERT_TRUE(status.Processar());
    EXPECT_EQ(fake.exchanges().size(), 1U);
    EXPECT_EQ(integradorFalso.commands().size(), 1U);
    EXPECT_EQ(nfe.Integrador(), &integrador);
}

TEST_F(StatusComIntegrador, AShortReplyRaisesItsErrorItem)
{
    nfe.Configuracoes().Geral().SetModeloDF(moNFCe);
    struct Caso {
        std::string retorno;
        std::string erro;
    };
    for (const Caso &caso : {Caso{"515|1|Certificado recusado", "Certificado recusado"},
                             Caso{"515|1", "Resposta do Integrador inválida"}}) {
        integradorFalso.reply = [&](const IntegradorCommand &c) {
            return FakeIntegrador::replyText(c.session, caso.retorno);
        };
        try {
            status.Processar();
            ADD_FAILURE() << caso.retorno;
        } catch (const EQuibDFeException &erro) {
            EXPECT_TRUE(std::string(erro.what()).ends_with("\r\n" + caso.erro)) << erro.what();
        }
    }
}

TEST_F(StatusNaFake, ThePerThreadTimeOutEndsTheCallAndTheComponentGoesCleanly)
{
    auto componente = std::make_unique<TQuibNFe>();
    auto &cfg = componente->Configuracoes();
    cfg.CopiarDe(nfe.Configuracoes());
    cfg.WebServices().SetTimeOut(1000);
    cfg.WebServices().SetTimeOutPorThread(true);
    auto servico = std::make_unique<TNFeStatusServico>(componente.get());
    servico->Limpar();
    fake.script("consStatServ", {testsupport::fakesefaz::ScriptedAnswer{.delay = seconds{4}}});

    try {
        servico->Processar();
        ADD_FAILURE() << "the call outlived its time-out";
    } catch (const EQuibDFeException &erro) {
        EXPECT_TRUE(
            std::string(erro.what()).ends_with("Timeout - Não foi possível obter a resposta do servidor"))
            << erro.what();
    }
    servico.reset();
    componente.reset();
}
