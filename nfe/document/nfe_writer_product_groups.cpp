// TNFeW: the specific groups of a product: new vehicle, medicines, weapons
// and fuel.
#include <string>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "nfe/document/detail/nfe_writer_item_fields.h"
#include "nfe/document/nfe_writer.h"

using nfe_item_writer::algumPositivo;

namespace {

constexpr int kMaximoMedicamentos400 = 1;
constexpr int kMaximoMedicamentosAntes400 = 500;
constexpr int kMaximoArmas = 500;
constexpr int kMaximoOrigensCombustivel = 30;
constexpr int kProdutoANPGLP = 210203001;

constexpr std::string_view kDescricaoANVISA = "Código de Produto da ANVISA";

constexpr std::string_view kDescricaoUFConsumo = "Sigla da UF de consumo";

// A share of the LPG blend: a full 100 % is optional with two decimals,
// anything else required with four.
void escreveParcelaGLP(TGerador &gerador, std::string_view id, std::string_view tag, Decimal valor,
                       std::string_view descricao)
{
    if (valor == Decimal(100))
        gerador.EscreveCampo(vcDecimal2, id, tag, 1, 7, 0, valor, descricao);
    else
        gerador.EscreveCampo(vcDecimal4, id, tag, 1, 7, 1, valor, descricao);
}

// A medicine's ANVISA code: only a six-character code other than "ISENTO"
// is refused; the element's size check covers the rest.
bool CodigoANVISAAceito(std::string_view codigo)
{
    return !(utf8Length(codigo) == 6 && codigo != "ISENTO");
}

} // namespace

void TNFeW::EscreveVeicProd(int item)
{
    const TveicProd &veiculo = NFe.det.ObterItem(item).prod.veicProd;
    if (trimText(veiculo.chassi).empty())
        return;
    const bool desde200 = versao() >= 2;

    Gerador.EscreveGrupo("veicProd", "J01");
    Gerador.EscreveCampo(vcTexto, "J02", "tpOp", 1, 1, 1, TipoOperacaoVeiculoParaCodigo(veiculo.tpOp),
                         "Tipo da operação");
    Gerador.EscreveCampo(vcTexto, "J03", "chassi", 17, 17, 1, veiculo.chassi, "Número do chassi");
    Gerador.EscreveCampo(vcTexto, "J04", "cCor", 1, 4, 1, veiculo.cCor, "Cor do Veículo");
    Gerador.EscreveCampo(vcTexto, "J05", "xCor", 1, 40, 1, veiculo.xCor, "Descrição da Cor");
    Gerador.EscreveCampo(vcTexto, "J06", "pot", 1, 4, 1, veiculo.pot, "Potência Motor");
    if (desde200)
        Gerador.EscreveCampo(vcTexto, "J07", "cilin", 1, 4, 1, veiculo.cilin, "Cilindradas");
    else
        Gerador.EscreveCampo(vcTexto, "J07", "CM3", 4, 4, 1, veiculo.cilin, "Cilindradas");
    Gerador.EscreveCampo(vcTexto, "J08", "pesoL", 0, 9, 1, veiculo.pesoL, "Peso Líquido (em kg)");
    Gerador.EscreveCampo(vcTexto, "J09", "pesoB", 0, 9, 1, veiculo.pesoB, "Peso Bruto (em kg)");
    Gerador.EscreveCampo(vcTexto, "J10", "nSerie", 0, 9, 1, veiculo.nSerie, "Número de série");
    Gerador.EscreveCampo(vcTexto, "J11", "tpComb", 1, 2, 1, veiculo.tpComb, "Tipo de combustível");
    Gerador.EscreveCampo(vcTexto, "J12", "nMotor", 0, 21, 1, veiculo.nMotor, "Número de Motor");
    if (desde200)
        Gerador.EscreveCampo(vcTexto, "J13", "CMT", 1, 9, 1, veiculo.CMT, "Capacidade Máxima de Tração");
    else
        Gerador.EscreveCampo(vcTexto, "J13", "CMKG", 9, 9, 1, veiculo.CMT, "Capacidade Máxima de Tração");
    Gerador.EscreveCampo(vcTexto, "J14", "dist", 0, 4, 1, veiculo.dist, "Distância entre os eixos");
    Gerador.EscreveCampo(vcInteiro, "J16", "anoMod", 0, 4, 1, veiculo.anoMod, "Ano do Modelo de Fabricação");
    Gerador.EscreveCampo(vcInteiro, "J17", "anoFab", 0, 4, 1, veiculo.anoFab, "Ano de Fabricação");
    Gerador.EscreveCampo(vcTexto, "J18", "tpPint", 0, 1, 1, veiculo.tpPint, "Tipo de Pintura");
    Gerador.EscreveCampo(vcInteiro, "J19", "tpVeic", 0, 2, 1, veiculo.tpVeic, "Tipo de Veículo");
    Gerador.EscreveCampo(vcInteiro, "J20", "espVeic", 0, 1, 1, veiculo.espVeic, "Espécie de veículo");
    Gerador.EscreveCampo(vcTexto, "J21", "VIN", 0, 1, 1, veiculo.VIN, "Condição do VIN");
    Gerador.EscreveCampo(vcTexto, "J22", "condVeic", 0, 1, 1, EstadoVeiculoParaCodigo(veiculo.condVeic),
                         "Condições do Veículo");
    Gerador.EscreveCampo(vcTexto, "J23", "cMod", 0, 6, 1, veiculo.cMod, "Modelo do Veículo");
    if (desde200) {
        Gerador.EscreveCampo(vcTexto, "J24", "cCorDENATRAN", 0, 2, 1, veiculo.cCorDENATRAN,
                             "Código da Cor DENATRAN");
        Gerador.EscreveCampo(vcInteiro, "J25", "lota", 1, 3, 1, veiculo.lota, "Indicador de lotação");
        Gerador.EscreveCampo(vcInteiro, "J26", "tpRest", 1, 1, 1, veiculo.tpRest, "Restrição");
    }
    Gerador.EscreveGrupo("/veicProd");
}

