// The item taxes other than ICMS: for each family a table of situations and
// amounts against the group written (or none) and the alerts raised.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/sample_notes.h"
#include "writer_fixture.h"
#include "writer_item_fixture.h"

namespace {

// Fixed time zone and numeric code (see writer_fixture.h).
class NFeWriterTaxes : public NFeWriterTest {};

using PreencheImposto = void (*)(TDetCollectionItem &);

struct CasoTributo {
    std::string nome;
    int modelo = 55;
    double versao = 4.0;
    PreencheImposto preenche;
    std::string grupo;    // the element looked for in the item
    std::string esperado; // its shape, "-" when absent
    std::string alerta;   // text of the only alert expected; empty for none
};

void confereCasos(const std::vector<CasoTributo> &casos)
{
    for (const CasoTributo &caso : casos) {
        SCOPED_TRACE(caso.nome);
        TNFe nfe;
        testsupport::fillNoteWithoutItems(nfe, caso.modelo, caso.versao);
        caso.preenche(testsupport::addGoodsItem(nfe));
        const NotaEscrita nota = escreveNota(nfe);
        const XmlNode *imposto = nota.det().find("imposto");
        ASSERT_NE(imposto, nullptr);
        // Only the direct children of imposto: the IPI of impostoDevol is not this one.
        std::string encontrado = "-";
        for (const auto &filho : imposto->children)
            if (filho->name == caso.grupo)
                encontrado = estrutura(*filho);
        EXPECT_EQ(encontrado, caso.esperado);
        if (caso.alerta.empty()) {
            EXPECT_TRUE(nota.alertas.empty()) << nota.alertas.front();
        } else {
            ASSERT_EQ(nota.alertas.size(), 1u);
            EXPECT_NE(nota.alertas.front().find(caso.alerta), std::string::npos) << nota.alertas.front();
        }
    }
}

TEST_F(NFeWriterTaxes, PisFamily)
{
    const std::string misturado =
        "As TAG <vBC> e <pPIS> não podem ser informadas em conjunto com as TAG <qBCProd> e <vAliqProd>";
    confereCasos({
        {"01 zerado NF-e", 55, 4.0, [](TDetCollectionItem &) {}, "PIS", "PIS(PISAliq(CST vBC pPIS vPIS))",
         ""},
        {"01 zerado NFC-e", 65, 4.0, [](TDetCollectionItem &) {}, "PIS", "-", ""},
        {"01 com valor NFC-e", 65, 4.0, [](TDetCollectionItem &d) { d.imposto.PIS.vPIS = 1; }, "PIS",
         "PIS(PISAliq(CST vBC pPIS vPIS))", ""},
        {"02 negativo NFC-e", 65, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.PIS.CST = stp02;
             d.imposto.PIS.vBC = -1;
         },
         "PIS", "PIS(PISAliq(CST vBC pPIS vPIS))", ""},
        {"03 quantidade", 55, 4.0, [](TDetCollectionItem &d) { d.imposto.PIS.CST = stp03; }, "PIS",
         "PIS(PISQtde(CST qBCProd vAliqProd vPIS))", ""},
        {"07 NF-e", 55, 4.0, [](TDetCollectionItem &d) { d.imposto.PIS.CST = stp07; }, "PIS",
         "PIS(PISNT(CST))", ""},
        {"07 NFC-e", 65, 4.0, [](TDetCollectionItem &d) { d.imposto.PIS.CST = stp07; }, "PIS",
         "PIS(PISNT(CST))", ""},
        {"04 NFC-e", 65, 4.0, [](TDetCollectionItem &d) { d.imposto.PIS.CST = stp04; }, "PIS",
         "PIS(PISNT(CST))", ""},
        {"50 zerado NFC-e", 65, 4.0, [](TDetCollectionItem &d) { d.imposto.PIS.CST = stp50; }, "PIS", "-",
         ""},
        {"99 zerado NFC-e", 65, 4.0, [](TDetCollectionItem &d) { d.imposto.PIS.CST = stp99; }, "PIS",
         "PIS(PISOutr(CST vBC pPIS vPIS))", ""},
        {"49 por valor", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.PIS.CST = stp49;
             d.imposto.PIS.vBC = 10;
             d.imposto.PIS.pPIS = Decimal::fromUnits(16500);
         },
         "PIS", "PIS(PISOutr(CST vBC pPIS vPIS))", ""},
        {"99 por quantidade", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.PIS.CST = stp99;
             d.imposto.PIS.qBCProd = 3;
         },
         "PIS", "PIS(PISOutr(CST qBCProd vAliqProd vPIS))", ""},
        {"99 nas duas formas: vale a quantidade", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.PIS.CST = stp99;
             d.imposto.PIS.vBC = 10;
             d.imposto.PIS.vAliqProd = 1;
         },
         "PIS", "PIS(PISOutr(CST qBCProd vAliqProd vPIS))",
         "ID:Q05/PISOutr(Grupo PIS outras operações) - " + misturado},
        {"ST zerado", 55, 4.0, [](TDetCollectionItem &) {}, "PISST", "-", ""},
        {"ST so com valor do imposto", 55, 4.0, [](TDetCollectionItem &d) { d.imposto.PISST.vPIS = 5; },
         "PISST", "-", ""},
        {"ST por valor", 55, 4.0, [](TDetCollectionItem &d) { d.imposto.PISST.vBC = 10; }, "PISST",
         "PISST(vBC pPIS vPIS)", ""},
        {"ST por quantidade", 55, 4.0, [](TDetCollectionItem &d) { d.imposto.PISST.qBCProd = 2; }, "PISST",
         "PISST(qBCProd vAliqProd vPIS)", ""},
        {"ST nas duas formas: vale o valor", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.PISST.pPIS = 1;
             d.imposto.PISST.qBCProd = 2;
         },
         "PISST", "PISST(vBC pPIS vPIS)", "ID:R01/PISST"},
        {"ST soma no total 4.00", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.PISST.vBC = 10;
             d.imposto.PISST.indSomaPISST = sps1;
         },
         "PISST", "PISST(vBC pPIS vPIS indSomaPISST)", ""},
        {"ST soma no total 3.10", 55, 3.1,
         [](TDetCollectionItem &d) {
             d.imposto.PISST.vBC = 10;
             d.imposto.PISST.indSomaPISST = sps0;
         },
         "PISST", "PISST(vBC pPIS vPIS)", ""},
    });
}

