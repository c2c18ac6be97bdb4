// The status service with the application sending in place of the transport
// (OnTransmit): what goes out for each layout and services INI, and how the
// answer's fields are taken.

#include <gtest/gtest.h>

#include <chrono>

#include "foundation/dates/date_time.h"
#include "foundation/numbers/number_date_utils.h"
#include "nfe/services/nfe_status_servico.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"
#include "tests/support/time_zone_guard.h"

namespace {

using namespace std::chrono;

const std::string kW = "http://www.portalfiscal.inf.br/nfe/wsdl/";

std::string respostaStatus(const std::string &campos)
{
    return "<soap12:Envelope xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"><soap12:Body>"
           "<nfeResultMsg xmlns=\"" +
           kW +
           "NFeStatusServico4\"><retConsStatServ xmlns=\"http://www.portalfiscal.inf.br/nfe\" "
           "versao=\"4.00\">"
           "<tpAmb>2</tpAmb><verAplic>RS20260101</verAplic><cStat>107</cStat><xMotivo>Servico em "
           "Operacao</xMotivo>"
           "<cUF>43</cUF>" +
           campos + "</retConsStatServ></nfeResultMsg></soap12:Body></soap12:Envelope>";
}

// A component whose services INI is given as lines and whose sends are
// answered by the test.
struct ComponenteComEnvio {
    testsupport::TempDir pasta;
    TQuibNFe nfe;
    TNFeStatusServico status{&nfe};
    std::string enviado;
    std::string acao;
    std::string resposta = respostaStatus("<tMed>3</tMed>");

    explicit ComponenteComEnvio(std::vector<std::string> ini)
    {
        auto &cfg = nfe.Configuracoes();
        cfg.Arquivos().SetIniServicos((pasta / "ausente.ini").string());
        cfg.WebServices().Params = std::move(ini);
        cfg.WebServices().SetUF("SP");
        cfg.WebServices().Ambiente = taHomologacao;
        cfg.Geral().Salvar = false;
        nfe.OnTransmit = [this](std::string_view dados, std::string_view, std::string_view soapAction,
                                std::string_view, std::string &retorno, int &http, int &) {
            enviado = dados;
            acao = soapAction;
            retorno = resposta;
            http = 200;
        };
        status.Limpar();
    }
};

const std::vector<std::string> kIniSimples = {
    "[NFe_SP_H]",
    "NfeStatusServico_4.00=https://sp/status4",
    "NfeStatusServico_3.10=https://sp/status3",
    "[NFe_RS_H]",
    "NfeStatusServico_4.00=https://nfe-homologacao.svrs.rs.gov.br/ws/NfeStatusServico4.asmx",
};

} // namespace

TEST(StatusServicoEnvio, IsReadyOnlyOnceItsOwnerCallsLimpar)
{
    TQuibNFe nfe;
    nfe.Configuracoes().WebServices().SetUF("SP");
    nfe.Configuracoes().WebServices().Ambiente = taHomologacao;
    TNFeStatusServico status(&nfe);
    status.Limpar();
    EXPECT_EQ(status.SufixoEnvio, "ped-sta");
    EXPECT_EQ(status.SufixoResposta, "sta");
    EXPECT_EQ(status.EtapaServico, etConsultandoStatus);
    EXPECT_EQ(status.tpAmb, taHomologacao);
    EXPECT_EQ(status.cUF, 35);
}

TEST(StatusServicoEnvio, Layout310SendsTheHeaderWithStateThenVersion)
{
    ComponenteComEnvio c(kIniSimples);
    c.nfe.Configuracoes().Geral().SetVersaoDF(ve310);
    ASSERT_TRUE(c.status.Processar());
    EXPECT_EQ(c.enviado, testsupport::testData("nfe/services/data/status_envelope_310.xml"));
    EXPECT_EQ(c.status.ElementoCabecalho, "nfeCabecMsg");
}

TEST(StatusServicoEnvio, TakesTheSoapActionByLayoutAndServicesIni)
{
    struct Caso {
        TpcnVersaoDF versao;
        const char *acaoNoIni; // nullptr: the INI names none
        std::string acao;
    };
    const std::vector<Caso> casos = {
        {ve400, nullptr, kW + "NFeStatusServico4/nfeStatusServicoNF"},
        {ve400, "urn:status-do-ini", "urn:status-do-ini"},
        {ve400, "*", ""},
        {ve310, nullptr, kW + "NfeStatusServico2"},
        {ve310, "urn:status-do-ini", kW + "NfeStatusServico2"},
    };
    for (const Caso &caso : casos) {
        std::vector<std::string> ini = kIniSimples;
        if (caso.acaoNoIni != nullptr) {
            ini.insert(ini.begin() + 1, "SoapAction=ACOES");
            ini.insert(ini.end(), {"[ACOES]", std::string("NfeStatusServico_4.00=") + caso.acaoNoIni,
                                   std::string("NfeStatusServico_3.10=") + caso.acaoNoIni});
        }
        ComponenteComEnvio c(ini);
        c.nfe.Configuracoes().Geral().SetVersaoDF(caso.versao);
        ASSERT_TRUE(c.status.Processar());
        EXPECT_EQ(c.acao, caso.acao) << (caso.acaoNoIni ? caso.acaoNoIni : "none") << " " << caso.versao;
    }

    ComponenteComEnvio semUrl({"[NFe_SP_H]", "NfeStatusServico_4.00="});
    try {
        semUrl.status.Processar();
        ADD_FAILURE() << "no error without an address";
    } catch (const EQuibDFeException &erro) {
        EXPECT_NE(std::string(erro.what()).find("NfeStatusServico"), std::string::npos) << erro.what();
    }
}

