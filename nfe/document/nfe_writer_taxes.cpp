// TNFeW: the item taxes other than ICMS (IPI, II, PIS, PIS-ST, COFINS,
// COFINS-ST, ISSQN, the interstate partition ICMSUFDest), the returned-goods
// tax and the item observations.
#include <charconv>
#include <string>
#include <string_view>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/document/detail/nfe_writer_item_fields.h"
#include "nfe/document/nfe_writer.h"

using nfe_item_writer::algumPositivo;
using nfe_item_writer::escrevePercentual;

namespace {

constexpr std::string_view kDescricaoBC = "Valor da BC do ICMS";
constexpr std::string_view kDescricaoQBCProd = "BC da CIDE";
constexpr std::string_view kDescricaoVAliqProd = "Valor da alíquota (em reais)";
constexpr int kMaximoXCampo = 20;

std::string mensagemFormasMisturadas(std::string_view tagAliquota)
{
    return "As TAG <vBC> e <" + std::string(tagAliquota) +
           "> não podem ser informadas em conjunto com as TAG <qBCProd> e <vAliqProd>";
}

int numeroDoCodigo(std::string_view codigo)
{
    int numero = 0;
    const auto [fim, erro] = std::from_chars(codigo.data(), codigo.data() + codigo.size(), numero);
    return erro == std::errc() && fim == codigo.data() + codigo.size() ? numero : 0;
}

// The item of the service list that cListServ names: from 3.10 the code is
// written "14.01" (characters 1-2 and 4-5 give 1401), before as the number.
int itemDaListaDeServicos(std::string_view lista, bool desde310)
{
    if (!desde310)
        return numeroDoCodigo(lista);
    std::string codigo(lista.substr(0, 2));
    if (lista.size() > 3)
        codigo += lista.substr(3, 2);
    return numeroDoCodigo(codigo);
}

// ---- PIS and COFINS ------------------------------------------------------------

// The names and alert ids of a contribution (PIS or COFINS), which share their
// rules.
struct LeiauteContribuicao {
    std::string_view grupo;   // "PIS" or "COFINS"
    std::string_view idGrupo; // Q01 / S01
    std::string_view idAliq;  // Q02 / S02
    std::string_view idQtde;  // Q03 / S03
    std::string_view idNT;    // Q04 / S04
    std::string_view idOutr;  // Q05 / S05
    std::string_view idCST;
    std::string_view idVBC;
    std::string_view idAliquota;
    std::string_view idQBCProd;
    std::string_view idVAliqProd;
    std::string_view idValor;
    std::string_view tagAliquota; // pPIS / pCOFINS
    std::string_view tagValor;    // vPIS / vCOFINS
    std::string_view descricaoAliquota;
    std::string_view descricaoValor;
    std::string_view descricaoOutr;
};

// clang-format off
constexpr LeiauteContribuicao kLeiautePIS{
    "PIS",    "Q01", "Q02", "Q03", "Q04", "Q05", "Q06", "Q07", "Q08", "Q10", "Q11", "Q09",
    "pPIS",    "vPIS",    "Alíquota do PIS (em percentual)",    "Valor do PIS",    "Grupo PIS outras operações"};
constexpr LeiauteContribuicao kLeiauteCOFINS{
    "COFINS", "S01", "S02", "S03", "S04", "S05", "S06", "S07", "S08", "S09", "S10", "S11",
    "pCOFINS", "vCOFINS", "Alíquota da COFINS (em percentual)", "Valor do COFINS", "Grupo COFINS outras operações"};
// clang-format on

struct ValoresContribuicao {
    std::string cst; // layout code
    Decimal vBC;
    Decimal aliquota;
    Decimal valor;
    Decimal qBCProd;
    Decimal vAliqProd;
};

void escreveContribuicao(TGerador &gerador, bool desde310, bool modelo55, const LeiauteContribuicao &leiaute,
                         const ValoresContribuicao &v)
{
    const int cst = numeroDoCodigo(v.cst);
    const bool semIncidencia = (cst >= 4 && cst <= 9) || cst == 49 || cst == 99;
    const bool algumValor = !v.vBC.isZero() || !v.aliquota.isZero() || !v.valor.isZero() ||
                            !v.qBCProd.isZero() || !v.vAliqProd.isZero();
    if (!modelo55 && !algumValor && !semIncidencia)
        return;

    const auto escreveCST = [&] {
        gerador.EscreveCampo(vcTexto, leiaute.idCST, "CST", 2, 2, 1, v.cst, "Código da situação tributária");
    };
    const auto formaValor = [&] {
        gerador.EscreveCampo(vcDecimal2, leiaute.idVBC, "vBC", 1, 15, 1, v.vBC, kDescricaoBC);
        escrevePercentual(gerador, desde310, leiaute.idAliquota, leiaute.tagAliquota, 1, v.aliquota,
                          leiaute.descricaoAliquota);
    };
    const auto formaQuantidade = [&] {
        gerador.EscreveCampo(vcDecimal4, leiaute.idQBCProd, "qBCProd", 1, 16, 1, v.qBCProd,
                             kDescricaoQBCProd);
        gerador.EscreveCampo(vcDecimal4, leiaute.idVAliqProd, "vAliqProd", 1, 15, 1, v.vAliqProd,
                             kDescricaoVAliqProd);
    };
    const auto escreveValor = [&] {
        gerador.EscreveCampo(vcDecimal2, leiaute.idValor, leiaute.tagValor, 1, 15, 1, v.valor,
                             leiaute.descricaoValor);
    };
    const std::string grupo(leiaute.grupo);

    gerador.EscreveGrupo(grupo, leiaute.idGrupo);
    if (cst <= 2) {
        gerador.EscreveGrupo(grupo + "Aliq", leiaute.idAliq);
        escreveCST();
        formaValor();
        escreveValor();
        gerador.EscreveGrupo("/" + grupo + "Aliq");
    } else if (cst == 3) {
        gerador.EscreveGrupo(grupo + "Qtde", leiaute.idQtde);
        escreveCST();
        formaQuantidade();
        escreveValor();
        gerador.EscreveGrupo("/" + grupo + "Qtde");
    } else if (cst <= 9) {
        gerador.EscreveGrupo(grupo + "NT", leiaute.idNT);
        escreveCST();
        gerador.EscreveGrupo("/" + grupo + "NT");
    } else {
        // The quantity form wins when both forms are filled.
        const bool porValor = v.vBC + v.aliquota > Decimal(0);
        const bool porQuantidade = v.qBCProd + v.vAliqProd > Decimal(0);
        const std::string outr = grupo + "Outr";
        if (porValor && porQuantidade)
            gerador.AdicionaAlerta(leiaute.idOutr, outr, leiaute.descricaoOutr,
                                   mensagemFormasMisturadas(leiaute.tagAliquota));
        gerador.EscreveGrupo(outr, leiaute.idOutr);
        escreveCST();
        if (porQuantidade)
            formaQuantidade();
        else
            formaValor();
        escreveValor();
        gerador.EscreveGrupo("/" + outr);
    }
    gerador.EscreveGrupo("/" + grupo);
}

// ---- PIS-ST and COFINS-ST -------------------------------------------------------

struct LeiauteContribuicaoST {
    std::string_view grupo;   // "PISST" or "COFINSST"
    std::string_view idGrupo; // R01 / T01
    std::string_view idVBC;
    std::string_view idAliquota;
    std::string_view idQBCProd;
    std::string_view idVAliqProd;
    std::string_view idValor;
    std::string_view idIndSoma;
    std::string_view tagAliquota;
    std::string_view tagValor;
    std::string_view tagIndSoma;
    std::string_view descricaoAliquota;
    std::string_view descricaoValor;
    std::string_view descricaoIndSoma;
    std::string_view descricaoGrupo;
};

constexpr LeiauteContribuicaoST kLeiautePISST{"PISST",
                                              "R01",
                                              "R02",
                                              "R03",
                                              "R04",
                                              "R05",
                                              "R06",
                                              "R07",
                                              "pPIS",
                                              "vPIS",
                                              "indSomaPISST",
                                              "Alíquota do PIS (em percentual)",
                                              "Valor do PIS",
                                              "Indica se o valor do PIS ST compõe o valor total da NF-e",
                                              "Grupo PIS Substituição Tributária"};
constexpr LeiauteContribuicaoST kLeiauteCOFINSST{
    "COFINSST",
    "T01",
    "T02",
    "T03",
    "T04",
    "T05",
    "T06",
    "T07",
    "pCOFINS",
    "vCOFINS",
    "indSomaCOFINSST",
    "Alíquota da COFINS (em percentual)",
    "Valor do COFINS",
    "Indica se o valor da COFINS ST compõe o valor total da NF-e",
    "Grupo de COFINS Substituição Tributária"};

struct ValoresContribuicaoST {
    Decimal vBC;
    Decimal aliquota;
    Decimal qBCProd;
    Decimal vAliqProd;
    Decimal valor;
    std::string indSoma; // layout code; empty when not set
};

void escreveContribuicaoST(TGerador &gerador, bool desde310, bool desde400,
                           const LeiauteContribuicaoST &leiaute, const ValoresContribuicaoST &v)
{
    if (!algumPositivo({v.vBC, v.aliquota, v.qBCProd, v.vAliqProd, v.valor}))
        return;
    // Here the value form wins when both forms are filled.
    const bool porValor = v.vBC + v.aliquota > Decimal(0);
    const bool porQuantidade = v.qBCProd + v.vAliqProd > Decimal(0);
    if (porValor && porQuantidade)
        gerador.AdicionaAlerta(leiaute.idGrupo, leiaute.grupo, leiaute.descricaoGrupo,
                               mensagemFormasMisturadas(leiaute.tagAliquota));
    if (!porValor && !porQuantidade)
        return;

    const std::string grupo(leiaute.grupo);
    gerador.EscreveGrupo(grupo, leiaute.idGrupo);
    if (porValor) {
        gerador.EscreveCampo(vcDecimal2, leiaute.idVBC, "vBC", 1, 15, 1, v.vBC, kDescricaoBC);
        escrevePercentual(gerador, desde310, leiaute.idAliquota, leiaute.tagAliquota, 1, v.aliquota,
                          leiaute.descricaoAliquota);
    } else {
        gerador.EscreveCampo(vcDecimal4, leiaute.idQBCProd, "qBCProd", 1, 16, 1, v.qBCProd,
                             kDescricaoQBCProd);
        gerador.EscreveCampo(vcDecimal4, leiaute.idVAliqProd, "vAliqProd", 1, 15, 1, v.vAliqProd,
                             kDescricaoVAliqProd);
    }
    gerador.EscreveCampo(vcDecimal2, leiaute.idValor, leiaute.tagValor, 1, 15, 1, v.valor,
                         leiaute.descricaoValor);
    if (desde400 && !v.indSoma.empty())
        gerador.EscreveCampo(vcTexto, leiaute.idIndSoma, leiaute.tagIndSoma, 1, 1, 1, v.indSoma,
                             leiaute.descricaoIndSoma);
    gerador.EscreveGrupo("/" + grupo);
}

// ---- Item observations --------------------------------------------------------------

// One observation (obsCont or obsFisco). The field name goes into an
// attribute, so its markup characters are written as entities.
void escreveObservacao(TGerador &gerador, const TobsItem &observacao, std::string_view grupo,
                       std::string_view idGrupo, std::string_view idCampo, std::string_view idTexto)
{
    const std::string atributo = ConverteEntidades(observacao.xCampo, false, true);
    gerador.EscreveGrupo(std::string(grupo) + " xCampo=\"" + atributo + "\"", idGrupo);
    const std::size_t tamanho = utf8Length(trimText(observacao.xCampo));
    if (tamanho > kMaximoXCampo)
        gerador.AdicionaAlerta(idCampo, "xCampo", "Identificação do Campo",
                               "Tamanho maior que o máximo permitido");
    else if (tamanho == 0)
        gerador.AdicionaAlerta(idCampo, "xCampo", "Identificação do Campo", "Nenhum valor informado");
    gerador.EscreveCampo(vcTexto, idTexto, "xTexto", 1, 60, 1, observacao.xTexto, "Conteúdo do Campo");
    gerador.EscreveGrupo("/" + std::string(grupo));
}

} // namespace

