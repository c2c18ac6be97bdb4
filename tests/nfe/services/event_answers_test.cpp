// The event and situation readers on answers as the authority sends them
// (tests/data/answers), and the loading of saved events into a batch.
#include <gtest/gtest.h>

#include <string>

#include "foundation/base/quib_exception.h"
#include "nfe/services/env_evento_nfe.h"
#include "nfe/services/ret_cons_sit_nfe.h"
#include "nfe/services/ret_env_evento_nfe.h"
#include "tests/support/test_data.h"

namespace {

const std::string kChave = "35240311222333000181550010000000011000000015";

std::string resposta(const std::string &nome)
{
    return testsupport::testData("data/answers/" + nome);
}

TDateTime quando(int ano, int mes, int dia, int hora, int minuto, int segundo)
{
    return encodeDateTime(DateTimeParts{ano, mes, dia, hora, minuto, segundo, 0});
}

std::string trocado(std::string texto, const std::string &de, const std::string &para)
{
    const std::size_t posicao = texto.find(de);
    EXPECT_NE(posicao, std::string::npos) << de;
    return posicao == std::string::npos ? texto : texto.replace(posicao, de.size(), para);
}

TEST(EventAnswer, ReadsEachAnswerOfABatchWithItsOwnInfEventoText)
{
    TRetEventoNFe ret;
    ret.Leitor.setArquivo(resposta("retEnvEvento.xml"));
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.cStat, 128);
    EXPECT_EQ(ret.idLote, 42);
    EXPECT_EQ(ret.versao, "1.00");
    EXPECT_EQ(ret.cOrgao, 35);
    ASSERT_EQ(ret.RetEventos.count(), 3);
    const int cStats[] = {135, 135, 136};
    const char *protocolos[] = {"135240000000201", "135240000000202", "135240000000203"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TRetInfEvento &r = ret.RetEventos.ObterItem(i).RetInfEvento;
        EXPECT_EQ(r.cStat, cStats[i]);
        EXPECT_EQ(r.nProt, protocolos[i]);
        EXPECT_EQ(r.chNFe, kChave);
        EXPECT_EQ(r.dhRegEvento, quando(2024, 3, 5, 14, 7, 15));
        EXPECT_TRUE(r.XML.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?><infEvento")) << r.XML;
        EXPECT_NE(r.XML.find(std::string("<nProt>") + protocolos[i] + "</nProt></infEvento>"),
                  std::string::npos);
    }
    EXPECT_EQ(ret.RetEventos.ObterItem(2).RetInfEvento.tpEvento, tevCancelamento);
    EXPECT_TRUE(ret.InfEvento.Id.empty());
}

TEST(EventAnswer, ASignedEventAloneReadsWithoutAnswers)
{
    const std::string texto = resposta("procEventoNFe.xml");
    const std::string evento =
        texto.substr(texto.find("<evento"), texto.find("<retEvento") - texto.find("<evento"));
    TRetEventoNFe ret;
    ret.Leitor.setArquivo(evento);
    EXPECT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.RetEventos.count(), 0);
    EXPECT_EQ(ret.InfEvento.tpEvento, tevCCe);
    EXPECT_EQ(ret.idLote, 0);

    TRetEventoNFe vazio;
    vazio.Leitor.setArquivo("<outro/>");
    EXPECT_FALSE(vazio.LerResposta());
}

TEST(EventAnswer, AnUnknownKindReadsAsNotMapped)
{
    TRetEventoNFe ret;
    ret.Leitor.setArquivo(
        trocado(resposta("procEventoNFe.xml"), "<tpEvento>110110</tpEvento>", "<tpEvento>999999</tpEvento>"));
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.InfEvento.tpEvento, tevNaoMapeado);
}