void TNFeW::EscreveMed(int item)
{
    const TmedCollection &lista = NFe.det.ObterItem(item).prod.med;
    const bool desde400 = versao() >= 4;
    for (const TmedCollectionItem *med : lista) {
        Gerador.EscreveGrupo("med", "K01");
        if (desde400) {
            Gerador.EscreveCampo(vcTexto, "K01a", "cProdANVISA", 6, 13, 1, med->cProdANVISA,
                                 kDescricaoANVISA);
            if (!CodigoANVISAAceito(med->cProdANVISA))
                Gerador.AdicionaAlerta("K01a", "cProdANVISA", kDescricaoANVISA, "Valor inválido.");
            Gerador.EscreveCampo(vcTexto, "K01b", "xMotivoIsencao", 1, 255, 0, med->xMotivoIsencao,
                                 kDescricaoANVISA);
        } else {
            Gerador.EscreveCampo(vcTexto, "K02", "nLote", 1, 20, 1, med->nLote,
                                 "Número do Lote do medicamento");
            Gerador.EscreveCampo(vcDecimal3, "K03", "qLote", 0, 11, 1, med->qLote,
                                 "Quantidade de produto no Lote do medicamento");
            Gerador.EscreveCampo(vcData, "K04", "dFab", 10, 10, 1, med->dFab, "Data de fabricação");
            Gerador.EscreveCampo(vcData, "K05", "dVal", 10, 10, 1, med->dVal, "Data de validade");
        }
        Gerador.EscreveCampo(vcDecimal2, "K06", "vPMC", 0, 15, 1, med->vPMC, "Preço Máximo ao Consumidor");
        Gerador.EscreveGrupo("/med");
    }
    const int limite = desde400 ? kMaximoMedicamentos400 : kMaximoMedicamentosAntes400;
    if (lista.count() > limite)
        alertaOcorrencias("K01", "med", "Numero do item", limite);
}

void TNFeW::EscreveArma(int item)
{
    const TarmaCollection &lista = NFe.det.ObterItem(item).prod.arma;
    for (const TarmaCollectionItem *arma : lista) {
        Gerador.EscreveGrupo("arma", "L00");
        Gerador.EscreveCampo(vcTexto, "L02", "tpArma", 1, 1, 1, ClasseArmaParaCodigo(arma->tpArma),
                             "Indicador do tipo de arma de fogo");
        Gerador.EscreveCampo(vcTexto, "L03", "nSerie", 1, 15, 1, arma->nSerie, "Número de série");
        Gerador.EscreveCampo(vcTexto, "L04", "nCano", 1, 15, 1, arma->nCano, "Numero de série do cano");
        Gerador.EscreveCampo(vcTexto, "L05", "descr", 1, 256, 1, arma->descr, "Descrição completa");
        Gerador.EscreveGrupo("/arma");
    }
    if (lista.count() > kMaximoArmas)
        alertaOcorrencias("L01", "arma", "Numero do item", kMaximoArmas);
}