void TNFeW::EscreveIPI(int item)
{
    if (NFe.ide.mod != 55)
        return;
    TIPI &ipi = NFe.det.ObterItem(item).imposto.IPI;
    const bool tributado = ipi.CST == sip00 || ipi.CST == sip49 || ipi.CST == sip50 || ipi.CST == sip99;
    if (!tributado && !Opcoes.GerarTagIPIparaNaoTributado())
        return;
    if (ipi.cEnq.empty() && ipi.CST == sip00 && ipi.vBC.isZero() && ipi.qUnid.isZero() &&
        ipi.vUnid.isZero() && ipi.pIPI.isZero() && ipi.vIPI.isZero())
        return;

    if (ipi.cEnq.empty())
        ipi.cEnq = "999";
    Gerador.EscreveGrupo("IPI", "O01");
    if (versao() < 4)
        Gerador.EscreveCampo(vcTexto, "O02", "clEnq", 1, 5, 0, ipi.clEnq,
                             "Classe de enquadramento do IPI para Cigarros e Bebidas");
    Gerador.EscreveCampo(vcTexto, "O03", "CNPJProd", 14, 14, 0, ipi.CNPJProd,
                         "CNPJ do produtor da mercadoria, quando diferente do emitente");
    Gerador.EscreveCampo(vcTexto, "O04", "cSelo", 1, 60, 0, ipi.cSelo, "Código do selo");
    Gerador.EscreveCampo(vcInteiro, "O05", "qSelo", 1, 12, 0, ipi.qSelo, "Quantidade de selo de controle");
    Gerador.EscreveCampo(vcTexto, "O06", "cEnq", 3, 3, 1, ipi.cEnq, "Código de Enquadramento Legal do IPI");

    const std::string cst = SitTributariaIPIParaCodigo(ipi.CST);
    if (tributado) {
        const bool porValor = ipi.vBC + ipi.pIPI > Decimal(0);
        const bool porUnidade = ipi.qUnid + ipi.vUnid > Decimal(0);
        Gerador.EscreveGrupo("IPITrib", "O07");
        if (porValor && porUnidade)
            Gerador.AdicionaAlerta("O07", "IPITrib", "IPI Tributável",
                                   "As TAG <vBC> e <pIPI> não podem ser informadas em conjunto com as TAG "
                                   "<qUnid> e <vUnid>");
        Gerador.EscreveCampo(vcTexto, "O09", "CST", 2, 2, 1, cst, "Código da situação tributária");
        if (porUnidade) {
            Gerador.EscreveCampo(
                vcDecimal4, "O11", "qUnid", 1, 16, 1, ipi.qUnid,
                "Quantidade total na unidade padrão para tributação (somente para os produtos "
                "tributados por unidade)");
            Gerador.EscreveCampo(vcDecimal4, "O12", "vUnid", 1, 15, 1, ipi.vUnid,
                                 "Valor por Unidade Tributável");
        } else {
            Gerador.EscreveCampo(vcDecimal2, "O10", "vBC", 1, 15, 1, ipi.vBC, kDescricaoBC);
            escrevePercentual(Gerador, LayoutDesde310, "O13", "pIPI", 1, ipi.pIPI, "Alíquota do IPI");
        }
        Gerador.EscreveCampo(vcDecimal2, "O14", "vIPI", 1, 15, 1, ipi.vIPI,
                             "Valor do Imposto sobre Produtos Industrializados");
        Gerador.EscreveGrupo("/IPITrib");
    } else {
        Gerador.EscreveGrupo("IPINT", "O08");
        Gerador.EscreveCampo(vcTexto, "O09", "CST", 2, 2, 1, cst, "Código da situação tributária");
        Gerador.EscreveGrupo("/IPINT");
    }
    Gerador.EscreveGrupo("/IPI");
}

