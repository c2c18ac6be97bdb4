// Reading of the four kinds of distributed document.
#include <utility>

#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/services/detail/campos_resposta.h"
#include "nfe/services/detail/documentos_distribuidos.h"

namespace nfe_services {

namespace {

constexpr std::string_view kDeclaracaoUTF8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

// The document's main element behind the UTF-8 declaration.
std::string comDeclaracao(std::string_view elemento)
{
    return IncluiDeclaracaoFaltante(elemento, kDeclaracaoUTF8);
}

// Reads the fields of one document with its own reader.
class LeitorDocumento {
  public:
    LeitorDocumento(std::string documento, std::string_view sufixoTag, TdocZipCollectionItem &item)
        : sufixo_(sufixoTag), item_(item), campos_(leitor_)
    {
        leitor_.setArquivo(std::move(documento));
    }

    void leResumoDaNota();
    void leResumoDoEvento();
    void leNotaProcessada();
    void leEventoProcessado();

  private:
    // The element's text at level 1 (and the current group); empty when absent.
    std::string extrai(std::string_view elemento) { return leitor_.ExtraiGrupo(1, elemento); }
    // Entity-decoded once, the document being UTF-8.
    std::string textoDecodificado(std::string_view tag) const
    {
        return ConverteEntidades(leitor_.ConteudoDoCampo(tag), true, true);
    }
    TpcnTipoEvento tipoEvento() const
    {
        bool ok = false;
        return CodigoParaTipoEventoDoc(campos_.texto("tpEvento"), sufixo_, ok);
    }
    void leDetalheDoEvento();
    void leRespostaDoEvento();

