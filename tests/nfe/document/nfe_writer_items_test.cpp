// The item and product sections of the NF-e writer: det, prod and its lists,
// vehicle, medicines, weapons and fuel.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/checks/validador.h"
#include "foundation/dates/date_time.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/sample_notes.h"
#include "writer_fixture.h"
#include "writer_item_fixture.h"

namespace {

// Fixed time zone and numeric code (see writer_fixture.h).
class NFeWriterItems : public NFeWriterTest {};

TEST_F(NFeWriterItems, ItemsCarryTheirNumberAndWriteProductThenTaxes)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    testsupport::addGoodsItem(nfe);
    testsupport::addGoodsItem(nfe).infAdProd = "SEGUNDO ITEM";
    const NotaEscrita nota = escreveNota(nfe);
    EXPECT_TRUE(nota.semAlertas) << nota.alertas.front();
    ASSERT_EQ(nota.arvore->findAll("det").size(), 2u);
    EXPECT_EQ(nota.det(0).attributes, R"(nItem="1")");
    EXPECT_EQ(nota.det(1).attributes, R"(nItem="2")");
    EXPECT_EQ(nota.det(1).childNames(), "prod imposto infAdProd");
    EXPECT_EQ(nota.det(0).find("prod")->childNames(),
              "cProd cEAN xProd NCM CFOP uCom qCom vUnCom vProd cEANTrib uTrib qTrib vUnTrib indTot");
    EXPECT_EQ(nota.det(0).find("imposto")->childNames(), "ICMS PIS COFINS");
    // The items come between the header groups and the totals.
    const XmlNode *infNFe = nota.arvore->find("infNFe");
    ASSERT_NE(infNFe, nullptr);
    const std::string secoes = infNFe->childNames();
    EXPECT_NE(secoes.find("dest det det total"), std::string::npos) << secoes;
}

TEST_F(NFeWriterItems, BlankGtinBecomesSemGtinFrom400Only)
{
    for (const double versao : {4.0, 3.1}) {
        SCOPED_TRACE(versao);
        TNFe nfe;
        testsupport::fillNoteWithoutItems(nfe, 55, versao);
        TProd &prod = testsupport::addGoodsItem(nfe).prod;
        // From 4.00 blanks count as empty; before, only an empty code skips the GTIN check.
        prod.cEAN = versao >= 4 ? "   " : "";
        prod.cEANTrib = "";
        const NotaEscrita nota = escreveNota(nfe);
        const XmlNode *xmlProd = nota.det().find("prod");
        if (versao >= 4) {
            EXPECT_EQ(xmlProd->childText("cEAN"), "SEM GTIN");
            EXPECT_EQ(xmlProd->childText("cEANTrib"), "SEM GTIN");
            EXPECT_EQ(prod.cEAN, "SEM GTIN");
            EXPECT_EQ(prod.cEANTrib, "SEM GTIN");
        } else {
            EXPECT_TRUE(xmlProd->hasChild("cEAN"));
            EXPECT_EQ(xmlProd->childText("cEAN"), "");
            EXPECT_EQ(prod.cEAN, "");
            EXPECT_EQ(prod.cEANTrib, "");
        }
        EXPECT_TRUE(nota.alertasCom("cEAN").empty());
    }
}

TEST_F(NFeWriterItems, InvalidGtinGivesTheValidatorsMessage)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    TProd &prod = testsupport::addGoodsItem(nfe).prod;
    prod.cEAN = "7891234567891";
    prod.cEANTrib = "7891000315507";
    const std::string problema = VerificaGTIN(prod.cEAN);
    ASSERT_FALSE(problema.empty());
    ASSERT_TRUE(VerificaGTIN(prod.cEANTrib).empty());
    const NotaEscrita nota = escreveNota(nfe);
    ASSERT_EQ(nota.alertas.size(), 1u);
    EXPECT_NE(nota.alertas.front().find("ID:I03/cEAN(Código de Barra do Item) - " + problema),
              std::string::npos)
        << nota.alertas.front();
    EXPECT_EQ(nota.det().find("prod")->childText("cEAN"), "7891234567891");
}

