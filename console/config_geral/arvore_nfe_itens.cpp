#include "console/config_geral/detail/arvore_nfe_ramos.h"
#include "foundation/codes/conversao_itens.h"
#include "foundation/codes/conversao_nfe.h"
#include "nfe/document/nfe_item.h"

namespace arvore_nfe {

namespace {

void folhasProduto(NoArvore &no, const TDetCollectionItem &item)
{
    const TProd &prod = item.prod;
    folha(no, "nItem=", prod.nItem);
    folha(no, "cProd=", prod.cProd);
    folha(no, "cEAN=", prod.cEAN);
    folha(no, "xProd=", prod.xProd);
    folha(no, "NCM=", prod.NCM);
    folha(no, "EXTIPI=", prod.EXTIPI);
    folha(no, "CFOP=", prod.CFOP);
    folha(no, "uCom=", prod.uCom);
    folha(no, "qCom=", prod.qCom);
    folha(no, "vUnCom=", prod.vUnCom);
    folha(no, "vProd=", prod.vProd);
    folha(no, "cEANTrib=", prod.cEANTrib);
    folha(no, "uTrib=", prod.uTrib);
    folha(no, "qTrib=", prod.qTrib);
    folha(no, "vUnTrib=", prod.vUnTrib);
    folha(no, "vFrete=", prod.vFrete);
    folha(no, "vSeg=", prod.vSeg);
    folha(no, "vDesc=", prod.vDesc);
    folha(no, "vOutro=", prod.vOutro);
    folha(no, "indTot=", IndSomaTotalParaCodigo(prod.indTot));
    folha(no, "xPed=", prod.xPed);
    folha(no, "nItemPedido=", prod.nItemPed);
    folha(no, "infAdProd=", item.infAdProd);
}

void ramoDeclaracoes(NoArvore &no, const TDICollection &declaracoes)
{
    for (int i = 0; i < declaracoes.count(); ++i) {
        const TDICollectionItem &di = declaracoes[i];
        if (di.nDI.empty())
            break;
        NoArvore &ramo = grupo(no, numerado("DI", i + 1));
        folha(ramo, "nDi=", di.nDI);
        folhaData(ramo, "dDi=", di.dDI);
        folha(ramo, "xLocDesemb=", di.xLocDesemb);
        folha(ramo, "UFDesemb=", di.UFDesemb);
        folhaData(ramo, "dDesemb=", di.dDesemb);
        folha(ramo, "cExportador=", di.cExportador);
        for (int a = 0; a < di.adi.count(); ++a) {
            const TAdiCollectionItem &adi = di.adi[a];
            NoArvore &adicao = grupo(ramo, numerado("LADI", a + 1));
            folha(adicao, "nAdicao=", adi.nAdicao);
            folha(adicao, "nSeqAdi=", adi.nSeqAdic);
            folha(adicao, "cFabricante=", adi.cFabricante);
            folha(adicao, "vDescDI=", adi.vDescDI);
        }
    }
}

void ramoVeiculo(NoArvore &no, const TveicProd &v)
{
    if (v.chassi.empty())
        return;
    NoArvore &ramo = grupo(no, "Veiculo");
    folha(ramo, "tpOP=", TipoOperacaoVeiculoParaCodigo(v.tpOp));
    folha(ramo, "chassi=", v.chassi);
    folha(ramo, "cCor=", v.cCor);
    folha(ramo, "xCor=", v.xCor);
    folha(ramo, "pot=", v.pot);
    folha(ramo, "Cilin=", v.cilin);
    folha(ramo, "pesoL=", v.pesoL);
    folha(ramo, "pesoB=", v.pesoB);
    folha(ramo, "nSerie=", v.nSerie);
    folha(ramo, "tpComb=", v.tpComb);
    folha(ramo, "nMotor=", v.nMotor);
    folha(ramo, "CMT=", v.CMT);
    folha(ramo, "dist=", v.dist);
    folha(ramo, "anoMod=", v.anoMod);
    folha(ramo, "anoFab=", v.anoFab);
    folha(ramo, "tpPint=", v.tpPint);
    folha(ramo, "tpVeic=", v.tpVeic);
    folha(ramo, "espVeic=", v.espVeic);
    folha(ramo, "VIN=", v.VIN);
    folha(ramo, "condVeic=", EstadoVeiculoParaCodigo(v.condVeic));
    folha(ramo, "cMod=", v.cMod);
}

void ramoMedicamentosArmas(NoArvore &no, const TProd &prod)
{
    for (int i = 0; i < prod.med.count(); ++i) {
        const TmedCollectionItem &med = prod.med[i];
        NoArvore &ramo = grupo(no, numerado("Medicamento", i + 1));
        folha(ramo, "nLote=", med.nLote);
        folha(ramo, "qLote=", med.qLote);
        folhaData(ramo, "dFab=", med.dFab);
        folhaData(ramo, "dVal=", med.dVal);
        folha(ramo, "vPMC=", med.vPMC);
    }
    for (int i = 0; i < prod.arma.count(); ++i) {
        const TarmaCollectionItem &arma = prod.arma[i];
        NoArvore &ramo = grupo(no, numerado("Arma", i + 1));
        folha(ramo, "nSerie=", arma.nSerie);
        folha(ramo, "tpArma=", ClasseArmaParaCodigo(arma.tpArma));
        folha(ramo, "nCano=", arma.nCano);
        folha(ramo, "descr=", arma.descr);
    }
}

void ramoCombustivel(NoArvore &no, const TComb &comb, int numero)
{
    if (comb.cProdANP <= 0)
        return;
    NoArvore &ramo = grupo(no, "Combustivel");
    folha(ramo, "cProdANP=", comb.cProdANP);
    folha(ramo, "CODIF=", comb.CODIF);
    folha(ramo, "qTemp=", comb.qTemp);
    folha(ramo, "UFcons=", comb.UFCons);
    NoArvore &cide = grupo(ramo, numerado("CIDE", numero));
    folha(cide, "qBCprod=", comb.CIDE.qBCProd);
    folha(cide, "vAliqProd=", comb.CIDE.vAliqProd);
    folha(cide, "vCIDE=", comb.CIDE.vCIDE);
    NoArvore &icms = grupo(ramo, numerado("ICMSComb", numero));
    folha(icms, "vBCICMS=", comb.ICMSComb.vBCICMS);
    folha(icms, "vICMS=", comb.ICMSComb.vICMS);
    folha(icms, "vBCICMSST=", comb.ICMSComb.vBCICMSST);
    folha(icms, "vICMSST=", comb.ICMSComb.vICMSST);
    if (positivo(comb.ICMSInter.vBCICMSSTDest)) {
        NoArvore &inter = grupo(ramo, numerado("ICMSInter", numero));
        folha(inter, "vBCICMSSTDest=", comb.ICMSInter.vBCICMSSTDest);
        folha(inter, "vICMSSTDest=", comb.ICMSInter.vICMSSTDest);
    }
    if (positivo(comb.ICMSCons.vBCICMSSTCons)) {
        NoArvore &cons = grupo(ramo, numerado("ICMSCons", numero));
        folha(cons, "vBCICMSSTCons=", comb.ICMSCons.vBCICMSSTCons);
        folha(cons, "vICMSSTCons=", comb.ICMSCons.vICMSSTCons);
        folha(cons, "UFCons=", comb.ICMSCons.UFCons);
    }
}

void ramoICMS(NoArvore &imposto, const TImposto &i)
{
    const TICMS &icms = i.ICMS;
    NoArvore &no = grupo(imposto, "ICMS");
    folha(no, "CST=", SitTributariaICMSParaCodigo(icms.CST));
    folha(no, "CSOSN=", SitSimplesNacionalParaCodigo(icms.CSOSN));
    folha(no, "orig=", OrigemProdutoParaCodigo(icms.orig));
    folha(no, "modBC=", ModalidadeBCICMSParaCodigo(icms.modBC));
    folha(no, "pRedBC=", icms.pRedBC);
    folha(no, "vBC=", icms.vBC);
    folha(no, "pICMS=", icms.pICMS);
    folha(no, "vICMS=", icms.vICMS);
    folha(no, "modBCST=", ModalidadeBCICMSSTParaCodigo(icms.modBCST));
    folha(no, "pMVAST=", icms.pMVAST);
    folha(no, "pRedBCST=", icms.pRedBCST);
    folha(no, "vBCST=", icms.vBCST);
    folha(no, "pICMSST=", icms.pICMSST);
    folha(no, "vICMSST=", icms.vICMSST);
    folha(no, "vBCSTRet=", icms.vBCSTRet);
    folha(no, "vICMSSTRet=", icms.vICMSSTRet);
    folha(no, "pCredSN=", icms.pCredSN);
    folha(no, "vCredICMSSN=", icms.vCredICMSSN);
    const TICMSUFDest &uf = i.ICMSUFDest;
    NoArvore &dest = grupo(imposto, "ICMSUFDest");
    folha(dest, "vBCUFDest=", uf.vBCUFDest);
    folha(dest, "pFCPUFDest=", uf.pFCPUFDest);
    folha(dest, "pICMSUFDest=", uf.pICMSUFDest);
    folha(dest, "pICMSInter=", uf.pICMSInter);
    folha(dest, "pICMSInterPart=", uf.pICMSInterPart);
    folha(dest, "vFCPUFDest=", uf.vFCPUFDest);
    folha(dest, "vICMSUFDest=", uf.vICMSUFDest);
    folha(dest, "vICMSUFRemet=", uf.vICMSUFRemet);
}

void ramoISSQN(NoArvore &imposto, const TISSQN &iss)
{
    NoArvore &no = grupo(imposto, "ISSQN");
    folha(no, "vBC=", iss.vBC);
    folha(no, "vAliq=", iss.vAliq);
    folha(no, "vISSQN=", iss.vISSQN);
    folha(no, "cMunFG=", iss.cMunFG);
    folha(no, "cListServ=", iss.cListServ);
}

void ramoIPIeII(NoArvore &imposto, const TImposto &i)
{
    if (positivo(i.IPI.vBC)) {
        const TIPI &ipi = i.IPI;
        NoArvore &no = grupo(imposto, "IPI");
        folha(no, "CST=", SitTributariaIPIParaCodigo(ipi.CST));
        folha(no, "clEnq=", ipi.clEnq);
        folha(no, "CNPJProd=", ipi.CNPJProd);
        folha(no, "cSelo=", ipi.cSelo);
        folha(no, "qSelo=", ipi.qSelo);
        folha(no, "cEnq=", ipi.cEnq);
        folha(no, "vBC=", ipi.vBC);
        folha(no, "qUnid=", ipi.qUnid);
        folha(no, "vUnid=", ipi.vUnid);
        folha(no, "pIPI=", ipi.pIPI);
        folha(no, "vIPI=", ipi.vIPI);
    }
    if (positivo(i.II.vBC)) {
        NoArvore &no = grupo(imposto, "II");
        folha(no, "vBc=", i.II.vBC);
        folha(no, "vDespAdu=", i.II.vDespAdu);
        folha(no, "vII=", i.II.vII);
        folha(no, "vIOF=", i.II.vIOF);
    }
}

// PIS and COFINS show the same fields by their CST, under their own names.
struct Contribuicao {
    std::string_view grupo, rotuloAliquota, rotuloValor;
    std::string cst;
    Decimal vBC, aliquota, valor, qBCProd, vAliqProd;
};

void ramoContribuicao(NoArvore &imposto, const Contribuicao &c)
{
    NoArvore &no = grupo(imposto, std::string(c.grupo));
    folha(no, "CST=", c.cst);
    if (c.cst == "01" || c.cst == "02") {
        folha(no, "vBC=", c.vBC);
        folha(no, c.rotuloAliquota, c.aliquota);
        folha(no, c.rotuloValor, c.valor);
    } else if (c.cst == "03") {
        folha(no, "qBCProd=", c.qBCProd);
        folha(no, "vAliqProd=", c.vAliqProd);
        folha(no, c.rotuloValor, c.valor);
    } else if (c.cst == "99") {
        folha(no, "vBC=", c.vBC);
        folha(no, c.rotuloAliquota, c.aliquota);
        folha(no, "qBCProd=", c.qBCProd);
        folha(no, "vAliqProd=", c.vAliqProd);
        folha(no, c.rotuloValor, c.valor);
    }
}

void ramoPISeCOFINS(NoArvore &imposto, const TImposto &i)
{
    const TPIS &pis = i.PIS;
    ramoContribuicao(imposto, {"PIS", "pPIS=", "vPIS=", SitTributariaPISParaCodigo(pis.CST), pis.vBC,
                               pis.pPIS, pis.vPIS, pis.qBCProd, pis.vAliqProd});
    if (positivo(i.PISST.vBC)) {
        NoArvore &no = grupo(imposto, "PISST");
        folha(no, "vBc=", i.PISST.vBC);
        folha(no, "pPis=", i.PISST.pPIS);
        folha(no, "qBCProd=", i.PISST.qBCProd);
        folha(no, "vAliqProd=", i.PISST.vAliqProd);
        folha(no, "vPIS=", i.PISST.vPIS);
    }
    const TCOFINS &cofins = i.COFINS;
    ramoContribuicao(imposto, {"COFINS", "pCOFINS=", "vCOFINS=", SitTributariaCOFINSParaCodigo(cofins.CST),
                               cofins.vBC, cofins.pCOFINS, cofins.vCOFINS, cofins.qBCProd, cofins.vAliqProd});
    if (positivo(i.COFINSST.vBC)) {
        NoArvore &no = grupo(imposto, "COFINSST");
        folha(no, "vBC=", i.COFINSST.vBC);
        folha(no, "pCOFINS=", i.COFINSST.pCOFINS);
        folha(no, "qBCProd=", i.COFINSST.qBCProd);
        folha(no, "vAliqProd=", i.COFINSST.vAliqProd);
        folha(no, "vCOFINS=", i.COFINSST.vCOFINS);
    }
}

void ramoImposto(NoArvore &no, const TImposto &i)
{
    NoArvore &imposto = grupo(no, "Imposto");
    if (i.ISSQN.cSitTrib != sisVazio)
        ramoISSQN(imposto, i.ISSQN);
    else
        ramoICMS(imposto, i);
    ramoIPIeII(imposto, i);
    ramoPISeCOFINS(imposto, i);
}

} // namespace

void ramoProduto(NoArvore &pai, const TDetCollectionItem &item, int numero)
{
    NoArvore &no = grupo(pai, numerado("Produto", numero));
    no.filhos.reserve(32);
    folhasProduto(no, item);
    ramoDeclaracoes(no, item.prod.DI);
    ramoVeiculo(no, item.prod.veicProd);
    ramoMedicamentosArmas(no, item.prod);
    ramoCombustivel(no, item.prod.comb, numero);
    ramoImposto(no, item.imposto);
}

} // namespace arvore_nfe
