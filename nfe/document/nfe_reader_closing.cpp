// TNFeR: totals, transport, billing, payments, intermediary, additional
// information, export, purchase, sugar-cane supply and technical responsible.
#include <string>

#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_itens.h"
#include "foundation/codes/conversao_nfe.h"
#include "nfe/document/detail/nfe_reader_fields.h"
#include "nfe/document/detail/nfe_reader_sections.h"
#include "nfe/document/detail/nfe_reader_walk.h"

namespace nfe_reader {

namespace {

void lerICMSTot(const CamposNFe &c, TICMSTot &t)
{
    t.vBC = c.decimal(vcDecimal2, "vBC");
    t.vICMS = c.decimal(vcDecimal2, "vICMS");
    t.vICMSDeson = c.decimal(vcDecimal2, "vICMSDeson");
    t.vFCPUFDest = c.decimal(vcDecimal2, "vFCPUFDest");
    t.vICMSUFDest = c.decimal(vcDecimal2, "vICMSUFDest");
    t.vICMSUFRemet = c.decimal(vcDecimal2, "vICMSUFRemet");
    t.vFCP = c.decimal(vcDecimal2, "vFCP");
    t.vBCST = c.decimal(vcDecimal2, "vBCST");
    t.vST = c.decimal(vcDecimal2, "vST");
    t.vFCPST = c.decimal(vcDecimal2, "vFCPST");
    t.vFCPSTRet = c.decimal(vcDecimal2, "vFCPSTRet");
    t.qBCMono = c.decimal(vcDecimal2, "qBCMono");
    t.vICMSMono = c.decimal(vcDecimal2, "vICMSMono");
    t.qBCMonoReten = c.decimal(vcDecimal2, "qBCMonoReten");
    t.vICMSMonoReten = c.decimal(vcDecimal2, "vICMSMonoReten");
    t.qBCMonoRet = c.decimal(vcDecimal2, "qBCMonoRet");
    t.vICMSMonoRet = c.decimal(vcDecimal2, "vICMSMonoRet");
    t.vProd = c.decimal(vcDecimal2, "vProd");
    t.vFrete = c.decimal(vcDecimal2, "vFrete");
    t.vSeg = c.decimal(vcDecimal2, "vSeg");
    t.vDesc = c.decimal(vcDecimal2, "vDesc");
    t.vII = c.decimal(vcDecimal2, "vII");
    t.vIPI = c.decimal(vcDecimal2, "vIPI");
    t.vIPIDevol = c.decimal(vcDecimal2, "vIPIDevol");
    t.vPIS = c.decimal(vcDecimal2, "vPIS");
    t.vCOFINS = c.decimal(vcDecimal2, "vCOFINS");
    t.vOutro = c.decimal(vcDecimal2, "vOutro");
    t.vNF = c.decimal(vcDecimal2, "vNF");
    t.vTotTrib = c.decimal(vcDecimal2, "vTotTrib");
}

void lerISSQNtot(const CamposNFe &c, TISSQNtot &t, double versao)
{
    t.vServ = c.decimal(vcDecimal2, "vServ");
    t.vBC = c.decimal(vcDecimal2, "vBC");
    t.vISS = c.decimal(vcDecimal2, "vISS");
    t.vPIS = c.decimal(vcDecimal2, "vPIS");
    t.vCOFINS = c.decimal(vcDecimal2, "vCOFINS");
    if (versao >= 3) {
        t.dCompet = c.data("dCompet");
        t.vDeducao = c.decimal(vcDecimal2, "vDeducao");
        t.vOutro = c.decimal(vcDecimal2, "vOutro");
        t.vDescIncond = c.decimal(vcDecimal2, "vDescIncond");
        t.vDescCond = c.decimal(vcDecimal2, "vDescCond");
        t.vISSRet = c.decimal(vcDecimal2, "vISSRet");
        t.cRegTrib = c.codigo(CodigoParaRegimeEspecialISSQN, "cRegTrib");
    }
}

void lerRetTrib(const CamposNFe &c, TretTrib &t)
{
    t.vRetPIS = c.decimal(vcDecimal2, "vRetPIS");
    t.vRetCOFINS = c.decimal(vcDecimal2, "vRetCOFINS");
    t.vRetCSLL = c.decimal(vcDecimal2, "vRetCSLL");
    t.vBCIRRF = c.decimal(vcDecimal2, "vBCIRRF");
    t.vIRRF = c.decimal(vcDecimal2, "vIRRF");
    t.vBCRetPrev = c.decimal(vcDecimal2, "vBCRetPrev");
    t.vRetPrev = c.decimal(vcDecimal2, "vRetPrev");
}

void lerVeiculo(const CamposNFe &c, TVeiculoNFe &veiculo)
{
    veiculo.placa = c.texto("placa");
    veiculo.UF = c.texto("UF");
    veiculo.RNTC = c.texto("RNTC");
}

void lerObservacao(const CamposNFe &c, TObservacaoNFe &obs)
{
    obs.xCampo = c.atributo("xCampo");
    obs.xTexto = c.texto("xTexto");
}

// One payment, in either layout (`detPag` from 4.00, `pag` before).
void lerPagamento(LeitorNFe &leitor, const CamposNFe &c, TpagCollectionItem &pag)
{
    pag.indPag = c.codigo(CodigoParaIndFormaPagamento, "indPag");
    pag.tPag = c.codigo(CodigoParaMeioPagamento, "tPag");
    pag.xPag = c.texto("xPag");
    pag.vPag = c.decimal(vcDecimal2, "vPag");
    if (extraiGrupo(leitor, 2, "card")) {
        pag.tpIntegra = c.codigo(CodigoParaIntegracaoPagamento, "tpIntegra");
        pag.CNPJ = c.texto("CNPJ");
        pag.tBand = c.codigo(CodigoParaBandeiraOperadora, "tBand");
        pag.cAut = c.texto("cAut");
    }
}

} // namespace

void lerTotal(LeitorNFe &leitor, TNFe &nfe, double versao)
{
    if (!extraiGrupo(leitor, 1, "total"))
        return;
    const CamposNFe c(leitor.xml());
    if (extraiGrupo(leitor, 2, "ICMSTot"))
        lerICMSTot(c, nfe.total.ICMSTot);
    if (extraiGrupo(leitor, 2, "ISSQNtot"))
        lerISSQNtot(c, nfe.total.ISSQNtot, versao);
    if (extraiGrupo(leitor, 2, "retTrib"))
        lerRetTrib(c, nfe.total.retTrib);
}

void lerTransp(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "transp"))
        return;
    const CamposNFe c(leitor.xml());
    TTransp &transp = nfe.transp;
    transp.modFrete = c.codigo(CodigoParaContratacaoFrete, "modFrete");
    transp.vagao = c.texto("vagao");
    transp.balsa = c.texto("balsa");

    if (extraiGrupo(leitor, 2, "transporta")) {
        TTransporta &t = transp.transporta;
        t.CNPJCPF = c.cnpjCpf();
        t.xNome = c.texto("xNome");
        t.IE = c.texto("IE");
        t.xEnder = c.texto("xEnder");
        t.xMun = c.texto("xMun");
        t.UF = c.texto("UF");
    }
    if (extraiGrupo(leitor, 2, "retTransp")) {
        TretTransp &r = transp.retTransp;
        r.vServ = c.decimal(vcDecimal2, "vServ");
        r.vBCRet = c.decimal(vcDecimal2, "vBCRet");
        r.pICMSRet = c.decimal(vcDecimal2, "pICMSRet");
        r.vICMSRet = c.decimal(vcDecimal2, "vICMSRet");
        r.CFOP = c.digitos("CFOP");
        r.cMunFG = inteiroObrigatorio(c.texto("cMunFG"), "retTransp/cMunFG");
    }
    if (extraiGrupo(leitor, 2, "veicTransp"))
        lerVeiculo(c, transp.veicTransp);
    lerLista(leitor, transp.reboque, 2, "reboque",
             [&](TreboqueCollectionItem &reboque) { lerVeiculo(c, reboque); });
    lerLista(leitor, transp.vol, 2, "vol", [&](TVolCollectionItem &vol) {
        vol.qVol = c.inteiro("qVol");
        vol.esp = c.texto("esp");
        vol.marca = c.texto("marca");
        vol.nVol = c.texto("nVol");
        vol.pesoL = c.decimal(vcDecimal3, "pesoL");
        vol.pesoB = c.decimal(vcDecimal3, "pesoB");
        lerLista(leitor, vol.lacres, 3, "lacres",
                 [&](TLacresCollectionItem &lacre) { lacre.nLacre = c.texto("nLacre"); });
    });
}