TEST_F(NFeWriterTaxes, CofinsFamily)
{
    confereCasos({
        {"01 zerado NF-e", 55, 4.0, [](TDetCollectionItem &) {}, "COFINS",
         "COFINS(COFINSAliq(CST vBC pCOFINS vCOFINS))", ""},
        {"01 zerado NFC-e", 65, 4.0, [](TDetCollectionItem &) {}, "COFINS", "-", ""},
        {"03 quantidade", 55, 4.0, [](TDetCollectionItem &d) { d.imposto.COFINS.CST = stc03; }, "COFINS",
         "COFINS(COFINSQtde(CST qBCProd vAliqProd vCOFINS))", ""},
        {"08 NFC-e", 65, 4.0, [](TDetCollectionItem &d) { d.imposto.COFINS.CST = stc08; }, "COFINS",
         "COFINS(COFINSNT(CST))", ""},
        {"49 zerado NFC-e", 65, 4.0, [](TDetCollectionItem &d) { d.imposto.COFINS.CST = stc49; }, "COFINS",
         "COFINS(COFINSOutr(CST vBC pCOFINS vCOFINS))", ""},
        {"60 zerado NFC-e", 65, 4.0, [](TDetCollectionItem &d) { d.imposto.COFINS.CST = stc60; }, "COFINS",
         "-", ""},
        {"99 nas duas formas: vale a quantidade", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.COFINS.CST = stc99;
             d.imposto.COFINS.pCOFINS = 3;
             d.imposto.COFINS.qBCProd = 1;
         },
         "COFINS", "COFINS(COFINSOutr(CST qBCProd vAliqProd vCOFINS))",
         "ID:S05/COFINSOutr(Grupo COFINS outras operações) - As TAG <vBC> e <pCOFINS> não podem ser "
         "informadas em "
         "conjunto com as TAG <qBCProd> e <vAliqProd>"},
        {"ST por quantidade", 55, 4.0, [](TDetCollectionItem &d) { d.imposto.COFINSST.vAliqProd = 1; },
         "COFINSST", "COFINSST(qBCProd vAliqProd vCOFINS)", ""},
        {"ST nas duas formas: vale o valor", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.COFINSST.vBC = 10;
             d.imposto.COFINSST.vAliqProd = 1;
             d.imposto.COFINSST.indSomaCOFINSST = scs0;
         },
         "COFINSST", "COFINSST(vBC pCOFINS vCOFINS indSomaCOFINSST)",
         "ID:T01/COFINSST(Grupo de COFINS Substituição Tributária)"},
    });
}

