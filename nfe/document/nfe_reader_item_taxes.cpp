// TNFeR: the taxes of an item (`imposto`), the returned tax (`impostoDevol`)
// and the item observations (`obsItem`).
#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_itens.h"
#include "nfe/document/detail/nfe_reader_fields.h"
#include "nfe/document/detail/nfe_reader_sections.h"
#include "nfe/document/detail/nfe_reader_walk.h"

namespace nfe_reader {

namespace {

// Every element is read from the `ICMS` element as a whole; the inner group
// (ICMS00, ICMSSN101...) is not extracted.
void lerICMS(LeitorNFe &leitor, const CamposNFe &c, TICMS &icms)
{
    icms.orig = c.codigo(CodigoParaOrigemProduto, "orig");
    icms.CST = c.codigo(CodigoParaSitTributariaICMS, "CST");
    icms.CSOSN = CodigoParaSitSimplesNacional(c.inteiroComoTexto("CSOSN"));
    icms.modBC = c.codigo(CodigoParaModalidadeBCICMS, "modBC");

    icms.pRedBC = c.decimal(vcDecimal2, "pRedBC");
    icms.vBC = c.decimal(vcDecimal2, "vBC");
    icms.pICMS = c.decimal(vcDecimal2, "pICMS");
    icms.vICMSOp = c.decimal(vcDecimal2, "vICMSOp");
    icms.pDif = c.decimal(vcDecimal4, "pDif");
    icms.vICMSDif = c.decimal(vcDecimal2, "vICMSDif");
    icms.vICMS = c.decimal(vcDecimal2, "vICMS");
    icms.vBCFCP = c.decimal(vcDecimal2, "vBCFCP");
    icms.pFCP = c.decimal(vcDecimal4, "pFCP");
    icms.vFCP = c.decimal(vcDecimal2, "vFCP");

    icms.modBCST = c.codigo(CodigoParaModalidadeBCICMSST, "modBCST");
    icms.pMVAST = c.decimal(vcDecimal2, "pMVAST");
    icms.pRedBCST = c.decimal(vcDecimal2, "pRedBCST");
    icms.vBCST = c.decimal(vcDecimal2, "vBCST");
    icms.pICMSST = c.decimal(vcDecimal2, "pICMSST");
    icms.vICMSST = c.decimal(vcDecimal2, "vICMSST");
    icms.vBCFCPST = c.decimal(vcDecimal2, "vBCFCPST");
    icms.pFCPST = c.decimal(vcDecimal4, "pFCPST");
    icms.vFCPST = c.decimal(vcDecimal2, "vFCPST");
    icms.UFST = c.texto("UFST");
    icms.pBCOp = c.decimal(vcDecimal2, "pBCOp");
    icms.vBCSTRet = c.decimal(vcDecimal2, "vBCSTRet");
    icms.vICMSSTRet = c.decimal(vcDecimal2, "vICMSSTRet");
    icms.vICMSDeson = c.decimal(vcDecimal2, "vICMSDeson");
    icms.vBCFCPSTRet = c.decimal(vcDecimal2, "vBCFCPSTRet");
    icms.pFCPSTRet = c.decimal(vcDecimal4, "pFCPSTRet");
    icms.vFCPSTRet = c.decimal(vcDecimal2, "vFCPSTRet");
    icms.pST = c.decimal(vcDecimal4, "pST");

    icms.motDesICMS = c.codigo(CodigoParaMotivoDesoneracao, "motDesICMS");
    icms.pCredSN = c.decimal(vcDecimal2, "pCredSN");
    icms.vCredICMSSN = c.decimal(vcDecimal2, "vCredICMSSN");
    icms.vBCSTDest = c.decimal(vcDecimal2, "vBCSTDest");
    icms.vICMSSTDest = c.decimal(vcDecimal2, "vICMSSTDest");
    icms.pRedBCEfet = c.decimal(vcDecimal4, "pRedBCEfet");
    icms.vBCEfet = c.decimal(vcDecimal2, "vBCEfet");
    icms.pICMSEfet = c.decimal(vcDecimal4, "pICMSEfet");
    icms.vICMSEfet = c.decimal(vcDecimal2, "vICMSEfet");
    icms.vICMSSTDeson = c.decimal(vcDecimal2, "vICMSSTDeson");
    icms.motDesICMSST = c.codigo(CodigoParaMotivoDesoneracao, "motDesICMSST");
    icms.pFCPDif = c.decimal(vcDecimal4, "pFCPDif");
    icms.vFCPDif = c.decimal(vcDecimal2, "vFCPDif");
    icms.vFCPEfet = c.decimal(vcDecimal2, "vFCPEfet");

    icms.adRemICMS = c.decimal(vcDecimal4, "adRemICMS");
    icms.vICMSMono = c.decimal(vcDecimal2, "vICMSMono");
    icms.adRemICMSReten = c.decimal(vcDecimal4, "adRemICMSReten");
    icms.vICMSMonoReten = c.decimal(vcDecimal2, "vICMSMonoReten");
    icms.adRemICMSDif = c.decimal(vcDecimal4, "adRemICMSDif");
    icms.vICMSMonoDif = c.decimal(vcDecimal2, "vICMSMonoDif");
    icms.adRemICMSRet = c.decimal(vcDecimal4, "adRemICMSRet");
    icms.vICMSMonoRet = c.decimal(vcDecimal2, "vICMSMonoRet");
    icms.qBCMono = c.decimal(vcDecimal4, "qBCMono");
    icms.qBCMonoReten = c.decimal(vcDecimal4, "qBCMonoReten");
    icms.pRedAdRem = c.decimal(vcDecimal4, "pRedAdRem");
    icms.motRedAdRem = c.codigo(CodigoParaMotivoReducaoAdRem, "motRedAdRem");
    icms.qBCMonoDif = c.decimal(vcDecimal4, "qBCMonoDif");
    icms.qBCMonoRet = c.decimal(vcDecimal4, "qBCMonoRet");
    icms.vICMSSubstituto = c.decimal(vcDecimal2, "vICMSSubstituto");

    // The inner group tells the situations that share a CST apart.
    if (extraiGrupo(leitor, 4, "ICMSPart")) {
        if (icms.CST == sti10)
            icms.CST = sti10Part;
        else if (icms.CST == sti90)
            icms.CST = sti90Part;
    } else if (extraiGrupo(leitor, 4, "ICMSST")) {
        if (icms.CST == sti41)
            icms.CST = sti41Rep;
        else if (icms.CST == sti60)
            icms.CST = sti60Rep;
    }
}

void lerICMSUFDest(const CamposNFe &c, TICMSUFDest &t)
{
    t.vBCUFDest = c.decimal(vcDecimal2, "vBCUFDest");
    t.vBCFCPUFDest = c.decimal(vcDecimal2, "vBCFCPUFDest");
    t.pFCPUFDest = c.decimal(vcDecimal2, "pFCPUFDest");
    t.pICMSUFDest = c.decimal(vcDecimal2, "pICMSUFDest");
    t.pICMSInter = c.decimal(vcDecimal2, "pICMSInter");
    t.pICMSInterPart = c.decimal(vcDecimal2, "pICMSInterPart");
    t.vFCPUFDest = c.decimal(vcDecimal2, "vFCPUFDest");
    t.vICMSUFDest = c.decimal(vcDecimal2, "vICMSUFDest");
    t.vICMSUFRemet = c.decimal(vcDecimal2, "vICMSUFRemet");
}

// `IPI` is at level 3; `IPITrib` and `IPINT` are looked up in `imposto`.
void lerIPI(LeitorNFe &leitor, const CamposNFe &c, TIPI &ipi, TpcnTipoDocFiscal tpNF)
{
    ipi.clEnq = c.texto("clEnq");
    ipi.CNPJProd = c.texto("CNPJProd");
    ipi.cSelo = c.texto("cSelo");
    ipi.qSelo = c.inteiro("qSelo");
    ipi.cEnq = c.texto("cEnq");
    // The default situation by the operation: "53" for entries, "03" for exits.
    if (tpNF == tdf0)
        ipi.CST = sip53;
    else if (tpNF == tdf1)
        ipi.CST = sip03;
    if (extraiGrupo(leitor, 3, "IPITrib")) {
        ipi.CST = c.codigo(CodigoParaSitTributariaIPI, "CST");
        ipi.vBC = c.decimal(vcDecimal2, "vBC");
        ipi.qUnid = c.decimal(vcDecimal4, "qUnid");
        ipi.vUnid = c.decimal(vcDecimal4, "vUnid");
        ipi.pIPI = c.decimal(vcDecimal2, "pIPI");
        ipi.vIPI = c.decimal(vcDecimal2, "vIPI");
    }
    if (extraiGrupo(leitor, 3, "IPINT"))
        ipi.CST = c.codigo(CodigoParaSitTributariaIPI, "CST");
}

void lerPIS(const CamposNFe &c, TPIS &pis)
{
    pis.CST = c.codigo(CodigoParaSitTributariaPIS, "CST");
    pis.vBC = c.decimal(vcDecimal2, "vBC");
    pis.pPIS = c.decimal(vcDecimal2, "pPIS");
    pis.vPIS = c.decimal(vcDecimal2, "vPIS");
    pis.qBCProd = c.decimal(vcDecimal4, "qBCProd");
    pis.vAliqProd = c.decimal(vcDecimal4, "vAliqProd");
}

void lerPISST(const CamposNFe &c, TPISST &st)
{
    st.vBC = c.decimal(vcDecimal2, "vBC");
    st.pPIS = c.decimal(vcDecimal2, "pPIS");
    st.qBCProd = c.decimal(vcDecimal4, "qBCProd");
    st.vAliqProd = c.decimal(vcDecimal4, "vAliqProd");
    st.vPIS = c.decimal(vcDecimal2, "vPIS");
    st.indSomaPISST = c.codigo(CodigoParaSomaPISST, "indSomaPISST");
}

void lerCOFINS(const CamposNFe &c, TCOFINS &cofins)
{
    cofins.CST = c.codigo(CodigoParaSitTributariaCOFINS, "CST");
    cofins.vBC = c.decimal(vcDecimal2, "vBC");
    cofins.pCOFINS = c.decimal(vcDecimal2, "pCOFINS");
    cofins.qBCProd = c.decimal(vcDecimal4, "qBCProd");
    cofins.vAliqProd = c.decimal(vcDecimal4, "vAliqProd");
    cofins.vCOFINS = c.decimal(vcDecimal2, "vCOFINS");
}

void lerCOFINSST(const CamposNFe &c, TCOFINSST &st)
{
    st.vBC = c.decimal(vcDecimal2, "vBC");
    st.pCOFINS = c.decimal(vcDecimal2, "pCOFINS");
    st.qBCProd = c.decimal(vcDecimal4, "qBCProd");
    st.vAliqProd = c.decimal(vcDecimal4, "vAliqProd");
    st.vCOFINS = c.decimal(vcDecimal2, "vCOFINS");
    st.indSomaCOFINSST = c.codigo(CodigoParaSomaCOFINSST, "indSomaCOFINSST");
}

void lerISSQN(const CamposNFe &c, TISSQN &iss)
{
    iss.vBC = c.decimal(vcDecimal2, "vBC");
    iss.vAliq = c.decimal(vcDecimal2, "vAliq");
    iss.vISSQN = c.decimal(vcDecimal2, "vISSQN");
    iss.cMunFG = c.inteiro("cMunFG");
    iss.cListServ = c.texto("cListServ");
    iss.cSitTrib = c.codigo(CodigoParaSitTributariaISSQN, "cSitTrib");
    iss.vDeducao = c.decimal(vcDecimal2, "vDeducao");
    iss.vOutro = c.decimal(vcDecimal2, "vOutro");
    iss.vDescIncond = c.decimal(vcDecimal2, "vDescIncond");
    iss.vDescCond = c.decimal(vcDecimal2, "vDescCond");
    iss.vISSRet = c.decimal(vcDecimal2, "vISSRet");
    iss.indISS = c.codigo(CodigoParaExigibilidadeISS, "indISS");
    iss.cServico = c.texto("cServico");
    iss.cMun = c.inteiro("cMun");
    iss.cPais = c.inteiro("cPais");
    iss.nProcesso = c.texto("nProcesso");
    iss.indIncentivo = c.codigo(CodigoParaIncentivoFiscal, "indIncentivo");
}

void lerObsItem(const CamposNFe &c, TobsItem &obs)
{
    obs.xCampo = c.atributo("xCampo");
    obs.xTexto = c.texto("xTexto");
}

} // namespace

void lerTributosDoItem(LeitorNFe &leitor, const TNFe &nfe, TDetCollectionItem &item, bool presente)
{
    const CamposNFe c(leitor.xml());
    TImposto &imposto = item.imposto;
    const bool temImposto = presente && extraiGrupo(leitor, 2, "imposto");
    if (!temImposto)
        leitor.xml().setGrupo({});
    imposto.vTotTrib = c.decimal(vcDecimal2, "vTotTrib");
    if (temImposto) {
        if (extraiGrupo(leitor, 3, "ICMS"))
            lerICMS(leitor, c, imposto.ICMS);
        if (extraiGrupo(leitor, 3, "ICMSUFDest"))
            lerICMSUFDest(c, imposto.ICMSUFDest);
        if (extraiGrupo(leitor, 3, "IPI"))
            lerIPI(leitor, c, imposto.IPI, nfe.ide.tpNF);
        if (extraiGrupo(leitor, 3, "II")) {
            imposto.II.vBC = c.decimal(vcDecimal2, "vBC");
            imposto.II.vDespAdu = c.decimal(vcDecimal2, "vDespAdu");
            imposto.II.vII = c.decimal(vcDecimal2, "vII");
            imposto.II.vIOF = c.decimal(vcDecimal2, "vIOF");
        }
        if (extraiGrupo(leitor, 3, "PIS"))
            lerPIS(c, imposto.PIS);
        if (extraiGrupo(leitor, 3, "PISST"))
            lerPISST(c, imposto.PISST);
        if (extraiGrupo(leitor, 3, "COFINS"))
            lerCOFINS(c, imposto.COFINS);
        if (extraiGrupo(leitor, 3, "COFINSST"))
            lerCOFINSST(c, imposto.COFINSST);
        if (extraiGrupo(leitor, 3, "ISSQN"))
            lerISSQN(c, imposto.ISSQN);
    }
    if (!presente)
        return;

    if (extraiGrupo(leitor, 2, "impostoDevol")) {
        item.pDevol = c.decimal(vcDecimal2, "pDevol");
        if (extraiGrupo(leitor, 3, "IPI"))
            item.vIPIDevol = c.decimal(vcDecimal2, "vIPIDevol");
    }
    if (extraiGrupo(leitor, 2, "obsItem")) {
        if (extraiGrupo(leitor, 3, "obsCont"))
            lerObsItem(c, item.obsCont);
        if (extraiGrupo(leitor, 3, "obsFisco"))
            lerObsItem(c, item.obsFisco);
    }
}

} // namespace nfe_reader
