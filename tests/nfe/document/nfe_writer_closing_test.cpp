// The groups after the items: the version rules of the totals and the
// payments, transport, billing, the observations and the technical
// responsible's hash.

#include "nfe/document/nfe_writer.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "foundation/xml/xml_text_utils.h"
#include "tests/support/run_command.h"
#include "tests/support/sample_notes.h"
#include "tests/support/test_data.h"
#include "writer_fixture.h"

namespace {

using NFeWriterClosing = NFeWriterTest;

std::string grupo(const std::string &xml, const char *tag)
{
    return ConteudoDaTag(xml, tag, true, false, false);
}

std::string montar(TNFeW &writer)
{
    writer.MontarXml();
    return writer.Gerador.ArquivoFormatoXML;
}

// From the opening of the first `from` element to the end of the last `to` element.
std::string trecho(const std::string &xml, const std::string &from, const std::string &to)
{
    const std::size_t start = xml.find("<" + from);
    const std::size_t end = xml.rfind("</" + to + ">");
    if (start == std::string::npos || end == std::string::npos)
        return {};
    return xml.substr(start, end + to.size() + 3 - start);
}

// ---- Version rules of the totals and the payments --------------------------------

struct VersionCase {
    const char *name;
    double versao;
    int mod;
    // Data files under tests/nfe/document/data/ holding the expected texts.
    const char *icmsTot;
    const char *pag; // from the first pag to the last; none when nullptr
};

std::string expected(const char *dataFile)
{
    return testsupport::testData(std::string("nfe/document/data/") + dataFile);
}

void PrintTo(const VersionCase &c, std::ostream *os)
{
    *os << c.name;
}

class NFeWriterVersionRules : public NFeWriterTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(NFeWriterVersionRules, TotalsAndPaymentsFollowTheLayoutVersion)
{
    const VersionCase &c = GetParam();
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.infNFe.versao = c.versao;
    nfe.ide.mod = c.mod;
    nfe.pag.clear();
    TpagCollectionItem &cash = nfe.pag.AdicionarItem();
    cash.tPag = mpDinheiro;
    cash.vPag = 50;
    TpagCollectionItem &card = nfe.pag.AdicionarItem();
    card.indPag = ifp1;
    card.tPag = mpCartaoCredito;
    card.xPag = "CARTAO";
    card.vPag = Decimal::fromUnits(605000);
    card.tpIntegra = ipg2;
    card.tBand = bdMasterCard;
    card.cAut = "A1";
    nfe.pag.vTroco = Decimal::fromUnits(5000);
    nfe.total.ICMSTot.vFCPUFDest = Decimal::fromUnits(1234);
    nfe.total.ICMSTot.vICMSMono = 2;
    nfe.total.ICMSTot.qBCMono = Decimal::fromUnits(12345);

    TNFeW writer(nfe);
    const std::string xml = montar(writer);
    EXPECT_EQ(grupo(xml, "ICMSTot"), expected(c.icmsTot)) << c.name;
    EXPECT_EQ(trecho(xml, "pag>", "pag"), c.pag == nullptr ? "" : expected(c.pag)) << c.name;
    EXPECT_TRUE(xmlBemFormado(xml)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NFeWriterVersionRules,
    ::testing::Values(VersionCase{"2.00 NF-e", 2.0, 55, "icmstot_200.xml", ""},
                      VersionCase{"3.10 NF-e", 3.1, 55, "icmstot_310.xml", ""},
                      VersionCase{"3.10 NFC-e", 3.1, 65, "icmstot_310.xml", "pag_310_nfce.xml"},
                      VersionCase{"4.00 NF-e", 4.0, 55, "icmstot_400.xml", "pag_400.xml"},
                      VersionCase{"4.00 NFC-e", 4.0, 65, "icmstot_400.xml", "pag_400.xml"}));

TEST_F(NFeWriterClosing, At400AnEmptyPaymentListStillWritesPag)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.pag.clear();
    nfe.pag.vTroco = 0;
    TNFeW writer(nfe);
    EXPECT_NE(montar(writer).find("</cobr><pag></pag><infAdic>"), std::string::npos);
    nfe.pag.vTroco = 1;
    EXPECT_NE(montar(writer).find("</cobr><pag><vTroco>1.00</vTroco></pag><infAdic>"), std::string::npos);
}

TEST_F(NFeWriterClosing, ACardGroupNeedsAnIntegrationTypeOrACnpj)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    TpagCollectionItem &pag = nfe.pag.ObterItem(0);
    pag.tPag = mpCartaoDebito;
    TNFeW writer(nfe);
    EXPECT_EQ(montar(writer).find("<card>"), std::string::npos);
    pag.CNPJ = "11222333000181";
    EXPECT_NE(montar(writer).find("<card><tpIntegra/><CNPJ>11222333000181</CNPJ></card>"), std::string::npos);
}