TEST_F(NFeWriterTaxes, IpiFamily)
{
    confereCasos({
        {"NFC-e", 65, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.IPI.CST = sip50;
             d.imposto.IPI.vIPI = 1;
         },
         "IPI", "-", ""},
        {"00 sem enquadramento e zerado", 55, 4.0, [](TDetCollectionItem &) {}, "IPI", "-", ""},
        {"00 com enquadramento e zerado", 55, 4.0, [](TDetCollectionItem &d) { d.imposto.IPI.cEnq = "123"; },
         "IPI", "IPI(cEnq IPITrib(CST vBC pIPI vIPI))", ""},
        {"50 por valor", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.IPI.CST = sip50;
             d.imposto.IPI.vBC = 10;
             d.imposto.IPI.pIPI = 5;
             d.imposto.IPI.vIPI = Decimal::fromUnits(5000);
         },
         "IPI", "IPI(cEnq IPITrib(CST vBC pIPI vIPI))", ""},
        {"99 por unidade", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.IPI.CST = sip99;
             d.imposto.IPI.qUnid = 2;
         },
         "IPI", "IPI(cEnq IPITrib(CST qUnid vUnid vIPI))", ""},
        {"49 nas duas formas: vale a unidade", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.IPI.CST = sip49;
             d.imposto.IPI.vBC = 10;
             d.imposto.IPI.vUnid = 1;
         },
         "IPI", "IPI(cEnq IPITrib(CST qUnid vUnid vIPI))",
         "ID:O07/IPITrib(IPI Tributável) - As TAG <vBC> e <pIPI> não podem ser informadas em conjunto com as "
         "TAG "
         "<qUnid> e <vUnid>"},
        {"52 nao tributado", 55, 4.0, [](TDetCollectionItem &d) { d.imposto.IPI.CST = sip52; }, "IPI",
         "IPI(cEnq IPINT(CST))", ""},
        {"selo e produtor", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.IPI.CST = sip53;
             d.imposto.IPI.clEnq = "ABC";
             d.imposto.IPI.CNPJProd = "11444777000161";
             d.imposto.IPI.cSelo = "SELO1";
             d.imposto.IPI.qSelo = 10;
         },
         "IPI", "IPI(CNPJProd cSelo qSelo cEnq IPINT(CST))", ""},
        {"classe antes de 4.00", 55, 3.1,
         [](TDetCollectionItem &d) {
             d.imposto.IPI.CST = sip53;
             d.imposto.IPI.clEnq = "ABC";
         },
         "IPI", "IPI(clEnq cEnq IPINT(CST))", ""},
    });
}

