// TNFeR: the items (`det`): the walk over the items and the product with its
// specific groups.
#include <string>
#include <string_view>
#include <variant>

#include "foundation/codes/conversao_itens.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/xml/valor_campo.h"
#include "nfe/document/detail/nfe_reader_fields.h"
#include "nfe/document/detail/nfe_reader_sections.h"
#include "nfe/document/detail/nfe_reader_walk.h"

namespace nfe_reader {

namespace {

constexpr std::string_view kInicioDoItem = "<det nItem=";
constexpr std::string_view kFimDoItem = "</det>";

// The text from the first item up to the first `<total`; empty when either is
// missing or the total comes first.
std::string_view secaoDosItens(std::string_view texto)
{
    const std::size_t inicio = texto.find(kInicioDoItem);
    const std::size_t fim = texto.find("<total");
    if (inicio == std::string_view::npos || fim == std::string_view::npos || fim < inicio)
        return {};
    return texto.substr(inicio, fim - inicio);
}

// The text without its CR LF pairs.
std::string semQuebras(std::string_view texto)
{
    std::string resultado;
    resultado.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n')
            ++i;
        else
            resultado += texto[i];
    }
    return resultado;
}

// The next item of the section: from its `<det nItem=` through the first
// `</det>` after it (the rest of the section when that is missing). `resto`
// moves past it; empty when no item is left.
std::string_view proximoItem(std::string_view &resto)
{
    const std::size_t inicio = resto.find(kInicioDoItem);
    if (inicio == std::string_view::npos) {
        resto = {};
        return {};
    }
    const std::size_t fim = resto.find(kFimDoItem, inicio);
    const std::size_t tamanho =
        fim == std::string_view::npos ? resto.size() - inicio : fim + kFimDoItem.size() - inicio;
    const std::string_view item = resto.substr(inicio, tamanho);
    resto.remove_prefix(inicio + tamanho);
    return item;
}

// The number in the item's `nItem` attribute: the characters after `nItem=`
// and its opening quote, up to the document's quote character.
int numeroDoItem(std::string_view item, char aspas)
{
    constexpr std::string_view kAtributo = "nItem=";
    const std::size_t atributo = item.find(kAtributo);
    std::string_view texto;
    const std::size_t inicio = atributo + kAtributo.size() + 1;
    if (atributo != std::string_view::npos && inicio <= item.size()) {
        const std::size_t fim = item.find(aspas, inicio);
        if (fim != std::string_view::npos)
            texto = item.substr(inicio, fim - inicio);
    }
    return inteiroObrigatorio(texto, "det/nItem");
}

void lerProd(const CamposNFe &c, TProd &prod, double versao)
{
    prod.cProd = c.texto("cProd");
    prod.cEAN = c.texto("cEAN");
    prod.cBarra = c.texto("cBarra");
    prod.xProd = c.texto("xProd");
    prod.NCM = c.texto("NCM");
    prod.CEST = c.texto("CEST");
    if (versao >= 4) {
        prod.indEscala = c.codigo(CodigoParaEscalaProducao, "indEscala");
        prod.CNPJFab = c.texto("CNPJFab");
        prod.cBenef = c.texto("cBenef");
    }
    prod.EXTIPI = c.texto("EXTIPI");
    prod.SetCFOP(c.digitos("CFOP"));
    prod.uCom = c.texto("uCom");
    prod.qCom = c.decimal(vcDecimal4, "qCom");
    prod.vUnCom = c.real(vcDecimal10, "vUnCom");
    prod.vProd = c.decimal(vcDecimal2, "vProd");
    prod.cEANTrib = c.texto("cEANTrib");
    prod.cBarraTrib = c.texto("cBarraTrib");
    prod.uTrib = c.texto("uTrib");
    prod.qTrib = c.decimal(vcDecimal4, "qTrib");
    prod.vUnTrib = c.real(vcDecimal10, "vUnTrib");
    prod.vFrete = c.decimal(vcDecimal2, "vFrete");
    prod.vSeg = c.decimal(vcDecimal2, "vSeg");
    prod.vDesc = c.decimal(vcDecimal2, "vDesc");
    prod.vOutro = c.decimal(vcDecimal2, "vOutro");
    // Read as a number: "1", "1.0" and "1.00" all count; absent reads 0.
    prod.indTot = CodigoParaIndSomaTotal(textoDoValor(TValorCampo(c.real(vcDecimal2, "indTot"))));
    prod.xPed = c.texto("xPed");
    prod.nItemPed = c.texto("nItemPed");
    prod.nRECOPI = c.texto("nRECOPI");
    prod.nFCI = c.texto("nFCI");
}

void lerDI(LeitorNFe &leitor, const CamposNFe &c, TDICollectionItem &di)
{
    di.nDI = c.texto("nDI");
    di.dDI = c.data("dDI");
    di.xLocDesemb = c.texto("xLocDesemb");
    di.UFDesemb = c.texto("UFDesemb");
    di.dDesemb = c.data("dDesemb");
    di.tpViaTransp = CodigoParaViaTransporteInternacional(c.inteiroComoTexto("tpViaTransp"));
    di.vAFRMM = c.decimal(vcDecimal2, "vAFRMM");
    di.tpIntermedio = CodigoParaFormaImportacao(c.inteiroComoTexto("tpIntermedio"));
    di.CNPJ = c.cnpjCpf();
    di.UFTerceiro = c.texto("UFTerceiro");
    di.cExportador = c.texto("cExportador");
    lerLista(leitor, di.adi, 4, "adi", [&](TAdiCollectionItem &adi) {
        adi.nAdicao = c.inteiro("nAdicao");
        adi.nSeqAdic = c.inteiro("nSeqAdic");
        adi.cFabricante = c.texto("cFabricante");
        adi.vDescDI = c.decimal(vcDecimal2, "vDescDI");
        adi.nDraw = c.texto("nDraw");
    });
}

void lerVeicProd(const CamposNFe &c, TveicProd &v)
{
    v.tpOp = c.codigo(CodigoParaTipoOperacaoVeiculo, "tpOp");
    v.chassi = c.texto("chassi");
    v.cCor = c.texto("cCor");
    v.xCor = c.texto("xCor");
    v.pot = c.texto("pot");
    v.cilin = c.texto("cilin");
    v.pesoL = c.texto("pesoL");
    v.pesoB = c.texto("pesoB");
    v.nSerie = c.texto("nSerie");
    v.tpComb = c.texto("tpComb");
    v.nMotor = c.texto("nMotor");
    v.CMT = c.texto("CMT");
    v.dist = c.texto("dist");
    v.anoMod = c.inteiro("anoMod");
    v.anoFab = c.inteiro("anoFab");
    v.tpPint = c.texto("tpPint");
    v.tpVeic = c.inteiro("tpVeic");
    v.espVeic = c.inteiro("espVeic");
    v.VIN = c.texto("VIN");
    v.condVeic = c.codigo(CodigoParaEstadoVeiculo, "condVeic");
    v.cMod = c.texto("cMod");
    v.cCorDENATRAN = c.texto("cCorDENATRAN");
    v.lota = c.inteiro("lota");
    v.tpRest = c.inteiro("tpRest");
}

void lerComb(LeitorNFe &leitor, const CamposNFe &c, TComb &comb)
{
    comb.cProdANP = c.inteiro("cProdANP");
    comb.pMixGN = c.decimal(vcDecimal4, "pMixGN");
    comb.descANP = c.texto("descANP");
    comb.pGLP = c.decimal(vcDecimal4, "pGLP");
    comb.pGNn = c.decimal(vcDecimal4, "pGNn");
    comb.pGNi = c.decimal(vcDecimal4, "pGNi");
    comb.vPart = c.decimal(vcDecimal2, "vPart");
    comb.CODIF = c.digitos("CODIF");
    comb.qTemp = c.decimal(vcDecimal4, "qTemp");
    comb.UFCons = c.texto("UFCons");
    // Element names compare without regard to case: this is the same first
    // UFCons of the group until an ICMSCons group replaces it below.
    comb.ICMSCons.UFCons = c.texto("UFcons");
    comb.pBio = c.decimal(vcDecimal4, "pBio");

    lerLista(leitor, comb.origComb, 4, "origComb", [&](TorigCombCollectionItem &orig) {
        orig.indImport = c.codigo(CodigoParaOrigemCombustivel, "indImport");
        orig.cUFOrig = c.inteiro("cUFOrig");
        orig.pOrig = c.decimal(vcDecimal4, "pOrig");
    });
    if (extraiGrupo(leitor, 4, "CIDE")) {
        comb.CIDE.qBCProd = c.decimal(vcDecimal4, "qBCProd");
        comb.CIDE.vAliqProd = c.decimal(vcDecimal4, "vAliqProd");
        comb.CIDE.vCIDE = c.decimal(vcDecimal2, "vCIDE");
    }
    if (extraiGrupo(leitor, 4, "encerrante")) {
        comb.encerrante.nBico = c.inteiro("nBico");
        comb.encerrante.nBomba = c.inteiro("nBomba");
        comb.encerrante.nTanque = c.inteiro("nTanque");
        comb.encerrante.vEncIni = c.decimal(vcDecimal3, "vEncIni");
        comb.encerrante.vEncFin = c.decimal(vcDecimal3, "vEncFin");
    }
    if (extraiGrupo(leitor, 4, "ICMSComb")) {
        comb.ICMSComb.vBCICMS = c.decimal(vcDecimal2, "vBCICMS");
        comb.ICMSComb.vICMS = c.decimal(vcDecimal2, "vICMS");
        comb.ICMSComb.vBCICMSST = c.decimal(vcDecimal2, "vBCICMSST");
        comb.ICMSComb.vICMSST = c.decimal(vcDecimal2, "vICMSST");
    }
    if (extraiGrupo(leitor, 4, "ICMSInter")) {
        comb.ICMSInter.vBCICMSSTDest = c.decimal(vcDecimal2, "vBCICMSSTDest");
        comb.ICMSInter.vICMSSTDest = c.decimal(vcDecimal2, "vICMSSTDest");
    }
    if (extraiGrupo(leitor, 4, "ICMSCons")) {
        comb.ICMSCons.vBCICMSSTCons = c.decimal(vcDecimal2, "vBCICMSSTCons");
        comb.ICMSCons.vICMSSTCons = c.decimal(vcDecimal2, "vICMSSTCons");
        comb.ICMSCons.UFCons = c.texto("UFCons");
    }
}

// The lists and groups inside `prod` (level 2).
void lerGruposDoProduto(LeitorNFe &leitor, const CamposNFe &c, TProd &prod)
{
    lerLista(leitor, prod.NVE, 3, "NVE", [&](TNVECollectionItem &nve) { nve.NVE = c.texto("NVE"); });
    lerLista(leitor, prod.DI, 3, "DI", [&](TDICollectionItem &di) { lerDI(leitor, c, di); });
    lerLista(leitor, prod.detExport, 3, "detExport", [&](TdetExportCollectionItem &exp) {
        exp.nDraw = c.texto("nDraw");
        // Read even when absent: its fields then read as empty.
        leitor.extrai(4, "exportInd");
        exp.nRE = c.texto("nRE");
        exp.chNFe = c.texto("chNFe");
        exp.qExport = c.decimal(vcDecimal4, "qExport");
    });
    lerLista(leitor, prod.rastro, 3, "rastro", [&](TRastroCollectionItem &rastro) {
        rastro.nLote = c.texto("nLote");
        rastro.qLote = c.decimal(vcDecimal3, "qLote");
        rastro.dFab = c.data("dFab");
        rastro.dVal = c.data("dVal");
        rastro.cAgreg = c.texto("cAgreg");
    });
    if (extraiGrupo(leitor, 3, "veicProd"))
        lerVeicProd(c, prod.veicProd);
    lerLista(leitor, prod.med, 3, "med", [&](TmedCollectionItem &med) {
        med.cProdANVISA = c.texto("cProdANVISA");
        med.xMotivoIsencao = c.texto("xMotivoIsencao");
        med.nLote = c.texto("nLote");
        med.qLote = c.decimal(vcDecimal3, "qLote");
        med.dFab = c.data("dFab");
        med.dVal = c.data("dVal");
        med.vPMC = c.decimal(vcDecimal2, "vPMC");
    });
    lerLista(leitor, prod.arma, 3, "arma", [&](TarmaCollectionItem &arma) {
        arma.tpArma = c.codigo(CodigoParaClasseArma, "tpArma");
        arma.nSerie = c.texto("nSerie");
        arma.nCano = c.texto("nCano");
        arma.descr = c.texto("descr");
    });
    if (extraiGrupo(leitor, 3, "comb"))
        lerComb(leitor, c, prod.comb);
}

// One item, with its `det` element as the whole text (level 0). A group that
// is absent reads as empty: nothing of another item or group is taken in its
// place.
void lerItem(LeitorNFe &leitor, const TNFe &nfe, TDetCollectionItem &item, int numero, char aspas)
{
    const CamposNFe c(leitor.xml());
    const std::string aspa(1, aspas);
    const bool temDet =
        !leitor.xml().ExtraiGrupo(1, "det nItem=" + aspa + std::to_string(numero) + aspa, "det").empty();
    item.infAdProd = c.texto("infAdProd");

    const bool temProd = temDet && extraiGrupo(leitor, 2, "prod");
    if (!temProd)
        leitor.xml().setGrupo({});
    lerProd(c, item.prod, nfe.infNFe.VersaoOuPadrao());
    if (temProd)
        lerGruposDoProduto(leitor, c, item.prod);

    lerTributosDoItem(leitor, nfe, item, temDet);
}

} // namespace

