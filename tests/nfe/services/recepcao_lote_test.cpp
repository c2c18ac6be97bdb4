#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/nfe/services/lote_fixture.h"
#include "tests/support/fake_sefaz/services.h"

namespace {

namespace fs = std::filesystem;
using testsupport::fakesefaz::motivo;

class LoteAssincrono : public LoteNaFake {};

TEST_F(LoteAssincrono, PollsUntilProcessedAttachesEachProtocolAndListsTheRefusedNote)
{
    auto &ws = nfe.Configuracoes().WebServices();
    ws.AguardarConsultaRet = 3000;
    ws.SetIntervaloTentativas(500);
    NotaFiscal &autorizada = novaNota(11);
    NotaFiscal &recusada = novaNota(12);
    fake.setProtocolStatus(chaveDe(recusada), 539);
    fake.scriptLine("consReciNFe 105 105");

    ASSERT_TRUE(nfe.TransmitirLote("7", true, false));

    EXPECT_EQ(raizesRecebidas(),
              (std::vector<std::string>{"enviNFe", "consReciNFe", "consReciNFe", "consReciNFe"}));
    EXPECT_EQ(esperas, (std::vector<int>{3000, 1000, 1000}));
    EXPECT_EQ(etapasNaEspera, std::vector<TEtapaNFe>(3, etRecebendoLote));
    EXPECT_EQ(nfe.Etapa(), etOcioso);
    EXPECT_EQ(autorizada.CodigoStatus(), 100);
    EXPECT_FALSE(autorizada.NFe().procNFe.nProt.empty());
    EXPECT_EQ(recusada.CodigoStatus(), 539);
    EXPECT_EQ(nfe.Servicos().ServicoRetRecepcao.MensagemResultado,
              "Nota(s) não confirmadas:\r\n12->539-" + motivo(539) + "\r\n");
    EXPECT_EQ(fs::path(autorizada.ArquivoXML).filename(), autorizada.ChaveNota() + "-nfe.xml");
    conferirNfeProc(autorizada);
    EXPECT_EQ(testsupport::readFile(recusada.ArquivoXML).find("<nfeProc"), std::string::npos);
    EXPECT_TRUE(fs::exists(salvos() / "7-env-lot.xml"));
    conferirPedidos();
}

TEST_F(LoteAssincrono, GivesUpAfterTheConfiguredAttemptsAndABatchWithoutConfirmedNotesRaises)
{
    nfe.Configuracoes().WebServices().SetTentativas(5);
    novaNota(21);
    fake.scriptLine("consReciNFe 105 105 105 105 105 105 105 105 105 105");
    EXPECT_EQ(erroAo([&] { nfe.TransmitirLote("8", false); }), motivo(105));
    const std::vector<std::string> raizes = raizesRecebidas();
    EXPECT_EQ(std::count(raizes.begin(), raizes.end(), "consReciNFe"), 6);
    EXPECT_EQ(esperas, (std::vector<int>{0, 1000, 1000, 1000, 1000, 1000}));
    EXPECT_EQ(nfe.Etapa(), etOcioso);

    nfe.Notas().Clear();
    NotaFiscal &recusada = novaNota(22);
    fake.setProtocolStatus(chaveDe(recusada), 539);
    const std::string erro = erroAo([&] { nfe.TransmitirLote("9", false); });
    EXPECT_EQ(erro, "Nota(s) não confirmadas:\r\n22->539-" + motivo(539) + "\r\n");
}

TEST_F(LoteAssincrono, AZippedBatchGoesAsBase64WithTheZipActionAndIsAuthorised)
{
    NotaFiscal &nota = novaNota(31);
    ASSERT_TRUE(nfe.TransmitirLote("10", false, false, true));
    const auto trocas = fake.exchanges();
    ASSERT_FALSE(trocas.empty());
    EXPECT_TRUE(trocas.front().soapAction.ends_with("nfeAutorizacaoLoteZIP")) << trocas.front().soapAction;
    const std::string enviado = testsupport::readFile(salvos() / "10-env-lot-soap.xml");
    EXPECT_NE(enviado.find("<nfeDadosMsgZip"), std::string::npos);
    EXPECT_EQ(nota.CodigoStatus(), 100);
    conferirNfeProc(nota);
    conferirPedidos();
}

class LoteSincrono : public LoteNaFake {};

TEST_F(LoteSincrono, AProcessedAnswerAttachesTheProtocolWithoutPolling)
{
    NotaFiscal &nota = novaNota(41);
    ASSERT_TRUE(nfe.TransmitirLote("11", false, true));
    EXPECT_EQ(raizesRecebidas(), std::vector<std::string>{"enviNFe"});
    EXPECT_TRUE(esperas.empty());
    EXPECT_EQ(nota.CodigoStatus(), 100);
    EXPECT_EQ(nfe.Servicos().ServicoRecepcao.Protocolo, nota.NFe().procNFe.nProt);
    EXPECT_TRUE(fs::exists(salvos() / "11-pro-lot.xml"));
    conferirNfeProc(nota);
    conferirPedidos();
}

// The authority may only receive a synchronous batch: its receipt is then
// polled, so the notes it authorises get their protocols.
TEST_F(LoteSincrono, AReceivedAnswerWithAReceiptIsPolledLikeAnAsynchronousOne)
{
    NotaFiscal &nota = novaNota(42);
    fake.scriptLine("enviNFe 103");
    ASSERT_TRUE(nfe.TransmitirLote("12", false, true));
    EXPECT_EQ(raizesRecebidas(), (std::vector<std::string>{"enviNFe", "consReciNFe"}));
    EXPECT_EQ(nota.CodigoStatus(), 100);
    const std::string recibo = nfe.Servicos().ServicoRecepcao.NumeroRecibo();
    EXPECT_TRUE(fs::exists(salvos() / (recibo + "-pro-rec.xml"))) << recibo;
    conferirNfeProc(nota);
}

TEST_F(LoteSincrono, ARefusedBatchRaisesTheAuthoritysText)
{
    novaNota(43);
    fake.scriptLine("enviNFe 225");
    EXPECT_EQ(erroAo([&] { nfe.TransmitirLote("13", false, true); }), motivo(225));
    EXPECT_EQ(raizesRecebidas(), std::vector<std::string>{"enviNFe"});
}

class LoteRecusado : public LoteNaFake {};

TEST_F(LoteRecusado, TheNumberOfNotesIsCheckedBeforeAnythingIsSigned)
{
    EXPECT_EQ(erroAo([&] { nfe.TransmitirLote("1"); }), "ERRO: Nenhuma NF-e adicionada ao Lote");
    for (int i = 1; i <= 51; ++i)
        novaNota(100 + i);
    EXPECT_EQ(erroAo([&] { nfe.TransmitirLote("1"); }),
              "ERRO: Conjunto de NF-e transmitidas (máximo de 50 NF-e) excedido. Quantidade atual: 51");
    EXPECT_TRUE(nfe.Notas()[0].TextoXMLAssinadoAtual().empty());
    EXPECT_TRUE(fake.exchanges().empty());
}

TEST_F(LoteRecusado, FiftyNotesGoOutAsOneBatch)
{
    nfe.Configuracoes().Arquivos().Salvar = false;
    // The fake judges fifty signatures before it answers.
    nfe.Configuracoes().WebServices().SetTimeOut(60000);
    for (int i = 1; i <= 50; ++i)
        novaNota(200 + i);
    ASSERT_TRUE(nfe.TransmitirLote("50", false));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(nfe.Notas()[i].CodigoStatus(), 100) << i;
    EXPECT_EQ(raizesRecebidas().front(), "enviNFe");
    conferirPedidos();
}

TEST_F(LoteRecusado, AnotherEnvironmentIsRefusedBeforeAnyTraffic)
{
    novaNota(51).NFe().ide.tpAmb = taProducao;
    EXPECT_EQ(erroAo([&] { nfe.Servicos().EnviarLoteCompleto("1"); }),
              "Ambiente do XML (tpAmb) é diferente do configurado no Componente "
              "(Configuracoes.WebServices.Ambiente)");
    EXPECT_TRUE(fake.exchanges().empty());
}

TEST_F(LoteRecusado, ADigestThatDiffersFromTheNotesStopsTheAttachment)
{
    NotaFiscal &nota = novaNota(52);
    nfe.Notas().AssinarTodas();
    nota.NFe().Signature.DigestValue = "AAAAAAAAAAAAAAAAAAAAAAAAAAA=";
    const std::string erro = erroAo([&] { nfe.Servicos().EnviarLoteCompleto("1", true); });
    EXPECT_NE(erro.find("DigestValue do documento " + nota.ChaveNota() + " não confere."), std::string::npos)
        << erro;
    EXPECT_EQ(nota.CodigoStatus(), 0);
}

// The authority measures the bytes that go out: one byte over 512000 is
// refused before any traffic, and the message says 500 Kbytes.
TEST_F(LoteRecusado, ABatchOneByteOver512000IsRefused)
{
    NotaFiscal &nota = novaNota(54);
    const auto tamanhoDoLote = [&] {
        nota.NFe().infAdic.infCpl = nota.NFe().infAdic.infCpl.empty() ? "X" : nota.NFe().infAdic.infCpl;
        nota.AssinarNota();
        const std::string &xml = nota.TextoXMLAssinadoAtual();
        const std::size_t inicio = xml.find("<NFe");
        const std::size_t corpo = xml.find("</NFe>") + 6 - inicio;
        return std::string(
                   "<enviNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\"><idLote>1</idLote>"
                   "<indSinc>0</indSinc></enviNFe>")
                   .size() +
               corpo;
    };
    const std::size_t comUmItem = tamanhoDoLote();
    testsupport::addGoodsItem(nota.NFe());
    const std::size_t comDoisItens = tamanhoDoLote();
    const std::size_t faltam = (512001 - 2000 - comDoisItens) / (comDoisItens - comUmItem);
    for (std::size_t i = 0; i < faltam; ++i)
        testsupport::addGoodsItem(nota.NFe());
    // Later items write longer numbers: take back any that overshoot.
    std::size_t tamanho = tamanhoDoLote();
    while (tamanho > 512001 - 10) {
        nota.NFe().det.remove(nota.NFe().det.count() - 1);
        tamanho = tamanhoDoLote();
    }
    nota.NFe().infAdic.infCpl += std::string(512001 - tamanho, 'X');
    ASSERT_EQ(tamanhoDoLote(), 512001U);

    EXPECT_EQ(erroAo([&] { nfe.Servicos().EnviarLoteCompleto("1"); }),
              "Tamanho do XML de Dados superior a 500 Kbytes. Tamanho atual: 500 Kbytes");
    EXPECT_EQ(nfe.Servicos().ServicoRecepcao.DadosMsg.size(), 512001U);
    EXPECT_TRUE(fake.exchanges().empty());
}

// The 2.00 layout of the NF-e had no synchronous answer: the receipt is read.
TEST_F(LoteRecusado, ASynchronousNFeOfLayout200IsReadAsAnAsynchronousAnswer)
{
    std::string ini = fake.servicesIni();
    const std::string secao = "[NFe_SP_H]\n";
    ini.insert(ini.find(secao) + secao.size(), "NfeRecepcao_2.00=" + fake.url("/SP/NfeRecepcao") + "\n");
    nfe.Configuracoes().Arquivos().SetIniServicos(pasta.write("servicos200.ini", ini).string());
    nfe.OnTransmit = [](std::string_view, std::string_view, std::string_view, std::string_view,
                        std::string &resposta, int &http, int &) {
        http = 200;
        resposta = "<soap12:Envelope xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"><soap12:Body>"
                   "<nfeRecepcaoLote2Result><retEnviNFe versao=\"2.00\"><tpAmb>2</tpAmb>"
                   "<verAplic>SP-2</verAplic><cStat>103</cStat><xMotivo>Lote recebido com sucesso</xMotivo>"
                   "<cUF>35</cUF><infRec><nRec>351000000000077</nRec><tMed>3</tMed></infRec></retEnviNFe>"
                   "</nfeRecepcaoLote2Result></soap12:Body></soap12:Envelope>";
    };
    novaNota(53).NFe().infNFe.versao = 2.0;
    TNFeRecepcao &envio = nfe.Servicos().ServicoRecepcao;
    envio.Limpar();
    envio.Lote = "14";
    envio.EnvioSincrono = true;
    ASSERT_TRUE(envio.Processar()) << envio.MensagemResultado;
    EXPECT_EQ(envio.Recibo, "351000000000077");
    EXPECT_EQ(envio.tMed, 3);
    EXPECT_TRUE(fs::exists(salvos() / "14-rec.xml"));
}

} // namespace
