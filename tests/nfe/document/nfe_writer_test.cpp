// The document frame of the NF-e writer: golden text, key stability, the
// authorised form with its protocol, the signature modes, the NFC-e
// supplement, the TXT text and the city adjustment of the addresses.

#include "nfe/document/nfe_writer.h"

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/dates/date_time.h"
#include "foundation/fiscal/random_source.h"
#include "foundation/xml/xml_text_utils.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"
#include "writer_fixture.h"

namespace {

using NFeWriterFrame = NFeWriterTest;

std::string montar(TNFeW &writer)
{
    writer.MontarXml();
    return writer.Gerador.ArquivoFormatoXML;
}

TEST_F(NFeWriterFrame, CompleteNoteMatchesTheGoldenTextAndIsStableAcrossRuns)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    TNFeW writer(nfe);
    writer.IdCSRT = 1;
    writer.CSRT = kCSRT;

    ASSERT_TRUE(writer.MontarXml()) << ::testing::PrintToString(writer.Gerador.ListaDeAlertas);
    const std::string first = writer.Gerador.ArquivoFormatoXML;
    EXPECT_EQ(first, testsupport::testData("nfe/document/data/frame_golden.xml"));
    EXPECT_TRUE(xmlBemFormado(first));
    EXPECT_EQ(writer.chaveAcesso(), kChaveMoldura);
    EXPECT_EQ(nfe.infNFe.Id, std::string("NFe") + kChaveMoldura);
    EXPECT_EQ(nfe.ide.cNF, kCodigoNumericoFixo);
    EXPECT_EQ(nfe.ide.cDV, 6);

    // The drawn code is kept in the document: a later run draws nothing and
    // gives the same key and the same bytes, with this writer or a new one.
    setRandomDraw([](std::int64_t) { return std::int64_t{27182818}; });
    ASSERT_TRUE(writer.MontarXml());
    EXPECT_EQ(writer.Gerador.ArquivoFormatoXML, first);
    TNFeW again(nfe);
    again.IdCSRT = 1;
    again.CSRT = kCSRT;
    EXPECT_EQ(montar(again), first);
    EXPECT_EQ(again.chaveAcesso(), kChaveMoldura);
}

TEST_F(NFeWriterFrame, TheAvulsaCnpjTakesThePlaceOfTheEmittersInTheKey)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.avulsa.CNPJ = "12345678000195";
    TNFeW writer(nfe);
    writer.MontarXml();
    EXPECT_EQ(writer.chaveAcesso().substr(6, 14), "12345678000195");
}

// A console writes the same authorised note again and again with one writer:
// each write leaves no open group behind, so its alerts do not grow.
TEST_F(NFeWriterFrame, WritingAnAuthorisedNoteAgainLeavesNoGroupOpen)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.procNFe.nProt = "135240000000001";
    nfe.emit.xNome.clear(); // one alert per write
    TNFeW writer(nfe);
    writer.MontarXml();
    const std::vector<std::string> primeiros = writer.Gerador.ListaDeAlertas;
    ASSERT_FALSE(primeiros.empty());
    for (int i = 0; i < 3; ++i)
        writer.MontarXml();
    EXPECT_EQ(writer.Gerador.TagNivel(), "");
    EXPECT_EQ(writer.Gerador.ListaDeAlertas, primeiros);
}