TEST_F(NFeWriterClosing, ServiceTotalsAndWithheldTaxesAppearOnlyWhenAboveZero)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.infNFe.versao = 3.1;
    TNFeW writer(nfe);
    std::string xml = montar(writer);
    EXPECT_EQ(xml.find("<ISSQNtot>"), std::string::npos);
    EXPECT_EQ(xml.find("<retTrib>"), std::string::npos);

    nfe.total.ISSQNtot.vServ = 10;
    nfe.total.ISSQNtot.cRegTrib = rei1;
    nfe.total.retTrib.vIRRF = Decimal::fromUnits(1500);
    EXPECT_FALSE(writer.MontarXml());
    xml = writer.Gerador.ArquivoFormatoXML;
    EXPECT_NE(xml.find("</ICMSTot><ISSQNtot><vServ>10.00</vServ><dCompet/><cRegTrib>1</cRegTrib></ISSQNtot>"
                       "<retTrib><vIRRF>0.15</vIRRF></retTrib></total>"),
              std::string::npos);
    ASSERT_EQ(writer.Gerador.ListaDeAlertas.size(), 1u);
    EXPECT_NE(writer.Gerador.ListaDeAlertas[0].find("ID:W22a/dCompet"), std::string::npos);
}

// ---- Transport and billing -------------------------------------------------------

TEST_F(NFeWriterClosing, TheCarrierRegistrationAndTheTrailerLimit)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    TTransporta &carrier = nfe.transp.transporta;
    carrier.CNPJCPF = "11222333000181";
    carrier.xNome = "TRANSPORTES";
    carrier.IE = "12.345.678-9";
    carrier.UF = "SP";
    for (int i = 0; i < 6; ++i)
        nfe.transp.reboque.NovoItem().placa = "ABC1D23";
    TNFeW writer(nfe);
    EXPECT_FALSE(writer.MontarXml());
    std::string transp = grupo(writer.Gerador.ArquivoFormatoXML, "transp");
    EXPECT_EQ(
        transp.substr(0, transp.find("<reboque>")),
        "<transp><modFrete>9</modFrete><transporta><CNPJ>11222333000181</CNPJ><xNome>TRANSPORTES</xNome>"
        "<IE>123456789</IE><UF>SP</UF></transporta>");
    EXPECT_EQ(
        writer.Gerador.ListaDeAlertas,
        std::vector<std::string>{"TAG:<transp> ID:X22/reboque(Reboque) - Número de ocorrências maior que o "
                                 "máximo permitido - Máximo 5."});

    carrier.IE = " ISENTO ";
    EXPECT_NE(montar(writer).find("<IE>ISENTO</IE>"), std::string::npos);
    carrier.IE = "isento";
    EXPECT_EQ(grupo(montar(writer), "transporta").find("<IE>"), std::string::npos);
}

TEST_F(NFeWriterClosing, TheInvoiceFieldsAreRequiredFrom400WhileTheOptionIsOn)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.cobr.fat.vOrig = 0;
    nfe.cobr.fat.vLiq = 0;
    nfe.cobr.dup.clear();
    TNFeW writer(nfe);
    EXPECT_EQ(
        grupo(montar(writer), "cobr"),
        "<cobr><fat><nFat>001</nFat><vOrig>0.00</vOrig><vDesc>0.00</vDesc><vLiq>0.00</vLiq></fat></cobr>");
    writer.Opcoes.CamposFatObrigatorios = false;
    EXPECT_EQ(grupo(montar(writer), "cobr"), "<cobr><fat><nFat>001</nFat></fat></cobr>");

    // Duplicates only: cobr without fat; their number and date are optional before 4.00.
    nfe.cobr.fat = TFat{};
    nfe.cobr.dup.AdicionarItem().vDup = 5;
    nfe.infNFe.versao = 3.1;
    EXPECT_EQ(grupo(montar(writer), "cobr"), "<cobr><dup><vDup>5.00</vDup></dup></cobr>");
    EXPECT_TRUE(writer.Gerador.ListaDeAlertas.empty());
    nfe.infNFe.versao = 4.0;
    EXPECT_EQ(grupo(montar(writer), "cobr"), "<cobr><dup><nDup/><dVenc/><vDup>5.00</vDup></dup></cobr>");
    EXPECT_EQ(writer.Gerador.ListaDeAlertas.size(), 2u);
}

