#include "sample_notes.h"

#include <stdexcept>
#include <string>

#include "foundation/dates/date_time.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "nfe/document/nfe_model.h"

namespace testsupport {

std::string accessKey(const std::string &digits43)
{
    int digit = 0;
    if (!DigitoChaveAcesso(digit, digits43))
        throw std::invalid_argument("not the 43 digits of an access key: " + digits43);
    return digits43 + std::to_string(digit);
}

void fillEmitter(TEmit &emit)
{
    emit.CNPJCPF = "11222333000181";
    emit.xNome = "EMPRESA DE TESTE LTDA";
    emit.xFant = "TESTE";
    emit.enderEmit.xLgr = "RUA DAS FLORES";
    emit.enderEmit.nro = "100";
    emit.enderEmit.xBairro = "CENTRO";
    emit.enderEmit.cMun = 3550308;
    emit.enderEmit.xMun = "SAO PAULO";
    emit.enderEmit.UF = "SP";
    emit.enderEmit.CEP = 1001000;
    emit.enderEmit.fone = "1133334444";
    emit.IE = "110042490114";
    emit.CRT = crt3;
}

void fillVehicle(TveicProd &vehicle)
{
    vehicle.tpOp = tovVendaConcessionaria;
    vehicle.chassi = "9BWZZZ377VT004251";
    vehicle.cCor = "1";
    vehicle.xCor = "BRANCO";
    vehicle.pot = "110";
    vehicle.cilin = "1598";
    vehicle.pesoL = "1050";
    vehicle.pesoB = "1150";
    vehicle.nSerie = "123456";
    vehicle.tpComb = "16";
    vehicle.nMotor = "CFZ123456";
    vehicle.CMT = "1.5000";
    vehicle.dist = "2470";
    vehicle.anoMod = 2024;
    vehicle.anoFab = 2024;
    vehicle.tpPint = "S";
    vehicle.tpVeic = 6;
    vehicle.espVeic = 1;
    vehicle.VIN = "N";
    vehicle.condVeic = evAcabado;
    vehicle.cMod = "123456";
    vehicle.cCorDENATRAN = "16";
    vehicle.lota = 5;
    vehicle.tpRest = 0;
}

void fillCompleteNote(TNFe &nfe, int items)
{
    nfe.infNFe.versao = 4.0;
    nfe.ide.cUF = 35;
    nfe.ide.natOp = "VENDA DE MERCADORIA";
    nfe.ide.mod = 55;
    nfe.ide.serie = 1;
    nfe.ide.nNF = 1234;
    nfe.ide.dEmi = encodeDateTime({2024, 5, 17, 10, 30, 0, 0});
    nfe.ide.tpAmb = taHomologacao;

    auto &ref = nfe.ide.NFref.NovoItem();
    ref.refNFe = kSampleKey;
    ref.refNF.CNPJ = "12345678000195";
    ref.refECF.nCOO = "123";
    ref.refNFP.IE = "ISENTO";

    fillEmitter(nfe.emit);
    nfe.dest.CNPJCPF = "12345678909";
    nfe.dest.enderDest.xMun = "CAMPINAS";
    nfe.retirada.xLgr = "RUA A";
    nfe.entrega.xLgr = "RUA B";
    nfe.autXML.NovoItem().CNPJCPF = "11222333000181";

    for (int i = 1; i <= items; ++i) {
        auto &det = nfe.det.NovoItem();
        det.prod.nItem = i;
        det.prod.cProd = "P" + std::to_string(i);
        det.prod.xProd = "PRODUTO " + std::to_string(i);
        det.prod.SetCFOP("5.102");
        det.prod.qCom = 2;
        det.prod.vUnCom = 10.5;
        det.prod.vProd = 21;
        auto &di = det.prod.DI.NovoItem();
        di.nDI = "DI" + std::to_string(i);
        di.adi.NovoItem().nAdicao = 1;
        di.adi.NovoItem().nAdicao = 2;
        det.prod.NVE.NovoItem().NVE = "AA0001";
        det.prod.detExport.NovoItem().nRE = "240000000001";
        det.prod.rastro.NovoItem().nLote = "L1";
        det.prod.med.NovoItem().cProdANVISA = "1234567890123";
        det.prod.arma.NovoItem().nSerie = "S1";
        fillVehicle(det.prod.veicProd);
        det.prod.comb.cProdANP = 320102001;
        det.prod.comb.origComb.NovoItem().cUFOrig = 35;
        det.imposto.ICMS.vBC = 21;
        det.imposto.ICMS.vICMS = Decimal::fromUnits(37800);
        det.infAdProd = "ITEM " + std::to_string(i);
    }

    // Each item: 21.00 of goods, ICMS 3.78 on 21.00. Paid in cash with the
    // next multiple of 100.00, the rest as change.
    nfe.total.ICMSTot.vBC = Decimal(21 * items);
    nfe.total.ICMSTot.vICMS = Decimal::fromUnits(37800 * std::int64_t{items});
    nfe.total.ICMSTot.vProd = Decimal(21 * items);
    nfe.total.ICMSTot.vNF = Decimal(21 * items);

    nfe.transp.transporta.xNome = "TRANSPORTADORA";
    nfe.transp.reboque.NovoItem().placa = "ABC1234";
    auto &vol = nfe.transp.vol.AdicionarItem();
    vol.qVol = 2;
    vol.lacres.NovoItem().nLacre = "LACRE1";
    vol.lacres.NovoItem().nLacre = "LACRE2";

    nfe.cobr.fat.nFat = "001";
    nfe.cobr.dup.AdicionarItem().nDup = "001";
    auto &pag = nfe.pag.AdicionarItem();
    pag.tPag = mpDinheiro;
    const int paid = (21 * items + 99) / 100 * 100;
    pag.vPag = Decimal(paid);
    nfe.pag.vTroco = Decimal(paid - 21 * items);

    nfe.infAdic.infCpl = "INFORMACOES COMPLEMENTARES";
    nfe.infAdic.obsCont.AdicionarItem().xCampo = "CAMPO";
    nfe.infAdic.obsFisco.AdicionarItem().xCampo = "FISCO";
    nfe.infAdic.procRef.NovoItem().nProc = "123";

    nfe.cana.safra = "2023/2024";
    nfe.cana.forDia.NovoItem().dia = 1;
    nfe.cana.deduc.NovoItem().xDed = "DEDUCAO";

    nfe.Signature.DigestValue = "digest";
    nfe.procNFe.nProt = "135240000000001";
    nfe.infNFeSupl.qrCode = "https://example.invalid/qrcode";
    nfe.infRespTec.CNPJ = "11222333000181";
}

namespace {

void fillHeader(TIde &ide, int model)
{
    ide.cUF = 35;
    ide.natOp = "VENDA DE MERCADORIA";
    ide.mod = model;
    ide.serie = 1;
    ide.dEmi = encodeDateTime({2024, 5, 17, 10, 30, 0, 0});
    ide.tpNF = tdf1;
    ide.idDest = ld1;
    ide.cMunFG = 3550308;
    ide.tpImp = model == 65 ? tiNFCe : tiRetrato;
    ide.tpEmis = teNormal;
    ide.finNFe = feNormal;
    ide.indPres = ipr1;
    ide.procEmi = pem0;
    ide.verProc = "1.0";
}

void fillRecipientAddress(TEnderecoNFe &address)
{
    address.xLgr = "AVENIDA BRASIL";
    address.UF = "SP";
}

// Goods numbered `number`, one unit at `value`, sold within the state.
void fillGoods(TProd &prod, int number, int value)
{
    prod.nItem = number;
    prod.cProd = "P" + std::to_string(number);
    prod.xProd = "PRODUTO DE TESTE " + std::to_string(number);
    prod.NCM = "84719012";
    prod.SetCFOP("5102");
    prod.uCom = "UN";
    prod.qCom = 1;
    prod.vUnCom = value;
    prod.vProd = value;
    prod.uTrib = "UN";
    prod.qTrib = 1;
    prod.vUnTrib = value;
}

} // namespace

void fillFrameNote(TNFe &nfe)
{
    nfe.infNFe.versao = 4.0;

    TIde &ide = nfe.ide;
    fillHeader(ide, 55);
    ide.nNF = 1234;
    ide.dSaiEnt = encodeDateTime({2024, 5, 17, 11, 0, 0, 0});
    ide.tpAmb = taHomologacao;
    ide.indFinal = icf1;
    ide.indIntermed = itmSemIntermediador;

    fillEmitter(nfe.emit);

    TDest &dest = nfe.dest;
    dest.CNPJCPF = "123.456.789-09";
    dest.xNome = "CLIENTE DE TESTE";
    fillRecipientAddress(dest.enderDest);
    dest.enderDest.nro = "S/N";
    dest.enderDest.xBairro = "JARDIM";
    dest.enderDest.cMun = 3509502;
    dest.enderDest.xMun = "CAMPINAS";
    dest.enderDest.CEP = 13010000;
    dest.indIEDest = iie9;
    dest.email = "cliente@example.com";

    nfe.autXML.NovoItem().CNPJCPF = "12345678909";

    // One item the totals, the invoice and the payment add up to: goods of
    // 100.00 exempt from ICMS, PIS and COFINS.
    TDetCollectionItem &det = nfe.det.NovoItem();
    fillGoods(det.prod, 1, 100);
    det.imposto.vTotTrib = Decimal::fromUnits(123400);
    det.imposto.ICMS.orig = opr0;
    det.imposto.ICMS.CST = sti40;
    det.imposto.PIS.CST = stp07;
    det.imposto.COFINS.CST = stc07;

    nfe.total.ICMSTot.vProd = 100;
    nfe.total.ICMSTot.vNF = 100;
    nfe.total.ICMSTot.vTotTrib = Decimal::fromUnits(123400);

    nfe.transp.modFrete = cfSemFrete;

    nfe.cobr.fat.nFat = "001";
    nfe.cobr.fat.vOrig = 100;
    nfe.cobr.fat.vLiq = 100;
    TDupCollectionItem &dup = nfe.cobr.dup.AdicionarItem();
    dup.nDup = "001";
    dup.dVenc = encodeDate(2024, 6, 17);
    dup.vDup = 100;

    TpagCollectionItem &pag = nfe.pag.AdicionarItem();
    pag.indPag = ifp0;
    pag.tPag = mpDinheiro;
    pag.vPag = 150;
    nfe.pag.vTroco = 50;

    nfe.infAdic.infCpl = "PEDIDO 42";
    TobsContCollectionItem &obs = nfe.infAdic.obsCont.AdicionarItem();
    obs.xCampo = "Pedido";
    obs.xTexto = "42";

    nfe.infRespTec.CNPJ = "11222333000181";
    nfe.infRespTec.xContato = "SUPORTE";
    nfe.infRespTec.email = "suporte@example.com";
    nfe.infRespTec.fone = "1133335555";
}

void fillNoteWithoutItems(TNFe &nfe, int model, double version)
{
    nfe.infNFe.versao = version;

    TIde &ide = nfe.ide;
    fillHeader(ide, model);
    ide.cNF = 12345678;
    ide.nNF = 4321;
    ide.tpAmb = taProducao;
    ide.indFinal = model == 65 ? icf1 : icf0;

    fillEmitter(nfe.emit);

    if (model == 55) {
        TDest &dest = nfe.dest;
        dest.CNPJCPF = "11444777000161";
        dest.xNome = "CLIENTE DE TESTE LTDA";
        fillRecipientAddress(dest.enderDest);
        dest.enderDest.nro = "2000";
        dest.enderDest.xBairro = "JARDIM AMERICA";
        dest.enderDest.cMun = 3550308;
        dest.enderDest.xMun = "SAO PAULO";
        dest.enderDest.CEP = 1415000;
        dest.indIEDest = iie9;
        dest.email = "cliente@example.com";
    }

    nfe.transp.modFrete = cfSemFrete;

    TpagCollectionItem &pag = nfe.pag.AdicionarItem();
    pag.tPag = mpDinheiro;

    nfe.infRespTec.CNPJ = "11222333000181";
    nfe.infRespTec.xContato = "SUPORTE TECNICO";
    nfe.infRespTec.email = "suporte@example.com";
    nfe.infRespTec.fone = "1133334444";
}

TDetCollectionItem &addGoodsItem(TNFe &nfe)
{
    const int number = nfe.det.count() + 1;
    TDetCollectionItem &det = nfe.det.NovoItem();
    TProd &prod = det.prod;
    fillGoods(prod, number, 10);

    TICMS &icms = det.imposto.ICMS;
    icms.orig = opr0;
    icms.CST = sti00;
    icms.modBC = mbc3;
    icms.vBC = 10;
    icms.pICMS = 18;
    icms.vICMS = Decimal::fromUnits(18000);

    det.imposto.PIS.CST = stp01;
    det.imposto.COFINS.CST = stc01;

    TICMSTot &tot = nfe.total.ICMSTot;
    tot.vBC = tot.vBC + prod.vProd;
    tot.vICMS = tot.vICMS + icms.vICMS;
    tot.vProd = tot.vProd + prod.vProd;
    tot.vNF = tot.vNF + prod.vProd;
    if (nfe.pag.count() > 0) {
        TpagCollectionItem &pag = nfe.pag.ObterItem(0);
        pag.vPag = pag.vPag + prod.vProd;
    }
    return det;
}

void fillNoteWithItems(TNFe &nfe, int items, int model)
{
    fillNoteWithoutItems(nfe, model);
    for (int i = 0; i < items; ++i)
        addGoodsItem(nfe);
}

void fillTaxedNote(TNFe &nfe, int items)
{
    nfe.infNFe.versao = 4.0;
    nfe.ide.cUF = 35;
    nfe.ide.cNF = 12345678;
    nfe.ide.natOp = "VENDA";
    nfe.ide.mod = 55;
    nfe.ide.serie = 1;
    nfe.ide.nNF = 1;
    nfe.ide.dEmi = encodeDateTime({2024, 5, 17, 10, 30, 0, 0});
    nfe.ide.cMunFG = 3550308;
    fillEmitter(nfe.emit);
    nfe.dest.CNPJCPF = "11444777000161";
    nfe.dest.xNome = "CLIENTE";
    TICMSTot &tot = nfe.total.ICMSTot;
    for (int i = 1; i <= items; ++i) {
        TDetCollectionItem &det = nfe.det.NovoItem();
        det.prod.nItem = i;
        det.prod.cProd = "P" + std::to_string(i);
        det.prod.cEAN = "7891000315507";
        det.prod.xProd = "PRODUTO DE TESTE COM ACENTUAÇÃO " + std::to_string(i);
        det.prod.NCM = "84719012";
        det.prod.SetCFOP("5102");
        det.prod.uCom = "UN";
        det.prod.qCom = 2;
        det.prod.vUnCom = 10.5;
        det.prod.vProd = 21;
        det.prod.uTrib = "UN";
        det.prod.qTrib = 2;
        det.prod.vUnTrib = 10.5;
        TICMS &icms = det.imposto.ICMS;
        icms.CST = i % 3 == 0 ? sti10 : i % 3 == 1 ? sti00 : sti60;
        icms.vBC = 21;
        icms.pICMS = 18;
        icms.vICMS = Decimal::fromUnits(37800);
        icms.vBCST = 25;
        icms.pICMSST = 18;
        icms.vICMSST = Decimal::fromUnits(7200);
        icms.vBCSTRet = 21;
        icms.vICMSSTRet = Decimal::fromUnits(37800);
        det.imposto.IPI.CST = sip50;
        det.imposto.IPI.vBC = 21;
        det.imposto.IPI.pIPI = 5;
        det.imposto.IPI.vIPI = Decimal::fromUnits(10500);
        det.imposto.PIS.vBC = 21;
        det.imposto.PIS.pPIS = Decimal::fromUnits(16500);
        det.imposto.PIS.vPIS = Decimal::fromUnits(3500);
        det.imposto.COFINS.vBC = 21;
        det.imposto.COFINS.pCOFINS = Decimal::fromUnits(76000);
        det.imposto.COFINS.vCOFINS = Decimal::fromUnits(16000);
        det.infAdProd = "INFORMACAO ADICIONAL DO ITEM";

        // CST 60 was taxed before (retained ST): nothing of it enters the
        // note's ICMS totals; CST 10 adds its own ST.
        if (icms.CST != sti60) {
            tot.vBC = tot.vBC + icms.vBC;
            tot.vICMS = tot.vICMS + icms.vICMS;
        }
        if (icms.CST == sti10) {
            tot.vBCST = tot.vBCST + icms.vBCST;
            tot.vST = tot.vST + icms.vICMSST;
        }
        tot.vProd = tot.vProd + det.prod.vProd;
        tot.vIPI = tot.vIPI + det.imposto.IPI.vIPI;
        tot.vPIS = tot.vPIS + det.imposto.PIS.vPIS;
        tot.vCOFINS = tot.vCOFINS + det.imposto.COFINS.vCOFINS;
    }
    tot.vNF = tot.vProd + tot.vST + tot.vIPI;
    TpagCollectionItem &pag = nfe.pag.AdicionarItem();
    pag.tPag = mpDinheiro;
    pag.vPag = tot.vNF;
}

} // namespace testsupport
