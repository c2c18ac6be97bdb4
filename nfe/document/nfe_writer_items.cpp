// TNFeW: the items of the document (det), their product (prod) with the
// import, export and traceability lists, and the frame of their taxes
// (imposto).
#include <string>

#include "foundation/checks/validador.h"
#include "foundation/fiscal/dfe_util.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "nfe/document/detail/nfe_writer_item_fields.h"
#include "nfe/document/nfe_writer.h"

namespace {

constexpr int kMaximoItens = 990;
constexpr int kMaximoNVE = 8;
constexpr int kMaximoDI = 100;
constexpr int kMaximoAdicoes = 999;
constexpr int kMaximoExportacoes = 500;
constexpr int kMaximoRastros = 500;

constexpr std::string_view kSemGTIN = "SEM GTIN";
constexpr std::string_view kDescricaoHomologacao =
    "NOTA FISCAL EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL";

// From layout 4.00 a blank GTIN is stored back as "SEM GTIN".
void completaGTIN(std::string &gtin, double versao)
{
    if (versao >= 4 && trimText(gtin).empty())
        gtin = kSemGTIN;
}

// The GTIN's own check, only for a code that is neither empty nor "SEM GTIN".
void confereGTIN(TGerador &gerador, const std::string &gtin, std::string_view id, std::string_view tag,
                 std::string_view descricao)
{
    if (gtin.empty() || gtin == kSemGTIN)
        return;
    const std::string problema = VerificaGTIN(gtin);
    if (!problema.empty())
        gerador.AdicionaAlerta(id, tag, descricao, problema);
}

// A drawback act (nDraw of adi and detExport) is checked only when filled.
bool atoDrawbackRecusado(const std::string &nDraw)
{
    return !trimText(nDraw).empty() && !AtoDrawbackValido(nDraw);
}

} // namespace

void TNFeW::EscreveDet()
{
    for (int i = 0; i < NFe.det.count(); ++i) {
        TDetCollectionItem &det = NFe.det.ObterItem(i);
        const std::string nItem = std::to_string(det.prod.nItem);
        Gerador.EscreveGrupo("det nItem=\"" + nItem + "\"", "H01");
        Gerador.PreencheCampoTXT("nItem", nItem);
        EscreveProd(i);
        EscreveImposto(i);
        if (det.pDevol > Decimal(0))
            EscreveImpostoDevol(i);
        Gerador.IDNivel("H01");
        Gerador.EscreveCampo(vcTexto, "V01", "infAdProd", 1, 500, 0, det.infAdProd,
                             "Informações adicionais do Produto");
        EscreveObsItem(i);
        Gerador.EscreveGrupo("/det");
    }
    if (NFe.det.count() > kMaximoItens)
        alertaOcorrencias("H02", "nItem", "Numero do item", kMaximoItens);
}

