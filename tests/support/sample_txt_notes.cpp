#include "sample_notes.h"

#include <string>

#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_model.h"

namespace {

constexpr const char *kChaveCTe = "35240512345678000195570010000000011000000014";

Decimal dec(std::int64_t tenThousandths)
{
    return Decimal::fromUnits(tenThousandths);
}

void fillIde(TNFe &nfe, double versao)
{
    nfe.infNFe.versao = versao;
    TIde &ide = nfe.ide;
    ide.cUF = 35;
    ide.cNF = 12345678;
    ide.natOp = "VENDA DE MERCADORIA";
    if (versao < 4)
        ide.indPag = CodigoParaIndFormaPagamento("1");
    ide.mod = 55;
    ide.serie = 1;
    ide.nNF = 1234;
    ide.dEmi = encodeDateTime({2024, 5, 17, 10, 30, 0, 0});
    ide.dSaiEnt = encodeDateTime({2024, 5, 17, 11, 45, 30, 0});
    ide.tpNF = CodigoParaTipoDocFiscal("1");
    ide.idDest = CodigoParaLocalDestino("2");
    ide.cMunFG = 3550308;
    ide.tpImp = CodigoParaTipoImpressao("1");
    ide.tpEmis = CodigoParaTipoEmissao("6");
    ide.tpAmb = taHomologacao;
    ide.finNFe = CodigoParaFinalidadeEmissao("1");
    ide.indFinal = CodigoParaIndConsumidorFinal("1");
    ide.indPres = CodigoParaIndPresenca("1");
    ide.procEmi = CodigoParaProcEmissao("0");
    ide.verProc = "SISTEMA 1.0";
    ide.dhCont = encodeDateTime({2024, 5, 17, 9, 0, 0, 0});
    ide.xJust = "FALHA NA COMUNICACAO COM A SEFAZ";
}

void fillEmit(TNFe &nfe, TpcnRegimeTributario crt)
{
    TEmit &emit = nfe.emit;
    emit.CNPJCPF = "12345678000195";
    emit.xNome = "EMPRESA DE TESTE LTDA";
    emit.xFant = "LOJA TESTE";
    emit.IE = "123456789012";
    emit.IEST = "987654321";
    emit.IM = "1234567";
    emit.CNAE = "4711302";
    emit.CRT = crt;
    TenderEmit &ender = emit.enderEmit;
    ender.xLgr = "RUA DAS FLORES";
    ender.nro = "100";
    ender.xCpl = "SALA 2";
    ender.xBairro = "CENTRO";
    ender.cMun = 3550308;
    ender.xMun = "SAO PAULO";
    ender.UF = "SP";
    ender.CEP = 1001000;
    ender.fone = "1133334444";
}

void fillAddress(TEnderecoNFe &ender)
{
    ender.xLgr = "AVENIDA BRASIL";
    ender.nro = "2000";
    ender.xCpl = "BLOCO B";
    ender.xBairro = "JARDIM";
    ender.cMun = 3304557;
    ender.xMun = "RIO DE JANEIRO";
    ender.UF = "RJ";
    ender.CEP = 20040002;
    ender.fone = "2122223333";
}

void fillPlace(TLocalNFe &local, const std::string &document, double versao)
{
    local.CNPJCPF = document;
    local.xLgr = "ESTRADA VELHA";
    local.nro = "KM 5";
    local.xCpl = "GALPAO 3";
    local.xBairro = "DISTRITO";
    local.cMun = 3509502;
    local.xMun = "CAMPINAS";
    local.UF = "SP";
    if (versao >= 4) {
        local.xNome = "DEPOSITO CENTRAL";
        local.CEP = 13000000;
        local.cPais = 1058;
        local.xPais = "BRASIL";
        local.fone = "1933334444";
        local.email = "deposito@example.com";
        local.IE = "ISENTO";
    }
}

void fillReferences(TNFe &nfe)
{
    TNFrefCollection &refs = nfe.ide.NFref;
    refs.NovoItem().refNFe = testsupport::kSampleKey;

    TRefNF &nf = refs.NovoItem().refNF;
    nf.cUF = 35;
    nf.AAMM = "2404";
    nf.CNPJ = "11222333000181";
    nf.mod = 1;
    nf.serie = 2;
    nf.nNF = 321;

    for (const char *document : {"11222333000181", "12345678909"}) {
        TRefNFP &nfp = refs.NovoItem().refNFP;
        nfp.cUF = 41;
        nfp.AAMM = "2403";
        nfp.CNPJCPF = document;
        nfp.IE = "ISENTO";
        nfp.mod = "04";
        nfp.serie = 3;
        nfp.nNF = 654;
    }

    refs.NovoItem().refCTe = kChaveCTe;

    TRefECF &ecf = refs.NovoItem().refECF;
    ecf.mod = CodigoParaModeloECF("2D");
    ecf.nECF = "012";
    ecf.nCOO = "000345";
}

void fillProduct(TDetCollectionItem &item, int number, double versao)
{
    TProd &prod = item.prod;
    const std::string n = std::to_string(number);
    prod.nItem = number;
    prod.cProd = "P" + n;
    prod.cEAN = "SEM GTIN";
    prod.xProd = "PRODUTO " + n;
    prod.NCM = "22030000";
    prod.EXTIPI = "01";
    prod.SetCFOP("6102");
    prod.uCom = "UN";
    prod.qCom = dec(25000);
    prod.vUnCom = 10.1234567891;
    prod.vProd = dec(253100);
    prod.cEANTrib = "SEM GTIN";
    prod.uTrib = "CX";
    prod.qTrib = dec(10000);
    prod.vUnTrib = 25.31;
    prod.vFrete = dec(10000);
    prod.vSeg = dec(5000);
    prod.vDesc = dec(2500);
    prod.vOutro = dec(1500);
    prod.indTot = CodigoParaIndSomaTotal("1");
    prod.xPed = "PEDIDO" + n;
    prod.nItemPed = n;
    prod.nFCI = "B01F70AF-10BF-4B1F-848C-65FF57F616FE";
    prod.CEST = "0300100";
    if (versao >= 4) {
        prod.indEscala = CodigoParaEscalaProducao("S");
        prod.CNPJFab = "11222333000181";
        prod.cBenef = "SP123456";
    }
    item.infAdProd = "INFORMACAO DO ITEM " + n;
}

void fillImportsAndExports(TProd &prod, double versao)
{
    prod.NVE.NovoItem().NVE = "AA0001";
    prod.NVE.NovoItem().NVE = "AB0002";

    TDICollectionItem &di = prod.DI.NovoItem();
    di.nDI = "2401234567";
    di.dDI = encodeDate(2024, 4, 2);
    di.xLocDesemb = "PORTO DE SANTOS";
    di.UFDesemb = "SP";
    di.dDesemb = encodeDate(2024, 4, 5);
    di.tpViaTransp = CodigoParaViaTransporteInternacional("1");
    di.vAFRMM = dec(123400);
    di.tpIntermedio = CodigoParaFormaImportacao("2");
    di.CNPJ = "11222333000181";
    di.UFTerceiro = "RJ";
    di.cExportador = "EXPORTADOR X";
    for (int a = 1; a <= 2; ++a) {
        TAdiCollectionItem &adi = di.adi.NovoItem();
        adi.nAdicao = a;
        adi.nSeqAdic = 10 + a;
        adi.cFabricante = "FABRICANTE " + std::to_string(a);
        adi.vDescDI = dec(5000 * a);
        adi.nDraw = "2024000000" + std::to_string(a);
    }

    prod.detExport.NovoItem().nDraw = "20240000001";
    TdetExportCollectionItem &indireta = prod.detExport.NovoItem();
    indireta.nDraw = "20240000002";
    indireta.nRE = "240000000001";
    indireta.chNFe = testsupport::kSampleKey;
    indireta.qExport = dec(15000);

    if (versao >= 4) {
        for (int r = 1; r <= 2; ++r) {
            TRastroCollectionItem &rastro = prod.rastro.NovoItem();
            rastro.nLote = "LOTE" + std::to_string(r);
            rastro.qLote = dec(12500);
            rastro.dFab = encodeDate(2024, 1, r);
            rastro.dVal = encodeDate(2026, 1, r);
            rastro.cAgreg = "AGREG" + std::to_string(r);
        }
    }
}

void fillSpecificGroups(TProd &prod, double versao)
{
    testsupport::fillVehicle(prod.veicProd);

    TmedCollectionItem &med = prod.med.NovoItem();
    if (versao >= 4) {
        med.cProdANVISA = "1234567890123";
        med.xMotivoIsencao = "MOTIVO DA ISENCAO";
    } else {
        med.nLote = "LOTEMED";
        med.qLote = dec(20000);
        med.dFab = encodeDate(2024, 2, 1);
        med.dVal = encodeDate(2025, 2, 1);
    }
    med.vPMC = dec(99900);

    for (const char *serie : {"A12", "000123"}) {
        TarmaCollectionItem &arma = prod.arma.NovoItem();
        arma.tpArma = CodigoParaClasseArma("1");
        arma.nSerie = serie;
        arma.nCano = std::string("C") + serie;
        arma.descr = "ARMA DE TESTE";
    }

    TComb &comb = prod.comb;
    comb.cProdANP = 210203001;
    if (versao >= 4) {
        comb.descANP = "GLP";
        comb.pGLP = dec(500000);
        comb.pGNn = dec(250000);
        comb.pGNi = dec(250000);
        comb.vPart = dec(45000);
    } else {
        comb.pMixGN = dec(123456);
    }
    comb.CODIF = "123456789";
    comb.qTemp = dec(1000000);
    comb.UFCons = "SP";
    comb.CIDE.qBCProd = dec(10000);
    comb.CIDE.vAliqProd = dec(1000);
    comb.CIDE.vCIDE = dec(1000);
    if (versao >= 4) {
        comb.encerrante.nBico = 1;
        comb.encerrante.nBomba = 2;
        comb.encerrante.nTanque = 3;
        comb.encerrante.vEncIni = dec(1000000);
        comb.encerrante.vEncFin = dec(2000000);
    }
    prod.nRECOPI = "20240101123456789012";
}

// Every ICMS field filled; the writer takes those of the item's situation.
void fillICMS(TICMS &icms, TpcnSitTributariaICMS cst, TpcnSitSimplesNacional csosn, double versao)
{
    icms.orig = CodigoParaOrigemProduto("1");
    icms.CST = cst;
    icms.CSOSN = csosn;
    icms.modBC = CodigoParaModalidadeBCICMS("3");
    icms.pRedBC = dec(100000);
    icms.vBC = dec(1000000);
    icms.pICMS = dec(180000);
    icms.vICMS = dec(180000);
    icms.modBCST = CodigoParaModalidadeBCICMSST("4");
    icms.pMVAST = dec(400000);
    icms.pRedBCST = dec(50000);
    icms.vBCST = dec(1400000);
    icms.pICMSST = dec(180000);
    icms.vICMSST = dec(72000);
    icms.UFST = "RJ";
    icms.pBCOp = dec(500000);
    icms.vBCSTRet = dec(300000);
    icms.vICMSSTRet = dec(54000);
    icms.motDesICMS = CodigoParaMotivoDesoneracao("9");
    icms.pCredSN = dec(25000);
    icms.vCredICMSSN = dec(2500);
    icms.vBCSTDest = dec(200000);
    icms.vICMSSTDest = dec(24000);
    icms.vICMSDeson = dec(12000);
    icms.vICMSOp = dec(180000);
    icms.pDif = dec(330000);
    icms.vICMSDif = dec(59400);
    icms.vBCFCP = dec(1000000);
    icms.pFCP = dec(20000);
    icms.vFCP = dec(20000);
    icms.vBCFCPST = dec(1400000);
    icms.pFCPST = dec(20000);
    icms.vFCPST = dec(28000);
    icms.vBCFCPSTRet = dec(300000);
    icms.pFCPSTRet = dec(20000);
    icms.vFCPSTRet = dec(6000);
    icms.pST = dec(180000);
    icms.vICMSSubstituto = dec(30000);
    icms.pRedBCEfet = dec(10000);
    icms.vBCEfet = dec(990000);
    icms.pICMSEfet = dec(170000);
    icms.vICMSEfet = dec(168300);
    // Fields the layout's records do not carry: the FCP of the shared
    // operation, and before 4.00 every FCP and effective-value field.
    if (cst == sti10Part || cst == sti90Part)
        icms.vBCFCPST = icms.pFCPST = icms.vFCPST = Decimal();
    if (versao < 4) {
        for (Decimal *campo :
             {&icms.vBCFCP, &icms.pFCP, &icms.vFCP, &icms.vBCFCPST, &icms.pFCPST, &icms.vFCPST,
              &icms.vBCFCPSTRet, &icms.pFCPSTRet, &icms.vFCPSTRet, &icms.pST, &icms.vICMSSubstituto,
              &icms.pRedBCEfet, &icms.vBCEfet, &icms.pICMSEfet, &icms.vICMSEfet})
            *campo = Decimal();
    }
}

void fillItemTaxes(TImposto &imposto, int variant)
{
    imposto.vTotTrib = dec(45000);

    TIPI &ipi = imposto.IPI;
    ipi.clEnq = "00001";
    ipi.CNPJProd = "11222333000181";
    ipi.cSelo = "SELO123";
    ipi.qSelo = 10;
    ipi.cEnq = "999";
    switch (variant % 3) {
    case 0:
        ipi.CST = CodigoParaSitTributariaIPI("50");
        ipi.vBC = dec(1000000);
        ipi.pIPI = dec(100000);
        ipi.vIPI = dec(100000);
        break;
    case 1:
        ipi.CST = CodigoParaSitTributariaIPI("99");
        ipi.qUnid = dec(20000);
        ipi.vUnid = dec(15000);
        ipi.vIPI = dec(30000);
        break;
    default:
        ipi.CST = CodigoParaSitTributariaIPI("53");
        break;
    }

    imposto.II.vBC = dec(500000);
    imposto.II.vDespAdu = dec(10000);
    imposto.II.vII = dec(50000);
    imposto.II.vIOF = dec(5000);

    // PIS and COFINS: by value, by quantity, not taxed, other by value, other by quantity.
    TPIS &pis = imposto.PIS;
    TCOFINS &cofins = imposto.COFINS;
    switch (variant % 5) {
    case 0:
        pis.CST = CodigoParaSitTributariaPIS("01");
        cofins.CST = CodigoParaSitTributariaCOFINS("01");
        pis.vBC = cofins.vBC = dec(1000000);
        pis.pPIS = dec(16500);
        cofins.pCOFINS = dec(76000);
        break;
    case 1:
        pis.CST = CodigoParaSitTributariaPIS("03");
        cofins.CST = CodigoParaSitTributariaCOFINS("03");
        pis.qBCProd = cofins.qBCProd = dec(20000);
        pis.vAliqProd = cofins.vAliqProd = dec(5000);
        break;
    case 2:
        pis.CST = CodigoParaSitTributariaPIS("06");
        cofins.CST = CodigoParaSitTributariaCOFINS("06");
        break;
    case 3:
        pis.CST = CodigoParaSitTributariaPIS("99");
        cofins.CST = CodigoParaSitTributariaCOFINS("99");
        pis.vBC = cofins.vBC = dec(1000000);
        pis.pPIS = dec(16500);
        cofins.pCOFINS = dec(76000);
        break;
    default:
        pis.CST = CodigoParaSitTributariaPIS("49");
        cofins.CST = CodigoParaSitTributariaCOFINS("49");
        pis.qBCProd = cofins.qBCProd = dec(20000);
        pis.vAliqProd = cofins.vAliqProd = dec(5000);
        break;
    }
    if (variant % 5 != 2) {
        pis.vPIS = dec(1650);
        cofins.vCOFINS = dec(7600);
    }

    // The ST contributions: by value on even items, by quantity on odd ones.
    if (variant % 2 == 0) {
        imposto.PISST.vBC = imposto.COFINSST.vBC = dec(1000000);
        imposto.PISST.pPIS = dec(16500);
        imposto.COFINSST.pCOFINS = dec(76000);
    } else {
        imposto.PISST.qBCProd = imposto.COFINSST.qBCProd = dec(20000);
        imposto.PISST.vAliqProd = imposto.COFINSST.vAliqProd = dec(5000);
    }
    imposto.PISST.vPIS = dec(1650);
    imposto.COFINSST.vCOFINS = dec(7600);

    TICMSUFDest &uf = imposto.ICMSUFDest;
    uf.vBCUFDest = dec(1000000);
    uf.vBCFCPUFDest = dec(1000000);
    uf.pFCPUFDest = dec(20000);
    uf.pICMSUFDest = dec(180000);
    uf.pICMSInter = dec(120000);
    uf.pICMSInterPart = dec(1000000);
    uf.vFCPUFDest = dec(20000);
    uf.vICMSUFDest = dec(60000);
    uf.vICMSUFRemet = dec(1000);
}

void fillTotals(TNFe &nfe)
{
    TICMSTot &tot = nfe.total.ICMSTot;
    tot.vBC = dec(1000000);
    tot.vICMS = dec(180000);
    tot.vICMSDeson = dec(12000);
    tot.vFCPUFDest = dec(20000);
    tot.vICMSUFDest = dec(60000);
    tot.vICMSUFRemet = dec(1000);
    tot.vFCP = dec(20000);
    tot.vBCST = dec(1400000);
    tot.vST = dec(72000);
    tot.vFCPST = dec(28000);
    tot.vFCPSTRet = dec(6000);
    tot.vProd = dec(253100);
    tot.vFrete = dec(10000);
    tot.vSeg = dec(5000);
    tot.vDesc = dec(2500);
    tot.vII = dec(50000);
    tot.vIPI = dec(100000);
    tot.vIPIDevol = dec(2000);
    tot.vPIS = dec(1650);
    tot.vCOFINS = dec(7600);
    tot.vOutro = dec(1500);
    tot.vNF = dec(400000);
    tot.vTotTrib = dec(45000);

    TretTrib &ret = nfe.total.retTrib;
    ret.vRetPIS = dec(1000);
    ret.vRetCOFINS = dec(2000);
    ret.vRetCSLL = dec(3000);
    ret.vBCIRRF = dec(40000);
    ret.vIRRF = dec(5000);
    ret.vBCRetPrev = dec(60000);
    ret.vRetPrev = dec(7000);
}

void fillTransport(TNFe &nfe, const std::string &carrierDocument, double versao)
{
    TTransp &transp = nfe.transp;
    transp.modFrete = CodigoParaContratacaoFrete("1");
    transp.transporta.CNPJCPF = carrierDocument;
    transp.transporta.xNome = "TRANSPORTADORA RAPIDA";
    transp.transporta.IE = "ISENTO";
    transp.transporta.xEnder = "RUA DO PORTO 1";
    transp.transporta.xMun = "SANTOS";
    transp.transporta.UF = "SP";
    transp.retTransp.vServ = dec(1000000);
    transp.retTransp.vBCRet = dec(1000000);
    transp.retTransp.pICMSRet = dec(120000);
    transp.retTransp.vICMSRet = dec(120000);
    transp.retTransp.CFOP = "5353";
    transp.retTransp.cMunFG = 3548500;
    transp.veicTransp.placa = "ABC1234";
    transp.veicTransp.UF = "SP";
    transp.veicTransp.RNTC = "RNTC1";
    for (const char *placa : {"DEF5678", "GHI9012"}) {
        TreboqueCollectionItem &reboque = transp.reboque.NovoItem();
        reboque.placa = placa;
        reboque.UF = "PR";
        reboque.RNTC = "RNTC2";
    }
    if (versao >= 4) {
        transp.vagao = "VAGAO1";
        transp.balsa = "BALSA1";
    }
    for (int v = 1; v <= 2; ++v) {
        TVolCollectionItem &vol = transp.vol.NovoItem();
        vol.qVol = v;
        vol.esp = "CAIXA";
        vol.marca = "MARCA";
        vol.nVol = "VOL" + std::to_string(v);
        vol.pesoL = dec(125000);
        vol.pesoB = dec(130000);
        vol.lacres.NovoItem().nLacre = "LACRE" + std::to_string(v) + "A";
        vol.lacres.NovoItem().nLacre = "LACRE" + std::to_string(v) + "B";
    }
}

void fillBilling(TNFe &nfe)
{
    nfe.cobr.fat.nFat = "FAT001";
    nfe.cobr.fat.vOrig = dec(400000);
    nfe.cobr.fat.vDesc = dec(10000);
    nfe.cobr.fat.vLiq = dec(390000);
    for (int d = 1; d <= 2; ++d) {
        TDupCollectionItem &dup = nfe.cobr.dup.NovoItem();
        dup.nDup = "00" + std::to_string(d);
        dup.dVenc = encodeDate(2024, 6 + d, 10);
        dup.vDup = dec(195000);
    }
}

void fillPayments(TNFe &nfe, double versao)
{
    TpagCollectionItem &dinheiro = nfe.pag.NovoItem();
    if (versao >= 4)
        dinheiro.indPag = CodigoParaIndFormaPagamento("0");
    dinheiro.tPag = CodigoParaMeioPagamento("01");
    dinheiro.vPag = dec(200000);

    TpagCollectionItem &cartao = nfe.pag.NovoItem();
    if (versao >= 4)
        cartao.indPag = CodigoParaIndFormaPagamento("1");
    cartao.tPag = CodigoParaMeioPagamento("03");
    cartao.vPag = dec(250000);
    cartao.tpIntegra = CodigoParaIntegracaoPagamento("1");
    cartao.CNPJ = "11222333000181";
    cartao.tBand = CodigoParaBandeiraOperadora("02");
    cartao.cAut = "AUT123456";
    if (versao >= 4)
        nfe.pag.vTroco = dec(50000);
}

void fillClosing(TNFe &nfe, double versao)
{
    nfe.infAdic.infAdFisco = "INFORMACOES AO FISCO";
    nfe.infAdic.infCpl = "INFORMAÇÕES COMPLEMENTARES: AÇÚCAR & CAFÉ";
    for (int o = 1; o <= 2; ++o) {
        TobsContCollectionItem &obs = nfe.infAdic.obsCont.NovoItem();
        obs.xCampo = "CAMPO" + std::to_string(o);
        obs.xTexto = "TEXTO DO CONTRIBUINTE " + std::to_string(o);
    }
    TobsFiscoCollectionItem &fisco = nfe.infAdic.obsFisco.NovoItem();
    fisco.xCampo = "FISCO";
    fisco.xTexto = "TEXTO DO FISCO";
    TprocRefCollectionItem &proc = nfe.infAdic.procRef.NovoItem();
    proc.nProc = "PROC123";
    proc.indProc = CodigoParaOrigemProcesso("1");

    nfe.exporta.UFSaidaPais = "SP";
    nfe.exporta.xLocExporta = "PORTO DE SANTOS";
    nfe.exporta.xLocDespacho = "AEROPORTO DE GUARULHOS";

    nfe.compra.xNEmp = "EMPENHO1";
    nfe.compra.xPed = "PEDIDO1";
    nfe.compra.xCont = "CONTRATO1";

    TCana &cana = nfe.cana;
    cana.safra = "2023/2024";
    cana.ref = "05/2024";
    for (int d = 1; d <= 2; ++d) {
        TForDiaCollectionItem &dia = cana.forDia.NovoItem();
        dia.dia = d;
        dia.qtde = dec(1000000 * d);
    }
    cana.qTotMes = 300.5;
    cana.qTotAnt = 1000.25;
    cana.qTotGer = 1300.75;
    for (int d = 1; d <= 2; ++d) {
        TDeducCollectionItem &deduc = cana.deduc.NovoItem();
        deduc.xDed = "DEDUCAO " + std::to_string(d);
        deduc.vDed = dec(10000 * d);
    }
    cana.vFor = dec(5000000);
    cana.vTotDed = dec(30000);
    cana.vLiqFor = dec(4970000);

    if (versao >= 4) {
        nfe.infRespTec.CNPJ = "11222333000181";
        nfe.infRespTec.xContato = "FULANO DE TAL";
        nfe.infRespTec.email = "suporte@example.com";
        nfe.infRespTec.fone = "1144445555";
    }
}

} // namespace

