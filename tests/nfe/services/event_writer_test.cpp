// The event batch writer: every kind signed with xmlsec1 and validated
// against its official schemas, the Id, author and field alerts, and the
// kind-specific rules.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/dates/fuso_horario.h"
#include "foundation/fiscal/dfe_util.h"
#include "nfe/services/env_evento_nfe.h"
#include "tests/support/sample_notes.h"
#include "tests/support/xml_checks.h"

namespace {

using testsupport::accessKey;

const std::string kChave55 = accessKey("3524031122233300018155001000000001100000001");
const std::string kChave65 = accessKey("3524031122233300018165001000000001100000001");
// Series 920: a note of an individual, the CPF 529.982.247-25 in the 14-digit field.
const std::string kChaveSerie920 = accessKey("3524030005299822472555920000000001100000001");

TDateTime quando(int ano, int mes, int dia, int hora, int minuto, int segundo)
{
    return encodeDateTime(DateTimeParts{ano, mes, dia, hora, minuto, segundo, 0});
}

// Date-times carry the state's offset by the Brazilian rules while a test runs.
class EventWriter : public ::testing::Test {
  protected:
    void SetUp() override
    {
        anterior_.Assign(FusoHorarioGlobal());
        FusoHorarioGlobal().SetModoDeteccao(tzPCN);
    }
    void TearDown() override { FusoHorarioGlobal().Assign(anterior_); }

