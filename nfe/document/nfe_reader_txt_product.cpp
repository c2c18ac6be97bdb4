// TXT records of an item and its product: the item itself, the product, its
// lists (NVE, import declarations, exports, traceability, medicines, weapons)
// and its vehicle and fuel groups. Every record but H completes the item that
// the latest H opened.

#include <array>

#include "nfe/document/detail/nfe_reader_txt_records.h"

namespace txt_reader {

namespace {

TDetCollectionItem &itemAtual(const Registro &r)
{
    return r.ultimo(r.nfe.det, "H");
}

TProd &produto(const Registro &r)
{
    return itemAtual(r).prod;
}

void lerItem(const Registro &r)
{
    TDetCollectionItem &item = r.nfe.det.NovoItem();
    item.prod.nItem = r.nfe.det.count();
    item.infAdProd = r.texto("infAdProd");
}

void lerProduto(const Registro &r)
{
    TProd &prod = produto(r);
    prod.cProd = r.texto("cProd");
    prod.cEAN = r.texto("cEAN");
    prod.xProd = r.texto("xProd");
    prod.NCM = r.texto("NCM");
    prod.EXTIPI = r.texto("EXTIPI");
    prod.SetCFOP(r.bruto("CFOP"));
    prod.uCom = r.texto("uCom");
    prod.qCom = r.decimal("qCom");
    prod.vUnCom = r.flutuante("vUnCom");
    prod.vProd = r.decimal("vProd");
    prod.cEANTrib = r.texto("cEANTrib");
    prod.uTrib = r.texto("uTrib");
    prod.qTrib = r.decimal("qTrib");
    prod.vUnTrib = r.flutuante("vUnTrib");
    prod.vFrete = r.decimal("vFrete");
    prod.vSeg = r.decimal("vSeg");
    prod.vDesc = r.decimal("vDesc");
    prod.vOutro = r.decimal("vOutro");
    prod.indTot = CodigoParaIndSomaTotal(r.texto("indTot"));
    prod.xPed = r.texto("xPed");
    prod.nItemPed = r.texto("nItemPed");
    prod.nFCI = r.texto("nFCI");
    if (r.desde400()) {
        prod.indEscala = CodigoParaEscalaProducao(r.texto("indEscala"));
        prod.CNPJFab = r.texto("CNPJFab");
        prod.cBenef = r.texto("cBenef");
    }
}

void lerNVE(const Registro &r)
{
    produto(r).NVE.NovoItem().NVE = r.texto("NVE");
}

void lerCEST(const Registro &r)
{
    produto(r).CEST = r.texto("CEST");
}

void lerDeclaracaoImportacao(const Registro &r)
{
    TDICollectionItem &di = produto(r).DI.NovoItem();
    di.nDI = r.texto("nDI");
    di.dDI = r.data("dDI");
    di.xLocDesemb = r.texto("xLocDesemb");
    di.UFDesemb = r.texto("UFDesemb");
    di.dDesemb = r.data("dDesemb");
    di.tpViaTransp = CodigoParaViaTransporteInternacional(r.texto("tpViaTransp"));
    if (r.desde310()) {
        di.vAFRMM = r.decimal("vAFRMM");
        di.tpIntermedio = CodigoParaFormaImportacao(r.texto("tpIntermedio"));
        di.CNPJ = r.texto("CNPJ");
        di.UFTerceiro = r.texto("UFTerceiro");
    }
    di.cExportador = r.texto("cExportador");
}

void lerAdicao(const Registro &r)
{
    TAdiCollectionItem &adi = r.ultimo(produto(r).DI, "I18").adi.NovoItem();
    adi.nAdicao = r.inteiro("nAdicao");
    adi.nSeqAdic = r.inteiro("nSeqAdic");
    adi.cFabricante = r.texto("cFabricante");
    adi.vDescDI = r.decimal("vDescDI");
    adi.nDraw = r.texto("nDraw");
}

void lerExportacao(const Registro &r)
{
    produto(r).detExport.NovoItem().nDraw = r.texto("nDraw");
}

void lerExportacaoIndireta(const Registro &r)
{
    TdetExportCollectionItem &exp = r.ultimo(produto(r).detExport, "I50");
    exp.nRE = r.texto("nRE");
    exp.chNFe = r.texto("chNFe");
    exp.qExport = r.decimal("qExport");
}

void lerRastro(const Registro &r)
{
    TRastroCollectionItem &rastro = produto(r).rastro.NovoItem();
    rastro.nLote = r.texto("nLote");
    rastro.qLote = r.decimal("qLote");
    rastro.dFab = r.data("dFab");
    rastro.dVal = r.data("dVal");
    rastro.cAgreg = r.texto("cAgreg");
}

void lerVeiculo(const Registro &r)
{
    TveicProd &veic = produto(r).veicProd;
    veic.tpOp = CodigoParaTipoOperacaoVeiculo(r.texto("tpOp"));
    veic.chassi = r.texto("chassi");
    veic.cCor = r.texto("cCor");
    veic.xCor = r.texto("xCor");
    veic.pot = r.texto("pot");
    veic.cilin = r.texto("Cilin");
    veic.pesoL = r.texto("pesoL");
    veic.pesoB = r.texto("pesoB");
    veic.nSerie = r.texto("nSerie");
    veic.tpComb = r.texto("tpComb");
    veic.nMotor = r.texto("nMotor");
    veic.CMT = r.texto("CMT");
    veic.dist = r.texto("dist");
    veic.anoMod = r.inteiro("anoMod");
    veic.anoFab = r.inteiro("anoFab");
    veic.tpPint = r.texto("tpPint");
    veic.tpVeic = r.inteiro("tpVeic");
    veic.espVeic = r.inteiro("espVeic");
    veic.VIN = r.texto("VIN");
    veic.condVeic = CodigoParaEstadoVeiculo(r.texto("condVeic"));
    veic.cMod = r.texto("cMod");
    veic.cCorDENATRAN = r.texto("cCorDenatran");
    veic.lota = r.inteiro("lota");
    veic.tpRest = r.inteiro("tpRest");
}

void lerMedicamento(const Registro &r)
{
    TmedCollectionItem &med = produto(r).med.NovoItem();
    if (r.desde400()) {
        med.cProdANVISA = r.texto("cProdANVISA");
        med.xMotivoIsencao = r.texto("xMotivoIsencao");
    } else {
        med.nLote = r.texto("nLote");
        med.qLote = r.decimal("qLote");
        med.dFab = r.data("dFab");
        med.dVal = r.data("dVal");
    }
    med.vPMC = r.decimal("vPMC");
}

void lerArma(const Registro &r)
{
    TarmaCollectionItem &arma = produto(r).arma.NovoItem();
    arma.tpArma = CodigoParaClasseArma(r.texto("tpArma"));
    // Serial and barrel numbers are identifiers that may hold letters and
    // leading zeros: read as text.
    arma.nSerie = r.texto("nSerie");
    arma.nCano = r.texto("nCano");
    arma.descr = r.texto("descr");
}

void lerCombustivel(const Registro &r)
{
    TComb &comb = produto(r).comb;
    comb.cProdANP = r.inteiro("cProdANP");
    if (r.desde400()) {
        comb.descANP = r.texto("descANP");
        comb.pGLP = r.decimal("pGLP");
        comb.pGNn = r.decimal("pGNn");
        comb.pGNi = r.decimal("pGNi");
        comb.vPart = r.decimal("vPart");
    } else {
        comb.pMixGN = r.decimal("pMixGN");
    }
    comb.CODIF = r.bruto("CODIF");
    comb.qTemp = r.decimal("qTemp");
    comb.UFCons = r.texto("UFcons");
}

void lerCIDE(const Registro &r)
{
    TCIDE &cide = produto(r).comb.CIDE;
    cide.qBCProd = r.decimal("qBCprod");
    cide.vAliqProd = r.decimal("vAliqProd");
    cide.vCIDE = r.decimal("vCIDE");
}

void lerEncerrante(const Registro &r)
{
    Tencerrante &enc = produto(r).comb.encerrante;
    enc.nBico = r.inteiro("nBico");
    enc.nBomba = r.inteiro("nBomba");
    enc.nTanque = r.inteiro("nTanque");
    enc.vEncIni = r.decimal("vEncIni");
    enc.vEncFin = r.decimal("vEncFin");
}

void lerRECOPI(const Registro &r)
{
    produto(r).nRECOPI = r.texto("nRECOPI");
}

void lerICMSCombustivel(const Registro &r)
{
    TICMSComb &icms = produto(r).comb.ICMSComb;
    icms.vBCICMS = r.decimal("vBCICMS");
    icms.vICMS = r.decimal("vICMS");
    icms.vBCICMSST = r.decimal("vBCICMSST");
    icms.vICMSST = r.decimal("vICMSST");
}

void lerICMSInterestadual(const Registro &r)
{
    TICMSInter &icms = produto(r).comb.ICMSInter;
    icms.vBCICMSSTDest = r.decimal("vBCICMSSTDest");
    icms.vICMSSTDest = r.decimal("vICMSSTDest");
}

void lerICMSConsumo(const Registro &r)
{
    TICMSCons &icms = produto(r).comb.ICMSCons;
    icms.vBCICMSSTCons = r.decimal("vBCICMSSTCons");
    icms.vICMSSTCons = r.decimal("vICMSSTCons");
    icms.UFCons = r.texto("UFcons");
}

} // namespace

std::span<const TratadorRegistro> tratadoresProduto()
{
    static const std::array tabela = {
        TratadorRegistro{"H", lerItem},
        TratadorRegistro{"I", lerProduto},
        TratadorRegistro{"I05A", lerNVE},
        TratadorRegistro{"I05C", lerCEST},
        TratadorRegistro{"I18", lerDeclaracaoImportacao},
        TratadorRegistro{"I25", lerAdicao},
        TratadorRegistro{"I50", lerExportacao},
        TratadorRegistro{"I52", lerExportacaoIndireta},
        TratadorRegistro{"I80", lerRastro},
        TratadorRegistro{"J", lerVeiculo},
        TratadorRegistro{"JA", lerVeiculo},
        TratadorRegistro{"K", lerMedicamento},
        TratadorRegistro{"L", lerArma},
        TratadorRegistro{"L01", lerCombustivel},
        TratadorRegistro{"LA", lerCombustivel},
        TratadorRegistro{"L105", lerCIDE},
        TratadorRegistro{"LA07", lerCIDE},
        TratadorRegistro{"LA11", lerEncerrante},
        TratadorRegistro{"LB", lerRECOPI},
        TratadorRegistro{"L109", lerICMSCombustivel},
        TratadorRegistro{"L114", lerICMSInterestadual},
        TratadorRegistro{"L117", lerICMSConsumo},
    };
    return tabela;
}

} // namespace txt_reader
