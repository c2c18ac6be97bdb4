// TNFeR: identification with the referenced documents, emitter, issuing tax
// office, recipient, pick-up and delivery places, persons authorised to fetch
// the XML.
#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/text/text_utils.h"
#include "nfe/document/detail/nfe_reader_fields.h"
#include "nfe/document/detail/nfe_reader_sections.h"
#include "nfe/document/detail/nfe_reader_walk.h"

namespace nfe_reader {

namespace {

// The numeric code of a key read as 0 (or absent) is kept as -2, which the
// key builder writes as eight zeros instead of drawing a new code.
constexpr int kCodigoNumericoZerado = -2;

// Every element is searched in the whole `NFref` item; the inner groups are
// not extracted.
void lerNFref(const CamposNFe &c, TNFrefCollectionItem &ref)
{
    ref.refNFe = c.digitos("refNFe");
    ref.refNFeSig = c.digitos("refNFeSig");
    if (!trimText(c.digitos("refNF")).empty()) {
        ref.refNF.cUF = c.inteiro("cUF");
        ref.refNF.AAMM = c.digitos("AAMM");
        ref.refNF.CNPJ = c.digitos("CNPJ");
        ref.refNF.mod = c.inteiro("mod");
        ref.refNF.serie = c.inteiro("serie");
        ref.refNF.nNF = c.inteiro("nNF");
    }
    if (!trimText(c.digitos("refNFP")).empty()) {
        ref.refNFP.cUF = c.inteiro("cUF");
        ref.refNFP.AAMM = c.digitos("AAMM");
        ref.refNFP.CNPJCPF = c.cnpjCpf();
        ref.refNFP.IE = c.digitos("IE");
        ref.refNFP.mod = c.inteiroComoTexto("mod"); // 04 becomes 4; the writer pads it back
        ref.refNFP.serie = c.inteiro("serie");
        ref.refNFP.nNF = c.inteiro("nNF");
    }
    ref.refCTe = c.digitos("refCTe");
    // Read in every item: the `mod` of a paper or producer's note matches no
    // fiscal-printer model and gives the empty value.
    ref.refECF.mod = c.codigo(CodigoParaModeloECF, "mod");
    ref.refECF.nECF = c.texto("nECF");
    ref.refECF.nCOO = c.texto("nCOO");
}

void lerEndereco(const CamposNFe &c, TEnderecoNFe &endereco)
{
    endereco.xLgr = c.texto("xLgr");
    endereco.nro = c.texto("nro");
    endereco.xCpl = c.texto("xCpl");
    endereco.xBairro = c.texto("xBairro");
    endereco.cMun = c.inteiro("cMun");
    endereco.xMun = c.texto("xMun");
    endereco.UF = c.texto("UF");
    endereco.CEP = c.inteiro("CEP");
    endereco.cPais = c.inteiro("cPais");
    if (endereco.cPais == 0)
        endereco.cPais = kCodigoPaisBrasil;
    endereco.xPais = c.texto("xPais");
    if (endereco.xPais.empty())
        endereco.xPais = kNomePaisBrasil;
    endereco.fone = c.texto("fone");
}

// Pick-up and delivery places: no country default.
void lerLocal(const CamposNFe &c, TLocalNFe &local)
{
    local.CNPJCPF = c.cnpjCpf();
    local.xNome = c.texto("xNome");
    local.xLgr = c.texto("xLgr");
    local.nro = c.texto("nro");
    local.xCpl = c.texto("xCpl");
    local.xBairro = c.texto("xBairro");
    local.cMun = c.inteiro("cMun");
    local.xMun = c.texto("xMun");
    local.UF = c.texto("UF");
    local.CEP = c.inteiro("CEP");
    local.cPais = c.inteiro("cPais");
    local.xPais = c.texto("xPais");
    local.fone = c.texto("fone");
    local.email = c.texto("email");
    local.IE = c.texto("IE");
}

} // namespace

void lerIde(LeitorNFe &leitor, TNFe &nfe, double versao)
{
    if (!extraiGrupo(leitor, 1, "ide"))
        return;
    const CamposNFe c(leitor.xml());
    TIde &ide = nfe.ide;
    ide.cUF = c.inteiro("cUF");
    ide.cNF = c.inteiro("cNF");
    if (ide.cNF == 0)
        ide.cNF = kCodigoNumericoZerado;
    ide.natOp = c.texto("natOp");
    ide.indPag = c.codigo(CodigoParaIndFormaPagamento, "indPag");
    ide.mod = c.inteiro("mod");
    ide.serie = c.inteiro("serie");
    ide.nNF = c.inteiro("nNF");
    if (versao >= 3) {
        ide.dEmi = c.dataHora("dhEmi", ide.dEmiFuso);
        ide.dSaiEnt = c.dataHora("dhSaiEnt", ide.dSaiEntFuso);
    } else {
        ide.dEmi = c.data("dEmi");
        ide.dSaiEnt = c.data("dSaiEnt");
        ide.hSaiEnt = c.hora("hSaiEnt");
    }
    ide.tpNF = c.codigo(CodigoParaTipoDocFiscal, "tpNF");
    if (versao >= 3)
        ide.idDest = c.codigo(CodigoParaLocalDestino, "idDest");
    ide.cMunFG = c.inteiro("cMunFG");
    ide.tpImp = c.codigo(CodigoParaTipoImpressao, "tpImp");
    ide.tpEmis = c.codigo(CodigoParaTipoEmissao, "tpEmis");
    ide.cDV = c.inteiro("cDV");
    ide.tpAmb = c.codigo(CodigoParaTipoAmbiente, "tpAmb");
    ide.finNFe = c.codigo(CodigoParaFinalidadeEmissao, "finNFe");
    if (versao >= 3) {
        ide.indFinal = c.codigo(CodigoParaIndConsumidorFinal, "indFinal");
        ide.indPres = c.codigo(CodigoParaIndPresenca, "indPres");
    }
    if (versao >= 4)
        ide.indIntermed = c.codigo(CodigoParaIntermediacao, "indIntermed");
    ide.procEmi = c.codigo(CodigoParaProcEmissao, "procEmi");
    ide.verProc = c.texto("verProc");
    ide.dhCont = c.dataHora("dhCont", ide.dhContFuso);
    ide.xJust = c.texto("xJust");

    extraiGrupo(leitor, 1, "ide");
    lerLista(leitor, ide.NFref, 2, "NFref", [&](TNFrefCollectionItem &ref) { lerNFref(c, ref); });
}

void lerEmit(LeitorNFe &leitor, TNFe &nfe)
{
    const CamposNFe c(leitor.xml());
    TEmit &emit = nfe.emit;
    if (extraiGrupo(leitor, 1, "emit")) {
        emit.CNPJCPF = c.cnpjCpf();
        emit.xNome = c.texto("xNome");
        emit.xFant = c.texto("xFant");
        emit.IE = c.texto("IE");
        emit.IEST = c.texto("IEST");
        emit.IM = c.texto("IM");
        emit.CNAE = c.texto("CNAE");
        emit.CRT = c.codigo(CodigoParaRegimeTributario, "CRT");
    }
    if (extraiGrupo(leitor, 1, "emit") && extraiGrupo(leitor, 2, "enderEmit"))
        lerEndereco(c, emit.enderEmit);
}

void lerAvulsa(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "avulsa"))
        return;
    const CamposNFe c(leitor.xml());
    TAvulsa &avulsa = nfe.avulsa;
    avulsa.CNPJ = c.texto("CNPJ");
    avulsa.xOrgao = c.texto("xOrgao");
    avulsa.matr = c.texto("matr");
    avulsa.xAgente = c.texto("xAgente");
    avulsa.fone = c.texto("fone");
    avulsa.UF = c.texto("UF");
    avulsa.nDAR = c.texto("nDAR");
    avulsa.dEmi = c.data("dEmi");
    avulsa.vDAR = c.decimal(vcDecimal2, "vDAR");
    avulsa.repEmi = c.texto("repEmi");
    avulsa.dPag = c.data("dPag");
}