void TNFeW::EscreveII(int item)
{
    const TDetCollectionItem &det = NFe.det.ObterItem(item);
    const TII &ii = det.imposto.II;
    if (!algumPositivo({ii.vBC, ii.vDespAdu, ii.vII, ii.vIOF}) && !det.prod.CFOP.starts_with('3'))
        return;
    Gerador.EscreveGrupo("II", "P01");
    Gerador.EscreveCampo(vcDecimal2, "P02", "vBC", 1, 15, 1, ii.vBC, kDescricaoBC);
    Gerador.EscreveCampo(vcDecimal2, "P03", "vDespAdu", 1, 15, 1, ii.vDespAdu,
                         "Valor das despesas aduaneiras");
    Gerador.EscreveCampo(vcDecimal2, "P04", "vII", 1, 15, 1, ii.vII, "Valor do Imposto de Importação");
    Gerador.EscreveCampo(vcDecimal2, "P04", "vIOF", 1, 15, 1, ii.vIOF,
                         "Valor do Imposto sobre operações Financeiras");
    Gerador.EscreveGrupo("/II");
}

void TNFeW::EscrevePIS(int item)
{
    const TPIS &pis = NFe.det.ObterItem(item).imposto.PIS;
    escreveContribuicao(
        Gerador, LayoutDesde310, NFe.ide.mod == 55, kLeiautePIS,
        {SitTributariaPISParaCodigo(pis.CST), pis.vBC, pis.pPIS, pis.vPIS, pis.qBCProd, pis.vAliqProd});
}