TEST_F(NFeWriterTaxes, EmptyIpiFrameworkCodeIsStoredAs999)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    TIPI &ipi = testsupport::addGoodsItem(nfe).imposto.IPI;
    ipi.CST = sip52;
    const NotaEscrita nota = escreveNota(nfe);
    EXPECT_EQ(nota.det().find("IPI")->childText("cEnq"), "999");
    EXPECT_EQ(ipi.cEnq, "999");
}

TEST_F(NFeWriterTaxes, ImportTaxForImportsAndFilledAmounts)
{
    confereCasos({
        {"CFOP 3 zerado", 55, 4.0, [](TDetCollectionItem &d) { d.prod.SetCFOP("3102"); }, "II",
         "II(vBC vDespAdu vII vIOF)", ""},
        {"CFOP 5 zerado", 55, 4.0, [](TDetCollectionItem &) {}, "II", "-", ""},
        {"CFOP 5 com IOF", 55, 4.0, [](TDetCollectionItem &d) { d.imposto.II.vIOF = 1; }, "II",
         "II(vBC vDespAdu vII vIOF)", ""},
    });
}

// A service item: the ISSQN situation set (2.00) or, after 3.00, the service list filled.
void servico(TDetCollectionItem &d)
{
    TISSQN &issqn = d.imposto.ISSQN;
    issqn.vBC = 100;
    issqn.vAliq = 5;
    issqn.vISSQN = 5;
    issqn.cMunFG = 3550308;
    issqn.cListServ = "14.01";
    issqn.indISS = eis1;
    issqn.indIncentivo = ifi2;
}

TEST_F(NFeWriterTaxes, ServiceItemsGetIssqnAndNoIcms)
{
    confereCasos({
        {"servico 4.00", 55, 4.0, servico, "ISSQN",
         "ISSQN(vBC vAliq vISSQN cMunFG cListServ indISS indIncentivo)", ""},
        {"servico 4.00 sem ICMS", 55, 4.0, servico, "ICMS", "-", ""},
        {"servico 3.10 com retencao", 55, 3.1,
         [](TDetCollectionItem &d) {
             servico(d);
             d.imposto.ISSQN.vISSRet = 1;
             d.imposto.ISSQN.cServico = "1401";
         },
         "ISSQN", "ISSQN(vBC vAliq vISSQN cMunFG cListServ vISSRet indISS cServico indIncentivo)", ""},
        {"lista em 3.00 nao faz servico", 55, 3.0, servico, "ISSQN", "-", ""},
        {"lista em 3.00: mercadoria", 55, 3.0, servico, "ICMS",
         "ICMS(ICMS00(orig CST modBC vBC pICMS vICMS))", ""},
        {"servico 2.00", 55, 2.0,
         [](TDetCollectionItem &d) {
             servico(d);
             d.imposto.ISSQN.cListServ = "1401";
             d.imposto.ISSQN.cSitTrib = sisN;
         },
         "ISSQN", "ISSQN(vBC vAliq vISSQN cMunFG cListServ cSitTrib)", ""},
        {"municipio invalido", 55, 4.0,
         [](TDetCollectionItem &d) {
             servico(d);
             d.imposto.ISSQN.cMunFG = 3550309;
         },
         "ISSQN", "ISSQN(vBC vAliq vISSQN cMunFG cListServ indISS indIncentivo)", "ID:U05/cMunFG"},
    });
}