// ---- Observations: attributes that cannot break the document --------------------

TEST_F(NFeWriterClosing, ObservationFieldNamesAreEscapedAndChecked)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.infAdic.obsCont.clear();
    TobsContCollectionItem &cont = nfe.infAdic.obsCont.AdicionarItem();
    cont.xCampo = " Pedido \"A\" & <B> ";
    cont.xTexto = "1";
    TobsFiscoCollectionItem &fisco = nfe.infAdic.obsFisco.AdicionarItem();
    fisco.xCampo = "  Lei 'X'  ";
    fisco.xTexto = "2";
    nfe.infAdic.obsFisco.AdicionarItem().xTexto = "3";
    TNFeW writer(nfe);
    EXPECT_FALSE(writer.MontarXml());
    const std::string &xml = writer.Gerador.ArquivoFormatoXML;
    EXPECT_NE(
        xml.find("<obsCont xCampo=\" Pedido &quot;A&quot; &amp; &lt;B&gt; \"><xTexto>1</xTexto></obsCont>"
                 "<obsFisco xCampo=\"Lei &#39;X&#39;\"><xTexto>2</xTexto></obsFisco>"
                 "<obsFisco xCampo=\"\"><xTexto>3</xTexto></obsFisco>"),
        std::string::npos);
    EXPECT_TRUE(xmlBemFormado(xml));
    EXPECT_EQ(writer.Gerador.ListaDeAlertas,
              std::vector<std::string>{"TAG:<infAdic> ID:ZO8/xCampo(Identificação do Campo) - Nenhum valor "
                                       "informado."});

    cont.xCampo = "CAMPO COM MAIS DE VINTE";
    writer.MontarXml();
    EXPECT_EQ(writer.Gerador.ListaDeAlertas.front(),
              "TAG:<infAdic> ID:ZO5/xCampo(Identificação do Campo) - Tamanho maior que o máximo permitido.");
}

TEST_F(NFeWriterClosing, ExportaFollowsTheVersionsFields)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.exporta.UFEmbarq = "SP";
    nfe.exporta.xLocEmbarq = "SANTOS";
    TNFeW writer(nfe);
    EXPECT_EQ(montar(writer).find("<exporta>"), std::string::npos);
    nfe.exporta.UFSaidaPais = "XX";
    nfe.exporta.xLocExporta = "PORTO";
    EXPECT_FALSE(writer.MontarXml());
    EXPECT_EQ(grupo(writer.Gerador.ArquivoFormatoXML, "exporta"),
              "<exporta><UFSaidaPais>XX</UFSaidaPais><xLocExporta>PORTO</xLocExporta></exporta>");
    nfe.infNFe.versao = 3.0;
    EXPECT_EQ(grupo(montar(writer), "exporta"),
              "<exporta><UFEmbarq>SP</UFEmbarq><xLocEmbarq>SANTOS</xLocEmbarq></exporta>");
}

// ---- Technical responsible ---------------------------------------------------------

TEST_F(NFeWriterClosing, TheTechnicalResponsiblesHashMatchesOpenssl)
{
    ASSERT_TRUE(testsupport::hasProgram("openssl"));
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.infRespTec.idCSRT = 7; // never read: the writer's own values count
    nfe.infRespTec.hashCSRT = "not this one";
    TNFeW writer(nfe);
    writer.IdCSRT = 1;
    writer.CSRT = kCSRT;
    const std::string xml = montar(writer);

    const testsupport::CommandResult sha1 =
        testsupport::runCommand({"openssl", "dgst", "-sha1", "-binary"}, std::string(kCSRT) + kFrameKey);
    ASSERT_EQ(sha1.exitCode, 0) << sha1.err;
    const testsupport::CommandResult base64 = testsupport::runCommand({"openssl", "base64", "-A"}, sha1.out);
    ASSERT_EQ(base64.exitCode, 0) << base64.err;
    EXPECT_NE(xml.find("<idCSRT>01</idCSRT><hashCSRT>" + base64.out + "</hashCSRT></infRespTec>"),
              std::string::npos);
    EXPECT_EQ(nfe.infRespTec.hashCSRT, "not this one");

    writer.IdCSRT = 0;
    EXPECT_NE(montar(writer).find("<fone>1133335555</fone></infRespTec>"), std::string::npos);
    nfe.infNFe.versao = 3.1;
    EXPECT_EQ(montar(writer).find("<infRespTec>"), std::string::npos);
}

} // namespace