TEST_F(NFeWriterFrame, AnAuthorisedNoteIsWrappedWithItsEscapedProtocol)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    TProcNFe &prot = nfe.procNFe;
    prot.tpAmb = taHomologacao;
    prot.verAplic = "SP_NFE_PL_009_V4";
    prot.chNFe = kChaveMoldura;
    prot.dhRecbto = encodeDateTime({2024, 5, 17, 10, 31, 5, 0});
    prot.nProt = "135240000000001";
    prot.digVal = "abc+/=";
    prot.cStat = 100;
    prot.xMotivo = "Autorizado o uso da NF-e <teste> & \"aspas\"";
    TNFeW writer(nfe);

    const std::string xml = montar(writer);
    const std::string head = "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
                             "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe ";
    const std::string tail =
        "</infNFe></NFe><protNFe versao=\"4.00\"><infProt><tpAmb>2</tpAmb>"
        "<verAplic>SP_NFE_PL_009_V4</verAplic><chNFe>" +
        std::string(kChaveMoldura) +
        "</chNFe><dhRecbto>2024-05-17T10:31:05-03:00</dhRecbto><nProt>135240000000001</nProt>"
        "<digVal>abc+/=</digVal><cStat>100</cStat><xMotivo>Autorizado o uso da NF-e "
        "&lt;teste&gt; &amp; &quot;aspas&quot;</xMotivo></infProt></protNFe></nfeProc>";
    EXPECT_EQ(xml.substr(0, head.size()), head);
    ASSERT_GE(xml.size(), tail.size());
    EXPECT_EQ(xml.substr(xml.size() - tail.size()), tail);
    EXPECT_TRUE(xmlBemFormado(xml));

    // cMsg / xMsg come only when one of them is set.
    prot.xMsg = "Mensagem";
    EXPECT_NE(montar(writer).find("<cMsg>0</cMsg><xMsg>Mensagem</xMsg></infProt>"), std::string::npos);
    prot.xMsg.clear();
    prot.cMsg = 7;
    EXPECT_NE(montar(writer).find("<cMsg>7</cMsg><xMsg></xMsg></infProt>"), std::string::npos);

    // Before 3.10 the receipt time carries no UTC offset.
    nfe.infNFe.versao = 3.0;
    EXPECT_NE(montar(writer).find("<dhRecbto>2024-05-17T10:31:05</dhRecbto>"), std::string::npos);
}

struct CasoAssinatura {
    TpcnTagAssinatura mode;
    const char *digest;
    const char *signature;
    const char *certificate;
    bool written;
};

void PrintTo(const CasoAssinatura &c, std::ostream *os)
{
    *os << kEnumNames<TpcnTagAssinatura>[c.mode].name << " with \"" << c.digest << "\", \"" << c.signature
        << "\", \"" << c.certificate << "\"";
}

class NFeWriterSignature : public NFeWriterTest, public ::testing::WithParamInterface<CasoAssinatura> {};

TEST_P(NFeWriterSignature, TheSignatureElementFollowsTheMode)
{
    const CasoAssinatura &c = GetParam();
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.Signature.DigestValue = c.digest;
    nfe.Signature.SignatureValue = c.signature;
    nfe.Signature.X509Certificate = c.certificate;
    TNFeW writer(nfe);
    writer.Opcoes.GerarTagAssinatura = c.mode;

    const std::string xml = montar(writer);
    const std::size_t at = xml.find("<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">");
    EXPECT_EQ(at != std::string::npos, c.written);
    if (c.written) {
        // After infNFe, inside NFe, referring to the note's Id.
        EXPECT_EQ(xml.rfind("</infNFe>", at) + 9, at);
        EXPECT_NE(xml.find("URI=\"#NFe" + std::string(kChaveMoldura) + "\"", at), std::string::npos);
        EXPECT_EQ(xml.substr(xml.size() - 18), "</Signature></NFe>");
        EXPECT_TRUE(xmlBemFormado(xml));
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, NFeWriterSignature,
                         ::testing::Values(CasoAssinatura{taSomenteSeAssinada, "", "", "", false},
                                           CasoAssinatura{taSomenteSeAssinada, "ZGln", "c2ln", "Y2Vy", true},
                                           CasoAssinatura{taSomenteSeAssinada, "ZGln", "c2ln", "", false},
                                           CasoAssinatura{taSempre, "", "", "", true},
                                           CasoAssinatura{taSempre, "ZGln", "c2ln", "Y2Vy", true},
                                           CasoAssinatura{taNunca, "ZGln", "c2ln", "Y2Vy", false},
                                           CasoAssinatura{taSomenteParaNaoAssinada, "", "", "", true},
                                           CasoAssinatura{taSomenteParaNaoAssinada, "ZGln", "", "", false},
                                           CasoAssinatura{taSomenteParaNaoAssinada, "ZGln", "c2ln", "Y2Vy",
                                                          false}));

TEST_F(NFeWriterFrame, ASignedNoteWrittenAgainGivesTheSameBytes)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.Signature.DigestValue = "ZGlnZXN0ZGlnZXN0ZGlnZXN0ZGk=";
    nfe.Signature.SignatureValue = "c2lnbmF0dXJl";
    nfe.Signature.X509Certificate = std::string(1600, 'Q'); // longer than the block's limit
    TNFeW writer(nfe);
    writer.Gerador.Opcoes.IdentarXML = true;

    const std::string first = montar(writer);
    for (int run = 2; run <= 3; ++run)
        EXPECT_EQ(montar(writer), first) << "run " << run;
    // The block's alert is not kept from one write to the next.
    EXPECT_EQ(nfe.Signature.Gerador.ListaDeAlertas.size(), 1u);
}

TEST_F(NFeWriterFrame, TheNfceSupplementKeepsAPlainQrCodeAndWrapsAnyOtherInCdata)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.ide.mod = 65;
    const std::string plain =
        "https://www.homologacao.nfce.fazenda.sp.gov.br/qrcode?p=" + std::string(kChaveMoldura) +
        "|2|2|1|3A6CB2D2A22E1B2F0E5A2A3A3E9D1E0A3E41E8C3";
    nfe.infNFeSupl.qrCode = plain;
    nfe.infNFeSupl.urlChave = "https://www.homologacao.nfce.fazenda.sp.gov.br/consulta";
    TNFeW writer(nfe);

    std::string xml = montar(writer);
    EXPECT_NE(xml.find("</infNFe><infNFeSupl><qrCode>" + plain + "</qrCode><urlChave>" +
                       nfe.infNFeSupl.urlChave + "</urlChave></infNFeSupl></NFe>"),
              std::string::npos);

    const std::string older = "https://nfce.example/qrcode?chNFe=" + std::string(kChaveMoldura) +
                              "&nVersao=100&tpAmb=2&cDest=12345678909&dhEmi=323031&vNF=100.00&vICMS=0.00";
    nfe.infNFeSupl.qrCode = older;
    nfe.infNFeSupl.urlChave.clear();
    nfe.infNFe.versao = 3.1;
    xml = montar(writer);
    EXPECT_NE(xml.find("<infNFeSupl><qrCode><![CDATA[" + older + "]]></qrCode></infNFeSupl>"),
              std::string::npos);
    EXPECT_TRUE(xmlBemFormado(xml));
}

