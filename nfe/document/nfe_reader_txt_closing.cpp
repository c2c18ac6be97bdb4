// TXT records of the totals, transport, billing, payment, additional
// information, export, purchase, sugar-cane supply and technical responsible.

#include <array>

#include "nfe/document/detail/nfe_reader_txt_records.h"

namespace txt_reader {

namespace {

// ---- Totals ---------------------------------------------------------------------------

void lerTotalICMS(const Registro &r)
{
    TICMSTot &tot = r.nfe.total.ICMSTot;
    tot.vBC = r.decimal("vBC");
    tot.vICMS = r.decimal("vICMS");
    tot.vICMSDeson = r.decimal("vICMSDeson");
    tot.vFCP = r.decimal("vFCP");
    tot.vBCST = r.decimal("vBCST");
    tot.vST = r.decimal("vST");
    tot.vFCPST = r.decimal("vFCPST");
    tot.vFCPSTRet = r.decimal("vFCPSTRet");
    tot.vProd = r.decimal("vProd");
    tot.vFrete = r.decimal("vFrete");
    tot.vSeg = r.decimal("vSeg");
    tot.vDesc = r.decimal("vDesc");
    tot.vII = r.decimal("vII");
    tot.vIPI = r.decimal("vIPI");
    tot.vIPIDevol = r.decimal("vIPIDevol");
    tot.vPIS = r.decimal("vPIS");
    tot.vCOFINS = r.decimal("vCOFINS");
    tot.vOutro = r.decimal("vOutro");
    tot.vNF = r.decimal("vNF");
    tot.vTotTrib = r.decimal("vTotTrib");
}

void lerTotalFCPUFDest(const Registro &r)
{
    r.nfe.total.ICMSTot.vFCPUFDest = r.decimal("vFCPUFDest");
}

void lerTotalICMSUFDest(const Registro &r)
{
    r.nfe.total.ICMSTot.vICMSUFDest = r.decimal("vICMSUFDest");
}

void lerTotalICMSUFRemet(const Registro &r)
{
    r.nfe.total.ICMSTot.vICMSUFRemet = r.decimal("vICMSUFRemet");
}

void lerTotalISSQN(const Registro &r)
{
    TISSQNtot &tot = r.nfe.total.ISSQNtot;
    tot.vServ = r.decimal("vServ");
    tot.vBC = r.decimal("vBC");
    tot.vISS = r.decimal("vISS");
    tot.vPIS = r.decimal("vPIS");
    tot.vCOFINS = r.decimal("vCOFINS");
    tot.dCompet = r.data("dCompet");
    tot.vDeducao = r.decimal("vDeducao");
    tot.vOutro = r.decimal("vOutro");
    tot.vDescIncond = r.decimal("vDescIncond");
    tot.vDescCond = r.decimal("vDescCond");
    tot.vISSRet = r.decimal("vISSRet");
    tot.cRegTrib = CodigoParaRegimeEspecialISSQN(r.texto("cRegTrib"));
}

void lerRetencoes(const Registro &r)
{
    TretTrib &ret = r.nfe.total.retTrib;
    ret.vRetPIS = r.decimal("vRetPIS");
    ret.vRetCOFINS = r.decimal("vRetCOFINS");
    ret.vRetCSLL = r.decimal("vRetCSLL");
    ret.vBCIRRF = r.decimal("vBCIRRF");
    ret.vIRRF = r.decimal("vIRRF");
    ret.vBCRetPrev = r.decimal("vBCRetPrev");
    ret.vRetPrev = r.decimal("vRetPrev");
}

// ---- Transport ---------------------------------------------------------------------------

void lerTransporte(const Registro &r)
{
    r.nfe.transp.modFrete = CodigoParaContratacaoFrete(r.texto("modFrete"));
}

void lerTransportadora(const Registro &r)
{
    TTransporta &transporta = r.nfe.transp.transporta;
    transporta.xNome = r.texto("xNome");
    transporta.IE = r.texto("IE");
    transporta.xEnder = r.texto("xEnder");
    transporta.xMun = r.texto("xMun");
    transporta.UF = r.texto("UF");
}

void lerTransportadoraCNPJ(const Registro &r)
{
    r.nfe.transp.transporta.CNPJCPF = r.texto("CNPJ");
}

void lerTransportadoraCPF(const Registro &r)
{
    r.nfe.transp.transporta.CNPJCPF = r.texto("CPF");
}

void lerRetencaoTransporte(const Registro &r)
{
    TretTransp &ret = r.nfe.transp.retTransp;
    ret.vServ = r.decimal("vServ");
    ret.vBCRet = r.decimal("vBCRet");
    ret.pICMSRet = r.decimal("pICMSRet");
    ret.vICMSRet = r.decimal("vICMSRet");
    ret.CFOP = r.bruto("CFOP");
    ret.cMunFG = r.textoInteiro("cMunFG");
}

void lerVeiculo(const Registro &r, TVeiculoNFe &veiculo)
{
    veiculo.placa = r.texto("placa");
    veiculo.UF = r.texto("UF");
    veiculo.RNTC = r.texto("RNTC");
}

void lerVeiculoTransporte(const Registro &r)
{
    lerVeiculo(r, r.nfe.transp.veicTransp);
}

void lerReboque(const Registro &r)
{
    lerVeiculo(r, r.nfe.transp.reboque.NovoItem());
}

void lerVagao(const Registro &r)
{
    r.nfe.transp.vagao = r.texto("vagao");
}

void lerBalsa(const Registro &r)
{
    r.nfe.transp.balsa = r.texto("balsa");
}

void lerVolume(const Registro &r)
{
    TVolCollectionItem &vol = r.nfe.transp.vol.NovoItem();
    vol.qVol = r.inteiro("qVol");
    vol.esp = r.texto("esp");
    vol.marca = r.texto("marca");
    vol.nVol = r.texto("nVol");
    vol.pesoL = r.decimal("pesoL");
    vol.pesoB = r.decimal("pesoB");
}

void lerLacre(const Registro &r)
{
    r.ultimo(r.nfe.transp.vol, "X26").lacres.NovoItem().nLacre = r.texto("nLacre");
}

// ---- Billing and payment -------------------------------------------------------------------

void lerFatura(const Registro &r)
{
    TFat &fat = r.nfe.cobr.fat;
    fat.nFat = r.texto("nFat");
    fat.vOrig = r.decimal("vOrig");
    fat.vDesc = r.decimal("vDesc");
    fat.vLiq = r.decimal("vLiq");
}

void lerDuplicata(const Registro &r)
{
    TDupCollectionItem &dup = r.nfe.cobr.dup.NovoItem();
    dup.nDup = r.texto("nDup");
    dup.dVenc = r.data("dVenc");
    dup.vDup = r.decimal("vDup");
}

void lerPagamento(const Registro &r)
{
    TpagCollectionItem &pag = r.nfe.pag.NovoItem();
    pag.indPag = CodigoParaIndFormaPagamento(r.texto("indPag"));
    pag.tPag = CodigoParaMeioPagamento(r.texto("tPag"));
    pag.vPag = r.decimal("vPag");
}

void lerCartao(const Registro &r)
{
    TpagCollectionItem &pag = r.ultimo(r.nfe.pag, "YA01");
    pag.tpIntegra = CodigoParaIntegracaoPagamento("1");
    pag.CNPJ = r.texto("CNPJ");
    pag.tBand = CodigoParaBandeiraOperadora(r.texto("tBand"));
    pag.cAut = r.texto("cAut");
}

// Before 4.00 one record holds the payment with its card; from 4.00 on it only
// opens the payment group.
void lerPagamentoAnterior400(const Registro &r)
{
    if (r.desde400())
        return;
    TpagCollectionItem &pag = r.nfe.pag.NovoItem();
    pag.tPag = CodigoParaMeioPagamento(r.texto("tPag"));
    pag.vPag = r.decimal("vPag");
    pag.tpIntegra = CodigoParaIntegracaoPagamento(r.texto("card"));
    pag.CNPJ = r.texto("CNPJ");
    pag.tBand = CodigoParaBandeiraOperadora(r.texto("tBand"));
    pag.cAut = r.texto("cAut");
}

void lerTroco(const Registro &r)
{
    r.nfe.pag.vTroco = r.decimal("vTroco");
}

// ---- Additional information, export, purchase, cane, technical responsible -----------------

void lerInformacoesAdicionais(const Registro &r)
{
    r.nfe.infAdic.infAdFisco = r.texto("infAdFisco");
    r.nfe.infAdic.infCpl = r.texto("infCpl");
}

void lerObservacao(const Registro &r, TObservacaoNFe &obs)
{
    obs.xCampo = r.texto("xCampo");
    obs.xTexto = r.texto("xTexto");
}

void lerObservacaoContribuinte(const Registro &r)
{
    lerObservacao(r, r.nfe.infAdic.obsCont.NovoItem());
}

void lerObservacaoFisco(const Registro &r)
{
    lerObservacao(r, r.nfe.infAdic.obsFisco.NovoItem());
}

void lerProcessoReferenciado(const Registro &r)
{
    TprocRefCollectionItem &proc = r.nfe.infAdic.procRef.NovoItem();
    proc.nProc = r.texto("nProc");
    proc.indProc = CodigoParaOrigemProcesso(r.texto("indProc"));
}

void lerExportacao(const Registro &r)
{
    TExporta &exporta = r.nfe.exporta;
    exporta.UFEmbarq = r.texto("UFembarq");
    exporta.xLocEmbarq = r.texto("xLocEmbarq");
    exporta.UFSaidaPais = r.texto("UFSaidaPais");
    exporta.xLocExporta = r.texto("xLocExporta");
    exporta.xLocDespacho = r.texto("xLocDespacho");
}

void lerCompra(const Registro &r)
{
    r.nfe.compra.xNEmp = r.texto("xNEmp");
    r.nfe.compra.xPed = r.texto("xPed");
    r.nfe.compra.xCont = r.texto("xCont");
}

void lerCana(const Registro &r)
{
    TCana &cana = r.nfe.cana;
    cana.safra = r.texto("safra");
    cana.ref = r.texto("ref");
    cana.qTotMes = r.flutuante("qTotMes");
    cana.qTotAnt = r.flutuante("qTotAnt");
    cana.qTotGer = r.flutuante("qTotGer");
    cana.vFor = r.decimal("vFor");
    cana.vTotDed = r.decimal("vTotDed");
    cana.vLiqFor = r.decimal("vLiqFor");
}

void lerFornecimentoDiario(const Registro &r)
{
    TForDiaCollectionItem &dia = r.nfe.cana.forDia.NovoItem();
    dia.dia = r.inteiro("dia");
    dia.qtde = r.decimal("qtde");
}

void lerDeducao(const Registro &r)
{
    TDeducCollectionItem &deduc = r.nfe.cana.deduc.NovoItem();
    deduc.xDed = r.texto("xDed");
    deduc.vDed = r.decimal("vDed");
}

void lerResponsavelTecnico(const Registro &r)
{
    TinfRespTec &resp = r.nfe.infRespTec;
    resp.CNPJ = r.texto("CNPJ");
    resp.xContato = r.texto("xContato");
    resp.email = r.texto("email");
    resp.fone = r.texto("fone");
}

void lerCodigoResponsavelTecnico(const Registro &r)
{
    r.nfe.infRespTec.idCSRT = r.inteiro("idCSRT");
    r.nfe.infRespTec.hashCSRT = r.texto("hashCSRT");
}

} // namespace

std::span<const TratadorRegistro> tratadoresFechamento()
{
    static const std::array tabela = {
        TratadorRegistro{"W02", lerTotalICMS},
        TratadorRegistro{"W04C", lerTotalFCPUFDest},
        TratadorRegistro{"W04E", lerTotalICMSUFDest},
        TratadorRegistro{"W04G", lerTotalICMSUFRemet},
        TratadorRegistro{"W17", lerTotalISSQN},
        TratadorRegistro{"W23", lerRetencoes},
        TratadorRegistro{"X", lerTransporte},
        TratadorRegistro{"X03", lerTransportadora},
        TratadorRegistro{"X04", lerTransportadoraCNPJ},
        TratadorRegistro{"X05", lerTransportadoraCPF},
        TratadorRegistro{"X11", lerRetencaoTransporte},
        TratadorRegistro{"X18", lerVeiculoTransporte},
        TratadorRegistro{"X22", lerReboque},
        TratadorRegistro{"X25A", lerVagao},
        TratadorRegistro{"X25B", lerBalsa},
        TratadorRegistro{"X26", lerVolume},
        TratadorRegistro{"X33", lerLacre},
        TratadorRegistro{"Y02", lerFatura},
        TratadorRegistro{"Y07", lerDuplicata},
        TratadorRegistro{"YA01", lerPagamento},
        TratadorRegistro{"YA04", lerCartao},
        TratadorRegistro{"YA", lerPagamentoAnterior400},
        TratadorRegistro{"YA09", lerTroco},
        TratadorRegistro{"Z", lerInformacoesAdicionais},
        TratadorRegistro{"Z04", lerObservacaoContribuinte},
        TratadorRegistro{"Z07", lerObservacaoFisco},
        TratadorRegistro{"Z10", lerProcessoReferenciado},
        TratadorRegistro{"ZA", lerExportacao},
        TratadorRegistro{"ZB", lerCompra},
        TratadorRegistro{"ZC", lerCana},
        TratadorRegistro{"ZC04", lerFornecimentoDiario},
        TratadorRegistro{"ZC10", lerDeducao},
        TratadorRegistro{"ZD01", lerResponsavelTecnico},
        TratadorRegistro{"ZD07", lerCodigoResponsavelTecnico},
    };
    return tabela;
}

} // namespace txt_reader
