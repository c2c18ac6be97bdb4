// Complete notes with items of many kinds, written, signed with a throw-away
// key and checked against the official NF-e 4.00 schema.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "foundation/dates/date_time.h"
#include "foundation/fiscal/dfe_util.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/sample_notes.h"
#include "tests/support/xml_checks.h"
#include "writer_fixture.h"
#include "writer_item_fixture.h"

namespace {

// Fixed time zone and numeric code (see writer_fixture.h).
class NFeWriterSchema : public NFeWriterTest {};

void veiculo(TProd &prod)
{
    prod.xProd = "AUTOMOVEL 1.6 FLEX";
    prod.NCM = "87032310";
    testsupport::fillVehicle(prod.veicProd);
}

void medicamento(TProd &prod)
{
    prod.xProd = "DIPIRONA 500MG";
    prod.NCM = "30049099";
    TRastroCollectionItem &lote = prod.rastro.NovoItem();
    lote.nLote = "LOTE123";
    lote.qLote = 10;
    lote.dFab = encodeDate(2024, 1, 10);
    lote.dVal = encodeDate(2026, 1, 10);
    TmedCollectionItem &med = prod.med.NovoItem();
    med.cProdANVISA = "1234567890123";
    med.vPMC = Decimal::fromUnits(125000);
}

void combustivel(TProd &prod, bool comEncerrante)
{
    prod.xProd = "GASOLINA COMUM";
    prod.NCM = "27101259";
    prod.uCom = "L";
    prod.uTrib = "L";
    TComb &comb = prod.comb;
    comb.cProdANP = 320102001;
    comb.descANP = "GASOLINA C COMUM";
    comb.UFCons = "SP";
    comb.CIDE.qBCProd = 40;
    comb.CIDE.vAliqProd = Decimal::fromUnits(1000);
    comb.CIDE.vCIDE = 4;
    if (comEncerrante) {
        comb.encerrante.nBico = 3;
        comb.encerrante.nBomba = 1;
        comb.encerrante.nTanque = 2;
        comb.encerrante.vEncIni = 1000;
        comb.encerrante.vEncFin = 1040;
    }
    comb.pBio = 14;
    TorigCombCollectionItem &origem = comb.origComb.NovoItem();
    origem.indImport = ocNacional;
    origem.cUFOrig = 35;
    origem.pOrig = 100;
}

void importado(TDetCollectionItem &det, bool comImpostoDeImportacao)
{
    det.prod.xProd = "MAQUINA IMPORTADA";
    det.imposto.ICMS.orig = opr1;
    TDICollectionItem &di = det.prod.DI.NovoItem();
    di.nDI = "2401234567";
    di.dDI = encodeDate(2024, 5, 2);
    di.xLocDesemb = "PORTO DE SANTOS";
    di.UFDesemb = "SP";
    di.dDesemb = encodeDate(2024, 5, 3);
    di.tpViaTransp = vti1;
    di.vAFRMM = 25;
    di.tpIntermedio = fim1;
    di.cExportador = "EXP001";
    TAdiCollectionItem &adi = di.adi.NovoItem();
    adi.nAdicao = 1;
    adi.nSeqAdic = 1;
    adi.cFabricante = "FABRICANTE EXTERIOR";
    if (comImpostoDeImportacao) {
        det.prod.SetCFOP("3102");
        det.imposto.II.vBC = 10;
        det.imposto.II.vDespAdu = 1;
        det.imposto.II.vII = 2;
    }
}

// An NF-e of a company under the normal regime.
void preencheNFe(TNFe &nfe)
{
    testsupport::fillNoteWithoutItems(nfe, 55);

    // Goods: CST 00 with FCP, taxed IPI, PIS and COFINS by rate, a real GTIN.
    TDetCollectionItem &d1 = testsupport::addGoodsItem(nfe);
    d1.prod.cEAN = "7891000315507";
    d1.prod.cEANTrib = "7891000315507";
    d1.prod.CEST = "0100100";
    d1.imposto.vTotTrib = 3;
    d1.imposto.ICMS.pFCP = 2;
    d1.imposto.ICMS.vFCP = Decimal::fromUnits(2000);
    d1.imposto.IPI.CST = sip50;
    d1.imposto.IPI.cEnq = "999";
    d1.imposto.IPI.vBC = 10;
    d1.imposto.IPI.pIPI = 5;
    d1.imposto.IPI.vIPI = Decimal::fromUnits(5000);
    d1.imposto.PIS.vBC = 10;
    d1.imposto.PIS.pPIS = Decimal::fromUnits(16500);
    d1.imposto.PIS.vPIS = Decimal::fromUnits(1650);
    d1.imposto.COFINS.vBC = 10;
    d1.imposto.COFINS.pCOFINS = Decimal::fromUnits(76000);
    d1.imposto.COFINS.vCOFINS = Decimal::fromUnits(7600);
    d1.obsCont.xCampo = "PEDIDO";
    d1.obsCont.xTexto = "12345";

    // Vehicle: CST 10 with ST and FCP-ST, IPI not taxed.
    TDetCollectionItem &d2 = testsupport::addGoodsItem(nfe);
    veiculo(d2.prod);
    TICMS &i2 = d2.imposto.ICMS;
    i2.CST = sti10;
    i2.modBCST = mbs4;
    i2.pMVAST = 30;
    i2.vBCST = 13;
    i2.pICMSST = 18;
    i2.vICMSST = Decimal::fromUnits(5400);
    i2.vBCFCPST = 13;
    i2.pFCPST = 2;
    i2.vFCPST = Decimal::fromUnits(2600);
    d2.imposto.IPI.CST = sip52;

    // Medicine: ICMS retained earlier (CST 60), PIS and COFINS not taxed.
    TDetCollectionItem &d3 = testsupport::addGoodsItem(nfe);
    medicamento(d3.prod);
    d3.imposto.ICMS = TICMS{};
    d3.imposto.ICMS.CST = sti60;
    d3.imposto.ICMS.vBCSTRet = 10;
    d3.imposto.ICMS.pST = 18;
    d3.imposto.ICMS.vICMSSubstituto = 1;
    d3.imposto.ICMS.vICMSSTRet = Decimal::fromUnits(8000);
    d3.imposto.PIS.CST = stp07;
    d3.imposto.COFINS.CST = stc07;

    // Fuel: single-phase ICMS retained earlier (CST 61).
    TDetCollectionItem &d4 = testsupport::addGoodsItem(nfe);
    combustivel(d4.prod, false);
    d4.imposto.ICMS = TICMS{};
    d4.imposto.ICMS.CST = sti61;
    d4.imposto.ICMS.qBCMonoRet = 40;
    d4.imposto.ICMS.adRemICMSRet = Decimal::fromUnits(13700);
    d4.imposto.ICMS.vICMSMonoRet = Decimal::fromUnits(548000);
    d4.imposto.PIS.CST = stp04;
    d4.imposto.COFINS.CST = stc04;

    // Imported item: import declaration, import tax, CST 90 and PIS by quantity.
    TDetCollectionItem &d5 = testsupport::addGoodsItem(nfe);
    importado(d5, true);
    TICMS &i5 = d5.imposto.ICMS;
    i5.CST = sti90;
    i5.pRedBC = 10;
    d5.imposto.PIS.CST = stp99;
    d5.imposto.PIS.qBCProd = 1;
    d5.imposto.PIS.vAliqProd = Decimal::fromUnits(1000);
    d5.imposto.PIS.vPIS = Decimal::fromUnits(1000);
    d5.imposto.COFINS.CST = stc99;
    d5.imposto.COFINS.vBC = 10;
    d5.imposto.COFINS.pCOFINS = 3;
    d5.imposto.COFINS.vCOFINS = Decimal::fromUnits(3000);

    // Deferral (CST 51), with the interstate partition to a final consumer.
    TDetCollectionItem &d6 = testsupport::addGoodsItem(nfe);
    TICMS &i6 = d6.imposto.ICMS;
    i6.CST = sti51;
    i6.pRedBC = 0;
    i6.vICMSOp = Decimal::fromUnits(18000);
    i6.pDif = 100;
    i6.vICMSDif = Decimal::fromUnits(18000);
    i6.vICMS = 0;
    TICMSUFDest &partilha = d6.imposto.ICMSUFDest;
    partilha.vBCUFDest = 10;
    partilha.vBCFCPUFDest = 10;
    partilha.pFCPUFDest = 2;
    partilha.pICMSUFDest = 18;
    partilha.pICMSInter = 12;
    partilha.pICMSInterPart = 100;
    partilha.vFCPUFDest = Decimal::fromUnits(2000);
    partilha.vICMSUFDest = Decimal::fromUnits(6000);

    // Exempt item with relief (CST 40), reduced base with relief (CST 20) and ST with reduction (CST 70).
    TDetCollectionItem &d7 = testsupport::addGoodsItem(nfe);
    d7.imposto.ICMS = TICMS{};
    d7.imposto.ICMS.CST = sti40;
    d7.imposto.ICMS.vICMSDeson = Decimal::fromUnits(18000);
    d7.imposto.ICMS.motDesICMS = mdi9;
    TDetCollectionItem &d8 = testsupport::addGoodsItem(nfe);
    d8.imposto.ICMS.CST = sti20;
    d8.imposto.ICMS.pRedBC = 10;
    d8.imposto.ICMS.vICMSDeson = 1;
    d8.imposto.ICMS.motDesICMS = mdi9;
    TDetCollectionItem &d9 = testsupport::addGoodsItem(nfe);
    TICMS &i9 = d9.imposto.ICMS;
    i9.CST = sti70;
    i9.pRedBC = 10;
    i9.modBCST = mbs4;
    i9.vBCST = 12;
    i9.pICMSST = 18;
    i9.vICMSST = Decimal::fromUnits(3600);
    d9.pDevol = 100;
    d9.vIPIDevol = 0;
}

// An NFC-e of a company under the simplified regime.
void preencheNFCe(TNFe &nfe)
{
    testsupport::fillNoteWithoutItems(nfe, 65);
    nfe.emit.CRT = crt1;

    const auto simples = [](TDetCollectionItem &det, TpcnSitSimplesNacional csosn) -> TICMS & {
        det.imposto.ICMS = TICMS{};
        det.imposto.ICMS.CSOSN = csosn;
        det.imposto.PIS.CST = stp49;
        det.imposto.COFINS.CST = stc49;
        return det.imposto.ICMS;
    };

    simples(testsupport::addGoodsItem(nfe), ssn102);

    TICMS &retido = simples(testsupport::addGoodsItem(nfe), ssn500);
    retido.vBCSTRet = 10;
    retido.pST = 18;
    retido.vICMSSTRet = Decimal::fromUnits(8000);

    TDetCollectionItem &comb = testsupport::addGoodsItem(nfe);
    combustivel(comb.prod, true);
    simples(comb, ssn102);

    TDetCollectionItem &med = testsupport::addGoodsItem(nfe);
    medicamento(med.prod);
    simples(med, ssn102);

    TDetCollectionItem &carro = testsupport::addGoodsItem(nfe);
    veiculo(carro.prod);
    TICMS &credito = simples(carro, ssn101);
    credito.pCredSN = Decimal::fromUnits(12500);
    credito.vCredICMSSN = Decimal::fromUnits(1250);

    TDetCollectionItem &imp = testsupport::addGoodsItem(nfe);
    importado(imp, false);
    TICMS &outros = simples(imp, ssn900);
    outros.modBC = mbc3;
    outros.vBC = 10;
    outros.pICMS = 18;
    outros.vICMS = Decimal::fromUnits(18000);

    TICMS &semPis = simples(testsupport::addGoodsItem(nfe), ssn103);
    (void)semPis;
    nfe.det.ObterItem(nfe.det.count() - 1).imposto.PIS.CST = stp01;
    nfe.det.ObterItem(nfe.det.count() - 1).imposto.COFINS.CST = stc01;
}

void confereNoEsquema(void (*preenche)(TNFe &), int modelo)
{
    const std::filesystem::path esquemas = testsupport::officialSchemaDir();
    if (esquemas.empty())
        GTEST_SKIP() << "Esquemas oficiais (schemas/PL_009_V4) ausentes: validação não executada";

    TNFe nfe;
    preenche(nfe);
    const NotaEscrita nota = escreveNota(nfe);
    EXPECT_TRUE(nota.semAlertas) << nota.alertas.front();
    EXPECT_EQ(nota.arvore->findAll("det").size(), static_cast<std::size_t>(nfe.det.count()));
    EXPECT_EQ(nfe.ide.mod, modelo);

    const std::string modeloAssinatura = ModeloAssinaturaXML(nfe.infNFe.Id, true, "", dgstSHA1);
    const std::string assinada =
        testsupport::signWithThrowAwayKey(nota.xml, modeloAssinatura, "</NFe>", "infNFe");
    const std::string problemas = testsupport::schemaProblems(assinada, esquemas / "nfe_v4.00.xsd");
    EXPECT_EQ(problemas, "") << assinada;
}

TEST_F(NFeWriterSchema, CompleteNFeWithManyKindsOfItemsIsValid)
{
    confereNoEsquema(preencheNFe, 55);
}

TEST_F(NFeWriterSchema, CompleteNFCeWithManyKindsOfItemsIsValid)
{
    confereNoEsquema(preencheNFCe, 65);
}

} // namespace