void TNFeW::EscreveProd(int item)
{
    TProd &prod = NFe.det.ObterItem(item).prod;

    Gerador.EscreveGrupo("prod", "I01");
    Gerador.EscreveCampo(vcTexto, "I02", "cProd", 1, 60, 1, prod.cProd, "Código do produto ou serviço");

    completaGTIN(prod.cEAN, versao());
    Gerador.EscreveCampo(vcTexto, "I03", "cEAN", 0, 14, 1, prod.cEAN, "Código de Barra do Item");
    confereGTIN(Gerador, prod.cEAN, "I03", "cEAN", "Código de Barra do Item");
    Gerador.EscreveCampo(vcTexto, "I03a", "cBarra", 3, 30, 0, prod.cBarra,
                         "Código de Barras próprio ou de terceiros");

    const bool descricaoDeHomologacao =
        prod.nItem == 1 && NFe.ide.tpAmb == taHomologacao && NFe.ide.mod == 65;
    Gerador.EscreveCampo(vcTexto, "I04", "xProd", 1, 120, 1,
                         descricaoDeHomologacao ? std::string(kDescricaoHomologacao) : prod.xProd,
                         "Descrição do Produto ou Serviço");

    Gerador.EscreveCampo(vcTexto, "I05", "NCM", 2, 8, versao() >= 2 ? 1 : 0, prod.NCM, "Código NCM");
    const std::size_t digitosNCM = SomenteDigitos(prod.NCM).size();
    if (digitosNCM != 2 && digitosNCM != 8)
        alertaConteudoInvalido("I05", "NCM", "Código NCM");

    EscreveNVE(item);

    const std::string cest = SomenteDigitos(prod.CEST);
    if (versao() >= 4) {
        if (!cest.empty()) {
            Gerador.EscreveCampo(vcTexto, "I05c", "CEST", 7, 7, 1, cest,
                                 "Código Identificador da Substitução Tributária");
            Gerador.EscreveCampo(vcTexto, "I05d", "indEscala", 1, 1, 0,
                                 EscalaProducaoParaCodigo(prod.indEscala), "Indicador de Escala de Produção");
            Gerador.EscreveCampo(vcTexto, "I05e", "CNPJFab", 14, 14, 0, prod.CNPJFab,
                                 "CNPJ do Fabricante da Mercadoria");
        }
        Gerador.EscreveCampo(vcTexto, "I05f", "cBenef", 8, 10, 0, prod.cBenef,
                             "Código de Benefício Fiscal na UF aplicado ao item");
    } else {
        Gerador.EscreveCampo(vcTexto, "I05w", "CEST", 7, 7, 0, cest,
                             "Código Identificador da Substitução Tributária");
    }

    Gerador.EscreveCampo(vcTexto, "I06", "EXTIPI", 2, 3, 0, prod.EXTIPI, "EX_TIPI");
    Gerador.EscreveCampo(vcDigitos, "I08", "CFOP", 4, 4, 1, SomenteDigitos(prod.CFOP), "CFOP");
    Gerador.EscreveCampo(vcTexto, "I09", "uCom", 1, 6, 1, prod.uCom, "Unidade Comercial");
    Gerador.EscreveCampo(vcDecimal4, "I10", "qCom", 0, 15, 1, prod.qCom, "Quantidade Comercial");
    const TTipoValorCampo tipoValorUnitario = versao() >= 2 ? vcDecimal10 : vcDecimal4;
    Gerador.EscreveCampo(tipoValorUnitario, "I10a", "vUnCom", 0, 21, 1, prod.vUnCom,
                         "Valor Unitário de Comercialização");
    Gerador.EscreveCampo(vcDecimal2, "I11", "vProd", 0, 15, 1, prod.vProd,
                         "Valor Total Bruto dos Produtos ou Serviços");

    completaGTIN(prod.cEANTrib, versao());
    Gerador.EscreveCampo(vcTexto, "I12", "cEANTrib", 0, 14, 1, prod.cEANTrib,
                         "Código de Barra do Item Tributação");
    confereGTIN(Gerador, prod.cEANTrib, "I12", "cEANTrib", "Código de Barra do Item Tributação");
    Gerador.EscreveCampo(vcTexto, "I12a", "cBarraTrib", 3, 30, 0, prod.cBarraTrib,
                         "Código de Barras próprio ou de terceiros (Tributação)");
    Gerador.EscreveCampo(vcTexto, "I13", "uTrib", 1, 6, 1, prod.uTrib, "Unidade Tributável");
    Gerador.EscreveCampo(vcDecimal4, "I14", "qTrib", 0, 15, 1, prod.qTrib, "Quantidade Tributável");
    Gerador.EscreveCampo(tipoValorUnitario, "I14a", "vUnTrib", 0, 21, 1, prod.vUnTrib,
                         "Valor unitário de Tributação");
    Gerador.EscreveCampo(vcDecimal2, "I15", "vFrete", 0, 15, 0, prod.vFrete, "Valor Total do Frete");
    Gerador.EscreveCampo(vcDecimal2, "I16", "vSeg", 0, 15, 0, prod.vSeg, "Valor Total do Seguro");
    Gerador.EscreveCampo(vcDecimal2, "I17", "vDesc", 0, 15, 0, prod.vDesc, "Valor do desconto");
    Gerador.EscreveCampo(vcDecimal2, "I17a", "vOutro", 0, 15, 0, prod.vOutro, "Outras Despesas Acessórias");
    if (versao() >= 2)
        Gerador.EscreveCampo(vcTexto, "I17b", "indTot", 1, 1, 1, IndSomaTotalParaCodigo(prod.indTot),
                             "Indicador de soma no total da NFe");

    EscreveDI(item);
    EscreveDetExport(item);

    Gerador.EscreveCampo(vcTexto, "I30", "xPed", 1, 15, 0, prod.xPed, "Pedido");
    Gerador.EscreveCampo(vcTexto, "I31", "nItemPed", 1, 6, 0, SomenteDigitos(prod.nItemPed),
                         "Item do Pedido de Compra da DI – adição");
    Gerador.EscreveCampo(vcTexto, "I70", "nFCI", 36, 36, 0, prod.nFCI, "Número de Controle da FCI");

    if (versao() >= 4)
        EscreveRastro(item);

    // The layout makes these a choice; every one that is filled is written.
    EscreveVeicProd(item);
    EscreveMed(item);
    EscreveArma(item);
    EscreveComb(item);

    Gerador.EscreveCampo(vcTexto, "L109", "nRECOPI", 20, 20, 0, prod.nRECOPI, "Número do RECOPI");
    if (!trimText(prod.nRECOPI).empty() && !NumeroRECOPIValido(prod.nRECOPI))
        alertaConteudoInvalido("L109", "nRECOPI", "Número do RECOPI");

    Gerador.EscreveGrupo("/prod");
}