void lerCobr(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "cobr"))
        return;
    const CamposNFe c(leitor.xml());
    // `fat` and `dup` are searched in the whole text.
    if (extraiGrupo(leitor, 1, "fat")) {
        TFat &fat = nfe.cobr.fat;
        fat.nFat = c.texto("nFat");
        fat.vOrig = c.decimal(vcDecimal2, "vOrig");
        fat.vDesc = c.decimal(vcDecimal2, "vDesc");
        fat.vLiq = c.decimal(vcDecimal2, "vLiq");
    }
    lerLista(leitor, nfe.cobr.dup, 1, "dup", [&](TDupCollectionItem &dup) {
        dup.nDup = c.texto("nDup");
        dup.dVenc = c.data("dVenc");
        dup.vDup = c.decimal(vcDecimal2, "vDup");
    });
}

void lerPag(LeitorNFe &leitor, TNFe &nfe, double versao)
{
    if (versao < 3)
        return;
    const CamposNFe c(leitor.xml());
    nfe.pag.clear();
    const auto lerItem = [&](TpagCollectionItem &pag) { lerPagamento(leitor, c, pag); };
    if (versao >= 4) {
        if (extraiGrupo(leitor, 1, "pag"))
            nfe.pag.vTroco = c.decimal(vcDecimal2, "vTroco");
        lerLista(leitor, nfe.pag, 1, "detPag", lerItem);
    } else {
        lerLista(leitor, nfe.pag, 1, "pag", lerItem);
    }
}