TEST_F(NFeWriterTaxes, InterstatePartitionOnlyWithAPartitionShare)
{
    const auto partilha = [](TDetCollectionItem &d) {
        TICMSUFDest &p = d.imposto.ICMSUFDest;
        p.vBCUFDest = 100;
        p.pICMSUFDest = 18;
        p.pICMSInter = 12;
        p.vICMSUFDest = 6;
        p.pICMSInterPart = 100;
    };
    confereCasos({
        {"sem percentual de partilha", 55, 4.0,
         [](TDetCollectionItem &d) {
             d.imposto.ICMSUFDest.vBCUFDest = 100;
             d.imposto.ICMSUFDest.vICMSUFDest = 6;
         },
         "ICMSUFDest", "-", ""},
        {"4.00", 55, 4.0, partilha, "ICMSUFDest",
         "ICMSUFDest(vBCUFDest vBCFCPUFDest pFCPUFDest pICMSUFDest pICMSInter pICMSInterPart vFCPUFDest "
         "vICMSUFDest vICMSUFRemet)",
         ""},
        {"3.10", 55, 3.1, partilha, "ICMSUFDest",
         "ICMSUFDest(vBCUFDest pFCPUFDest pICMSUFDest pICMSInter pICMSInterPart vFCPUFDest vICMSUFDest "
         "vICMSUFRemet)",
         ""},
    });
}

TEST_F(NFeWriterTaxes, ReturnedGoodsTaxFollowsTheItemTaxes)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    TDetCollectionItem &det = testsupport::addGoodsItem(nfe);
    det.pDevol = 50;
    det.vIPIDevol = 3;
    det.infAdProd = "DEVOLUCAO PARCIAL";
    const NotaEscrita nota = escreveNota(nfe);
    EXPECT_EQ(nota.det().childNames(), "prod imposto impostoDevol infAdProd");
    EXPECT_EQ(estruturaDe(nota.det(), "impostoDevol"), "impostoDevol(pDevol IPI(vIPIDevol))");
    EXPECT_EQ(nota.det().find("impostoDevol")->childText("pDevol"), "50.00");
    EXPECT_TRUE(nota.semAlertas);
}

TEST_F(NFeWriterTaxes, ItemObservationsEscapeTheFieldName)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    TDetCollectionItem &det = testsupport::addGoodsItem(nfe);
    det.obsCont.xCampo = R"(LOTE "A" & <B>)";
    det.obsCont.xTexto = "123";
    det.obsFisco.xCampo = "PROCESSO";
    det.obsFisco.xTexto = "456";
    const NotaEscrita nota = escreveNota(nfe);
    EXPECT_TRUE(nota.semAlertas) << nota.alertas.front();
    const XmlNode *obsCont = nota.det().find("obsCont");
    ASSERT_NE(obsCont, nullptr) << nota.xml;
    EXPECT_EQ(obsCont->attributes, R"(xCampo="LOTE &quot;A&quot; &amp; &lt;B&gt;")");
    EXPECT_EQ(estruturaDe(nota.det(), "obsItem"), "obsItem(obsCont(xTexto) obsFisco(xTexto))");
    EXPECT_EQ(nota.det().find("obsFisco")->attributes, R"(xCampo="PROCESSO")");
}

TEST_F(NFeWriterTaxes, ItemObservationFieldNameIsChecked)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    TDetCollectionItem &det = testsupport::addGoodsItem(nfe);
    det.obsCont.xCampo = "  " + std::string(21, 'X') + " ";
    det.obsCont.xTexto = "TEXTO";
    det.obsFisco.xCampo = "   ";
    det.obsFisco.xTexto = "TEXTO";
    TDetCollectionItem &semTexto = testsupport::addGoodsItem(nfe);
    semTexto.obsCont.xCampo = "CAMPO";
    const NotaEscrita nota = escreveNota(nfe);
    ASSERT_EQ(nota.alertas.size(), 2u);
    EXPECT_NE(
        nota.alertas[0].find("ID:VA03/xCampo(Identificação do Campo) - Tamanho maior que o máximo permitido"),
        std::string::npos)
        << nota.alertas[0];
    EXPECT_NE(nota.alertas[1].find("ID:VA06/xCampo(Identificação do Campo) - Nenhum valor informado"),
              std::string::npos)
        << nota.alertas[1];
    EXPECT_EQ(estruturaDe(nota.det(0), "obsItem"), "obsItem(obsCont(xTexto) obsFisco(xTexto))");
    EXPECT_EQ(estruturaDe(nota.det(1), "obsItem"), "-");
}

} // namespace