void lerDest(LeitorNFe &leitor, TNFe &nfe, double versao)
{
    const CamposNFe c(leitor.xml());
    TDest &dest = nfe.dest;
    if (extraiGrupo(leitor, 1, "dest")) {
        dest.CNPJCPF = c.cnpjCpf();
        if (versao >= 3)
            dest.idEstrangeiro = c.texto("idEstrangeiro");
        dest.xNome = c.texto("xNome");
        if (versao >= 3)
            dest.indIEDest = c.codigo(CodigoParaIndIEDestinatario, "indIEDest");
        dest.IE = c.texto("IE");
        dest.ISUF = c.texto("ISUF");
        if (versao >= 3)
            dest.IM = c.texto("IM");
        dest.email = c.texto("email");
    } else {
        dest.indIEDest = iie9;
    }
    if (extraiGrupo(leitor, 1, "dest") && extraiGrupo(leitor, 2, "enderDest"))
        lerEndereco(c, dest.enderDest);
}

void lerRetiradaEntrega(LeitorNFe &leitor, TNFe &nfe)
{
    const CamposNFe c(leitor.xml());
    if (extraiGrupo(leitor, 1, "retirada"))
        lerLocal(c, nfe.retirada);
    if (extraiGrupo(leitor, 1, "entrega"))
        lerLocal(c, nfe.entrega);
}

void lerAutXML(LeitorNFe &leitor, TNFe &nfe)
{
    const CamposNFe c(leitor.xml());
    lerLista(leitor, nfe.autXML, 1, "autXML", [&](TautXMLCollectionItem &aut) { aut.CNPJCPF = c.cnpjCpf(); });
}

} // namespace nfe_reader