void lerInfIntermed(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "infIntermed"))
        return;
    const CamposNFe c(leitor.xml());
    nfe.infIntermed.CNPJ = c.texto("CNPJ");
    nfe.infIntermed.idCadIntTran = c.texto("idCadIntTran");
}

void lerInfAdic(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "infAdic"))
        return;
    const CamposNFe c(leitor.xml());
    TInfAdic &infAdic = nfe.infAdic;
    infAdic.infAdFisco = c.texto("infAdFisco");
    infAdic.infCpl = c.texto("infCpl");
    lerLista(leitor, infAdic.obsCont, 2, "obsCont",
             [&](TobsContCollectionItem &obs) { lerObservacao(c, obs); });
    lerLista(leitor, infAdic.obsFisco, 2, "obsFisco",
             [&](TobsFiscoCollectionItem &obs) { lerObservacao(c, obs); });
    lerLista(leitor, infAdic.procRef, 2, "procRef", [&](TprocRefCollectionItem &proc) {
        proc.nProc = c.texto("nProc");
        proc.indProc = c.codigo(CodigoParaOrigemProcesso, "indProc");
        proc.tpAto = c.codigo(CodigoParaAtoConcessorio, "tpAto");
    });
}

void lerExporta(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "exporta"))
        return;
    // All five in every version, whichever the writer wrote.
    const CamposNFe c(leitor.xml());
    TExporta &exporta = nfe.exporta;
    exporta.UFEmbarq = c.texto("UFEmbarq");
    exporta.xLocEmbarq = c.texto("xLocEmbarq");
    exporta.UFSaidaPais = c.texto("UFSaidaPais");
    exporta.xLocExporta = c.texto("xLocExporta");
    exporta.xLocDespacho = c.texto("xLocDespacho");
}

void lerCompra(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "compra"))
        return;
    const CamposNFe c(leitor.xml());
    nfe.compra.xNEmp = c.texto("xNEmp");
    nfe.compra.xPed = c.texto("xPed");
    nfe.compra.xCont = c.texto("xCont");
}

void lerCana(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "cana"))
        return;
    const CamposNFe c(leitor.xml());
    TCana &cana = nfe.cana;
    cana.safra = c.texto("safra");
    cana.ref = c.texto("ref");
    cana.qTotMes = c.real(vcDecimal10, "qTotMes");
    cana.qTotAnt = c.real(vcDecimal10, "qTotAnt");
    cana.qTotGer = c.real(vcDecimal10, "qTotGer");
    cana.vFor = c.decimal(vcDecimal2, "vFor");
    cana.vTotDed = c.decimal(vcDecimal2, "vTotDed");
    cana.vLiqFor = c.decimal(vcDecimal2, "vLiqFor");
    lerLista(leitor, cana.forDia, 2, "forDia", [&](TForDiaCollectionItem &dia) {
        dia.dia = inteiroObrigatorio(c.atributo("dia"), "forDia/dia");
        dia.qtde = c.decimal(vcDecimal10, "qtde");
    });
    lerLista(leitor, cana.deduc, 2, "deduc", [&](TDeducCollectionItem &deduc) {
        deduc.xDed = c.texto("xDed");
        deduc.vDed = c.decimal(vcDecimal2, "vDed");
    });
}

void lerInfRespTec(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "infRespTec"))
        return;
    const CamposNFe c(leitor.xml());
    TinfRespTec &resp = nfe.infRespTec;
    resp.CNPJ = c.texto("CNPJ");
    resp.xContato = c.texto("xContato");
    resp.email = c.texto("email");
    resp.fone = c.texto("fone");
    resp.idCSRT = c.inteiro("idCSRT");
    resp.hashCSRT = c.texto("hashCSRT");
}

} // namespace nfe_reader
