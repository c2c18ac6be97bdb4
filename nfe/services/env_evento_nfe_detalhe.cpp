// The detEvento fields of each event kind, after descEvento.

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/detail/escrita_evento.h"

namespace {

void cancelamento(TGerador &g, const TDetEvento &d)
{
    g.EscreveCampo(vcTexto, "HP20", "nProt", 15, 15, 1, d.nProt, "-");
    g.EscreveCampo(vcTexto, "HP21", "xJust", 15, 255, 1, d.xJust, "-");
}

void cancelamentoPorSubstituicao(TGerador &g, const TDetEvento &d)
{
    g.EscreveCampo(vcInteiro, "HP20", "cOrgaoAutor", 1, 2, 1, d.cOrgaoAutor, "-");
    g.EscreveCampo(vcInteiro, "HP21", "tpAutor", 1, 1, 1, "1", "-");
    g.EscreveCampo(vcTexto, "HP22", "verAplic", 1, 20, 1, d.verAplic, "-");
    g.EscreveCampo(vcTexto, "HP23", "nProt", 15, 15, 1, d.nProt, "-");
    g.EscreveCampo(vcTexto, "HP30", "xJust", 15, 255, 1, d.xJust, "-");
    g.EscreveCampo(vcTexto, "HP31", "chNFeRef", 44, 44, 1, d.chNFeRef, "Chave do DFe");
    if (!ChaveAcessoValida(d.chNFeRef))
        g.AdicionaAlerta("HP31", "chNFeRef", "Chave do DFe", "Chave de NFe Refenciada inválida");
}

// cOrgaoAutor, tpAutor and verAplic of the kinds that name their author.
void autor(TGerador &g, const TDetEvento &d)
{
    g.EscreveCampo(vcInteiro, "P20", "cOrgaoAutor", 1, 2, 1, d.cOrgaoAutor, "-");
    g.EscreveCampo(vcTexto, "P21", "tpAutor", 1, 1, 1, AutorEventoParaCodigo(d.tpAutor), "-");
    g.EscreveCampo(vcTexto, "P22", "verAplic", 1, 20, 1, d.verAplic, "-");
}

// UF and the receiver's identification: idEstrangeiro abroad, else CPF or CNPJ.
void identificacaoDoDestinatario(TGerador &g, const TDestinatario &dest)
{
    g.EscreveCampo(vcTexto, "P27", "UF", 2, 2, 1, dest.UF, "-");
    if (!dest.idEstrangeiro.empty() || dest.UF == "EX")
        g.EscreveCampo(vcTexto, "P30", "idEstrangeiro", 5, 20, 1, dest.idEstrangeiro, "-");
    else
        nfe_services::escreveDocumento(g, SomenteDigitos(dest.CNPJCPF), "P28", "P29");
}

void valores(TGerador &g, const TDetEvento &d, bool comST)
{
    g.EscreveCampo(vcDecimal2, "P32", "vNF", 1, 15, 1, d.vNF, "Valor Total do DF-e");
    g.EscreveCampo(vcDecimal2, "P33", "vICMS", 1, 15, 1, d.vICMS, "Valor do ICMS");
    if (comST)
        g.EscreveCampo(vcDecimal2, "P34", "vST", 1, 15, 1, d.vST, "Valor TOTAL Icms substituição Tributária");
}

// The EPEC of an NF-e always carries the receiver group with the values in
// it; the EPEC of an NFC-e carries the group only for an identified
// receiver and its values after it.
void epec(TGerador &g, const TInfEvento &evento)
{
    const TDetEvento &d = evento.detEvento;
    autor(g, d);
    g.EscreveCampo(vcTexto, "P23", "dhEmi", 1, 50, 1, nfe_services::dataHoraDoEvento(d.dhEmi, d.cOrgaoAutor),
                   "-");
    g.EscreveCampo(vcTexto, "P24", "tpNF", 1, 1, 1, TipoDocFiscalParaCodigo(d.tpNF), "-");
    g.EscreveCampo(vcTexto, "P25", "IE", 2, 14, 1, d.IE, "-");
    const std::string digitos = SomenteDigitos(evento.chNFe);
    const std::string modelo = digitos.size() >= 22 ? digitos.substr(20, 2) : std::string();
    if (modelo == "55") {
        g.EscreveGrupo("dest");
        identificacaoDoDestinatario(g, d.dest);
        if (!d.dest.IE.empty())
            g.EscreveCampo(vcTexto, "P31", "IE", 2, 14, 1, d.dest.IE, "-");
        valores(g, d, true);
        g.EscreveGrupo("/dest");
        return;
    }
    if (!d.dest.UF.empty() && (!d.dest.CNPJCPF.empty() || !d.dest.idEstrangeiro.empty())) {
        g.EscreveGrupo("dest");
        identificacaoDoDestinatario(g, d.dest);
        g.EscreveGrupo("/dest");
    }
    valores(g, d, false);
}

void pedidoDeProrrogacao(TGerador &g, const TDetEvento &d)
{
    g.EscreveCampo(vcTexto, "P19", "nProt", 15, 15, 1, d.nProt, "-");
    for (int i = 0; i < d.itemPedido.count(); ++i) {
        const TitemPedidoCollectionItem &item = d.itemPedido.ObterItem(i);
        g.EscreveGrupo("itemPedido numItem=\"" + std::to_string(item.numItem) + "\"");
        g.EscreveCampo(vcDecimal2, "P22", "qtdeItem", 1, 15, 1, item.qtdeItem, "***");
        g.EscreveGrupo("/itemPedido");
    }
}

void comprovanteDeEntrega(TGerador &g, const TDetEvento &d)
{
    autor(g, d);
    g.EscreveCampo(vcTexto, "P30", "dhEntrega", 25, 25, 1,
                   nfe_services::dataHoraDoEvento(d.dhEntrega, d.cOrgaoAutor), "Data de emissão");
    g.EscreveCampo(vcTexto, "P31", "nDoc", 2, 20, 1, d.nDoc, "-");
    g.EscreveCampo(vcTexto, "P32", "xNome", 2, 60, 1, d.xNome, "-");
    g.EscreveCampo(vcDecimal6, "P33", "latGPS", 1, 10, 0, d.latGPS, "-");
    g.EscreveCampo(vcDecimal6, "P34", "longGPS", 1, 11, 0, d.longGPS, "-");
    g.EscreveCampo(vcTexto, "P35", "hashComprovante", 28, 28, 1, d.hashComprovante, "-");
    g.EscreveCampo(vcTexto, "P36", "dhHashComprovante", 25, 25, 1,
                   nfe_services::dataHoraDoEvento(d.dhHashComprovante, d.cOrgaoAutor), "Data de emissão");
}

void atorInteressado(TGerador &g, const TDetEvento &d)
{
    autor(g, d);
    for (int i = 0; i < d.autXML.count(); ++i) {
        g.EscreveGrupo("autXML");
        g.EscreveCNPJouCPF("P24", "P25", d.autXML.ObterItem(i).CNPJCPF, 1, true);
        g.EscreveGrupo("/autXML");
    }
    g.EscreveCampo(vcTexto, "P26", "tpAutorizacao", 1, 1, 1,
                   PermissaoTransportadorParaCodigo(d.tpAutorizacao), "-");
    // The schema accepts only this exact text, its accented letter included:
    // it is written as it stands, without the cleaning that folds accents.
    if (d.tpAutorizacao == ptPermite)
        g.EscreveCampo(vcTexto, "P27", "xCondUso", 1, 255, 1, std::string(kCondicaoUsoAtorInteressado), "-",
                       false);
}

} // namespace