void TNFeW::EscreveComb(int item)
{
    const TComb &comb = NFe.det.ObterItem(item).prod.comb;
    if (comb.cProdANP <= 0)
        return;

    Gerador.EscreveGrupo("comb", "L01");
    Gerador.EscreveCampo(vcInteiro, "L102", "cProdANP", 9, 9, 1, comb.cProdANP, "Código do produto ANP");
    if (versao() >= 4) {
        Gerador.EscreveCampo(vcTexto, "LA03", "descANP", 2, 95, 1, comb.descANP,
                             "Descrição do produto conforme ANP");
        if (comb.cProdANP == kProdutoANPGLP) {
            escreveParcelaGLP(Gerador, "LA03a", "pGLP", comb.pGLP,
                              "Percentual do GLP derivado do petróleo no produto GLP");
            escreveParcelaGLP(Gerador, "LA03b", "pGNn", comb.pGNn,
                              "Percentual de Gás Natural Nacional – GLGNn para o produto GLP");
            escreveParcelaGLP(Gerador, "LA03c", "pGNi", comb.pGNi,
                              "Percentual de Gás Natural Importado – GLGNi para o produto GLP");
            Gerador.EscreveCampo(vcDecimal2, "LA03d", "vPart", 1, 15, 1, comb.vPart, "Valor de partida");
        }
    } else {
        Gerador.EscreveCampo(vcDecimal4, "L102a", "pMixGN", 0, 6, 0, comb.pMixGN,
                             "Percentual de Gás Natural");
    }
    if (!trimText(comb.CODIF).empty())
        Gerador.EscreveCampo(vcDigitos, "L103", "CODIF", 0, 21, 1, comb.CODIF,
                             "Código de autorização / registro do CODIF");
    if (!comb.qTemp.isZero())
        Gerador.EscreveCampo(vcDecimal4, "L104", "qTemp", 1, 16, 1, comb.qTemp,
                             "Quantidade de combustível faturada à temperatura ambiente.");

    const bool impostosDoLayoutAntigo =
        algumPositivo({comb.ICMSComb.vBCICMS, comb.ICMSComb.vICMS, comb.ICMSComb.vBCICMSST,
                       comb.ICMSComb.vICMSST, comb.ICMSInter.vBCICMSSTDest, comb.ICMSInter.vICMSSTDest,
                       comb.ICMSCons.vBCICMSSTCons, comb.ICMSCons.vICMSSTCons});
    if (versao() >= 2 || !impostosDoLayoutAntigo) {
        Gerador.EscreveCampo(vcTexto, "L120", "UFCons", 2, 2, 1, comb.UFCons, kDescricaoUFConsumo);
        if (!SiglaUFValida(comb.UFCons))
            alertaConteudoInvalido("L120", "UFcons", kDescricaoUFConsumo);
        EscreveCIDE(item);
        if (comb.encerrante.nBico > 0)
            EscreveEncerrante(item);
        // Percentages of up to 100 with four decimals: seven digits, as every
        // other percentage of the layout.
        Gerador.EscreveCampo(vcDecimal4, "LA17", "pBio", 1, 7, 0, comb.pBio,
                             "Percentual do índice de mistura do Biodiesel");
        if (!comb.origComb.empty())
            EscreveOrigComb(item);
    } else {
        EscreveCIDE(item);
        EscreveICMSComb(item);
        EscreveICMSInter(item);
        EscreveICMSCons(item);
    }
    Gerador.EscreveGrupo("/comb");
}

void TNFeW::EscreveCIDE(int item)
{
    const TCIDE &cide = NFe.det.ObterItem(item).prod.comb.CIDE;
    if (!algumPositivo({cide.qBCProd, cide.vAliqProd, cide.vCIDE}))
        return;
    Gerador.EscreveGrupo("CIDE", "L105");
    Gerador.EscreveCampo(vcDecimal4, "L106", "qBCProd", 1, 16, 1, cide.qBCProd, "BC da CIDE");
    Gerador.EscreveCampo(vcDecimal4, "L107", "vAliqProd", 1, 15, 1, cide.vAliqProd,
                         "Valor da alíquota (em reais)");
    Gerador.EscreveCampo(vcDecimal2, "L108", "vCIDE", 1, 15, 1, cide.vCIDE, "Valor da CIDE");
    Gerador.EscreveGrupo("/CIDE");
}

