#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "foundation/dates/date_time.h"
#include "nfe/services/nfe_status_servico.h"
#include "tests/nfe/services/status_servico_fixture.h"
#include "tests/support/test_data.h"
#include "tests/support/xml_checks.h"

namespace {

namespace fs = std::filesystem;
using testsupport::fakesefaz::ScriptedAnswer;

const std::string kPrefixoErro =
    "WebService Consulta Status serviço:\r\n- Inativo ou Inoperante tente novamente.";

std::vector<std::string> sufixosSalvos(const fs::path &pasta)
{
    std::vector<std::string> sufixos;
    if (fs::exists(pasta))
        for (const auto &entrada : fs::directory_iterator(pasta)) {
            const std::string nome = entrada.path().filename().string();
            sufixos.push_back(nome.substr(nome.find('-')));
        }
    std::sort(sufixos.begin(), sufixos.end());
    return sufixos;
}

std::string mensagemDe(TNFeStatusServico &status)
{
    try {
        status.Processar();
    } catch (const EQuibDFeException &erro) {
        return erro.what();
    }
    return "(no error)";
}

} // namespace

TEST_F(StatusNaFake, AnswersInOperationOverHttpsWithTheClientCertificate)
{
    ASSERT_TRUE(status.Processar());

    EXPECT_EQ(status.cStat, 107);
    EXPECT_EQ(status.MensagemResultado, status.xMotivo + "\r\n" + status.xObs);
    EXPECT_EQ(status.xMotivo, "Serviço em Operação");
    EXPECT_EQ(status.cUF, 35);
    EXPECT_EQ(status.EnvelopeSoap, testsupport::testData("nfe/services/data/status_envelope_400.xml"));
    EXPECT_EQ(testsupport::schemaProblems(status.DadosMsg,
                                          testsupport::officialSchemaDir() / "consStatServ_v4.00.xsd"),
              "");

    const auto trocas = fake.exchanges();
    ASSERT_EQ(trocas.size(), 1U);
    EXPECT_EQ(trocas[0].path, "/SP/NfeStatusServico");
    EXPECT_EQ(trocas[0].soapAction,
              "http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4/nfeStatusServicoNF");
    EXPECT_NE(std::find(trocas[0].verdicts.begin(), trocas[0].verdicts.end(), "schema: ok"),
              trocas[0].verdicts.end());
    EXPECT_NE(trocas[0].clientSubject.find("EMPRESA TESTE LTDA"), std::string::npos);
}

TEST_F(StatusNaFake, SavesTheFilesEachFlagAsksFor)
{
    struct Caso {
        bool geral;
        bool webServices;
        std::vector<std::string> sufixos;
    };
    const std::vector<Caso> casos = {
        {true, true, {"-ped-sta-soap.xml", "-ped-sta.xml", "-sta-soap.xml", "-sta.xml"}},
        {false, true, {"-ped-sta-soap.xml", "-sta-soap.xml"}},
        {true, false, {"-ped-sta.xml", "-sta.xml"}},
        {false, false, {}},
    };
    for (const Caso &caso : casos) {
        fs::remove_all(salvos());
        nfe.Configuracoes().Geral().Salvar = caso.geral;
        nfe.Configuracoes().WebServices().Salvar = caso.webServices;
        ASSERT_TRUE(status.Processar());
        EXPECT_EQ(sufixosSalvos(salvos()), caso.sufixos) << caso.geral << caso.webServices;
    }
}

TEST_F(StatusNaFake, SavedEnvelopeAndAnswerAreWhatTravelled)
{
    ASSERT_TRUE(status.Processar());
    for (const auto &entrada : fs::directory_iterator(salvos())) {
        const std::string nome = entrada.path().filename().string();
        const std::string conteudo = testsupport::readFile(entrada.path());
        if (nome.ends_with("-ped-sta-soap.xml"))
            EXPECT_EQ(conteudo, status.EnvelopeSoap);
        if (nome.ends_with("-sta.xml") && !nome.ends_with("-ped-sta.xml"))
            EXPECT_NE(conteudo.find("<retConsStatServ"), std::string::npos);
    }
}

TEST_F(StatusNaFake, OtherAnswersAreFalseWithoutAnError)
{
    for (const int cStat : {108, 109}) {
        fake.script("consStatServ", {ScriptedAnswer{.cStat = cStat}});
        EXPECT_FALSE(status.Processar());
        EXPECT_EQ(status.cStat, cStat);
        EXPECT_EQ(status.MensagemResultado, status.xMotivo + "\r\n");
    }
}