void TNFeW::EscreveCOFINS(int item)
{
    const TCOFINS &cofins = NFe.det.ObterItem(item).imposto.COFINS;
    escreveContribuicao(Gerador, LayoutDesde310, NFe.ide.mod == 55, kLeiauteCOFINS,
                        {SitTributariaCOFINSParaCodigo(cofins.CST), cofins.vBC, cofins.pCOFINS,
                         cofins.vCOFINS, cofins.qBCProd, cofins.vAliqProd});
}

void TNFeW::EscrevePISST(int item)
{
    const TPISST &pis = NFe.det.ObterItem(item).imposto.PISST;
    escreveContribuicaoST(
        Gerador, LayoutDesde310, versao() >= 4, kLeiautePISST,
        {pis.vBC, pis.pPIS, pis.qBCProd, pis.vAliqProd, pis.vPIS, SomaPISSTParaCodigo(pis.indSomaPISST)});
}

void TNFeW::EscreveCOFINSST(int item)
{
    const TCOFINSST &cofins = NFe.det.ObterItem(item).imposto.COFINSST;
    escreveContribuicaoST(Gerador, LayoutDesde310, versao() >= 4, kLeiauteCOFINSST,
                          {cofins.vBC, cofins.pCOFINS, cofins.qBCProd, cofins.vAliqProd, cofins.vCOFINS,
                           SomaCOFINSSTParaCodigo(cofins.indSomaCOFINSST)});
}