TEST_F(NFeWriterItems, FirstNfceItemInHomologationGetsTheFixedDescription)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe, 65);
    nfe.ide.tpAmb = taHomologacao;
    testsupport::addGoodsItem(nfe);
    testsupport::addGoodsItem(nfe);
    const NotaEscrita nota = escreveNota(nfe);
    EXPECT_EQ(nota.det(0).find("prod")->childText("xProd"),
              "NOTA FISCAL EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL");
    EXPECT_EQ(nota.det(1).find("prod")->childText("xProd"), "PRODUTO DE TESTE 2");

    TNFe nfe55;
    testsupport::fillNoteWithoutItems(nfe55, 55);
    nfe55.ide.tpAmb = taHomologacao;
    testsupport::addGoodsItem(nfe55);
    EXPECT_EQ(escreveNota(nfe55).det(0).find("prod")->childText("xProd"), "PRODUTO DE TESTE 1");
}

TEST_F(NFeWriterItems, NcmHasTwoOrEightDigits)
{
    for (const auto &[ncm, alertas] : {std::pair{"00", 0u}, {"84719012", 0u}, {"1234567", 1u}, {"123", 1u}}) {
        SCOPED_TRACE(ncm);
        TNFe nfe;
        testsupport::fillNoteWithoutItems(nfe);
        testsupport::addGoodsItem(nfe).prod.NCM = ncm;
        const NotaEscrita nota = escreveNota(nfe);
        EXPECT_EQ(nota.alertasCom("ID:I05/NCM(Código NCM) - Conteúdo inválido").size(), alertas);
        EXPECT_EQ(nota.det().find("prod")->childText("NCM"), ncm);
    }
}

TEST_F(NFeWriterItems, CestAndItsCompanionsByLayout)
{
    struct Caso {
        double versao;
        std::string cest;
        std::string esperado; // the product elements between NCM and CFOP
    };
    for (const Caso &caso : {Caso{4.0, "", "cBenef"}, Caso{4.0, "28.038.00", "CEST indEscala CNPJFab cBenef"},
                             Caso{3.1, "28.038.00", "CEST"}, Caso{3.1, "", ""}}) {
        SCOPED_TRACE(caso.versao);
        SCOPED_TRACE(caso.cest);
        TNFe nfe;
        testsupport::fillNoteWithoutItems(nfe, 55, caso.versao);
        TProd &prod = testsupport::addGoodsItem(nfe).prod;
        prod.CEST = caso.cest;
        prod.indEscala = epRelevante;
        prod.CNPJFab = "11444777000161";
        prod.cBenef = "SP123456";
        const NotaEscrita nota = escreveNota(nfe);
        const std::string nomes = nota.det().find("prod")->childNames();
        const std::size_t inicio = nomes.find("NCM") + 4;
        const std::string entre = nomes.substr(inicio, nomes.find("CFOP") - inicio);
        EXPECT_EQ(entre, caso.esperado.empty() ? "" : caso.esperado + " ");
        if (!caso.cest.empty()) {
            EXPECT_EQ(nota.det().find("prod")->childText("CEST"), "2803800");
        }
    }
}

TEST_F(NFeWriterItems, UnitValuesHaveTenDecimalsFrom200)
{
    for (const auto &[versao, esperado] :
         {std::pair{4.0, "1.2345678900"}, {2.0, "1.2345678900"}, {1.1, "1.2346"}}) {
        SCOPED_TRACE(versao);
        TNFe nfe;
        testsupport::fillNoteWithoutItems(nfe, 55, versao);
        TProd &prod = testsupport::addGoodsItem(nfe).prod;
        prod.vUnCom = 1.23456789;
        prod.vUnTrib = 1.23456789;
        const NotaEscrita nota = escreveNota(nfe);
        EXPECT_EQ(nota.det().find("prod")->childText("vUnCom"), esperado);
        EXPECT_EQ(nota.det().find("prod")->childText("vUnTrib"), esperado);
        EXPECT_EQ(nota.det().find("prod")->childText("qCom"), "1.0000");
    }
}