namespace testsupport {

void fillTxtNoteNormal(TNFe &nfe, double versao)
{
    fillIde(nfe, versao);
    fillReferences(nfe);
    fillEmit(nfe, crt3);

    TDest &dest = nfe.dest;
    dest.CNPJCPF = "11222333000181";
    dest.xNome = "CLIENTE DE TESTE SA";
    fillAddress(dest.enderDest);
    dest.indIEDest = CodigoParaIndIEDestinatario("1");
    dest.IE = "12345678";
    dest.ISUF = "123456789";
    dest.IM = "7654321";
    dest.email = "cliente@example.com";

    fillPlace(nfe.retirada, "11222333000181", versao);
    fillPlace(nfe.entrega, "11222333000181", versao);
    nfe.autXML.NovoItem().CNPJCPF = "11222333000181";
    nfe.autXML.NovoItem().CNPJCPF = "12345678909";

    const TpcnSitTributariaICMS situacoes[] = {sti00, sti10,     sti20,     sti30,    sti40,
                                               sti41, sti50,     sti51,     sti60,    sti70,
                                               sti90, sti10Part, sti90Part, sti41Rep, sti60Rep};
    int number = 0;
    for (const TpcnSitTributariaICMS cst : situacoes) {
        TDetCollectionItem &item = nfe.det.NovoItem();
        fillProduct(item, ++number, versao);
        fillICMS(item.imposto.ICMS, cst, ssnVazio, versao);
        fillItemTaxes(item.imposto, number);
    }
    TDetCollectionItem &first = nfe.det.ObterItem(0);
    fillImportsAndExports(first.prod, versao);
    fillSpecificGroups(first.prod, versao);
    first.pDevol = dec(1000000);
    first.vIPIDevol = dec(2000);

    fillTotals(nfe);
    fillTransport(nfe, "11222333000181", versao);
    fillBilling(nfe);
    fillPayments(nfe, versao);
    fillClosing(nfe, versao);
}

void fillTxtNoteSimples(TNFe &nfe, double versao)
{
    fillIde(nfe, versao);
    nfe.ide.mod = 65; // an NFC-e: before 4.00 only it carries the payments
    fillEmit(nfe, crt1);
    nfe.emit.CNPJCPF = "12345678909";

    TDest &dest = nfe.dest;
    dest.CNPJCPF = "12345678909";
    dest.xNome = "CONSUMIDOR";
    fillAddress(dest.enderDest);
    dest.indIEDest = CodigoParaIndIEDestinatario("9");

    fillPlace(nfe.retirada, "12345678909", versao);
    fillPlace(nfe.entrega, "12345678909", versao);

    const TpcnSitSimplesNacional situacoes[] = {ssn101, ssn102, ssn201, ssn202, ssn500, ssn900};
    int number = 0;
    for (const TpcnSitSimplesNacional csosn : situacoes) {
        TDetCollectionItem &item = nfe.det.NovoItem();
        fillProduct(item, ++number, versao);
        fillICMS(item.imposto.ICMS, sti00, csosn, versao);
        fillItemTaxes(item.imposto, number);
    }
    fillTotals(nfe);
    fillTransport(nfe, "12345678909", versao);
    fillPayments(nfe, versao);
}

void fillTxtNoteServico(TNFe &nfe, double versao)
{
    fillIde(nfe, versao);
    fillEmit(nfe, crt3);

    TAvulsa &avulsa = nfe.avulsa;
    avulsa.CNPJ = "11222333000181";
    avulsa.xOrgao = "SECRETARIA DA FAZENDA";
    avulsa.matr = "MAT123";
    avulsa.xAgente = "AGENTE FISCAL";
    avulsa.fone = "1133335555";
    avulsa.UF = "SP";
    avulsa.nDAR = "DAR123";
    avulsa.dEmi = encodeDate(2024, 5, 16);
    avulsa.vDAR = dec(100000);
    avulsa.repEmi = "REPARTICAO";
    avulsa.dPag = encodeDate(2024, 5, 16);

    TDest &dest = nfe.dest;
    dest.idEstrangeiro = "ABC123456";
    dest.xNome = "FOREIGN BUYER LTD";
    dest.enderDest.xLgr = "MAIN STREET";
    dest.enderDest.nro = "1";
    dest.enderDest.xBairro = "DOWNTOWN";
    dest.enderDest.cMun = 9999999;
    dest.enderDest.xMun = "EXTERIOR";
    dest.enderDest.UF = "EX";
    dest.enderDest.cPais = 2496;
    dest.enderDest.xPais = "ESTADOS UNIDOS";
    dest.indIEDest = CodigoParaIndIEDestinatario("9");

    TDetCollectionItem &item = nfe.det.NovoItem();
    fillProduct(item, 1, versao);
    TISSQN &iss = item.imposto.ISSQN;
    iss.vBC = dec(1000000);
    iss.vAliq = dec(50000);
    iss.vISSQN = dec(50000);
    iss.cMunFG = 3550308;
    iss.cListServ = "14.01";
    iss.vDeducao = dec(1000);
    iss.vOutro = dec(2000);
    iss.vDescIncond = dec(3000);
    iss.vDescCond = dec(4000);
    iss.vISSRet = dec(5000);
    iss.indISS = CodigoParaExigibilidadeISS("1");
    iss.cServico = "SERV01";
    iss.cMun = 3550308;
    iss.cPais = 1058;
    iss.nProcesso = "PROC1";
    iss.indIncentivo = CodigoParaIncentivoFiscal("2");
    item.imposto.PIS.CST = CodigoParaSitTributariaPIS("07");
    item.imposto.COFINS.CST = CodigoParaSitTributariaCOFINS("07");

    TISSQNtot &tot = nfe.total.ISSQNtot;
    tot.vServ = dec(1000000);
    tot.vBC = dec(1000000);
    tot.vISS = dec(50000);
    tot.vPIS = dec(1650);
    tot.vCOFINS = dec(7600);
    tot.dCompet = encodeDate(2024, 5, 17);
    tot.vDeducao = dec(1000);
    tot.vOutro = dec(2000);
    tot.vDescIncond = dec(3000);
    tot.vDescCond = dec(4000);
    tot.vISSRet = dec(5000);
    tot.cRegTrib = CodigoParaRegimeEspecialISSQN("1");
    nfe.total.ICMSTot.vNF = dec(1000000);
    nfe.transp.modFrete = CodigoParaContratacaoFrete("9");
    fillPayments(nfe, versao);
}

} // namespace testsupport