void TNFeW::EscreveNVE(int item)
{
    const TNVECollection &lista = NFe.det.ObterItem(item).prod.NVE;
    for (const TNVECollectionItem *nve : lista) {
        Gerador.EscreveCampo(vcTexto, "I05a", "NVE", 6, 6, 0, nve->NVE,
                             "Nomenclatura de Valor Aduaneiro e Estatística");
        if (!CodigoNVEValido(nve->NVE))
            alertaConteudoInvalido("I05a", "NVE", "Nomenclatura de Valor Aduaneiro e Estatística");
    }
    if (lista.count() > kMaximoNVE)
        alertaOcorrencias("I05a", "NVE", "Numero do item", kMaximoNVE);
}

void TNFeW::EscreveDI(int item)
{
    const TDICollection &lista = NFe.det.ObterItem(item).prod.DI;
    for (int d = 0; d < lista.count(); ++d) {
        const TDICollectionItem &di = lista.ObterItem(d);
        Gerador.EscreveGrupo("DI", "I18");
        Gerador.EscreveCampo(vcTexto, "I19", "nDI", 1, 15, 1, di.nDI,
                             "Numero do Documento de Importação DI/DSI/DA");
        Gerador.EscreveCampo(vcData, "I20", "dDI", 10, 10, 1, di.dDI, "Data de registro da DI/DSI/DA");
        Gerador.EscreveCampo(vcTexto, "I21", "xLocDesemb", 1, 60, 1, di.xLocDesemb, "Local de Desembaraço");
        Gerador.EscreveCampo(vcTexto, "I22", "UFDesemb", 2, 2, 1, di.UFDesemb,
                             "Sigla da UF onde ocorreu o Desembaraço Aduaneiro");
        if (!SiglaUFValida(di.UFDesemb))
            alertaConteudoInvalido("I22", "UFDesemb", "Sigla da UF onde ocorreu o Desembaraço Aduaneiro");
        Gerador.EscreveCampo(vcData, "I23", "dDesemb", 10, 10, 1, di.dDesemb,
                             "Data do Desembaraço Aduaneiro");
        if (versao() >= 3) {
            Gerador.EscreveCampo(vcTexto, "I23a", "tpViaTransp", 1, 2, 1,
                                 ViaTransporteInternacionalParaCodigo(di.tpViaTransp),
                                 "Via de Transporte Internacional");
            Gerador.EscreveCampo(vcDecimal2, "I23b", "vAFRMM", 0, 15, di.tpViaTransp == vti1 ? 1 : 0,
                                 di.vAFRMM, "Valor da AFRMM");
            Gerador.EscreveCampo(vcTexto, "I23c", "tpIntermedio", 1, 1, 1,
                                 FormaImportacaoParaCodigo(di.tpIntermedio), "Forma de Importação");
            Gerador.EscreveCampo(vcTexto, "I23d", "CNPJ", 14, 14, 0, di.CNPJ, "CNPJ(MF)");
            Gerador.EscreveCampo(vcTexto, "I23e", "UFTerceiro", 2, 2, 0, di.UFTerceiro, "Sigla da UF");
            if (!di.UFTerceiro.empty() && !SiglaUFValida(di.UFTerceiro))
                alertaConteudoInvalido("I23e", "UFTerceiro", "Sigla da UF");
        }
        Gerador.EscreveCampo(vcTexto, "I24", "cExportador", 1, 60, 1, di.cExportador, "Código do exportador");
        EscreveAdi(item, d);
        Gerador.EscreveGrupo("/DI");
    }
    if (lista.count() > kMaximoDI)
        alertaOcorrencias("I18", "DI", "Numero do item", kMaximoDI);
}

void TNFeW::EscreveAdi(int item, int declaracao)
{
    const TAdiCollection &lista = NFe.det.ObterItem(item).prod.DI.ObterItem(declaracao).adi;
    for (const TAdiCollectionItem *adi : lista) {
        Gerador.EscreveGrupo("adi", "I25");
        Gerador.EscreveCampo(vcInteiro, "I26", "nAdicao", 1, 3, 0, adi->nAdicao, "Numero da Adição");
        Gerador.EscreveCampo(vcInteiro, "I27", "nSeqAdic", 1, 5, 1, adi->nSeqAdic,
                             "Numero seqüencial do item dentro da adição");
        Gerador.EscreveCampo(vcTexto, "I28", "cFabricante", 1, 60, 1, adi->cFabricante, "Fabricante");
        Gerador.EscreveCampo(vcDecimal2, "I29", "vDescDI", 0, 15, 0, adi->vDescDI,
                             "Valor do desconto do item da DI – adição");
        Gerador.EscreveCampo(vcTexto, "I29a", "nDraw", 1, 20, 0, adi->nDraw, "Número do Drawback");
        if (atoDrawbackRecusado(adi->nDraw))
            alertaConteudoInvalido("I29a", "nDraw", "Número do Drawback");
        Gerador.EscreveGrupo("/adi");
    }
    if (lista.count() > kMaximoAdicoes)
        alertaOcorrencias("I25", "adi", "Numero do item", kMaximoAdicoes);
}