TDICollectionItem &adicionaDeclaracao(TProd &prod)
{
    TDICollectionItem &di = prod.DI.NovoItem();
    di.nDI = "2401234567";
    di.dDI = encodeDate(2024, 5, 2);
    di.xLocDesemb = "SANTOS";
    di.UFDesemb = "SP";
    di.dDesemb = encodeDate(2024, 5, 3);
    di.tpViaTransp = vti1;
    di.tpIntermedio = fim1;
    di.cExportador = "EXP01";
    TAdiCollectionItem &adi = di.adi.NovoItem();
    adi.nAdicao = 1;
    adi.nSeqAdic = 1;
    adi.cFabricante = "FABRICANTE";
    return di;
}

TEST_F(NFeWriterItems, ImportDeclarationWritesFreightTaxForSeaTransportOnly)
{
    for (const auto &[via, esperado] : {std::pair{vti1, "0.00"}, {vti4, ""}}) {
        TNFe nfe;
        testsupport::fillNoteWithoutItems(nfe);
        TDetCollectionItem &det = testsupport::addGoodsItem(nfe);
        det.prod.SetCFOP("3102");
        adicionaDeclaracao(det.prod).tpViaTransp = via;
        const NotaEscrita nota = escreveNota(nfe);
        EXPECT_TRUE(nota.semAlertas) << nota.alertas.front();
        const XmlNode *di = nota.det().find("DI");
        ASSERT_NE(di, nullptr);
        EXPECT_EQ(di->hasChild("vAFRMM"), via == vti1);
        EXPECT_EQ(di->childText("vAFRMM"), esperado);
        EXPECT_EQ(estrutura(*di), "DI(nDI dDI xLocDesemb UFDesemb dDesemb tpViaTransp " +
                                      std::string(via == vti1 ? "vAFRMM " : "") +
                                      "tpIntermedio cExportador adi(nAdicao nSeqAdic cFabricante))");
        EXPECT_EQ(di->childText("dDI"), "2024-05-02");
    }
}