    TLeitor leitor_;
    std::string sufixo_;
    TdocZipCollectionItem &item_;
    CamposResposta campos_;
};

void LeitorDocumento::leResumoDaNota()
{
    const std::string elemento = extrai("res" + sufixo_);
    if (elemento.empty())
        return;
    item_.DocumentoXML = comDeclaracao(elemento);
    TresDFe &res = item_.resDFe;
    res.ChaveAcesso = campos_.texto("ch" + sufixo_);
    res.CNPJCPF = campos_.cnpjCpf();
    res.xNome = textoDecodificado("xNome");
    res.IE = campos_.texto("IE");
    res.dhEmi = campos_.dataHora("dhEmi");
    res.tpNF = CodigoParaTipoDocFiscal(campos_.texto("tpNF"));
    res.vNF = campos_.decimal("vNF");
    res.digVal = campos_.texto("digVal");
    res.dhRecbto = campos_.dataHora("dhRecbto");
    res.nProt = campos_.texto("nProt");
    res.cSitNFe = CodigoParaSituacaoResumoDFe(campos_.texto("cSitNFe"));
}

void LeitorDocumento::leResumoDoEvento()
{
    const std::string elemento = extrai("resEvento");
    if (elemento.empty())
        return;
    item_.DocumentoXML = comDeclaracao(elemento);
    TresEvento &res = item_.resEvento;
    res.cOrgao = campos_.inteiro("cOrgao");
    res.CNPJCPF = campos_.cnpjCpf();
    res.ChaveAcesso = campos_.texto("ch" + sufixo_);
    res.dhEvento = campos_.dataHora("dhEvento");
    res.tpEvento = tipoEvento();
    res.nSeqEvento = static_cast<std::uint8_t>(campos_.inteiro("nSeqEvento"));
    res.xEvento = textoDecodificado("xEvento");
    res.dhRecbto = campos_.dataHora("dhRecbto");
    res.nProt = campos_.texto("nProt");
}

void LeitorDocumento::leNotaProcessada()
{
    const std::string minusculo = lowerAscii(sufixo_);
    std::string elemento;
    for (const std::string &nome : {minusculo + "Proc", minusculo + "OSProc", std::string("GTVeProc")}) {
        elemento = extrai(nome);
        if (!elemento.empty())
            break;
    }
    if (elemento.empty())
        return;
    item_.DocumentoXML = comDeclaracao(elemento);
    TresDFe &res = item_.resDFe;

    const std::string infDocumento =
        leitor_.ExtraiGrupo(2, sufixo_ == "CTe" ? std::string("infCte") : "inf" + sufixo_);
    if (!infDocumento.empty()) {
        // The key: the 44 characters after Id=" and the document name.
        const std::string marca = "Id=\"" + sufixo_;
        const std::size_t posicao = infDocumento.find(marca);
        if (posicao != std::string::npos)
            res.ChaveAcesso = infDocumento.substr(posicao + marca.size(), 44);
        if (!leitor_.ExtraiGrupo(3, "emit").empty()) {
            res.CNPJCPF = campos_.cnpjCpf();
            res.xNome = textoDecodificado("xNome");
            res.IE = campos_.texto("IE");
        }
        // Each level-3 group is taken from the same level-2 text.
        if (!leitor_.ExtraiGrupo(3, "ide").empty()) {
            res.dhEmi = campos_.dataHora("dhEmi");
            if (res.dhEmi == 0)
                res.dhEmi = campos_.data("dEmi");
            res.tpNF = CodigoParaTipoDocFiscal(campos_.texto("tpNF"));
        }
        if (!leitor_.ExtraiGrupo(3, "total").empty())
            res.vNF = campos_.decimal("vNF");
        if (res.vNF == Decimal()) {
            if (!leitor_.ExtraiGrupo(3, "vPrest").empty())
                res.vNF = campos_.decimal("vTPrest");
        }
    }
    if (!leitor_.ExtraiGrupo(2, "infProt").empty()) {
        res.digVal = campos_.texto("digVal");
        res.dhRecbto = campos_.dataHora("dhRecbto");
        res.nProt = campos_.texto("nProt");
        switch (campos_.inteiro("cStat")) {
        case 100:
            res.cSitNFe = srd1;
            break;
        case 110:
            res.cSitNFe = srd2;
            break;
        case 101:
            res.cSitNFe = srd3;
            break;
        case 132:
            res.cSitNFe = srd4;
            break;
        default:
            break;
        }
    }
}

void LeitorDocumento::leEventoProcessado()
{
    const std::string elemento = extrai("procEvento" + sufixo_);
    if (elemento.empty())
        return;
    item_.DocumentoXML = comDeclaracao(elemento);
    TprocEvento &proc = item_.procEvento;
    proc.Id = campos_.atributo("Id");
    proc.cOrgao = campos_.inteiro("cOrgao");
    proc.tpAmb = campos_.tpAmb();
    proc.CNPJ = campos_.texto("CNPJ");
    proc.ChaveAcesso = campos_.texto("ch" + sufixo_);
    proc.dhEvento = campos_.dataHora("dhEvento");
    proc.tpEvento = tipoEvento();
    proc.nSeqEvento = campos_.inteiro("nSeqEvento");
    proc.verEvento = campos_.texto("verEvento");
    if (!leitor_.ExtraiGrupo(2, "detEvento").empty())
        leDetalheDoEvento();
    if (!leitor_.ExtraiGrupo(2, "retEvento").empty() ||
        !leitor_.ExtraiGrupo(2, "retEvento" + sufixo_).empty())
        leRespostaDoEvento();
}

void LeitorDocumento::leDetalheDoEvento()
{
    TprocEvento_DetEvento &det = item_.procEvento.detEvento;
    det.versao = campos_.atributo("versao");
    det.nProt = campos_.texto("nProt");
    det.xJust = textoDecodificado("xJust");
    det.xCorrecao = textoDecodificado("xCorrecao");
    det.descEvento = textoDecodificado("descEvento");
    det.tpAutor = campos_.inteiro("tpAutor");
    det.verAplic = campos_.texto("verAplic");
    if (!leitor_.ExtraiGrupo(3, "CTe").empty()) {
        det.CTe.chCTe = campos_.texto("chCTe");
        det.CTe.modal = CodigoParaModalTransporte(campos_.texto("modal"));
        det.CTe.dhEmi = campos_.dataHora("dhEmi");
        det.CTe.nProt = campos_.texto("nProt");
        det.CTe.dhRecbto = campos_.dataHora("dhRecbto");
    }
    if (!leitor_.ExtraiGrupo(3, "emit").empty()) {
        det.emit.CNPJ = campos_.texto("CNPJ");
        det.emit.IE = campos_.texto("IE");
        det.emit.xNome = textoDecodificado("xNome");
    }
    for (int n = 1; !leitor_.ExtraiGrupo(3, "itensAverbados", "", n).empty(); ++n) {
        TitensAverbadosCollectionItem &item = det.itensAverbados.NovoItem();
        item.dhEmbarque = campos_.dataHora("dhEmbarque");
        item.dhAverbacao = campos_.dataHora("dhAverbacao");
        item.nDue = campos_.texto("nDue");
        item.nItem = campos_.inteiro("nItem");
        item.nItemDue = campos_.inteiro("nItemDue");
        item.qItem = campos_.inteiro("qItem");
        item.motAlteracao = campos_.inteiro("motAlteracao");
    }
}

void LeitorDocumento::leRespostaDoEvento()
{
    TprocEvento_RetInfEvento &ret = item_.procEvento.RetInfEvento;
    ret.Id = campos_.atributo("Id");
    ret.tpAmb = campos_.tpAmb();
    ret.verAplic = campos_.texto("verAplic");
    ret.cOrgao = campos_.inteiro("cOrgao");
    ret.cStat = campos_.inteiro("cStat");
    ret.xMotivo = textoDecodificado("xMotivo");
    ret.ChaveAcesso = campos_.texto("ch" + sufixo_);
    ret.tpEvento = tipoEvento();
    ret.xEvento = textoDecodificado("xEvento");
    ret.nSeqEvento = campos_.inteiro("nSeqEvento");
    ret.CNPJDest = campos_.texto("CNPJDest");
    ret.dhRegEvento = campos_.dataHora("dhRegEvento");
    ret.nProt = campos_.texto("nProt");
}

} // namespace

void leDocumentoDistribuido(std::string documento, std::string_view sufixoTag, TdocZipCollectionItem &item)
{
    LeitorDocumento leitor(std::move(documento), sufixoTag, item);
    leitor.leResumoDaNota();
    leitor.leResumoDoEvento();
    leitor.leNotaProcessada();
    leitor.leEventoProcessado();
}

} // namespace nfe_services