void TNFeW::EscreveDetExport(int item)
{
    const TdetExportCollection &lista = NFe.det.ObterItem(item).prod.detExport;
    for (const TdetExportCollectionItem *exportacao : lista) {
        Gerador.EscreveGrupo("detExport", "I50");
        Gerador.EscreveCampo(vcTexto, "I51", "nDraw", 1, 20, 0, exportacao->nDraw, "Número do Drawback");
        if (atoDrawbackRecusado(exportacao->nDraw))
            alertaConteudoInvalido("I51", "nDraw", "Número do Drawback");
        if (!exportacao->nRE.empty() || !exportacao->chNFe.empty()) {
            Gerador.EscreveGrupo("exportInd", "I52");
            Gerador.EscreveCampo(vcTexto, "I53", "nRE", 0, 12, 1, exportacao->nRE,
                                 "Número do Registro de Exportação");
            if (!RegistroExportacaoValido(exportacao->nRE))
                alertaConteudoInvalido("I53", "nRE", "Número do Registro de Exportação");
            Gerador.EscreveCampo(vcDigitos, "I54", "chNFe", 44, 44, 1, SomenteDigitos(exportacao->chNFe),
                                 "Chave de acesso das NF-e referenciadas");
            if (!ChaveAcessoValida(exportacao->chNFe))
                alertaConteudoInvalido("I54", "chNFe", "Chave de acesso das NF-e referenciadas");
            Gerador.EscreveCampo(vcDecimal4, "I55", "qExport", 0, 15, 1, exportacao->qExport,
                                 "Qtde Exportada");
            Gerador.EscreveGrupo("/exportInd");
        }
        Gerador.EscreveGrupo("/detExport");
    }
    if (lista.count() > kMaximoExportacoes)
        alertaOcorrencias("I50", "detExport", "Numero do item", kMaximoExportacoes);
}

void TNFeW::EscreveRastro(int item)
{
    const TRastroCollection &lista = NFe.det.ObterItem(item).prod.rastro;
    for (const TRastroCollectionItem *rastro : lista) {
        Gerador.EscreveGrupo("rastro", "I80");
        Gerador.EscreveCampo(vcTexto, "I81", "nLote", 1, 20, 1, rastro->nLote,
                             "Número do Lote do medicamento");
        Gerador.EscreveCampo(vcDecimal3, "I82", "qLote", 0, 11, 1, rastro->qLote,
                             "Quantidade de produto no Lote do medicamento");
        Gerador.EscreveCampo(vcData, "I83", "dFab", 10, 10, 1, rastro->dFab, "Data de fabricação");
        Gerador.EscreveCampo(vcData, "I84", "dVal", 10, 10, 1, rastro->dVal, "Data de validade");
        Gerador.EscreveCampo(vcTexto, "I85", "cAgreg", 1, 20, 0, rastro->cAgreg, "Código de Agregação");
        Gerador.EscreveGrupo("/rastro");
    }
    if (lista.count() > kMaximoRastros)
        alertaOcorrencias("I80", "rastro", "Numero do item", kMaximoRastros);
}

void TNFeW::EscreveImposto(int item)
{
    const TImposto &imposto = NFe.det.ObterItem(item).imposto;

    Gerador.EscreveGrupo("imposto", "M01");
    Gerador.EscreveCampo(vcDecimal2, "M02", "vTotTrib", 1, 15, 0, imposto.vTotTrib,
                         "Valor Aproximado Total de Tributos");

    const bool itemDeServico =
        imposto.ISSQN.cSitTrib != sisVazio || (versao() > 3 && !imposto.ISSQN.cListServ.empty());
    if (itemDeServico) {
        if (versao() >= 3)
            EscreveIPI(item);
        EscreveISSQN(item);
    } else {
        EscreveICMS(item);
        EscreveIPI(item);
        EscreveII(item);
    }

    EscrevePIS(item);
    EscrevePISST(item);
    EscreveCOFINS(item);
    EscreveCOFINSST(item);
    if (imposto.ICMSUFDest.pICMSInterPart > Decimal(0))
        EscreveICMSUFDest(item);

    Gerador.EscreveGrupo("/imposto");
}