TEST_F(NFeWriterItems, ListsBeyondTheirLimitAreWrittenWholeWithOneAlert)
{
    struct Caso {
        std::string nome;
        double versao;
        std::string elemento;
        int quantidade;
        std::function<void(TDetCollectionItem &, int)> preenche;
    };
    const std::vector<Caso> casos = {
        {"NVE", 4.0, "NVE", 9,
         [](TDetCollectionItem &d, int n) {
             for (int i = 0; i < n; ++i)
                 d.prod.NVE.NovoItem().NVE = "AA0001";
         }},
        {"DI", 4.0, "DI", 101,
         [](TDetCollectionItem &d, int n) {
             for (int i = 0; i < n; ++i)
                 adicionaDeclaracao(d.prod);
         }},
        {"adi", 4.0, "adi", 1000,
         [](TDetCollectionItem &d, int n) {
             TDICollectionItem &di = adicionaDeclaracao(d.prod);
             for (int i = 1; i < n; ++i)
                 di.adi.NovoItem() = di.adi.ObterItem(0);
         }},
        {"detExport", 4.0, "detExport", 501,
         [](TDetCollectionItem &d, int n) {
             for (int i = 0; i < n; ++i)
                 d.prod.detExport.NovoItem().qExport = 1;
         }},
        {"rastro", 4.0, "rastro", 501,
         [](TDetCollectionItem &d, int n) {
             for (int i = 0; i < n; ++i) {
                 TRastroCollectionItem &r = d.prod.rastro.NovoItem();
                 r.nLote = "L1";
                 r.qLote = 1;
                 r.dFab = encodeDate(2024, 1, 1);
                 r.dVal = encodeDate(2026, 1, 1);
             }
         }},
        {"med 4.00", 4.0, "med", 2,
         [](TDetCollectionItem &d, int n) {
             for (int i = 0; i < n; ++i)
                 d.prod.med.NovoItem().cProdANVISA = "1234567890123";
         }},
        {"med 3.10", 3.1, "med", 501,
         [](TDetCollectionItem &d, int n) {
             for (int i = 0; i < n; ++i) {
                 TmedCollectionItem &m = d.prod.med.NovoItem();
                 m.nLote = "L1";
                 m.qLote = 1;
                 m.dFab = encodeDate(2024, 1, 1);
                 m.dVal = encodeDate(2026, 1, 1);
             }
         }},
        {"arma", 4.0, "arma", 501,
         [](TDetCollectionItem &d, int n) {
             for (int i = 0; i < n; ++i) {
                 TarmaCollectionItem &a = d.prod.arma.NovoItem();
                 a.nSerie = "S1";
                 a.nCano = "C1";
                 a.descr = "ARMA";
             }
         }},
        {"origComb", 4.0, "origComb", 31,
         [](TDetCollectionItem &d, int n) {
             d.prod.comb.cProdANP = 320102001;
             d.prod.comb.descANP = "GASOLINA COMUM";
             d.prod.comb.UFCons = "SP";
             for (int i = 0; i < n; ++i) {
                 TorigCombCollectionItem &o = d.prod.comb.origComb.NovoItem();
                 o.cUFOrig = 35;
                 o.pOrig = 1;
             }
         }},
    };
    const std::vector<std::pair<std::string, int>> limites = {
        {"NVE", 8},      {"DI", 100},       {"adi", 999},  {"detExport", 500}, {"rastro", 500},
        {"med 4.00", 1}, {"med 3.10", 500}, {"arma", 500}, {"origComb", 30}};
    for (std::size_t i = 0; i < casos.size(); ++i) {
        const Caso &caso = casos[i];
        SCOPED_TRACE(caso.nome);
        TNFe nfe;
        testsupport::fillNoteWithoutItems(nfe, 55, caso.versao);
        caso.preenche(testsupport::addGoodsItem(nfe), caso.quantidade);
        const NotaEscrita nota = escreveNota(nfe);
        EXPECT_EQ(nota.det().findAll(caso.elemento).size(), static_cast<std::size_t>(caso.quantidade));
        const std::string mensagem = "Número de ocorrências maior que o máximo permitido - Máximo " +
                                     std::to_string(limites[i].second) + ".";
        EXPECT_EQ(nota.alertasCom(mensagem).size(), 1u);
        EXPECT_EQ(nota.alertas.size(), 1u) << nota.alertas.front();
    }
}

TEST_F(NFeWriterItems, MoreThan990ItemsAreWrittenWithOneAlert)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    for (int i = 0; i < 991; ++i)
        testsupport::addGoodsItem(nfe);
    const NotaEscrita nota = escreveNota(nfe);
    EXPECT_EQ(nota.arvore->findAll("det").size(), 991u);
    ASSERT_EQ(nota.alertas.size(), 1u);
    EXPECT_NE(
        nota.alertas.front().find(
            "ID:H02/nItem(Numero do item) - Número de ocorrências maior que o máximo permitido - Máximo 990"),
        std::string::npos)
        << nota.alertas.front();
}