TEST(EventBatch, LoadsAProcessedEventAsOneItemWithEventSignatureAndAnswer)
{
    TEventoNFe lote;
    ASSERT_TRUE(lote.LerTexto(resposta("procEventoNFe.xml")));
    ASSERT_EQ(lote.Eventos.count(), 1);
    const TInfEventoCollectionItem &item = lote.Eventos.ObterItem(0);
    EXPECT_EQ(item.InfEvento.Id, "ID110110" + kChave + "01");
    EXPECT_EQ(item.InfEvento.cOrgao(), 35);
    EXPECT_EQ(item.InfEvento.tpAmb, taHomologacao);
    EXPECT_EQ(item.InfEvento.CNPJ, "11222333000181");
    EXPECT_EQ(item.InfEvento.dhEvento, quando(2024, 3, 5, 14, 7, 9));
    EXPECT_EQ(item.InfEvento.verEvento, "1");
    EXPECT_EQ(item.InfEvento.detEvento.descEvento, "Carta de Correcao");
    EXPECT_EQ(item.InfEvento.detEvento.xCorrecao, "Endereco de entrega: Rua das Flores, 100");
    EXPECT_EQ(item.InfEvento.detEvento.xCondUso(), kCondicaoUsoCCe);
    EXPECT_EQ(item.Signature.URI, "#ID110110" + kChave + "01");
    EXPECT_EQ(item.Signature.SignatureValue, "c2lnbmF0dXJl");
    EXPECT_EQ(item.RetInfEvento.cStat, 135);
    EXPECT_EQ(item.RetInfEvento.nProt, "135240000000101");
    EXPECT_NE(item.RetInfEvento.XML.find("<infEvento"), std::string::npos);
    EXPECT_EQ(item.TextoXML, resposta("procEventoNFe.xml"));

    EXPECT_FALSE(lote.LerTexto("sem evento"));
    EXPECT_EQ(lote.Eventos.count(), 2);
}

TEST(EventBatch, AnEventWithoutConditionsOfUseCarriesTheFixedText)
{
    std::string texto = resposta("procEventoNFe.xml");
    const std::size_t inicio = texto.find("<xCondUso>");
    texto.erase(inicio, texto.find("</xCondUso>") + 11 - inicio);
    TEventoNFe lote;
    ASSERT_TRUE(lote.LerTexto(texto));
    EXPECT_EQ(lote.Eventos.ObterItem(0).InfEvento.detEvento.xCondUso(), kCondicaoUsoCCe);
}

TEST(EventBatch, AnInterestedPartyEventKeepsOnlyItsFirstAuthor)
{
    const std::string det =
        "<descEvento>Ator interessado na NF-e</descEvento><cOrgaoAutor>35</cOrgaoAutor>"
        "<tpAutor>1</tpAutor><verAplic>V1</verAplic><autXML><CNPJ>11222333000181</CNPJ>"
        "</autXML><autXML><CPF>52998224725</CPF></autXML><tpAutorizacao>1</tpAutorizacao>";
    std::string texto = resposta("procEventoNFe.xml");
    const std::size_t inicio = texto.find("<descEvento>");
    texto.replace(inicio, texto.find("</detEvento>") - inicio, det);

    TRetEventoNFe ret;
    ret.Leitor.setArquivo(texto);
    ASSERT_TRUE(ret.LerResposta());
    ASSERT_EQ(ret.InfEvento.detEvento.autXML.count(), 2);
    EXPECT_EQ(ret.InfEvento.detEvento.autXML.ObterItem(1).CNPJCPF, "52998224725");
    EXPECT_EQ(ret.InfEvento.detEvento.tpAutorizacao, ptPermite);

    TEventoNFe lote;
    ASSERT_TRUE(lote.LerTexto(texto));
    const TDetEvento &lido = lote.Eventos.ObterItem(0).InfEvento.detEvento;
    ASSERT_EQ(lido.autXML.count(), 1);
    EXPECT_EQ(lido.autXML.ObterItem(0).CNPJCPF, "11222333000181");
}

TEST(EventBatch, AnNfceEpecReadsBackWithoutItsValues)
{
    const std::string det = "<descEvento>EPEC</descEvento><cOrgaoAutor>35</cOrgaoAutor><tpAutor>1</tpAutor>"
                            "<verAplic>V1</verAplic><dhEmi>2024-03-05T14:00:00-03:00</dhEmi><tpNF>1</tpNF>"
                            "<IE>110042490114</IE><dest><UF>SP</UF><CPF>52998224725</CPF></dest>"
                            "<vNF>10.00</vNF><vICMS>1.00</vICMS>";
    std::string texto = resposta("procEventoNFe.xml");
    const std::size_t inicio = texto.find("<descEvento>");
    texto.replace(inicio, texto.find("</detEvento>") - inicio, det);
    TEventoNFe lote;
    ASSERT_TRUE(lote.LerTexto(texto));
    const TDetEvento &lido = lote.Eventos.ObterItem(0).InfEvento.detEvento;
    EXPECT_EQ(lido.dest.CNPJCPF, "52998224725");
    EXPECT_EQ(lido.dhEmi, quando(2024, 3, 5, 14, 0, 0));
    EXPECT_EQ(lido.vNF, Decimal());
    EXPECT_EQ(lido.vICMS, Decimal());
}

TEST(EventBatch, AMissingFileRaisesWithItsName)
{
    TEventoNFe lote;
    try {
        lote.LerArquivo("/nao/existe/evento.xml");
        FAIL() << "no exception";
    } catch (const EQuibException &erro) {
        EXPECT_NE(std::string(erro.what()).find("/nao/existe/evento.xml"), std::string::npos);
    }
}