  private:
    TTimeZoneConf anterior_;
};

// One event of the kind on the key, with the common fields filled.
TInfEvento &novoEvento(TEventoNFe &lote, TpcnTipoEvento tipo, const std::string &chNFe = kChave55)
{
    lote.idLote = 1;
    lote.Versao = "1.00";
    TInfEvento &evento = lote.Eventos.NovoItem().InfEvento;
    evento.tpAmb = taHomologacao;
    evento.CNPJ = "11.222.333/0001-81";
    evento.chNFe = chNFe;
    evento.dhEvento = quando(2024, 3, 5, 14, 7, 9);
    evento.tpEvento = tipo;
    evento.nSeqEvento = 1;
    return evento;
}

void autor(TDetEvento &d)
{
    d.cOrgaoAutor = 35;
    d.tpAutor = aev1;
    d.verAplic = "CONSOLE-1.0";
}

struct CasoEvento {
    const char *nome;
    TpcnTipoEvento tipo;
    std::function<void(TInfEvento &)> preenche;
    const char *envelope; // envelope schema
    const char *detalhe;  // detEvento schema
    std::string chave = kChave55;
};

const std::vector<CasoEvento> &casosEvento()
{
    static const std::vector<CasoEvento> casos = {
        {"CC-e", tevCCe,
         [](TInfEvento &e) {
             e.detEvento.xCorrecao = "Endereco de entrega: Rua das Flores, 100";
             e.detEvento.SetxCondUso("");
         },
         "envEvento_v1.00.xsd", "e110110_v1.00.xsd"},
        {"cancelamento", tevCancelamento,
         [](TInfEvento &e) {
             e.detEvento.nProt = "135240000000001";
             e.detEvento.xJust = "Pedido cancelado pelo cliente";
         },
         "envEventoCancNFe_v1.00.xsd", "e110111_v1.00.xsd"},
        {"cancelamento por substituicao", tevCancelamentoPorSubstituicao,
         [](TInfEvento &e) {
             autor(e.detEvento);
             e.detEvento.nProt = "135240000000001";
             e.detEvento.xJust = "Nota substituida por outra";
             e.detEvento.chNFeRef = kChave65;
         },
         "envEventoCancSubst_v1.00.xsd", "e110112_v1.00.xsd", kChave65},
        {"EPEC NF-e", tevEPECNFe,
         [](TInfEvento &e) {
             autor(e.detEvento);
             e.SetcOrgao(91);
             e.detEvento.dhEmi = quando(2024, 3, 5, 14, 0, 0);
             e.detEvento.tpNF = tdf1;
             e.detEvento.IE = "110042490114";
             e.detEvento.dest.UF = "SP";
             e.detEvento.dest.CNPJCPF = "52998224725";
             e.detEvento.vNF = Decimal::fromUnits(1'505'000);
             e.detEvento.vICMS = Decimal::fromUnits(270'900);
         },
         "envEvento_v1.00.xsd", "e110140NFe_v1.00.xsd"},
        {"EPEC NFC-e", tevEPECNFe,
         [](TInfEvento &e) {
             autor(e.detEvento);
             e.detEvento.dhEmi = quando(2024, 3, 5, 14, 0, 0);
             e.detEvento.tpNF = tdf1;
             e.detEvento.IE = "110042490114";
             e.detEvento.dest.UF = "SP";
             e.detEvento.dest.CNPJCPF = "52998224725";
             e.detEvento.vNF = Decimal(10);
             e.detEvento.vICMS = Decimal(1);
         },
         "envEvento_v1.00.xsd", "e110140NFCe_v1.00.xsd", kChave65},
        {"pedido de prorrogacao 1", tevPedProrrog1,
         [](TInfEvento &e) {
             e.detEvento.nProt = "135240000000001";
             TitemPedidoCollectionItem &item = e.detEvento.itemPedido.NovoItem();
             item.numItem = 1;
             item.qtdeItem = Decimal(3);
         },
         "envEvento_v1.00.xsd", "e111500_v1.00.xsd"},
        {"pedido de prorrogacao 2", tevPedProrrog2,
         [](TInfEvento &e) {
             e.detEvento.nProt = "135240000000001";
             TitemPedidoCollectionItem &item = e.detEvento.itemPedido.NovoItem();
             item.numItem = 2;
             item.qtdeItem = Decimal::fromUnits(15'000);
         },
         "envEvento_v1.00.xsd", "e111501_v1.00.xsd"},
        {"cancelamento de prorrogacao 1", tevCanPedProrrog1,
         [](TInfEvento &e) {
             e.detEvento.idPedidoCancelado = "ID111500" + kChave55 + "01";
             e.detEvento.nProt = "135240000000001";
         },
         "envEvento_v1.00.xsd", "e111502_v1.00.xsd"},
        {"cancelamento de prorrogacao 2", tevCanPedProrrog2,
         [](TInfEvento &e) {
             e.detEvento.idPedidoCancelado = "ID111501" + kChave55 + "01";
             e.detEvento.nProt = "135240000000001";
         },
         "envEvento_v1.00.xsd", "e111503_v1.00.xsd"},
        {"confirmacao", tevManifDestConfirmacao, [](TInfEvento &e) { e.SetcOrgao(91); },
         "envEvento_v1.00.xsd", "e210200_v1.00.xsd"},
        {"ciencia", tevManifDestCiencia, [](TInfEvento &e) { e.SetcOrgao(91); }, "envEvento_v1.00.xsd",
         "e210210_v1.00.xsd"},
        {"desconhecimento", tevManifDestDesconhecimento, [](TInfEvento &e) { e.SetcOrgao(91); },
         "envEvento_v1.00.xsd", "e210220_v1.00.xsd"},
        {"operacao nao realizada", tevManifDestOperNaoRealizada,
         [](TInfEvento &e) {
             e.SetcOrgao(91);
             e.detEvento.xJust = "Mercadoria devolvida na portaria";
         },
         "envEvento_v1.00.xsd", "e210240_v1.00.xsd"},
        {"comprovante de entrega", tevComprEntregaNFe,
         [](TInfEvento &e) {
             autor(e.detEvento);
             e.detEvento.dhEntrega = quando(2024, 3, 6, 9, 30, 0);
             e.detEvento.nDoc = "123456789";
             e.detEvento.xNome = "Maria da Silva";
             e.detEvento.latGPS = -23.550520;
             e.detEvento.longGPS = -46.633308;
             e.detEvento.hashComprovante = "2jmj7l5rSw0yVb/vlWAYkK/YBwk=";
             e.detEvento.dhHashComprovante = quando(2024, 3, 6, 9, 31, 0);
         },
         "envEventoEntregaNFe_v1.00.xsd", "e110130_v1.00.xsd"},
        {"cancelamento do comprovante de entrega", tevCancComprEntregaNFe,
         [](TInfEvento &e) {
             autor(e.detEvento);
             e.detEvento.nProtEvento = "135240000000002";
         },
         "envEventoCancEntregaNFe_v1.00.xsd", "e110131_v1.00.xsd"},
        {"ator interessado sem permissao", tevAtorInteressadoNFe,
         [](TInfEvento &e) {
             autor(e.detEvento);
             e.detEvento.autXML.NovoItem().CNPJCPF = "11222333000181";
             e.detEvento.tpAutorizacao = ptNaoPermite;
         },
         "envEventoAtorInteressado_v1.00.xsd", "e110150_v1.00.xsd"},
        {"ator interessado com permissao", tevAtorInteressadoNFe,
         [](TInfEvento &e) {
             autor(e.detEvento);
             e.detEvento.autXML.NovoItem().CNPJCPF = "52998224725";
             e.detEvento.tpAutorizacao = ptPermite;
         },
         "envEventoAtorInteressado_v1.00.xsd", "e110150_v1.00.xsd"},
    };
    return casos;
}

// The detEvento element of the text, given the NF-e namespace so that it
// stands alone.
std::string detEventoIsolado(const std::string &xml)
{
    const std::size_t inicio = xml.find("<detEvento");
    const std::size_t fim = xml.find("</detEvento>") + std::string("</detEvento>").size();
    std::string det = xml.substr(inicio, fim - inicio);
    return det.insert(std::string("<detEvento").size(), " xmlns=\"http://www.portalfiscal.inf.br/nfe\"");
}

TEST_F(EventWriter, EveryKindSignedPassesItsEnvelopeAndDetailSchemas)
{
    const auto esquemas = testsupport::officialSchemaDir();
    if (!testsupport::xmllintAvailable() || esquemas.empty())
        GTEST_SKIP() << "xmllint or the official schemas are missing";
    for (const CasoEvento &caso : casosEvento()) {
        SCOPED_TRACE(caso.nome);
        TEventoNFe lote;
        TInfEvento &evento = novoEvento(lote, caso.tipo, caso.chave);
        caso.preenche(evento);
        ASSERT_TRUE(lote.GerarEnvEvento()) << lote.Gerador.ListaDeAlertas.front();
        const std::string xml = lote.Gerador.ArquivoFormatoXML;
        EXPECT_EQ(xml.find("<Signature"), std::string::npos);

        const std::string assinado = testsupport::signWithThrowAwayKey(
            xml, ModeloAssinaturaXML(evento.Id, true, "", dgstSHA1), "</evento>", "infEvento");
        EXPECT_EQ(testsupport::schemaProblems(assinado, esquemas / caso.envelope), "") << assinado;
        EXPECT_EQ(testsupport::schemaProblems(detEventoIsolado(xml), esquemas / caso.detalhe), "") << xml;
    }
}

TEST_F(EventWriter, WritesTheSignatureBlockOfASignedEvent)
{
    TEventoNFe lote;
    novoEvento(lote, tevCancelamento);
    TInfEventoCollectionItem &item = lote.Eventos.ObterItem(0);
    item.InfEvento.detEvento.nProt = "135240000000001";
    item.InfEvento.detEvento.xJust = "Pedido cancelado pelo cliente";
    item.Signature.URI = "#ID110111" + kChave55 + "01";
    item.Signature.DigestValue = "ZGlnZXN0";
    item.Signature.SignatureValue = "c2lnbmF0dXJl";
    item.Signature.X509Certificate = "Y2VydA==";
    ASSERT_TRUE(lote.GerarEnvEvento());
    const std::string &xml = lote.Gerador.ArquivoFormatoXML;
    const std::size_t assinatura = xml.find("<Signature");
    ASSERT_NE(assinatura, std::string::npos);
    EXPECT_LT(xml.find("</infEvento>"), assinatura);
    EXPECT_LT(assinatura, xml.find("</evento>"));
    EXPECT_NE(xml.find("<DigestValue>ZGlnZXN0</DigestValue>"), std::string::npos);
}

TEST_F(EventWriter, BuildsTheIdFromCodeKeyAndSequence)
{
    struct Caso {
        std::string chNFe;
        int nSeqEvento;
        std::size_t tamanho;
        bool alerta;
    };
    // clang-format off
    const std::vector<Caso> casos = {
        {kChave55,             1,   54, false},
        {kChave55,             12,  54, false},
        {kChave55,             100, 55, false},
        {kChave55.substr(0, 43), 1, 53, true},
    };
    // clang-format on
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nSeqEvento);
        TEventoNFe lote;
        TInfEvento &evento = novoEvento(lote, tevCCe, caso.chNFe);
        evento.detEvento.xCorrecao = "Correcao do endereco";
        evento.detEvento.SetxCondUso("");
        evento.nSeqEvento = caso.nSeqEvento;
        lote.GerarEnvEvento();
        EXPECT_EQ(evento.Id.size(), caso.tamanho) << evento.Id;
        EXPECT_EQ(evento.Id.substr(0, 8), "ID110110");
        const std::string alerta = "ID:HP07/ID() - ID de Evento inválido.";
        bool achou = false;
        for (const std::string &linha : lote.Gerador.ListaDeAlertas)
            achou = achou || linha.find(alerta) != std::string::npos;
        EXPECT_EQ(achou, caso.alerta);
    }
    TEventoNFe lote;
    novoEvento(lote, tevCCe).nSeqEvento = 1;
    lote.GerarEnvEvento();
    EXPECT_EQ(lote.Eventos.ObterItem(0).InfEvento.Id, "ID110110" + kChave55 + "01");
}

TEST_F(EventWriter, AnIndividualsKeyPutsTheCpfAsAuthorExceptForManifestations)
{
    TEventoNFe semAutor;
    novoEvento(semAutor, tevCancelamento, kChaveSerie920).CNPJ = "";
    semAutor.GerarEnvEvento();
    EXPECT_NE(semAutor.Gerador.ArquivoFormatoXML.find("<CPF>52998224725</CPF>"), std::string::npos);

    // clang-format off
    const std::vector<std::pair<TpcnTipoEvento, const char *>> casos = {
        {tevCancelamento,              "<CPF>52998224725</CPF>"},
        {tevCCe,                       "<CPF>52998224725</CPF>"},
        {tevManifDestConfirmacao,      "<CNPJ>00052998224725</CNPJ>"},
        {tevManifDestCiencia,          "<CNPJ>00052998224725</CNPJ>"},
        {tevManifDestDesconhecimento,  "<CNPJ>00052998224725</CNPJ>"},
        {tevManifDestOperNaoRealizada, "<CNPJ>00052998224725</CNPJ>"},
    };
    // clang-format on
    for (const auto &[tipo, esperado] : casos) {
        SCOPED_TRACE(esperado);
        TEventoNFe lote;
        novoEvento(lote, tipo, kChaveSerie920).CNPJ = "00052998224725";
        lote.GerarEnvEvento();
        EXPECT_NE(lote.Gerador.ArquivoFormatoXML.find(esperado), std::string::npos)
            << lote.Gerador.ArquivoFormatoXML;
    }
}

TEST_F(EventWriter, RecordsTheFieldAlertsAndStillWritesTheBatch)
{
    struct Caso {
        const char *nome;
        std::function<void(TInfEvento &)> preenche;
        const char *alerta;
        const char *trecho;
    };
    const std::vector<Caso> casos = {
        {"invalid key",
         [](TInfEvento &e) {
             e.tpEvento = tevCancelamento;
             e.chNFe = kChave55.substr(0, 43) + "9";
             e.detEvento.nProt = "135240000000001";
             e.detEvento.xJust = "Pedido cancelado pelo cliente";
         },
         "ID:HP12/chNFe(Chave do DFe) - Chave de NFe inválida.", "<chNFe>"},
        {"14-character correction",
         [](TInfEvento &e) {
             e.detEvento.xCorrecao = "Corrigir o CEP";
             e.detEvento.SetxCondUso("");
         },
         "ID:HP20/xCorrecao(-) - Tamanho menor que o mínimo permitido [Corrigir o CEP].",
         "<xCorrecao>Corrigir o CEP</xCorrecao>"},
        {"unlisted kind", [](TInfEvento &e) { e.tpEvento = tevMDFeAutorizadoComCTe; },
         "ID:HP19/descEvento(-) - Nenhum valor informado.", "<tpEvento>610614</tpEvento>"},
        {"invalid author CNPJ",
         [](TInfEvento &e) {
             e.tpEvento = tevManifDestCiencia;
             e.CNPJ = "11222333000182";
         },
         "ID:HP10/CNPJ(CNPJ) - Conteúdo inválido.", "<CNPJ>11222333000182</CNPJ>"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        TEventoNFe lote;
        TInfEvento &evento = novoEvento(lote, tevCCe);
        caso.preenche(evento);
        EXPECT_FALSE(lote.GerarEnvEvento());
        ASSERT_EQ(lote.Gerador.ListaDeAlertas.size(), 1u);
        EXPECT_NE(lote.Gerador.ListaDeAlertas[0].find(caso.alerta), std::string::npos)
            << lote.Gerador.ListaDeAlertas[0];
        EXPECT_NE(lote.Gerador.ArquivoFormatoXML.find(caso.trecho), std::string::npos);
        EXPECT_NE(lote.Gerador.ArquivoFormatoXML.find("</envEvento>"), std::string::npos);
    }
}

TEST_F(EventWriter, AnEmptyConditionOfUseStoresTheFixedCorrectionLetterText)
{
    TDetEvento det;
    det.SetxCondUso("");
    EXPECT_EQ(det.xCondUso(), kCondicaoUsoCCe);
    EXPECT_EQ(kCondicaoUsoCCe.size(), 525u);
    det.SetxCondUso("Outro texto");
    EXPECT_EQ(det.xCondUso(), "Outro texto");
}

TEST_F(EventWriter, KindRulesDecideWhichElementsAreWritten)
{
    struct Caso {
        const char *nome;
        TpcnTipoEvento tipo;
        std::string chNFe;
        std::function<void(TDetEvento &)> preenche;
        std::string presente;
        std::string ausente;
    };
    const std::vector<Caso> casos = {
        {"delivery proof at 0,0 omits the coordinates", tevComprEntregaNFe, kChave55, [](TDetEvento &) {},
         "<nDoc/>", "GPS"},
        {"NFC-e EPEC without receiver: values outside dest", tevEPECNFe, kChave65,
         [](TDetEvento &d) { d.vNF = Decimal(10); }, "<IE/><vNF>10.00</vNF><vICMS>0.00</vICMS></detEvento>",
         "<dest>"},
        {"NF-e EPEC without receiver: dest with an empty UF", tevEPECNFe, kChave55,
         [](TDetEvento &d) { d.vST = Decimal(2); },
         "<dest><UF/><vNF>0.00</vNF><vICMS>0.00</vICMS><vST>2.00</vST></dest>", "<CPF>"},
        {"interested party without permission", tevAtorInteressadoNFe, kChave55,
         [](TDetEvento &d) { d.tpAutorizacao = ptNaoPermite; }, "<tpAutorizacao>0</tpAutorizacao>",
         "xCondUso"},
        {"interested party with permission", tevAtorInteressadoNFe, kChave55,
         [](TDetEvento &d) { d.tpAutorizacao = ptPermite; },
         "<tpAutorizacao>1</tpAutorizacao><xCondUso>O emitente ou destinatário", "<autXML>"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        TEventoNFe lote;
        TInfEvento &evento = novoEvento(lote, caso.tipo, caso.chNFe);
        caso.preenche(evento.detEvento);
        lote.GerarEnvEvento();
        const std::string &xml = lote.Gerador.ArquivoFormatoXML;
        EXPECT_NE(xml.find(caso.presente), std::string::npos) << xml;
        EXPECT_EQ(xml.find(caso.ausente), std::string::npos) << xml;
    }
}

TEST_F(EventWriter, DateTimesCarryTheOffsetOfTheEventsState)
{
    TEventoNFe lote;
    novoEvento(lote, tevManifDestCiencia).SetcOrgao(91);
    novoEvento(lote, tevManifDestCiencia, accessKey("1324031122233300018155001000000001100000001"));
    lote.GerarEnvEvento();
    const std::string &xml = lote.Gerador.ArquivoFormatoXML;
    EXPECT_NE(xml.find("<cOrgao>91</cOrgao>"), std::string::npos);
    EXPECT_NE(xml.find("<dhEvento>2024-03-05T14:07:09-03:00</dhEvento>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<cOrgao>13</cOrgao>"), std::string::npos);
    EXPECT_NE(xml.find("<dhEvento>2024-03-05T14:07:09-04:00</dhEvento>"), std::string::npos) << xml;
}

} // namespace