TEST_F(NFeWriterFrame, AQrCodeOrUrlWithMarkupCharactersCannotBreakTheDocument)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.ide.mod = 65;
    nfe.infNFeSupl.qrCode = "https://nfce.example/qrcode?p=" + std::string(kChaveMoldura) + "|2|2|1|A&B<C>" +
                            std::string(40, '0');
    nfe.infNFeSupl.urlChave = "https://nfce.example/consulta?a=1&b=2";
    TNFeW writer(nfe);
    const std::string xml = montar(writer);
    EXPECT_NE(xml.find("|A&amp;B&lt;C&gt;0"), std::string::npos);
    EXPECT_NE(xml.find("<urlChave>https://nfce.example/consulta?a=1&amp;b=2</urlChave>"), std::string::npos);
    EXPECT_TRUE(xmlBemFormado(xml));
}

TEST_F(NFeWriterFrame, EachRunStartsFromCleanOutputsAndTheTxtTextIsRepeatable)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.emit.xNome.clear();          // one alert per run
    nfe.ide.indIntermed = itmNenhum; // the TXT layout has no field for it
    TNFeW writer(nfe);
    writer.Opcoes.GerarTXTSimultaneamente = true;

    EXPECT_FALSE(writer.MontarXml());
    const std::vector<std::string> alerts = writer.Gerador.ListaDeAlertas;
    const std::string xml = writer.Gerador.ArquivoFormatoXML;
    const std::string txt = writer.Gerador.ArquivoFormatoTXT;
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("ID:C03/xNome"), std::string::npos);
    EXPECT_NE(txt.find("A|4.00|NFe" + std::string(kChaveMoldura) + "\r\n"), std::string::npos);

    EXPECT_FALSE(writer.MontarXml());
    EXPECT_EQ(writer.Gerador.ListaDeAlertas, alerts);
    EXPECT_EQ(writer.Gerador.ArquivoFormatoXML, xml);
    EXPECT_EQ(writer.Gerador.ArquivoFormatoTXT, txt);

    writer.Opcoes.GerarTXTSimultaneamente = false;
    writer.MontarXml();
    EXPECT_TRUE(writer.Gerador.ArquivoFormatoTXT.empty());
    EXPECT_EQ(writer.Gerador.ArquivoFormatoXML, xml);
}

} // namespace
