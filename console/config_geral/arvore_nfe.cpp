#include "console/config_geral/arvore_nfe.h"

#include "console/config_geral/detail/arvore_nfe_ramos.h"
#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_itens.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "nfe/document/nfe_model.h"

namespace arvore_nfe {

NoArvore &grupo(NoArvore &pai, std::string legenda)
{
    pai.filhos.push_back(NoArvore{std::move(legenda), {}});
    return pai.filhos.back();
}

std::string numerado(std::string_view prefixo, int numero)
{
    return std::string(prefixo) + InteiroEmNDigitos(numero, 3);
}

void folha(NoArvore &pai, std::string_view rotulo, std::string_view valor)
{
    std::string legenda;
    legenda.reserve(rotulo.size() + valor.size());
    legenda.append(rotulo).append(valor);
    pai.filhos.push_back(NoArvore{std::move(legenda), {}});
}

void folha(NoArvore &pai, std::string_view rotulo, int valor)
{
    folha(pai, rotulo, std::to_string(valor));
}

void folha(NoArvore &pai, std::string_view rotulo, Decimal valor)
{
    folha(pai, rotulo, valor.toString());
}

void folha(NoArvore &pai, std::string_view rotulo, double valor)
{
    folha(pai, rotulo, FloatParaTexto('.', "", valor));
}

void folhaData(NoArvore &pai, std::string_view rotulo, TDateTime valor)
{
    folha(pai, rotulo, valor == 0 ? std::string() : DataFormatoBR(valor));
}

void folhaDataHora(NoArvore &pai, std::string_view rotulo, TDateTime valor)
{
    folha(pai, rotulo, valor == 0 ? std::string() : DataHoraFormatoBR(valor));
}

void folhaHora(NoArvore &pai, std::string_view rotulo, TDateTime valor)
{
    folha(pai, rotulo, valor == 0 ? std::string() : DataHoraFormatoBR(valor, "hh:nn:ss"));
}

} // namespace arvore_nfe

using namespace arvore_nfe;