TEST_F(StatusNaFake, FailuresCarryTheServiceTextInFront)
{
    fake.script("consStatServ", {ScriptedAnswer{.empty = true}});
    EXPECT_EQ(mensagemDe(status), kPrefixoErro + "\r\nErro ao obter resposta do webservice.");

    fake.script("consStatServ", {ScriptedAnswer{.http500 = true}});
    const std::string erro500 = mensagemDe(status);
    EXPECT_TRUE(erro500.starts_with(kPrefixoErro + "\r\n")) << erro500;
    EXPECT_GT(erro500.size(), kPrefixoErro.size() + 2);

    nfe.Configuracoes().Certificados().SetArquivoPFX("");
    nfe.Configuracoes().Certificados().SetSenha("");
    const std::string semCertificado = mensagemDe(status);
    EXPECT_TRUE(semCertificado.starts_with(kPrefixoErro + "\r\n")) << semCertificado;
}

TEST_F(StatusNaFake, RetriesWhileTheTransmitErrorHandlerAsks)
{
    int perguntas = 0;
    nfe.OnTransmitError = [&](int, int, std::string_view, std::string_view, std::string_view, bool &retentar,
                              bool &) { retentar = ++perguntas <= 2; };
    fake.script("consStatServ", {ScriptedAnswer{.http500 = true}, ScriptedAnswer{.http500 = true}});
    EXPECT_TRUE(status.Processar());
    EXPECT_EQ(fake.exchanges().size(), 3U);

    nfe.OnTransmitError = [](int, int, std::string_view, std::string_view, std::string_view, bool &,
                             bool &tratado) { tratado = true; };
    fake.script("consStatServ", {ScriptedAnswer{.reset = true}});
    const std::string mensagem = mensagemDe(status);
    EXPECT_TRUE(mensagem.ends_with("Erro ao obter resposta do webservice.")) << mensagem;
}

TEST_F(StatusNaFake, AHandlingLogTurnsEveryFailureIntoFalse)
{
    nfe.OnGerarLog = [](std::string_view linha, bool &tratado) { tratado = linha.starts_with("ERRO: "); };
    for (const ScriptedAnswer &resposta :
         {ScriptedAnswer{.http500 = true}, ScriptedAnswer{.empty = true}, ScriptedAnswer{.reset = true}}) {
        fake.script("consStatServ", {resposta});
        EXPECT_NO_THROW(EXPECT_FALSE(status.Processar()));
    }
}

TEST_F(StatusNaFake, RefusesAnExpiredCertificateBeforeConnecting)
{
    const auto &vencido = testsupport::testPki().expired1999;
    nfe.Configuracoes().Certificados().SetArquivoPFX(vencido.pfxAes);
    nfe.Configuracoes().Certificados().SetSenha(vencido.password);
    EXPECT_EQ(mensagemDe(status),
              kPrefixoErro + "\r\nData de Validade do Certificado já expirou: 31/12/1999");
    EXPECT_TRUE(fake.exchanges().empty());
}

TEST_F(StatusNaFake, ReadsPrefixedAndEscapedAnswers)
{
    for (const ScriptedAnswer &resposta :
         {ScriptedAnswer{.prefixedResult = true}, ScriptedAnswer{.escapedPayload = true},
          ScriptedAnswer{.soapPrefix = "env"}}) {
        fake.script("consStatServ", {resposta});
        EXPECT_TRUE(status.Processar());
        EXPECT_EQ(status.cStat, 107);
    }
}

TEST_F(StatusNaFake, PutsBackStepTlsAndHeaderAfterEveryCall)
{
    std::vector<TEtapaNFe> etapas;
    nfe.OnStatusChange = [&](TQuibDFe &) { etapas.push_back(nfe.Etapa()); };
    nfe.SSL().SSLType = LT_TLSv1_2;
    nfe.OnGerarLog = [](std::string_view linha, bool &tratado) { tratado = linha.starts_with("ERRO: "); };

    fake.script("consStatServ", {ScriptedAnswer{}, ScriptedAnswer{.http500 = true}});
    for (bool esperado : {true, false}) {
        EXPECT_EQ(status.Processar(), esperado);
        EXPECT_EQ(nfe.Etapa(), etOcioso);
        EXPECT_EQ(nfe.SSL().SSLType, LT_TLSv1_2);
        EXPECT_EQ(status.ElementoCabecalho, "nfeCabecMsg");
    }
    EXPECT_EQ(etapas, (std::vector<TEtapaNFe>{etConsultandoStatus, etOcioso, etConsultandoStatus, etOcioso}));
}
