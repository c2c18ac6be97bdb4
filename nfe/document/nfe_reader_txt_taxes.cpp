// TXT records of the item taxes: ICMS, the destination-state ICMS, IPI, II,
// PIS, PIS-ST, COFINS, COFINS-ST, ISSQN and the returned tax.

#include <array>

#include "nfe/document/detail/nfe_reader_txt_records.h"

namespace txt_reader {

namespace {

TDetCollectionItem &itemAtual(const Registro &r)
{
    return r.ultimo(r.nfe.det, "H");
}

TImposto &impostos(const Registro &r)
{
    return itemAtual(r).imposto;
}

void lerTotalTributos(const Registro &r)
{
    impostos(r).vTotTrib = r.decimal("vTotTrib");
}

// Every N record reads the whole list: the fields its situation does not carry
// read as empty, so the last N record of an item decides its ICMS group.
void lerICMS(const Registro &r)
{
    TICMS &icms = impostos(r).ICMS;
    icms.orig = CodigoParaOrigemProduto(r.texto("orig"));
    icms.CST = CodigoParaSitTributariaICMS(r.texto("CST"));
    // The shared-operation and the retained-ST records carry the plain CST.
    if (r.id() == "N10A") {
        if (icms.CST == sti10)
            icms.CST = CodigoParaSitTributariaICMS("10part");
        else if (icms.CST == sti90)
            icms.CST = CodigoParaSitTributariaICMS("90part");
    } else if (r.id() == "N10B") {
        if (icms.CST == sti41)
            icms.CST = CodigoParaSitTributariaICMS("41rep");
        else if (icms.CST == sti60)
            icms.CST = CodigoParaSitTributariaICMS("60rep");
    }
    icms.CSOSN = CodigoParaSitSimplesNacional(r.texto("CSOSN"));
    icms.modBC = CodigoParaModalidadeBCICMS(r.texto("modBC"));
    icms.pRedBC = r.decimal("pRedBC");
    icms.vBC = r.decimal("vBC");
    icms.pICMS = r.decimal("pICMS");
    icms.vICMSOp = r.decimal("vICMSOp");
    icms.pDif = r.decimal("pDif");
    icms.vICMSDif = r.decimal("vICMSDif");
    icms.vICMS = r.decimal("vICMS");
    icms.modBCST = CodigoParaModalidadeBCICMSST(r.texto("modBCST"));
    icms.pMVAST = r.decimal("pMVAST");
    icms.pRedBCST = r.decimal("pRedBCST");
    icms.vBCST = r.decimal("vBCST");
    icms.pICMSST = r.decimal("pICMSST");
    icms.vICMSST = r.decimal("vICMSST");
    icms.UFST = r.texto("UFST");
    icms.pBCOp = r.decimal("pBCOp");
    icms.vBCSTRet = r.decimal("vBCSTRet");
    icms.vICMSSTRet = r.decimal("vICMSSTRet");
    icms.motDesICMS = CodigoParaMotivoDesoneracao(r.texto("motDesICMS"));
    icms.pCredSN = r.decimal("pCredSN");
    icms.vCredICMSSN = r.decimal("vCredICMSSN");
    icms.vBCSTDest = r.decimal("vBCSTDest");
    icms.vICMSSTDest = r.decimal("vICMSSTDest");
    icms.vICMSDeson = r.decimal("vICMSDeson");
    if (r.desde400()) {
        icms.pFCP = r.decimal("pFCP");
        icms.vFCP = r.decimal("vFCP");
        icms.vBCFCP = r.decimal("vBCFCP");
        icms.vBCFCPST = r.decimal("vBCFCPST");
        icms.pFCPST = r.decimal("pFCPST");
        icms.vFCPST = r.decimal("vFCPST");
        icms.pST = r.decimal("pST");
        icms.vICMSSubstituto = r.decimal("vICMSSubstituto");
        icms.vBCFCPSTRet = r.decimal("vBCFCPSTRet");
        icms.pFCPSTRet = r.decimal("pFCPSTRet");
        icms.vFCPSTRet = r.decimal("vFCPSTRet");
        icms.pRedBCEfet = r.decimal("pRedBCEfet");
        icms.vBCEfet = r.decimal("vBCEfet");
        icms.pICMSEfet = r.decimal("pICMSEfet");
        icms.vICMSEfet = r.decimal("vICMSEfet");
    }
}

void lerICMSUFDestino(const Registro &r)
{
    TICMSUFDest &icms = impostos(r).ICMSUFDest;
    icms.vBCUFDest = r.decimal("vBCUFDest");
    if (r.desde400())
        icms.vBCFCPUFDest = r.decimal("vBCFCPUFDest");
    icms.pFCPUFDest = r.decimal("pFCPUFDest");
    icms.vFCPUFDest = r.decimal("vFCPUFDest");
    icms.pICMSUFDest = r.decimal("pICMSUFDest");
    icms.pICMSInter = r.decimal("pICMSInter");
    icms.pICMSInterPart = r.decimal("pICMSInterPart");
    icms.vICMSUFDest = r.decimal("vICMSUFDest");
    icms.vICMSUFRemet = r.decimal("vICMSUFRemet");
}

// ---- IPI and II ----------------------------------------------------------------------------

void lerIPI(const Registro &r)
{
    TIPI &ipi = impostos(r).IPI;
    if (!r.desde400())
        ipi.clEnq = r.texto("clEnq");
    ipi.CNPJProd = r.texto("CNPJProd");
    ipi.cSelo = r.texto("cSelo");
    ipi.qSelo = r.inteiro("qSelo");
    ipi.cEnq = r.texto("cEnq");
}

void lerIPITributado(const Registro &r)
{
    TIPI &ipi = impostos(r).IPI;
    ipi.CST = CodigoParaSitTributariaIPI(r.texto("CST"));
    ipi.vIPI = r.decimal("vIPI");
}

void lerIPINaoTributado(const Registro &r)
{
    impostos(r).IPI.CST = CodigoParaSitTributariaIPI(r.texto("CST"));
}

// The vIPI of these records replaces the one of O07 only when it is not 0
// (the records of the older layouts carry none).
void lerIPIValorIPI(const Registro &r, TIPI &ipi)
{
    if (const Decimal vIPI = r.decimal("vIPI"); !vIPI.isZero())
        ipi.vIPI = vIPI;
}

void lerIPIAliquota(const Registro &r)
{
    TIPI &ipi = impostos(r).IPI;
    ipi.vBC = r.decimal("vBC");
    ipi.pIPI = r.decimal("pIPI");
    lerIPIValorIPI(r, ipi);
}

void lerIPIUnidade(const Registro &r)
{
    TIPI &ipi = impostos(r).IPI;
    ipi.qUnid = r.decimal("qUnid");
    ipi.vUnid = r.decimal("vUnid");
    lerIPIValorIPI(r, ipi);
}

void lerImportacao(const Registro &r)
{
    TII &ii = impostos(r).II;
    ii.vBC = r.decimal("vBC");
    ii.vDespAdu = r.decimal("vDespAdu");
    ii.vII = r.decimal("vII");
    ii.vIOF = r.decimal("vIOF");
}

// ---- PIS and PIS-ST ----------------------------------------------------------------------------

void lerPISAliquota(const Registro &r)
{
    TPIS &pis = impostos(r).PIS;
    pis.CST = CodigoParaSitTributariaPIS(r.texto("CST"));
    pis.vBC = r.decimal("vBC");
    pis.pPIS = r.decimal("pPIS");
    pis.vPIS = r.decimal("vPIS");
}

void lerPISQuantidade(const Registro &r)
{
    TPIS &pis = impostos(r).PIS;
    pis.CST = CodigoParaSitTributariaPIS(r.texto("CST"));
    pis.qBCProd = r.decimal("qBCProd");
    pis.vAliqProd = r.decimal("vAliqProd");
    pis.vPIS = r.decimal("vPIS");
}

void lerPISNaoTributado(const Registro &r)
{
    impostos(r).PIS.CST = CodigoParaSitTributariaPIS(r.texto("CST"));
}

void lerPISOutros(const Registro &r)
{
    TPIS &pis = impostos(r).PIS;
    pis.CST = CodigoParaSitTributariaPIS(r.texto("CST"));
    pis.vPIS = r.decimal("vPIS");
}

void lerPISOutrosAliquota(const Registro &r)
{
    TPIS &pis = impostos(r).PIS;
    pis.vBC = r.decimal("vBC");
    pis.pPIS = r.decimal("pPIS");
    if (r.desde310())
        pis.vPIS = r.decimal("vPIS");
}

void lerPISOutrosQuantidade(const Registro &r)
{
    TPIS &pis = impostos(r).PIS;
    pis.qBCProd = r.decimal("qBCProd");
    pis.vAliqProd = r.decimal("vAliqProd");
}

void lerPISST(const Registro &r)
{
    impostos(r).PISST.vPIS = r.decimal("vPIS");
}

void lerPISSTAliquota(const Registro &r)
{
    TPISST &pis = impostos(r).PISST;
    pis.vBC = r.decimal("vBC");
    pis.pPIS = r.decimal("pPIS");
}

void lerPISSTQuantidade(const Registro &r)
{
    TPISST &pis = impostos(r).PISST;
    pis.qBCProd = r.decimal("qBCProd");
    pis.vAliqProd = r.decimal("vAliqProd");
}

// ---- COFINS and COFINS-ST -------------------------------------------------------------------------

void lerCOFINSAliquota(const Registro &r)
{
    TCOFINS &cofins = impostos(r).COFINS;
    cofins.CST = CodigoParaSitTributariaCOFINS(r.texto("CST"));
    cofins.vBC = r.decimal("vBC");
    cofins.pCOFINS = r.decimal("pCOFINS");
    cofins.vCOFINS = r.decimal("vCOFINS");
}

void lerCOFINSQuantidade(const Registro &r)
{
    TCOFINS &cofins = impostos(r).COFINS;
    cofins.CST = CodigoParaSitTributariaCOFINS(r.texto("CST"));
    cofins.vBC = r.decimal("vBC");
    cofins.qBCProd = r.decimal("qBCProd");
    cofins.vAliqProd = r.decimal("vAliqProd");
    cofins.vCOFINS = r.decimal("vCOFINS");
}

void lerCOFINSNaoTributado(const Registro &r)
{
    impostos(r).COFINS.CST = CodigoParaSitTributariaCOFINS(r.texto("CST"));
}

void lerCOFINSOutros(const Registro &r)
{
    TCOFINS &cofins = impostos(r).COFINS;
    cofins.CST = CodigoParaSitTributariaCOFINS(r.texto("CST"));
    cofins.vCOFINS = r.decimal("vCOFINS");
}

void lerCOFINSOutrosAliquota(const Registro &r)
{
    TCOFINS &cofins = impostos(r).COFINS;
    cofins.vBC = r.decimal("vBC");
    cofins.pCOFINS = r.decimal("pCOFINS");
}

void lerCOFINSOutrosQuantidade(const Registro &r)
{
    TCOFINS &cofins = impostos(r).COFINS;
    cofins.qBCProd = r.decimal("qBCProd");
    cofins.vAliqProd = r.decimal("vAliqProd");
}

void lerCOFINSST(const Registro &r)
{
    impostos(r).COFINSST.vCOFINS = r.decimal("vCOFINS");
}

void lerCOFINSSTAliquota(const Registro &r)
{
    TCOFINSST &cofins = impostos(r).COFINSST;
    cofins.vBC = r.decimal("vBC");
    cofins.pCOFINS = r.decimal("pCOFINS");
}

void lerCOFINSSTQuantidade(const Registro &r)
{
    TCOFINSST &cofins = impostos(r).COFINSST;
    cofins.qBCProd = r.decimal("qBCProd");
    cofins.vAliqProd = r.decimal("vAliqProd");
}

// ---- ISSQN and returned tax -------------------------------------------------------------------------

void lerISSQN(const Registro &r)
{
    TISSQN &iss = impostos(r).ISSQN;
    iss.vBC = r.decimal("vBC");
    iss.vAliq = r.decimal("vAliq");
    iss.vISSQN = r.decimal("vISSQN");
    iss.cMunFG = r.inteiro("cMunFG");
    iss.cListServ = r.texto("cListServ");
    iss.vDeducao = r.decimal("vDeducao");
    iss.vOutro = r.decimal("vOutro");
    iss.vDescIncond = r.decimal("vDescIncond");
    iss.vDescCond = r.decimal("vDescCond");
    iss.vISSRet = r.decimal("vISSRet");
    iss.indISS = CodigoParaExigibilidadeISS(r.texto("indISS"));
    iss.cServico = r.texto("cServico");
    iss.cMun = r.inteiro("cMun");
    iss.cPais = r.inteiro("cPais");
    iss.nProcesso = r.texto("nProcesso");
    iss.indIncentivo = CodigoParaIncentivoFiscal(r.texto("indIncentivo"));
    iss.cSitTrib = CodigoParaSitTributariaISSQN(r.texto("cSitTrib"));
}

// Before 4.00 one record carries both the percentage returned and the IPI
// returned.
void lerDevolucao(const Registro &r)
{
    TDetCollectionItem &item = itemAtual(r);
    item.pDevol = r.decimal("pDevol");
    if (!r.desde400())
        item.vIPIDevol = r.decimal("vIPIDevol");
}

void lerIPIDevolvido(const Registro &r)
{
    itemAtual(r).vIPIDevol = r.decimal("vIPIDevol");
}

} // namespace

std::span<const TratadorRegistro> tratadoresImpostos()
{
    static const std::array tabela = {
        TratadorRegistro{"M", lerTotalTributos},
        TratadorRegistro{"N02", lerICMS},
        TratadorRegistro{"N03", lerICMS},
        TratadorRegistro{"N04", lerICMS},
        TratadorRegistro{"N05", lerICMS},
        TratadorRegistro{"N06", lerICMS},
        TratadorRegistro{"N07", lerICMS},
        TratadorRegistro{"N08", lerICMS},
        TratadorRegistro{"N09", lerICMS},
        TratadorRegistro{"N10", lerICMS},
        TratadorRegistro{"N10A", lerICMS},
        TratadorRegistro{"N10B", lerICMS},
        TratadorRegistro{"N10C", lerICMS},
        TratadorRegistro{"N10D", lerICMS},
        TratadorRegistro{"N10E", lerICMS},
        TratadorRegistro{"N10F", lerICMS},
        TratadorRegistro{"N10G", lerICMS},
        TratadorRegistro{"N10H", lerICMS},
        TratadorRegistro{"NA", lerICMSUFDestino},
        TratadorRegistro{"O", lerIPI},
        TratadorRegistro{"O07", lerIPITributado},
        TratadorRegistro{"O08", lerIPINaoTributado},
        TratadorRegistro{"O10", lerIPIAliquota},
        TratadorRegistro{"O11", lerIPIUnidade},
        TratadorRegistro{"P", lerImportacao},
        TratadorRegistro{"Q02", lerPISAliquota},
        TratadorRegistro{"Q03", lerPISQuantidade},
        TratadorRegistro{"Q04", lerPISNaoTributado},
        TratadorRegistro{"Q05", lerPISOutros},
        TratadorRegistro{"Q07", lerPISOutrosAliquota},
        TratadorRegistro{"Q10", lerPISOutrosQuantidade},
        TratadorRegistro{"R", lerPISST},
        TratadorRegistro{"R02", lerPISSTAliquota},
        TratadorRegistro{"R04", lerPISSTQuantidade},
        TratadorRegistro{"S02", lerCOFINSAliquota},
        TratadorRegistro{"S03", lerCOFINSQuantidade},
        TratadorRegistro{"S04", lerCOFINSNaoTributado},
        TratadorRegistro{"S05", lerCOFINSOutros},
        TratadorRegistro{"S07", lerCOFINSOutrosAliquota},
        TratadorRegistro{"S09", lerCOFINSOutrosQuantidade},
        TratadorRegistro{"T", lerCOFINSST},
        TratadorRegistro{"T02", lerCOFINSSTAliquota},
        TratadorRegistro{"T04", lerCOFINSSTQuantidade},
        TratadorRegistro{"U", lerISSQN},
        TratadorRegistro{"UA", lerDevolucao},
        TratadorRegistro{"UA3", lerIPIDevolvido},
    };
    return tabela;
}

} // namespace txt_reader