namespace nfe_services {

void escreveDetalheDoEvento(TGerador &g, const TInfEvento &evento)
{
    const TDetEvento &d = evento.detEvento;
    switch (evento.tpEvento) {
    case tevCCe:
        g.EscreveCampo(vcTexto, "HP20", "xCorrecao", 15, 1000, 1, d.xCorrecao, "-");
        g.EscreveCampo(vcTexto, "HP20a", "xCondUso", 1, 5000, 1, d.xCondUso(), "-");
        break;
    case tevCancelamento:
        cancelamento(g, d);
        break;
    case tevManifDestOperNaoRealizada:
        g.EscreveCampo(vcTexto, "HP21", "xJust", 15, 255, 1, d.xJust, "-");
        break;
    case tevCancelamentoPorSubstituicao:
        cancelamentoPorSubstituicao(g, d);
        break;
    case tevEPECNFe:
        epec(g, evento);
        break;
    case tevPedProrrog1:
    case tevPedProrrog2:
        pedidoDeProrrogacao(g, d);
        break;
    case tevCanPedProrrog1:
    case tevCanPedProrrog2:
        g.EscreveCampo(vcTexto, "P19", "idPedidoCancelado", 54, 54, 1, d.idPedidoCancelado, "-");
        g.EscreveCampo(vcTexto, "P20", "nProt", 15, 15, 1, d.nProt, "-");
        break;
    case tevComprEntregaNFe:
        comprovanteDeEntrega(g, d);
        break;
    case tevCancComprEntregaNFe:
        autor(g, d);
        g.EscreveCampo(vcTexto, "P23", "nProtEvento", 15, 15, 1, d.nProtEvento, "-");
        break;
    case tevAtorInteressadoNFe:
        atorInteressado(g, d);
        break;
    default:
        break;
    }
}

} // namespace nfe_services