TEST(SituationAnswer, AnAuthorisedNoteGivesItsProtocolAndEveryEventAsReceived)
{
    const std::string texto = resposta("retConsSitNFe.xml");
    TRetConsSitNFe ret;
    ret.Leitor.setArquivo(texto);
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.versao, "4.00");
    EXPECT_EQ(ret.cStat, 100);
    EXPECT_EQ(ret.chNFe, kChave);
    EXPECT_EQ(ret.dhRecbto, quando(2024, 3, 6, 8, 0, 0));
    EXPECT_EQ(ret.protNFe.nProt, "135240000000001");
    EXPECT_EQ(ret.protNFe.cStat, 100);
    EXPECT_EQ(ret.protNFe.dhRecbto, quando(2024, 3, 5, 10, 0, 0));
    EXPECT_TRUE(ret.ElementoProtNFe.starts_with("<protNFe versao=\"4.00\">"));
    EXPECT_TRUE(ret.ElementoProtNFe.ends_with("</protNFe>"));
    EXPECT_EQ(ret.retCancNFe.cStat, 0);
    ASSERT_EQ(ret.procEventoNFe->count(), 2);
    const TRetEventoNFe &cce = ret.procEventoNFe->ObterItem(0).RetEventoNFe;
    const TRetEventoNFe &ciencia = ret.procEventoNFe->ObterItem(1).RetEventoNFe;
    EXPECT_EQ(cce.InfEvento.tpEvento, tevCCe);
    EXPECT_EQ(ciencia.InfEvento.tpEvento, tevManifDestCiencia);
    EXPECT_EQ(ciencia.RetEventos.ObterItem(0).RetInfEvento.nProt, "891240000000102");
    const std::size_t inicio = texto.find("<procEventoNFe");
    const std::size_t fim = texto.find("</procEventoNFe>") + std::string("</procEventoNFe>").size();
    EXPECT_EQ(cce.TextoProcEvento, texto.substr(inicio, fim - inicio));
    EXPECT_TRUE(ciencia.TextoProcEvento.ends_with("</procEventoNFe>"));
}

TEST(SituationAnswer, OtherSituationsReadTheHeaderOnly)
{
    TRetConsSitNFe ret;
    ret.Leitor.setArquivo(resposta("retConsSitNFe-inexistente.xml"));
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.cStat, 217);
    EXPECT_TRUE(ret.ElementoProtNFe.empty());
    EXPECT_TRUE(ret.protNFe.nProt.empty());
    EXPECT_EQ(ret.retCancNFe.cStat, 0);
    EXPECT_EQ(ret.procEventoNFe->count(), 0);

    TRetConsSitNFe outra;
    outra.Leitor.setArquivo(resposta("retConsStatServ.xml"));
    EXPECT_FALSE(outra.LerResposta());
    EXPECT_EQ(outra.procEventoNFe, nullptr);
}

TEST(SituationAnswer, AnOldStyleCancellationFillsTheCancellationOnly)
{
    TRetConsSitNFe ret;
    ret.Leitor.setArquivo(resposta("retConsSitNFe.xml"));
    ASSERT_TRUE(ret.LerResposta());
    ret.Leitor.setArquivo(resposta("retConsSitNFe-cancelada.xml"));
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.cStat, 101);
    EXPECT_EQ(ret.retCancNFe.cStat, 101);
    EXPECT_EQ(ret.retCancNFe.nProt, "135240000000009");
    EXPECT_EQ(ret.retCancNFe.dhRecbto, quando(2024, 3, 5, 16, 0, 0));
    // The protocol of the first answer stays; the event list is replaced.
    EXPECT_EQ(ret.protNFe.nProt, "135240000000001");
    EXPECT_EQ(ret.procEventoNFe->count(), 0);
}

TEST(SituationAnswer, ASynchronousBatchAnswerGivesItsReceiptAndProtocol)
{
    std::string texto = trocado(resposta("retConsSitNFe.xml"),
                                "<cStat>100</cStat><xMotivo>Autorizado o uso da NF-e</xMotivo><cUF>",
                                "<cStat>104</cStat><xMotivo>Lote processado</xMotivo><cUF>");
    texto = trocado(texto, "<tpAmb>2</tpAmb>", "<tpAmb>2</tpAmb><nRec>003500012345678</nRec>");
    TRetConsSitNFe ret;
    ret.Leitor.setArquivo(texto);
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.cStat, 104);
    EXPECT_EQ(ret.nRec, "003500012345678");
    EXPECT_EQ(ret.protNFe.cStat, 100);
    EXPECT_EQ(ret.protNFe.chNFe, kChave);
}

} // namespace