namespace {

void ramoProtocolo(NoArvore &raiz, const TProcNFe &proc)
{
    NoArvore &no = grupo(raiz, "procNFe");
    folha(no, "tpAmb= ", TipoAmbienteParaCodigo(proc.tpAmb));
    folha(no, "verAplic= ", proc.verAplic);
    folha(no, "chNFe= ", proc.chNFe);
    folhaDataHora(no, "dhRecbto= ", proc.dhRecbto);
    folha(no, "nProt= ", proc.nProt);
    folha(no, "digVal= ", proc.digVal);
    folha(no, "cStat= ", proc.cStat);
    folha(no, "xMotivo= ", proc.xMotivo);
}

void ramoReferencias(NoArvore &ide, const TNFrefCollection &referencias)
{
    NoArvore *pai = &ide;
    for (int i = 0; i < referencias.count(); ++i) {
        const TNFrefCollectionItem &ref = referencias[i];
        if (!ref.refNFe.empty()) {
            NoArvore &no = grupo(*pai, numerado("NFRef", i + 1));
            folha(no, "refNFe= ", ref.refNFe);
            folha(no, "cUF= ", ref.refNF.cUF);
            folha(no, "AAMM= ", ref.refNF.AAMM);
            folha(no, "CNPJ= ", ref.refNF.CNPJ);
            folha(no, "modelo= ", ref.refNF.mod);
            folha(no, "serie= ", ref.refNF.serie);
            folha(no, "nNF= ", ref.refNF.nNF);
            pai = &no;
        }
        if (!ref.refECF.nCOO.empty()) {
            NoArvore &no = grupo(*pai, numerado("refECF", i + 1));
            folha(no, "mod= ", ModeloECFParaCodigo(ref.refECF.mod));
            folha(no, "nECF= ", ref.refECF.nECF);
            folha(no, "nCOO= ", ref.refECF.nCOO);
            pai = &no;
        }
    }
}

void ramoIdentificacao(NoArvore &raiz, const TIde &ide)
{
    NoArvore &no = grupo(raiz, "Ide");
    folha(no, "cNF= ", ide.cNF);
    folha(no, "natOp= ", ide.natOp);
    folha(no, "indPag= ", IndFormaPagamentoParaCodigo(ide.indPag));
    folha(no, "modelo= ", ide.mod);
    folha(no, "serie= ", ide.serie);
    folha(no, "nNF= ", ide.nNF);
    folhaData(no, "dEmi= ", ide.dEmi);
    folhaData(no, "dSaiEnt= ", ide.dSaiEnt);
    // The time of exit holds a time of day only: shown as such, not as the
    // date of day zero.
    folhaHora(no, "hSaiEnt= ", ide.hSaiEnt);
    folha(no, "tpNF= ", TipoDocFiscalParaCodigo(ide.tpNF));
    folha(no, "finNFe= ", FinalidadeEmissaoParaCodigo(ide.finNFe));
    folha(no, "verProc= ", ide.verProc);
    folha(no, "cUF= ", ide.cUF);
    folha(no, "cMunFG= ", ide.cMunFG);
    folha(no, "tpImp= ", TipoImpressaoParaCodigo(ide.tpImp));
    folha(no, "tpEmis= ", TipoEmissaoParaCodigo(ide.tpEmis));
    folha(no, "cDV= ", ide.cDV);
    folha(no, "tpAmb= ", TipoAmbienteParaCodigo(ide.tpAmb));
    folha(no, "finNFe= ", FinalidadeEmissaoParaCodigo(ide.finNFe));
    folha(no, "procEmi= ", ProcEmissaoParaCodigo(ide.procEmi));
    folha(no, "verProc= ", ide.verProc);
    folhaDataHora(no, "dhCont= ", ide.dhCont);
    folha(no, "xJust= ", ide.xJust);
    ramoReferencias(no, ide.NFref);
}

void ramoEndereco(NoArvore &no, const TEnderecoNFe &endereco)
{
    folha(no, "Fone=", endereco.fone);
    folha(no, "CEP=", endereco.CEP);
    folha(no, "xLgr=", endereco.xLgr);
    folha(no, "nro=", endereco.nro);
    folha(no, "xCpl=", endereco.xCpl);
    folha(no, "xBairro=", endereco.xBairro);
    folha(no, "cMun=", endereco.cMun);
    folha(no, "xMun=", endereco.xMun);
    folha(no, "UF=", endereco.UF);
    folha(no, "cPais=", endereco.cPais);
    folha(no, "xPais=", endereco.xPais);
}

void ramoEmitente(NoArvore &raiz, const TEmit &emit)
{
    NoArvore &no = grupo(raiz, "Emit");
    folha(no, "CNPJCPF= ", emit.CNPJCPF);
    folha(no, "IE=", emit.IE);
    folha(no, "xNome=", emit.xNome);
    folha(no, "xFant=", emit.xFant);
    folha(no, "IEST=", emit.IEST);
    folha(no, "IM=", emit.IM);
    folha(no, "CNAE=", emit.CNAE);
    folha(no, "CRT=", RegimeTributarioParaCodigo(emit.CRT));
    ramoEndereco(grupo(no, "EnderEmit"), emit.enderEmit);
}

void ramoAvulsa(NoArvore &raiz, const TAvulsa &avulsa)
{
    if (avulsa.CNPJ.empty())
        return;
    NoArvore &no = grupo(raiz, "Avulsa");
    folha(no, "CNPJ=", avulsa.CNPJ);
    folha(no, "xOrgao=", avulsa.xOrgao);
    folha(no, "matr=", avulsa.matr);
    folha(no, "xAgente=", avulsa.xAgente);
    folha(no, "fone=", avulsa.fone);
    folha(no, "UF=", avulsa.UF);
    folha(no, "nDAR=", avulsa.nDAR);
    folhaData(no, "dEmi=", avulsa.dEmi);
    folha(no, "vDAR=", avulsa.vDAR);
    folha(no, "repEmi=", avulsa.repEmi);
    folhaData(no, "dPag=", avulsa.dPag);
}

void ramoDestinatario(NoArvore &raiz, const TDest &dest)
{
    NoArvore &no = grupo(raiz, "Dest");
    folha(no, "CNPJCPF= ", dest.CNPJCPF);
    folha(no, "IE=", dest.IE);
    folha(no, "ISUF=", dest.ISUF);
    folha(no, "xNome=", dest.xNome);
    folha(no, "email=", dest.email);
    ramoEndereco(grupo(no, "EnderDest"), dest.enderDest);
}

void ramoTotal(NoArvore &raiz, const TTotal &total)
{
    NoArvore &no = grupo(raiz, "Total");
    const TICMSTot &icms = total.ICMSTot;
    NoArvore &tot = grupo(no, "ICMSTot");
    folha(tot, "vBC=", icms.vBC);
    folha(tot, "vICMS=", icms.vICMS);
    folha(tot, "vBCST=", icms.vBCST);
    folha(tot, "vST=", icms.vST);
    folha(tot, "vProd=", icms.vProd);
    folha(tot, "vFrete=", icms.vFrete);
    folha(tot, "vSeg=", icms.vSeg);
    folha(tot, "vDesc=", icms.vDesc);
    folha(tot, "vII=", icms.vII);
    folha(tot, "vIPI=", icms.vIPI);
    folha(tot, "vPIS=", icms.vPIS);
    folha(tot, "vCOFINS=", icms.vCOFINS);
    folha(tot, "vOutro=", icms.vOutro);
    folha(tot, "vNF=", icms.vNF);
    folha(tot, "vFCPUFDest=", icms.vFCPUFDest);
    folha(tot, "vICMSUFDest=", icms.vICMSUFDest);
    folha(tot, "vICMSUFRemet=", icms.vICMSUFRemet);
    const TISSQNtot &iss = total.ISSQNtot;
    if (positivo(iss.vServ)) {
        NoArvore &issqn = grupo(no, "ISSQNtot");
        folha(issqn, "vServ=", iss.vServ);
        folha(issqn, "vBC=", iss.vBC);
        folha(issqn, "vISS=", iss.vISS);
        folha(issqn, "vPIS=", iss.vPIS);
        folha(issqn, "vCOFINS=", iss.vCOFINS);
    }
    const TretTrib &ret = total.retTrib;
    NoArvore &retTrib = grupo(no, "retTrib");
    folha(retTrib, "vRetPIS=", ret.vRetPIS);
    folha(retTrib, "vRetCOFINS=", ret.vRetCOFINS);
    folha(retTrib, "vRetCSLL=", ret.vRetCSLL);
    folha(retTrib, "vBCIRRF=", ret.vBCIRRF);
    folha(retTrib, "vIRRF=", ret.vIRRF);
    folha(retTrib, "vBCRetPrev=", ret.vBCRetPrev);
    folha(retTrib, "vRetPrev=", ret.vRetPrev);
}

void ramoVeiculo(NoArvore &no, const TVeiculoNFe &veiculo)
{
    folha(no, "placa=", veiculo.placa);
    folha(no, "UF=", veiculo.UF);
    folha(no, "RNTC=", veiculo.RNTC);
}

void ramoVolumes(NoArvore &transp, const TVolCollection &volumes)
{
    for (int v = 0; v < volumes.count(); ++v) {
        const TVolCollectionItem &vol = volumes[v];
        NoArvore &no = grupo(transp, numerado("Volume", v + 1));
        folha(no, "qVol=", vol.qVol);
        folha(no, "esp=", vol.esp);
        folha(no, "marca=", vol.marca);
        folha(no, "nVol=", vol.nVol);
        folha(no, "pesoL=", vol.pesoL);
        folha(no, "pesoB=", vol.pesoB);
        NoArvore *pai = &no;
        for (int l = 0; l < vol.lacres.count(); ++l) {
            NoArvore &lacre = grupo(*pai, numerado(numerado("Lacre", v + 1), l + 1));
            folha(lacre, "nLacre=", vol.lacres[l].nLacre);
            pai = &lacre;
        }
    }
}

void ramoTransporte(NoArvore &raiz, const TTransp &transp)
{
    NoArvore &no = grupo(raiz, "Transp");
    const TTransporta &transporta = transp.transporta;
    NoArvore &carrier = grupo(no, "Transporta");
    folha(carrier, "modFrete=", ContratacaoFreteParaCodigo(transp.modFrete));
    folha(carrier, "CNPJCPF=", transporta.CNPJCPF);
    folha(carrier, "xNome=", transporta.xNome);
    folha(carrier, "IE=", transporta.IE);
    folha(carrier, "xEnder=", transporta.xEnder);
    folha(carrier, "xMun=", transporta.xMun);
    folha(carrier, "UF=", transporta.UF);
    const TretTransp &ret = transp.retTransp;
    NoArvore &retTransp = grupo(no, "retTransp");
    folha(retTransp, "vServ=", ret.vServ);
    folha(retTransp, "vBCRet=", ret.vBCRet);
    folha(retTransp, "pICMSRet=", ret.pICMSRet);
    folha(retTransp, "vICMSRet=", ret.vICMSRet);
    folha(retTransp, "CFOP=", ret.CFOP);
    folha(retTransp, "cMunFG=", ret.cMunFG);
    ramoVeiculo(grupo(no, "veicTransp"), transp.veicTransp);
    for (int i = 0; i < transp.reboque.count(); ++i)
        ramoVeiculo(grupo(no, numerado("Reboque", i + 1)), transp.reboque[i]);
    ramoVolumes(no, transp.vol);
}

void ramoCobranca(NoArvore &raiz, const TCobr &cobr)
{
    NoArvore &no = grupo(raiz, "Cobr");
    NoArvore &fat = grupo(no, "Fat");
    folha(fat, "nFat=", cobr.fat.nFat);
    folha(fat, "vOrig=", cobr.fat.vOrig);
    folha(fat, "vDesc=", cobr.fat.vDesc);
    folha(fat, "vLiq=", cobr.fat.vLiq);
    for (int i = 0; i < cobr.dup.count(); ++i) {
        const TDupCollectionItem &dup = cobr.dup[i];
        NoArvore &duplicata = grupo(no, numerado("Duplicata", i + 1));
        folha(duplicata, "nDup=", dup.nDup);
        folhaData(duplicata, "dVenc=", dup.dVenc);
        folha(duplicata, "vDup=", dup.vDup);
    }
}

template <typename Lista> void ramoObservacoes(NoArvore &no, std::string_view prefixo, const Lista &lista)
{
    for (int i = 0; i < lista.count(); ++i) {
        NoArvore &obs = grupo(no, numerado(prefixo, i + 1));
        folha(obs, "xCampo=", lista[i].xCampo);
        folha(obs, "xTexto=", lista[i].xTexto);
    }
}

void ramoInformacoes(NoArvore &raiz, const TInfAdic &inf)
{
    NoArvore &no = grupo(raiz, "InfAdic");
    folha(no, "infCpl=", inf.infCpl);
    folha(no, "infAdFisco=", inf.infAdFisco);
    ramoObservacoes(no, "obsCont", inf.obsCont);
    ramoObservacoes(no, "obsFisco", inf.obsFisco);
    for (int i = 0; i < inf.procRef.count(); ++i) {
        NoArvore &proc = grupo(no, numerado("procRef", i + 1));
        folha(proc, "nProc=", inf.procRef[i].nProc);
        folha(proc, "indProc=", OrigemProcessoParaCodigo(inf.procRef[i].indProc));
    }
}

void ramoExportaCompra(NoArvore &raiz, const TNFe &nfe)
{
    if (!nfe.exporta.UFEmbarq.empty()) {
        NoArvore &no = grupo(raiz, "exporta");
        folha(no, "UFembarq=", nfe.exporta.UFEmbarq);
        folha(no, "xLocEmbarq=", nfe.exporta.xLocEmbarq);
    }
    if (!nfe.compra.xNEmp.empty()) {
        NoArvore &no = grupo(raiz, "compra");
        folha(no, "xNEmp=", nfe.compra.xNEmp);
        folha(no, "xPed=", nfe.compra.xPed);
        folha(no, "xCont=", nfe.compra.xCont);
    }
}

} // namespace

NoArvore ArvoreNFe(const TNFe &nfe)
{
    NoArvore raiz{nfe.infNFe.Id, {}};
    folha(raiz, "ID= ", nfe.infNFe.Id);
    ramoProtocolo(raiz, nfe.procNFe);
    ramoIdentificacao(raiz, nfe.ide);
    ramoEmitente(raiz, nfe.emit);
    ramoAvulsa(raiz, nfe.avulsa);
    ramoDestinatario(raiz, nfe.dest);
    for (int i = 0; i < nfe.det.count(); ++i)
        ramoProduto(raiz, nfe.det[i], i + 1);
    ramoTotal(raiz, nfe.total);
    ramoTransporte(raiz, nfe.transp);
    ramoCobranca(raiz, nfe.cobr);
    ramoInformacoes(raiz, nfe.infAdic);
    ramoExportaCompra(raiz, nfe);
    return raiz;
}