void TNFeW::EscreveISSQN(int item)
{
    const TISSQN &issqn = NFe.det.ObterItem(item).imposto.ISSQN;
    if (!algumPositivo({issqn.vBC, issqn.vAliq, issqn.vISSQN}) && issqn.cMunFG <= 0 &&
        issqn.cListServ.empty())
        return;
    const bool v31 = LayoutDesde310;

    Gerador.EscreveGrupo("ISSQN", "U01");
    Gerador.EscreveCampo(vcDecimal2, "U02", "vBC", 1, 15, 1, issqn.vBC, "Valor da Base de Cálculo do ISSQN");
    escrevePercentual(Gerador, LayoutDesde310, "U03", "vAliq", 1, issqn.vAliq, "Alíquota");
    Gerador.EscreveCampo(vcDecimal2, "U04", "vISSQN", 1, 15, 1, issqn.vISSQN,
                         "Valor do Imposto sobre Serviço de Qualquer Natureza");
    Gerador.EscreveCampo(vcInteiro, "U05", "cMunFG", 7, 7, 1, issqn.cMunFG, "Código do Município FG");
    if (!CodigoMunicipioValido(issqn.cMunFG))
        alertaConteudoInvalido("U05", "cMunFG", "Código do Município FG");

    Gerador.EscreveCampo(vcTexto, "U06", "cListServ", v31 ? 5 : 3, v31 ? 5 : 4, 1, issqn.cListServ,
                         "Lista Prestação de Serviços");
    if (Opcoes.ValidarListaServicos() && !issqn.cListServ.empty()) {
        if (!ItemListaServicoValido(itemDaListaDeServicos(issqn.cListServ, v31)))
            alertaConteudoInvalido("U06", "cListServ", "Lista Prestação de Serviços");
    }

    if (versao() >= 2 && versao() < 3)
        Gerador.EscreveCampo(vcTexto, "U07", "cSitTrib", 1, 1, 1,
                             SitTributariaISSQNParaCodigo(issqn.cSitTrib), "Código de Tributação do ISSQN");
    if (v31) {
        Gerador.EscreveCampo(vcDecimal2, "U07", "vDeducao", 1, 15, 0, issqn.vDeducao, "Valor da Dedução");
        Gerador.EscreveCampo(vcDecimal2, "U08", "vOutro", 1, 15, 0, issqn.vOutro, "Valor Outras Deduções");
        Gerador.EscreveCampo(vcDecimal2, "U09", "vDescIncond", 1, 15, 0, issqn.vDescIncond,
                             "Valor Desconto Incondicionado");
        Gerador.EscreveCampo(vcDecimal2, "U10", "vDescCond", 1, 15, 0, issqn.vDescCond,
                             "Valor Desconto Condicionado");
        Gerador.EscreveCampo(vcDecimal2, "U12", "vISSRet", 1, 15, 0, issqn.vISSRet, "Valor Retenção ISS");
        Gerador.EscreveCampo(vcTexto, "U13", "indISS", 1, 1, 1, ExigibilidadeISSParaCodigo(issqn.indISS),
                             "Indicador da Exigibilidade do ISS");
        Gerador.EscreveCampo(vcTexto, "U14", "cServico", 1, 20, 0, issqn.cServico, "Código do Serviço");
        Gerador.EscreveCampo(vcInteiro, "U15", "cMun", 1, 7, 0, issqn.cMun, "Código do Município");
        Gerador.EscreveCampo(vcInteiro, "U16", "cPais", 1, 4, 0, issqn.cPais, "Código do País");
        Gerador.EscreveCampo(vcTexto, "U17", "nProcesso", 1, 30, 0, issqn.nProcesso, "Número do Processo");
        Gerador.EscreveCampo(vcTexto, "U18", "indIncentivo", 1, 1, 1,
                             IncentivoFiscalParaCodigo(issqn.indIncentivo), "Indicador de Incentivo Fiscal");
    }
    Gerador.EscreveGrupo("/ISSQN");
}