void TNFeW::EscreveEncerrante(int item)
{
    const Tencerrante &encerrante = NFe.det.ObterItem(item).prod.comb.encerrante;
    Gerador.EscreveGrupo("encerrante", "LA11");
    Gerador.EscreveCampo(vcInteiro, "LA12", "nBico", 1, 3, 1, encerrante.nBico,
                         "Número de identificação do bico");
    Gerador.EscreveCampo(vcInteiro, "LA13", "nBomba", 1, 3, 0, encerrante.nBomba,
                         "Número de identificação da bomba");
    Gerador.EscreveCampo(vcInteiro, "LA14", "nTanque", 1, 3, 1, encerrante.nTanque,
                         "Número de identificação do tanque");
    Gerador.EscreveCampo(vcDecimal3, "LA15", "vEncIni", 1, 15, 1, encerrante.vEncIni,
                         "Valor do Encerrante no início do abastecimento");
    Gerador.EscreveCampo(vcDecimal3, "LA16", "vEncFin", 1, 15, 1, encerrante.vEncFin,
                         "Valor do Encerrante no final do abastecimento");
    Gerador.EscreveGrupo("/encerrante");
}

void TNFeW::EscreveOrigComb(int item)
{
    const TorigCombCollection &lista = NFe.det.ObterItem(item).prod.comb.origComb;
    for (const TorigCombCollectionItem *origem : lista) {
        Gerador.EscreveGrupo("origComb", "LA18");
        Gerador.EscreveCampo(vcTexto, "LA19", "indImport", 1, 1, 1,
                             OrigemCombustivelParaCodigo(origem->indImport), "indicador de importação");
        Gerador.EscreveCampo(vcInteiro, "LA20", "cUFOrig", 2, 2, 1, origem->cUFOrig,
                             "Código do UF (Unidade da Federação)");
        Gerador.EscreveCampo(vcDecimal4, "LA21", "pOrig", 1, 7, 1, origem->pOrig,
                             "Percentual originário para a UF");
        Gerador.EscreveGrupo("/origComb");
    }
    if (lista.count() > kMaximoOrigensCombustivel)
        alertaOcorrencias("LA18", "origComb", "Numero do item", kMaximoOrigensCombustivel);
}

void TNFeW::EscreveICMSComb(int item)
{
    const TICMSComb &icms = NFe.det.ObterItem(item).prod.comb.ICMSComb;
    Gerador.EscreveGrupo("ICMSComb", "L109");
    Gerador.EscreveCampo(vcDecimal2, "L110", "vBCICMS", 1, 15, 1, icms.vBCICMS, "BC do ICMS");
    Gerador.EscreveCampo(vcDecimal2, "L111", "vICMS", 1, 15, 1, icms.vICMS, "Valor do ICMS");
    Gerador.EscreveCampo(vcDecimal2, "L112", "vBCICMSST", 1, 15, 1, icms.vBCICMSST, "BC do ICMS ST retido");
    Gerador.EscreveCampo(vcDecimal2, "L113", "vICMSST", 1, 15, 1, icms.vICMSST,
                         "Valor do ICMS Substituição Tributaria");
    Gerador.EscreveGrupo("/ICMSComb");
}

void TNFeW::EscreveICMSInter(int item)
{
    const TICMSInter &icms = NFe.det.ObterItem(item).prod.comb.ICMSInter;
    if (!algumPositivo({icms.vBCICMSSTDest, icms.vICMSSTDest}))
        return;
    Gerador.EscreveGrupo("ICMSInter", "L114");
    Gerador.EscreveCampo(vcDecimal2, "L115", "vBCICMSSTDest", 1, 15, 1, icms.vBCICMSSTDest,
                         "BC do ICMS ST da UF de destino");
    Gerador.EscreveCampo(vcDecimal2, "L116", "vICMSSTDest", 1, 15, 1, icms.vICMSSTDest,
                         "Valor do ICMS Substituição Tributaria da UF de Destino");
    Gerador.EscreveGrupo("/ICMSInter");
}

void TNFeW::EscreveICMSCons(int item)
{
    const TICMSCons &icms = NFe.det.ObterItem(item).prod.comb.ICMSCons;
    if (!algumPositivo({icms.vBCICMSSTCons, icms.vICMSSTCons}) && trimText(icms.UFCons).empty())
        return;
    Gerador.EscreveGrupo("ICMSCons", "L117");
    Gerador.EscreveCampo(vcDecimal2, "L118", "vBCICMSSTCons", 1, 15, 1, icms.vBCICMSSTCons,
                         "Valor do ICMS ST da UF de consumo");
    Gerador.EscreveCampo(vcDecimal2, "L119", "vICMSSTCons", 1, 15, 1, icms.vICMSSTCons,
                         "Valor do ICMS Substituição Tributaria da UF de Consumo");
    Gerador.EscreveCampo(vcTexto, "L120", "UFCons", 2, 2, 1, icms.UFCons, kDescricaoUFConsumo);
    if (!SiglaUFValida(icms.UFCons))
        alertaConteudoInvalido("L120", "UFcons", kDescricaoUFConsumo);
    Gerador.EscreveGrupo("/ICMSCons");
}