TEST_F(NFeWriterItems, VehicleGroupByLayout)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    testsupport::fillVehicle(testsupport::addGoodsItem(nfe).prod.veicProd);
    const NotaEscrita nota = escreveNota(nfe);
    EXPECT_TRUE(nota.semAlertas) << nota.alertas.front();
    EXPECT_EQ(
        estruturaDe(nota.det(), "veicProd"),
        "veicProd(tpOp chassi cCor xCor pot cilin pesoL pesoB nSerie tpComb nMotor CMT dist anoMod anoFab "
        "tpPint tpVeic espVeic VIN condVeic cMod cCorDENATRAN lota tpRest)");
    EXPECT_EQ(nota.det().find("veicProd")->childText("tpRest"), "0");

    TNFe antiga;
    testsupport::fillNoteWithoutItems(antiga, 55, 1.1);
    testsupport::fillVehicle(testsupport::addGoodsItem(antiga).prod.veicProd);
    EXPECT_EQ(
        estruturaDe(escreveNota(antiga).det(), "veicProd"),
        "veicProd(tpOp chassi cCor xCor pot CM3 pesoL pesoB nSerie tpComb nMotor CMKG dist anoMod anoFab "
        "tpPint tpVeic espVeic VIN condVeic cMod)");

    TNFe semChassi;
    testsupport::fillNoteWithoutItems(semChassi);
    testsupport::addGoodsItem(semChassi).prod.veicProd.chassi = "  ";
    EXPECT_EQ(estruturaDe(escreveNota(semChassi).det(), "veicProd"), "-");
}

TEST_F(NFeWriterItems, MedicineByLayoutAndItsAnvisaCode)
{
    struct Caso {
        double versao;
        std::string codigo;
        std::string esperado;
        std::size_t alertas;
    };
    for (const Caso &caso : {Caso{4.0, "1234567890123", "med(cProdANVISA vPMC)", 0},
                             Caso{4.0, "ISENTO", "med(cProdANVISA xMotivoIsencao vPMC)", 0},
                             Caso{4.0, "123456", "med(cProdANVISA vPMC)", 1},
                             Caso{3.1, "123456", "med(nLote qLote dFab dVal vPMC)", 0}}) {
        SCOPED_TRACE(caso.codigo);
        TNFe nfe;
        testsupport::fillNoteWithoutItems(nfe, 55, caso.versao);
        TmedCollectionItem &med = testsupport::addGoodsItem(nfe).prod.med.NovoItem();
        med.cProdANVISA = caso.codigo;
        if (caso.codigo == "ISENTO")
            med.xMotivoIsencao = "MEDICAMENTO ISENTO DE REGISTRO";
        med.nLote = "L1";
        med.qLote = 10;
        med.dFab = encodeDate(2024, 1, 1);
        med.dVal = encodeDate(2026, 1, 1);
        med.vPMC = Decimal::fromUnits(123456);
        const NotaEscrita nota = escreveNota(nfe);
        EXPECT_EQ(estruturaDe(nota.det(), "med"), caso.esperado);
        EXPECT_EQ(nota.det().find("med")->childText("vPMC"), "12.35");
        EXPECT_EQ(
            nota.alertasCom("ID:K01a/cProdANVISA(Código de Produto da ANVISA) - Valor inválido.").size(),
            caso.alertas);
        EXPECT_EQ(nota.alertas.size(), caso.alertas);
    }
}

TEST_F(NFeWriterItems, FuelGroup)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    TComb &comb = testsupport::addGoodsItem(nfe).prod.comb;
    comb.cProdANP = 210203001;
    comb.descANP = "GLP";
    comb.pGLP = 100;
    comb.pGNn = Decimal::fromUnits(455000);
    comb.vPart = 10;
    comb.CODIF = "123";
    comb.qTemp = 1;
    comb.UFCons = "SP";
    comb.CIDE.vCIDE = 1;
    comb.encerrante.nBico = 1;
    comb.encerrante.nTanque = 2;
    comb.encerrante.vEncIni = 100;
    comb.encerrante.vEncFin = 110;
    comb.pBio = 12;
    comb.origComb.NovoItem().cUFOrig = 35;
    comb.origComb.ObterItem(0).pOrig = 100;
    const NotaEscrita nota = escreveNota(nfe);
    EXPECT_TRUE(nota.semAlertas) << nota.alertas.front();
    EXPECT_EQ(estruturaDe(nota.det(), "comb"),
              "comb(cProdANP descANP pGLP pGNn pGNi vPart CODIF qTemp UFCons CIDE(qBCProd vAliqProd vCIDE) "
              "encerrante(nBico nTanque vEncIni vEncFin) pBio origComb(indImport cUFOrig pOrig))");
    const XmlNode *xmlComb = nota.det().find("comb");
    EXPECT_EQ(xmlComb->childText("pGLP"), "100.00");
    EXPECT_EQ(xmlComb->childText("pGNn"), "45.5000");
    EXPECT_EQ(xmlComb->childText("pBio"), "12.0000");
    EXPECT_EQ(xmlComb->find("origComb")->childText("pOrig"), "100.0000");
    EXPECT_EQ(xmlComb->childText("pGNi"), "0.0000");

    // A full 100 % share is optional with two decimals; any other is required with four.
    comb.pGLP = 45;
    comb.pGNn = 0;
    comb.pGNi = 100;
    const NotaEscrita outra = escreveNota(nfe);
    EXPECT_EQ(outra.det().find("comb")->childText("pGLP"), "45.0000");
    EXPECT_EQ(outra.det().find("comb")->childText("pGNn"), "0.0000");
    EXPECT_EQ(outra.det().find("comb")->childText("pGNi"), "100.00");
}