void TNFeW::EscreveICMSUFDest(int item)
{
    const TICMSUFDest &partilha = NFe.det.ObterItem(item).imposto.ICMSUFDest;
    Gerador.EscreveGrupo("ICMSUFDest", "NA01");
    Gerador.EscreveCampo(vcDecimal2, "NA03", "vBCUFDest", 1, 15, 1, partilha.vBCUFDest,
                         "Valor da BC do ICMS na UF do destinatário");
    if (versao() >= 4)
        Gerador.EscreveCampo(vcDecimal2, "NA04", "vBCFCPUFDest", 1, 15, 1, partilha.vBCFCPUFDest,
                             "Valor da BC do ICMS na UF do destinatário");
    escrevePercentual(Gerador, LayoutDesde310, "NA05", "pFCPUFDest", 1, partilha.pFCPUFDest,
                      "Alíquota do ICMS realtivo ao Fundo de Combate à Pobreza");
    escrevePercentual(Gerador, LayoutDesde310, "NA07", "pICMSUFDest", 1, partilha.pICMSUFDest,
                      "Alíquota interna da UF do destinatário");
    Gerador.EscreveCampo(vcDecimal2, "NA09", "pICMSInter", 1, 5, 1, partilha.pICMSInter,
                         "Alíquota interestadual das UF envolvidas");
    escrevePercentual(Gerador, LayoutDesde310, "NA11", "pICMSInterPart", 1, partilha.pICMSInterPart,
                      "Percentual provisório de partilha entre os Estados");
    Gerador.EscreveCampo(vcDecimal2, "NA13", "vFCPUFDest", 1, 15, 1, partilha.vFCPUFDest,
                         "Valor do ICMS realtivo ao Fundo de Combate à Pobreza");
    Gerador.EscreveCampo(vcDecimal2, "NA15", "vICMSUFDest", 1, 15, 1, partilha.vICMSUFDest,
                         "Valor do ICMS de partilha para a UF do destinatário");
    Gerador.EscreveCampo(vcDecimal2, "NA17", "vICMSUFRemet", 1, 15, 1, partilha.vICMSUFRemet,
                         "Valor do ICMS de partilha para a UF do remetente");
    Gerador.EscreveGrupo("/ICMSUFDest");
}

void TNFeW::EscreveImpostoDevol(int item)
{
    const TDetCollectionItem &det = NFe.det.ObterItem(item);
    Gerador.EscreveGrupo("impostoDevol", "U50");
    Gerador.EscreveCampo(vcDecimal2, "U51", "pDevol", 1, 5, 1, det.pDevol,
                         "Percentual da Mercadoria Devolvida");
    Gerador.EscreveGrupo("IPI", "U60");
    Gerador.EscreveCampo(vcDecimal2, "U61", "vIPIDevol", 1, 15, 1, det.vIPIDevol, "Valor do IPI Devolvido");
    Gerador.EscreveGrupo("/IPI");
    Gerador.EscreveGrupo("/impostoDevol");
}

void TNFeW::EscreveObsItem(int item)
{
    const TDetCollectionItem &det = NFe.det.ObterItem(item);
    if (det.obsCont.xTexto.empty() && det.obsFisco.xTexto.empty())
        return;
    Gerador.EscreveGrupo("obsItem", "VA01");
    if (!det.obsCont.xTexto.empty())
        escreveObservacao(Gerador, det.obsCont, "obsCont", "VA02", "VA03", "VA04");
    if (!det.obsFisco.xTexto.empty())
        escreveObservacao(Gerador, det.obsFisco, "obsFisco", "VA05", "VA06", "VA07");
    Gerador.EscreveGrupo("/obsItem");
}