void lerItens(LeitorNFe &leitor, TNFe &nfe, char aspas)
{
    const GruposPresentes presentesNoDocumento = leitor.presentes();
    nfe.det.clear();

    // The items are read without their CR LF pairs: from the document itself
    // when it has none there, else from a copy of the section without them.
    std::string documento;
    std::string_view secao = secaoDosItens(leitor.xml().Arquivo());
    if (secao.find("\r\n") != std::string_view::npos) {
        std::string itens = semQuebras(secao);
        documento = leitor.xml().Arquivo();
        leitor.setArquivo(std::move(itens));
        secao = leitor.xml().Arquivo();
    }

    // Each item is read from a range that holds it alone; the walk goes on
    // from the end of the previous item, so it is linear in the section.
    const std::string_view texto = leitor.xml().Arquivo();
    std::string_view resto = secao;
    for (std::string_view item = proximoItem(resto); !item.empty(); item = proximoItem(resto)) {
        leitor.setTrecho(static_cast<std::size_t>(item.data() - texto.data()), item.size(),
                         GruposPresentes(item));
        try {
            const int numero = numeroDoItem(item, aspas);
            TDetCollectionItem &det = nfe.det.NovoItem();
            det.prod.nItem = numero;
            lerItem(leitor, nfe, det, numero, aspas);
        } catch (...) {
            // The reader is left holding the item that could not be read.
            leitor.setArquivo(std::string(item));
            throw;
        }
    }
    if (documento.empty())
        leitor.setTrecho(0, texto.size(), presentesNoDocumento);
    else
        leitor.setArquivo(std::move(documento), presentesNoDocumento);
}

} // namespace nfe_reader