TEST_F(NFeWriterItems, FuelTaxesOfTheOldLayout)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe, 55, 1.1);
    TComb &comb = testsupport::addGoodsItem(nfe).prod.comb;
    comb.cProdANP = 320102001;
    comb.pMixGN = 10;
    comb.UFCons = "SP";
    comb.ICMSComb.vICMS = 5;
    comb.ICMSCons.UFCons = "RJ";
    const NotaEscrita nota = escreveNota(nfe);
    EXPECT_EQ(estruturaDe(nota.det(), "comb"),
              "comb(cProdANP pMixGN ICMSComb(vBCICMS vICMS vBCICMSST vICMSST) "
              "ICMSCons(vBCICMSSTCons vICMSSTCons UFCons))");

    // Without those amounts the old layout takes the current form.
    comb.ICMSComb.vICMS = 0;
    EXPECT_EQ(estruturaDe(escreveNota(nfe).det(), "comb"), "comb(cProdANP pMixGN UFCons)");
}

TEST_F(NFeWriterItems, InvalidConsumptionStateNamesTheTagUFcons)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    TComb &comb = testsupport::addGoodsItem(nfe).prod.comb;
    comb.cProdANP = 320102001;
    comb.descANP = "GASOLINA COMUM";
    comb.UFCons = "XX";
    const NotaEscrita nota = escreveNota(nfe);
    ASSERT_EQ(nota.alertas.size(), 1u);
    EXPECT_NE(nota.alertas.front().find("ID:L120/UFcons(Sigla da UF de consumo) - Conteúdo inválido"),
              std::string::npos)
        << nota.alertas.front();
}

TEST_F(NFeWriterItems, ExportGroupAndItsChecks)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe);
    TDetCollectionItem &det = testsupport::addGoodsItem(nfe);
    det.prod.SetCFOP("7101");
    TdetExportCollectionItem &exportacao = det.prod.detExport.NovoItem();
    // A key whose check digit is wrong.
    const std::string semDigito = "3524051122233300018155001000004321112345678";
    int digito = 0;
    ASSERT_TRUE(DigitoChaveAcesso(digito, semDigito));
    exportacao.chNFe = semDigito + std::to_string((digito + 1) % 10);
    exportacao.qExport = 1;
    det.prod.detExport.NovoItem().nDraw = "";
    const NotaEscrita nota = escreveNota(nfe);
    const std::vector<const XmlNode *> grupos = nota.det().findAll("detExport");
    ASSERT_EQ(grupos.size(), 2u);
    EXPECT_EQ(estrutura(*grupos[0]), "detExport(exportInd(nRE chNFe qExport))");
    EXPECT_EQ(estrutura(*grupos[1]), "detExport");
    EXPECT_EQ(nota.alertasCom("ID:I54/chNFe").size(), 1u);
}

} // namespace
