#include <string>

#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader.h"
#include "nfe_reader_fixture.h"

namespace {

using reader_fixture::item;
using reader_fixture::ler;
using reader_fixture::nota;
using reader_fixture::notaComItens;

// The model of a one-item 4.00 note whose item holds `conteudo`.
const TDetCollectionItem &lerUmItem(TNFe &nfe, const std::string &conteudo, const char *versao = "4.00")
{
    ler(nfe, notaComItens(versao, item(1, conteudo)));
    EXPECT_EQ(nfe.det.count(), 1);
    return nfe.det.ObterItem(0);
}

TEST(NFeReaderItems, ItemsInDocumentOrderWithTheirNumbers)
{
    TNFe nfe;
    ler(nfe, notaComItens("4.00", item(1, "<prod><cProd>A</cProd></prod>") +
                                      item(2, "<prod><cProd>B</cProd></prod>") +
                                      item(3, "<prod><cProd>C</cProd></prod>")));
    ASSERT_EQ(nfe.det.count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(nfe.det.ObterItem(i).prod.nItem, i + 1);
        EXPECT_EQ(nfe.det.ObterItem(i).prod.cProd, std::string(1, static_cast<char>('A' + i)));
    }

    ler(nfe, notaComItens("4.00", item(3, "<prod><cProd>X</cProd></prod>") +
                                      item(1, "<prod><cProd>Y</cProd></prod>")));
    ASSERT_EQ(nfe.det.count(), 2);
    EXPECT_EQ(nfe.det.ObterItem(0).prod.nItem, 3);
    EXPECT_EQ(nfe.det.ObterItem(0).prod.cProd, "X");
    EXPECT_EQ(nfe.det.ObterItem(1).prod.nItem, 1);
    EXPECT_EQ(nfe.det.ObterItem(1).prod.cProd, "Y");
}

TEST(NFeReaderItems, ItemsNeedTheTotalThatFollowsThem)
{
    TNFe nfe;
    nfe.det.NovoItem();
    ler(nfe, nota("4.00", item(1, "<prod><cProd>A</cProd></prod>")));
    EXPECT_EQ(nfe.det.count(), 0);
}

TEST(NFeReaderItems, SingleQuotedDocument)
{
    const std::string xml =
        "<NFe><infNFe versao='4.00' Id='NFe1'><det nItem='7'><prod><cProd>A</cProd></prod></det>"
        "<total/></infNFe></NFe>";
    TNFe nfe;
    ler(nfe, xml);
    ASSERT_EQ(nfe.det.count(), 1);
    EXPECT_EQ(nfe.det.ObterItem(0).prod.nItem, 7);
    EXPECT_EQ(nfe.det.ObterItem(0).prod.cProd, "A");
}

TEST(NFeReaderItems, ItemNumberThatIsNotAnIntegerStopsTheReading)
{
    TNFe nfe;
    TNFeR leitor(nfe);
    // The second item is quoted with the other quote character.
    const std::string segundo = "<det nItem='2'><prod><cProd>B</cProd></prod></det>";
    leitor.Leitor().setArquivo(notaComItens("4.00", item(1, "<prod><cProd>A</cProd></prod>") + segundo));
    EXPECT_THROW(leitor.ImportarXml(), ConversionError);
    ASSERT_EQ(nfe.det.count(), 1);
    EXPECT_EQ(nfe.det.ObterItem(0).prod.cProd, "A");
    EXPECT_EQ(leitor.Leitor().Arquivo(), segundo);

    TNFe texto;
    EXPECT_THROW(ler(texto, notaComItens("4.00", "<det nItem=\"um\"></det>")), ConversionError);
}

TEST(NFeReaderItems, ItemWhoseGroupsCannotBeFoundReadsEmpty)
{
    // "01" is read as item 1, whose tag <det nItem="1"> is not in the text:
    // the item reads as empty instead of taking the previous item's groups.
    TNFe nfe;
    ler(nfe, notaComItens("4.00", item(1, "<prod><cProd>A</cProd></prod><imposto><ICMS><ICMS00><CST>00</CST>"
                                          "</ICMS00></ICMS></imposto>") +
                                      "<det nItem=\"01\"><prod><cProd>B</cProd></prod></det>" +
                                      item(3, "<infAdProd>SEM PROD</infAdProd>")));
    ASSERT_EQ(nfe.det.count(), 3);
    const TDetCollectionItem &vazio = nfe.det.ObterItem(1);
    EXPECT_EQ(vazio.prod.nItem, 1);
    EXPECT_EQ(vazio.prod.cProd, "");
    EXPECT_EQ(vazio.imposto.ICMS.CST, TICMS{}.CST);
    const TDetCollectionItem &semProd = nfe.det.ObterItem(2);
    EXPECT_EQ(semProd.infAdProd, "SEM PROD");
    EXPECT_EQ(semProd.prod.cProd, "");
    EXPECT_EQ(semProd.imposto.ICMS.CST, TICMS{}.CST);
}

TEST(NFeReaderItems, CarriageReturnLineFeedIsRemovedFromItems)
{
    TNFe nfe;
    const TDetCollectionItem &det =
        lerUmItem(nfe, "<prod><cProd>A</cProd></prod><infAdProd>LINHA 1\r\nLINHA 2</infAdProd>");
    EXPECT_EQ(det.infAdProd, "LINHA 1LINHA 2");
}

TEST(NFeReaderItems, ProductFields)
{
    TNFe nfe;
    const TDetCollectionItem &det = lerUmItem(
        nfe,
        "<prod><cProd>001</cProd><cEAN>SEM GTIN</cEAN><xProd>CAFE &amp; ACUCAR</xProd><NCM>09012100</NCM>"
        "<CEST>1234567</CEST><indEscala>S</indEscala><CNPJFab>12345678000195</CNPJFab><cBenef>SP123</cBenef>"
        "<CFOP>5102</CFOP><uCom>UN</uCom><qCom>2.5000</qCom><vUnCom>3.1234567891</vUnCom><vProd>7.81</vProd>"
        "<qTrib>2.5000</qTrib><vUnTrib>3.1234567891</vUnTrib><vDesc>0.10</vDesc><indTot>1</indTot>"
        "<xPed>PED</xPed><nItemPed>1</nItemPed></prod>");
    const TProd &p = det.prod;
    EXPECT_EQ(p.xProd, "CAFE & ACUCAR");
    EXPECT_EQ(p.CFOP, "5102");
    EXPECT_EQ(p.indEscala, CodigoParaEscalaProducao("S"));
    EXPECT_EQ(p.CNPJFab, "12345678000195");
    EXPECT_EQ(p.qCom, Decimal::fromUnits(25000));
    EXPECT_EQ(p.vUnCom, 3.1234567891);
    EXPECT_EQ(p.vProd, Decimal::fromUnits(78100));
    EXPECT_EQ(p.vUnTrib, 3.1234567891);
    EXPECT_EQ(p.vDesc, Decimal::fromUnits(1000));
    EXPECT_EQ(p.indTot, ist1);
    EXPECT_EQ(p.nItemPed, "1");

    TNFe v3;
    const TDetCollectionItem &antigo =
        lerUmItem(v3, "<prod><indEscala>S</indEscala><CNPJFab>1</CNPJFab><cBenef>X</cBenef></prod>", "3.10");
    EXPECT_EQ(antigo.prod.indEscala, TProd{}.indEscala);
    EXPECT_EQ(antigo.prod.CNPJFab, "");
    EXPECT_EQ(antigo.prod.cBenef, "");
    EXPECT_EQ(antigo.prod.indTot, ist0);
}

TEST(NFeReaderItems, ProductLists)
{
    TNFe nfe;
    const TDetCollectionItem &det = lerUmItem(
        nfe,
        "<prod><cProd>A</cProd><NVE>AA0001</NVE><NVE>AA0002</NVE>"
        "<DI><nDI>D1</nDI><dDI>2019-01-02</dDI><tpViaTransp>1</tpViaTransp><tpIntermedio>2</tpIntermedio>"
        "<CPF>12345678909</CPF><adi><nAdicao>1</nAdicao><nSeqAdic>1</nSeqAdic></adi>"
        "<adi><nAdicao>2</nAdicao><nSeqAdic>2</nSeqAdic></adi></DI>"
        "<DI><nDI>D2</nDI><adi><nAdicao>9</nAdicao></adi></DI>"
        "<detExport><nDraw>20190001</nDraw></detExport>"
        "<detExport><nDraw>20190002</nDraw><exportInd><nRE>R1</nRE><chNFe>K</chNFe>"
        "<qExport>1.5000</qExport></exportInd></detExport>"
        "<rastro><nLote>L1</nLote><qLote>1.000</qLote><dFab>2019-01-01</dFab><dVal>2020-01-01</dVal></rastro>"
        "<veicProd><tpOp>1</tpOp><chassi>9BW</chassi><anoMod>2019</anoMod><condVeic>1</condVeic></veicProd>"
        "<med><cProdANVISA>123</cProdANVISA><nLote>M1</nLote><vPMC>9.99</vPMC></med>"
        "<arma><tpArma>0</tpArma><nSerie>S1</nSerie></arma><arma><tpArma>1</tpArma><nSerie>S2</nSerie></arma>"
        "</prod>");
    const TProd &p = det.prod;
    ASSERT_EQ(p.NVE.count(), 2);
    EXPECT_EQ(p.NVE.ObterItem(1).NVE, "AA0002");
    ASSERT_EQ(p.DI.count(), 2);
    const TDICollectionItem &di = p.DI.ObterItem(0);
    EXPECT_EQ(di.dDI, encodeDate(2019, 1, 2));
    EXPECT_EQ(di.tpViaTransp, CodigoParaViaTransporteInternacional("1"));
    EXPECT_EQ(di.tpIntermedio, CodigoParaFormaImportacao("2"));
    EXPECT_EQ(di.CNPJ, "12345678909");
    ASSERT_EQ(di.adi.count(), 2);
    EXPECT_EQ(di.adi.ObterItem(1).nSeqAdic, 2);
    ASSERT_EQ(p.DI.ObterItem(1).adi.count(), 1);
    EXPECT_EQ(p.DI.ObterItem(1).adi.ObterItem(0).nAdicao, 9);
    ASSERT_EQ(p.detExport.count(), 2);
    EXPECT_EQ(p.detExport.ObterItem(0).nDraw, "20190001");
    EXPECT_EQ(p.detExport.ObterItem(0).nRE, "");
    EXPECT_EQ(p.detExport.ObterItem(0).chNFe, "");
    EXPECT_TRUE(p.detExport.ObterItem(0).qExport.isZero());
    EXPECT_EQ(p.detExport.ObterItem(1).nRE, "R1");
    EXPECT_EQ(p.detExport.ObterItem(1).qExport, Decimal::fromUnits(15000));
    EXPECT_EQ(p.rastro.ObterItem(0).dVal, encodeDate(2020, 1, 1));
    EXPECT_EQ(p.veicProd.chassi, "9BW");
    EXPECT_EQ(p.veicProd.anoMod, 2019);
    EXPECT_EQ(p.med.ObterItem(0).nLote, "M1");
    EXPECT_EQ(p.med.ObterItem(0).vPMC, Decimal::fromUnits(99900));
    ASSERT_EQ(p.arma.count(), 2);
    EXPECT_EQ(p.arma.ObterItem(1).tpArma, CodigoParaClasseArma("1"));
}

TEST(NFeReaderItems, Fuel)
{
    TNFe nfe;
    const TDetCollectionItem &det = lerUmItem(
        nfe, "<prod><comb><cProdANP>320102001</cProdANP><pMixGN>12.3456</pMixGN><UFCons>SP</UFCons>"
             "<CIDE><qBCProd>1.0000</qBCProd><vCIDE>0.10</vCIDE></CIDE>"
             "<encerrante><nBico>1</nBico><vEncIni>100.000</vEncIni></encerrante>"
             "<origComb><indImport>0</indImport><cUFOrig>35</cUFOrig><pOrig>100.0000</pOrig></origComb>"
             "<ICMSCons><vBCICMSSTCons>1.00</vBCICMSSTCons><UFcons>RJ</UFcons></ICMSCons></comb></prod>");
    const TComb &comb = det.prod.comb;
    EXPECT_EQ(comb.cProdANP, 320102001);
    EXPECT_EQ(comb.pMixGN, Decimal::fromUnits(123456));
    EXPECT_EQ(comb.UFCons, "SP");
    EXPECT_EQ(comb.ICMSCons.UFCons, "RJ");
    EXPECT_EQ(comb.CIDE.vCIDE, Decimal::fromUnits(1000));
    EXPECT_EQ(comb.encerrante.vEncIni, Decimal(100));
    ASSERT_EQ(comb.origComb.count(), 1);
    EXPECT_EQ(comb.origComb.ObterItem(0).cUFOrig, 35);

    TNFe semCons;
    const TDetCollectionItem &outro = lerUmItem(semCons, "<prod><comb><UFCons>SP</UFCons></comb></prod>");
    EXPECT_EQ(outro.prod.comb.UFCons, "SP");
    EXPECT_EQ(outro.prod.comb.ICMSCons.UFCons, "SP");
}

TEST(NFeReaderItems, IcmsSituationFromTheInnerGroup)
{
    struct Caso {
        const char *icms;
        TpcnSitTributariaICMS cst;
    };
    const Caso cases[] = {
        {"<ICMSPart><orig>0</orig><CST>10</CST></ICMSPart>", sti10Part},
        {"<ICMS10><orig>0</orig><CST>10</CST></ICMS10>", sti10},
        {"<ICMSST><orig>0</orig><CST>60</CST></ICMSST>", sti60Rep},
        {"<ICMSST><orig>0</orig><CST>41</CST></ICMSST>", sti41Rep},
        {"<ICMS60><orig>0</orig><CST>60</CST></ICMS60>", sti60},
        {"<ICMSPart><CST>90</CST></ICMSPart><ICMSST><CST>90</CST></ICMSST>", sti90Part},
        {"<ICMSSN102><orig>0</orig><CSOSN>102</CSOSN></ICMSSN102>", stiVazio},
    };
    for (const Caso &c : cases) {
        TNFe nfe;
        const TDetCollectionItem &det =
            lerUmItem(nfe, std::string("<imposto><ICMS>") + c.icms + "</ICMS></imposto>");
        EXPECT_EQ(det.imposto.ICMS.CST, c.cst) << c.icms;
    }

    TNFe sn;
    const TDetCollectionItem &det =
        lerUmItem(sn, "<imposto><vTotTrib>1.23</vTotTrib><ICMS><ICMSSN102><orig>2</orig><CSOSN>102</CSOSN>"
                      "</ICMSSN102></ICMS></imposto>");
    EXPECT_EQ(det.imposto.ICMS.CSOSN, CodigoParaSitSimplesNacional("102"));
    EXPECT_EQ(det.imposto.ICMS.orig, CodigoParaOrigemProduto("2"));
    EXPECT_EQ(det.imposto.vTotTrib, Decimal::fromUnits(12300));
}

TEST(NFeReaderItems, IcmsAmounts)
{
    TNFe nfe;
    const TDetCollectionItem &det = lerUmItem(
        nfe, "<imposto><ICMS><ICMS51><orig>0</orig><CST>51</CST><modBC>3</modBC><pRedBC>10.0000</pRedBC>"
             "<vBC>100.00</vBC><pICMS>18.0000</pICMS><vICMSOp>18.00</vICMSOp><pDif>33.3333</pDif>"
             "<vICMSDif>6.00</vICMSDif><vICMS>12.00</vICMS><pFCPDif>1.5000</pFCPDif></ICMS51></ICMS>"
             "<ICMSUFDest><vBCUFDest>10.00</vBCUFDest><pICMSInter>12.00</pICMSInter></ICMSUFDest></imposto>");
    const TICMS &icms = det.imposto.ICMS;
    EXPECT_EQ(icms.CST, CodigoParaSitTributariaICMS("51"));
    EXPECT_EQ(icms.modBC, CodigoParaModalidadeBCICMS("3"));
    EXPECT_EQ(icms.vBC, Decimal(100));
    EXPECT_EQ(icms.pDif, Decimal::fromUnits(333333));
    EXPECT_EQ(icms.vICMS, Decimal(12));
    EXPECT_EQ(icms.pFCPDif, Decimal::fromUnits(15000));
    EXPECT_EQ(det.imposto.ICMSUFDest.pICMSInter, Decimal(12));
}

TEST(NFeReaderItems, IpiSituationDefaultsByOperation)
{
    struct Caso {
        const char *tpNF;
        const char *ipi;
        TpcnSitTributariaIPI cst;
    };
    const Caso cases[] = {
        {"0", "<IPI><cEnq>999</cEnq></IPI>", sip53},
        {"1", "<IPI><cEnq>999</cEnq></IPI>", sip03},
        {"1", "<IPI><cEnq>999</cEnq><IPITrib><CST>50</CST><vBC>10.00</vBC><pIPI>5.00</pIPI></IPITrib></IPI>",
         sip50},
        {"0", "<IPI><cEnq>999</cEnq><IPINT><CST>52</CST></IPINT></IPI>", sip52},
    };
    for (const Caso &c : cases) {
        TNFe nfe;
        ler(nfe, nota("4.00", std::string("<ide><tpNF>") + c.tpNF + "</tpNF></ide>" +
                                  item(1, std::string("<imposto>") + c.ipi + "</imposto>") + "<total/>"));
        ASSERT_EQ(nfe.det.count(), 1);
        EXPECT_EQ(nfe.det.ObterItem(0).imposto.IPI.CST, c.cst) << c.ipi;
        EXPECT_EQ(nfe.det.ObterItem(0).imposto.IPI.cEnq, "999");
    }

    TNFe semIPI;
    ler(semIPI, nota("4.00", "<ide><tpNF>0</tpNF></ide>" + item(1, "<imposto/>") + "<total/>"));
    EXPECT_EQ(semIPI.det.ObterItem(0).imposto.IPI.CST, TIPI{}.CST);
}

TEST(NFeReaderItems, OtherTaxesReturnAndObservations)
{
    TNFe nfe;
    const TDetCollectionItem &det = lerUmItem(
        nfe, "<imposto><II><vBC>1.00</vBC><vII>0.50</vII></II>"
             "<PIS><PISAliq><CST>01</CST><vBC>10.00</vBC><pPIS>1.6500</pPIS><vPIS>0.17</vPIS></PISAliq></PIS>"
             "<PISST><vBC>2.00</vBC><vPIS>0.03</vPIS><indSomaPISST>1</indSomaPISST></PISST>"
             "<COFINS><COFINSQtde><CST>03</CST><qBCProd>2.0000</qBCProd><vAliqProd>0.5000</vAliqProd>"
             "<vCOFINS>1.00</vCOFINS></COFINSQtde></COFINS>"
             "<COFINSST><vCOFINS>0.04</vCOFINS><indSomaCOFINSST>0</indSomaCOFINSST></COFINSST>"
             "<ISSQN><vBC>5.00</vBC><cMunFG>3550308</cMunFG><cListServ>01.01</cListServ><indISS>1</indISS>"
             "<indIncentivo>2</indIncentivo></ISSQN></imposto>"
             "<impostoDevol><pDevol>50.00</pDevol><IPI><vIPIDevol>1.50</vIPIDevol></IPI></impostoDevol>"
             "<obsItem><obsCont xCampo=\"C\"><xTexto>TC</xTexto></obsCont>"
             "<obsFisco xCampo=\"F\"><xTexto>TF</xTexto></obsFisco></obsItem>");
    const TImposto &imp = det.imposto;
    EXPECT_EQ(imp.II.vII, Decimal::fromUnits(5000));
    EXPECT_EQ(imp.PIS.CST, CodigoParaSitTributariaPIS("01"));
    EXPECT_EQ(imp.PIS.vPIS, Decimal::fromUnits(1700));
    EXPECT_EQ(imp.PISST.indSomaPISST, CodigoParaSomaPISST("1"));
    EXPECT_EQ(imp.COFINS.CST, CodigoParaSitTributariaCOFINS("03"));
    EXPECT_EQ(imp.COFINS.qBCProd, Decimal(2));
    EXPECT_EQ(imp.COFINSST.vCOFINS, Decimal::fromUnits(400));
    EXPECT_EQ(imp.ISSQN.cMunFG, 3550308);
    EXPECT_EQ(imp.ISSQN.cListServ, "01.01");
    EXPECT_EQ(imp.ISSQN.indISS, CodigoParaExigibilidadeISS("1"));
    EXPECT_EQ(det.pDevol, Decimal(50));
    EXPECT_EQ(det.vIPIDevol, Decimal::fromUnits(15000));
    EXPECT_EQ(det.obsCont.xCampo, "C");
    EXPECT_EQ(det.obsCont.xTexto, "TC");
    EXPECT_EQ(det.obsFisco.xCampo, "F");
    EXPECT_EQ(det.obsFisco.xTexto, "TF");
}

} // namespace