TEST(StatusServicoEnvio, AdjustsTheResultWaitFromTMedOnlyWhenAsked)
{
    for (const bool ajustar : {true, false}) {
        ComponenteComEnvio c(kIniSimples);
        auto &ws = c.nfe.Configuracoes().WebServices();
        ws.AjustaAguardaConsultaRet = ajustar;
        ws.AguardarConsultaRet = 1234;
        ASSERT_TRUE(c.status.Processar());
        EXPECT_EQ(ws.AguardarConsultaRet, ajustar ? 3000U : 1234U);
    }
}

TEST(StatusServicoEnvio, LogsEmptyDatesAsEmptyLines)
{
    ComponenteComEnvio c(kIniSimples);
    std::vector<std::string> log;
    c.nfe.OnGerarLog = [&](std::string_view linha, bool &) { log.emplace_back(linha); };
    ASSERT_TRUE(c.status.Processar());
    ASSERT_EQ(log.size(), 2U);
    EXPECT_EQ(log[0], "Inicio TNFeStatusServico");
    EXPECT_EQ(
        log[1],
        "Versão Layout: 4.00 \r\nAmbiente: 2\r\nVersão Aplicativo: RS20260101 \r\nStatus Código: 107\r\n"
        "Status Descrição: Servico em Operacao\r\nUF: RS\r\nRecebimento: \r\nTempo Médio: 3\r\n"
        "Retorno: \r\nObservação: \r\n");
}

TEST(StatusServicoEnvio, CorrectsSvrsReceiptTimesOnlyWhenAnHourAhead)
{
    testsupport::ScopedTimeZone fuso("America/Sao_Paulo");
    // 10/03/2026 12:00:00 in São Paulo, outside daylight saving.
    setClock([] { return sys_days{year{2026} / 3 / 10} + hours{15}; });
    struct Caso {
        const char *dhRecbto;
        const char *uf;
        const char *guardado;
    };
    // clang-format off
    const Caso casos[] = {
        {"2026-03-10T13:00:00-03:00", "RS", "12:00"}, // 60 minutes ahead: one hour back
        {"2026-03-10T12:50:00-03:00", "RS", "12:50"}, // 50 minutes: as it came
        {"2026-03-10T11:00:00-03:00", "RS", "11:00"}, // behind the clock: as it came
        {"2026-03-10T13:00:00-03:00", "SP", "13:00"}, // not an SVRS address: as it came
    };
    // clang-format on
    for (const Caso &caso : casos) {
        ComponenteComEnvio c(kIniSimples);
        c.nfe.Configuracoes().WebServices().SetUF(caso.uf);
        c.resposta = respostaStatus(std::string("<dhRecbto>") + caso.dhRecbto + "</dhRecbto><tMed>1</tMed>");
        ASSERT_TRUE(c.status.Processar());
        EXPECT_EQ(DataHoraFormatoBR(c.status.dhRecbto, "hh:nn"), caso.guardado)
            << caso.dhRecbto << " " << caso.uf;
    }
    resetClock();
}

TEST(StatusServicoEnvio, AnAnswerWithoutItsResultElementIsReportedWithTheRawText)
{
    ComponenteComEnvio c(kIniSimples);
    c.resposta = "<html>Servico indisponivel</html>";
    try {
        c.status.Processar();
        ADD_FAILURE() << "an answer without its element was taken";
    } catch (const EQuibDFeException &erro) {
        EXPECT_TRUE(
            std::string(erro.what())
                .ends_with("\r\nErro ao obter resposta do webservice.\r\n<html>Servico indisponivel</html>"))
            << erro.what();
    }
}

TEST(StatusServicoEnvio, ShowsTheAnswerLogOnlyWhenAskedAndNotHandled)
{
    std::vector<std::string> mostradas;
    TDFeWebService::ExibirMensagem() = [&](std::string_view texto) { mostradas.emplace_back(texto); };
    struct Caso {
        bool visualizar;
        bool tratar;
        std::size_t mostradas;
    };
    for (const Caso caso : {Caso{true, false, 1}, Caso{false, false, 0}, Caso{true, true, 0}}) {
        mostradas.clear();
        ComponenteComEnvio c(kIniSimples);
        c.nfe.Configuracoes().WebServices().Visualizar = caso.visualizar;
        c.nfe.OnGerarLog = [&](std::string_view, bool &tratado) { tratado = caso.tratar; };
        ASSERT_TRUE(c.status.Processar());
        ASSERT_EQ(mostradas.size(), caso.mostradas);
        if (caso.mostradas == 1)
            EXPECT_TRUE(mostradas[0].starts_with("Versão Layout: 4.00"));
    }
    TDFeWebService::ExibirMensagem() = nullptr;
}
