// The groups of infNFe right after the items: total, transp, cobr and pag.

#include "nfe/document/nfe_writer.h"

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"

namespace {

bool preenchido(std::string_view texto)
{
    return !trimText(texto).empty();
}

bool positivo(Decimal valor)
{
    return valor > Decimal(0);
}

} // namespace

// ---- total -----------------------------------------------------------------------

void TNFeW::EscreveTotal()
{
    Gerador.EscreveGrupo("total", "W01");
    EscreveICMSTot();
    EscreveISSQNtot();
    EscreveRetTrib();
    Gerador.EscreveGrupo("/total");
}

void TNFeW::EscreveICMSTot()
{
    const TICMSTot &tot = NFe.total.ICMSTot;
    const bool v31 = versao() >= 3.1;
    const bool v4 = versao() >= 4;
    auto valor = [this](const char *id, const char *tag, int ocorrencia, Decimal v, const char *descricao) {
        Gerador.EscreveCampo(vcDecimal2, id, tag, 1, 15, static_cast<std::int16_t>(ocorrencia), v, descricao);
    };

    Gerador.EscreveGrupo("ICMSTot", "W02");
    valor("W03", "vBC", 1, tot.vBC, "Valor da BC do ICMS");
    valor("W04", "vICMS", 1, tot.vICMS, "Valor do ICMS");
    if (v31) {
        valor("W04a", "vICMSDeson", 1, tot.vICMSDeson, "Valor do ICMS Desoneração");
        valor("W04c", "vFCPUFDest", 0, tot.vFCPUFDest, "Valor do ICMS");
        valor("W04e", "vICMSUFDest", 0, tot.vICMSUFDest, "Valor do ICMS");
        valor("W04g", "vICMSUFRemet", 0, tot.vICMSUFRemet, "Valor do ICMS");
    }
    if (v4)
        valor("W04h", "vFCP", 1, tot.vFCP, "Valor do ICMS relativo ao Fundo de Combate à Pobreza (FCP)");
    valor("W05", "vBCST", 1, tot.vBCST, "Valor da BC do ICMS ST");
    valor("W06", "vST", 1, tot.vST, "Valor TOTAL Icms substituição Tributária");
    if (v4) {
        valor("W06a", "vFCPST", 1, tot.vFCPST, "Valor do FCP retido por Substituição Tributária");
        valor("W06b", "vFCPSTRet", 1, tot.vFCPSTRet, "Valor do FCP retido por Substituição Tributária");
        // The quantities go with two decimals here (four in the items).
        valor("W06b1", "qBCMono", 0, tot.qBCMono, "Quantidade tributada");
        valor("W06c", "vICMSMono", 0, tot.vICMSMono, "Valor do ICMS próprio");
        valor("W06c1", "qBCMonoReten", 0, tot.qBCMonoReten, "Quantidade tributada sujeita a retenção");
        valor("W06d", "vICMSMonoReten", 0, tot.vICMSMonoReten, "Valor do ICMS com retenção");
        valor("W06d1", "qBCMonoRet", 0, tot.qBCMonoRet, "Quantidade tributada retida anteriormente");
        valor("W06e", "vICMSMonoRet", 0, tot.vICMSMonoRet, "Valor do ICMS retido anteriormente");
    }
    valor("W07", "vProd", 1, tot.vProd, "Valor Total Bruto dos Produtos ou Serviços");
    valor("W08", "vFrete", 1, tot.vFrete, "Valor Total do Frete");
    valor("W09", "vSeg", 1, tot.vSeg, "Valor Total do Seguro");
    valor("W10", "vDesc", 1, tot.vDesc, "Valor do desconto");
    valor("W11", "vII", 1, tot.vII, "Valor do Imposto de Importação");
    valor("W12", "vIPI", 1, tot.vIPI, "Valor do Imposto sobre Produtos Industrializados");
    if (v4)
        valor("W12a", "vIPIDevol", 1, tot.vIPIDevol, "Valor do IPI Devolvido");
    valor("W13", "vPIS", 1, tot.vPIS, "Valor do PIS");
    valor("W14", "vCOFINS", 1, tot.vCOFINS, "Valor do COFINS");
    valor("W15", "vOutro", 1, tot.vOutro, "Outras Despesas Acessórias");
    valor("W16", "vNF", 1, tot.vNF, "Valor Total do DF-e");
    valor("W16a", "vTotTrib", 0, tot.vTotTrib, "Valor Aproximado Total de Tributos");
    Gerador.EscreveGrupo("/ICMSTot");
}

void TNFeW::EscreveISSQNtot()
{
    const TISSQNtot &tot = NFe.total.ISSQNtot;
    if (!positivo(tot.vServ) && !positivo(tot.vBC) && !positivo(tot.vISS) && !positivo(tot.vPIS) &&
        !positivo(tot.vCOFINS))
        return;
    auto valor = [this](const char *id, const char *tag, Decimal v, const char *descricao) {
        Gerador.EscreveCampo(vcDecimal2, id, tag, 1, 15, 0, v, descricao);
    };

    Gerador.EscreveGrupo("ISSQNtot", "W17");
    valor("W18", "vServ", tot.vServ,
          "Valor total dos Serviços sob não incidência ou não Tributados pelo ICMS  / Valor do Serviço");
    valor("W19", "vBC", tot.vBC, "Valor da BC do ICMS");
    valor("W20", "vISS", tot.vISS, "Valor do Imposto sobre Serviço");
    valor("W21", "vPIS", tot.vPIS, "Valor do PIS");
    valor("W22", "vCOFINS", tot.vCOFINS, "Valor do COFINS");
    if (versao() >= 3.1) {
        Gerador.EscreveCampo(vcData, "W22a", "dCompet", 10, 10, 1, tot.dCompet,
                             "Data da Prestação do Serviço");
        valor("W22b", "vDeducao", tot.vDeducao, "Valor da Dedução");
        valor("W22c", "vOutro", tot.vOutro, "Valor Outras Deduções");
        valor("W22d", "vDescIncond", tot.vDescIncond, "Valor Desconto Incondicionado");
        valor("W22e", "vDescCond", tot.vDescCond, "Valor Desconto Condicionado");
        valor("W22f", "vISSRet", tot.vISSRet, "Valor Retenção ISS");
        if (tot.cRegTrib != rei0)
            Gerador.EscreveCampo(vcTexto, "W22g", "cRegTrib", 1, 1, 0,
                                 RegimeEspecialISSQNParaCodigo(tot.cRegTrib),
                                 "Código do Regime Especial de Tributação");
    }
    Gerador.EscreveGrupo("/ISSQNtot");
}

void TNFeW::EscreveRetTrib()
{
    const TretTrib &ret = NFe.total.retTrib;
    if (!positivo(ret.vRetPIS) && !positivo(ret.vRetCOFINS) && !positivo(ret.vRetCSLL) &&
        !positivo(ret.vBCIRRF) && !positivo(ret.vIRRF) && !positivo(ret.vBCRetPrev) &&
        !positivo(ret.vRetPrev))
        return;
    auto valor = [this](const char *id, const char *tag, Decimal v, const char *descricao) {
        Gerador.EscreveCampo(vcDecimal2, id, tag, 1, 15, 0, v, descricao);
    };

    Gerador.EscreveGrupo("retTrib", "W23");
    valor("W24", "vRetPIS", ret.vRetPIS, "Valor Retido do PIS");
    valor("W25", "vRetCOFINS", ret.vRetCOFINS, "Valor Retido do COFINS");
    valor("W26", "vRetCSLL", ret.vRetCSLL, "Valor Retido da CONTRIBUIÇÃO SOCIAL SOBRE O LUCRO LÍQUIDO");
    valor("W27", "vBCIRRF", ret.vBCIRRF, "Base de Cálculo do IRRF");
    valor("W28", "vIRRF", ret.vIRRF, "Valor do Imposto de Renda Retido na Fonte");
    valor("W29", "vBCRetPrev", ret.vBCRetPrev, "Base de Cálculo da Retenção da Previdência Social");
    valor("W30", "vRetPrev", ret.vRetPrev, "Valor da Retenção da Previdência Social");
    Gerador.EscreveGrupo("/retTrib");
}

// ---- transp ----------------------------------------------------------------------

void TNFeW::EscreveTransp()
{
    const TTransp &transp = NFe.transp;
    Gerador.EscreveGrupo("transp", "X01");
    Gerador.EscreveCampo(vcTexto, "X02", "modFrete", 1, 1, 1, ContratacaoFreteParaCodigo(transp.modFrete),
                         "Modalidade do Frete");
    EscreveTransporta();
    EscreveRetTransp();
    EscreveVeicTransp();
    EscreveReboque();
    Gerador.EscreveCampo(vcTexto, "X25a", "vagao", 1, 20, 0, transp.vagao, "Identificação do vagão");
    Gerador.EscreveCampo(vcTexto, "X25b", "balsa", 1, 20, 0, transp.balsa, "Identificação da balsa");
    EscreveVol();
    Gerador.EscreveGrupo("/transp");
}

void TNFeW::EscreveTransporta()
{
    const TTransporta &t = NFe.transp.transporta;
    if (!preenchido(t.CNPJCPF) && !preenchido(t.xNome) && !preenchido(t.IE) && !preenchido(t.xEnder) &&
        !preenchido(t.xMun) && !preenchido(t.UF))
        return;

    Gerador.EscreveGrupo("transporta", "X03");
    if (preenchido(t.CNPJCPF))
        Gerador.EscreveCNPJouCPF("X04", "X05", t.CNPJCPF, 1, true);
    Gerador.EscreveCampo(vcTexto, "X06", "xNome", 1, 60, 0, t.xNome, "Razão Social ou Nome");
    if (trimText(t.IE) == "ISENTO") {
        Gerador.EscreveCampo(vcTexto, "X07", "IE", 2, 14, 0, t.IE, "Inscrição Estadual");
    } else {
        Gerador.EscreveCampo(vcTexto, "X07", "IE", 2, 14, 0, SomenteDigitos(t.IE), "Inscrição Estadual");
        if (Opcoes.ValidarInscricoes() && !t.IE.empty() && !InscricaoEstadualValida(t.IE, t.UF))
            alertaConteudoInvalido("X07", "IE", "Inscrição Estadual");
    }
    Gerador.EscreveCampo(vcTexto, "X08", "xEnder", 1, 60, 0, t.xEnder, "Endereço Completo");
    Gerador.EscreveCampo(vcTexto, "X09", "xMun", 1, 60, 0, t.xMun, "Nome do Município");
    if (preenchido(t.UF)) {
        Gerador.EscreveCampo(vcTexto, "X10", "UF", 1, 2, 0, t.UF, "Sigla da UF");
        if (!SiglaUFValida(t.UF))
            alertaConteudoInvalido("X10", "UF", "Sigla da UF");
    }
    Gerador.EscreveGrupo("/transporta");
}

void TNFeW::EscreveRetTransp()
{
    const TretTransp &r = NFe.transp.retTransp;
    if (!positivo(r.vServ) && !positivo(r.vBCRet) && !positivo(r.pICMSRet) && !positivo(r.vICMSRet) &&
        !preenchido(r.CFOP) && r.cMunFG <= 0)
        return;

    Gerador.EscreveGrupo("retTransp", "X11");
    Gerador.EscreveCampo(
        vcDecimal2, "X12", "vServ", 1, 15, 1, r.vServ,
        "Valor total dos Serviços sob não incidência ou não Tributados pelo ICMS  / Valor do Serviço");
    Gerador.EscreveCampo(vcDecimal2, "X13", "vBCRet", 1, 15, 1, r.vBCRet, "BC da Retenção do ICMS");
    Gerador.EscreveCampo(vcDecimal2, "X14", "pICMSRet", 1, 5, 1, r.pICMSRet, "Alíquota da Retenção");
    Gerador.EscreveCampo(vcDecimal2, "X15", "vICMSRet", 1, 15, 1, r.vICMSRet, "Valor do ICMS Retido");
    Gerador.EscreveCampo(vcDigitos, "X16", "CFOP", 4, 4, 1, SomenteDigitos(r.CFOP), "CFOP");
    Gerador.EscreveCampo(vcTexto, "X17", "cMunFG", 7, 7, 1, std::to_string(r.cMunFG),
                         "Código do Município FG");
    if (!CodigoMunicipioValido(r.cMunFG))
        alertaConteudoInvalido("X17", "cMunFG", "Código do Município FG");
    Gerador.EscreveGrupo("/retTransp");
}

void TNFeW::EscreveVeicTransp()
{
    const TveicTransp &v = NFe.transp.veicTransp;
    if (!preenchido(v.placa) && !preenchido(v.UF) && !preenchido(v.RNTC))
        return;

    Gerador.EscreveGrupo("veicTransp", "X18");
    Gerador.EscreveCampo(vcTexto, "X19", "placa", 6, 7, 1, v.placa, "Placa do Veículo");
    Gerador.EscreveCampo(vcTexto, "X20", "UF", 2, 2, 0, v.UF, "Sigla da UF");
    if (!v.UF.empty() && !SiglaUFValida(v.UF))
        alertaConteudoInvalido("X20", "UF", "Sigla da UF");
    Gerador.EscreveCampo(vcTexto, "X21", "RNTC", 1, 20, 0, v.RNTC,
                         "Registro Nacional de Transportador de Carga (ANTT)");
    Gerador.EscreveGrupo("/veicTransp");
}

void TNFeW::EscreveReboque()
{
    const TreboqueCollection &reboques = NFe.transp.reboque;
    if (reboques.count() > 5)
        alertaOcorrencias("X22", "reboque", "Reboque", 5);
    for (int i = 0; i < reboques.count(); ++i) {
        const TreboqueCollectionItem &r = reboques.ObterItem(i);
        Gerador.EscreveGrupo("reboque", "X22");
        Gerador.EscreveCampo(vcTexto, "X23", "placa", 6, 7, 1, r.placa, "Placa do Veículo");
        Gerador.EscreveCampo(vcTexto, "X24", "UF", 2, 2, 0, r.UF, "Sigla da UF");
        if (!r.UF.empty() && !SiglaUFValida(r.UF))
            alertaConteudoInvalido("X24", "UF", "Sigla da UF");
        Gerador.EscreveCampo(vcTexto, "X25", "RNTC", 1, 20, 0, r.RNTC,
                             "Registro Nacional de Transportador de Carga (ANTT)");
        Gerador.EscreveGrupo("/reboque");
    }
}

void TNFeW::EscreveVol()
{
    const TVolCollection &volumes = NFe.transp.vol;
    for (int i = 0; i < volumes.count(); ++i) {
        const TVolCollectionItem &v = volumes.ObterItem(i);
        Gerador.EscreveGrupo("vol", "X26");
        Gerador.EscreveCampo(vcInteiro, "X27", "qVol", 1, 15, 1, v.qVol,
                             "Quantidade de volumes transportados");
        Gerador.EscreveCampo(vcTexto, "X28", "esp", 1, 60, 0, v.esp, "Espécie dos volumes transportados");
        Gerador.EscreveCampo(vcTexto, "X29", "marca", 1, 60, 0, v.marca, "Marca dos volumes transportados");
        Gerador.EscreveCampo(vcTexto, "X30", "nVol", 1, 60, 0, v.nVol, "Numeração dos volumes transportados");
        Gerador.EscreveCampo(vcDecimal3, "X31", "pesoL", 1, 15, 0, v.pesoL, "Peso Líquido (em kg)");
        Gerador.EscreveCampo(vcDecimal3, "X32", "pesoB", 1, 15, 0, v.pesoB, "Peso Bruto (em kg)");
        EscreveLacres(i);
        Gerador.EscreveGrupo("/vol");
    }
}

void TNFeW::EscreveLacres(int volume)
{
    const TLacresCollection &lacres = NFe.transp.vol.ObterItem(volume).lacres;
    for (int i = 0; i < lacres.count(); ++i) {
        Gerador.EscreveGrupo("lacres", "X33");
        Gerador.EscreveCampo(vcTexto, "X34", "nLacre", 1, 60, 1, lacres.ObterItem(i).nLacre,
                             "Número dos Lacres");
        Gerador.EscreveGrupo("/lacres");
    }
}

// ---- cobr ------------------------------------------------------------------------

namespace {

bool temFatura(const TFat &fat)
{
    return preenchido(fat.nFat) || positivo(fat.vOrig) || positivo(fat.vDesc) || positivo(fat.vLiq);
}

} // namespace

void TNFeW::EscreveCobr()
{
    if (!temFatura(NFe.cobr.fat) && NFe.cobr.dup.count() == 0)
        return;
    Gerador.EscreveGrupo("cobr", "Y01");
    EscreveFat();
    EscreveDup();
    Gerador.EscreveGrupo("/cobr");
}

void TNFeW::EscreveFat()
{
    const TFat &fat = NFe.cobr.fat;
    if (!temFatura(fat))
        return;
    const std::int16_t ocorrencia = Opcoes.CamposFatObrigatorios && versao() >= 4 ? 1 : 0;
    Gerador.EscreveGrupo("fat", "Y02");
    Gerador.EscreveCampo(vcTexto, "Y03", "nFat", 1, 60, ocorrencia, fat.nFat, "Número da fatura");
    Gerador.EscreveCampo(vcDecimal2, "Y04", "vOrig", 1, 15, ocorrencia, fat.vOrig,
                         "Valor Original da Fatura");
    Gerador.EscreveCampo(vcDecimal2, "Y05", "vDesc", 1, 15, ocorrencia, fat.vDesc, "Valor do desconto");
    Gerador.EscreveCampo(vcDecimal2, "Y06", "vLiq", 1, 15, ocorrencia, fat.vLiq, "Valor Líquido da Fatura");
    Gerador.EscreveGrupo("/fat");
}

void TNFeW::EscreveDup()
{
    const TDupCollection &duplicatas = NFe.cobr.dup;
    const std::int16_t ocorrencia = versao() >= 4 ? 1 : 0;
    for (int i = 0; i < duplicatas.count(); ++i) {
        const TDupCollectionItem &d = duplicatas.ObterItem(i);
        Gerador.EscreveGrupo("dup", "Y07");
        Gerador.EscreveCampo(vcTexto, "Y08", "nDup", 1, 60, ocorrencia, d.nDup, "Número da duplicata");
        Gerador.EscreveCampo(vcData, "Y09", "dVenc", 10, 10, ocorrencia, d.dVenc, "Data de vencimento");
        Gerador.EscreveCampo(vcDecimal2, "Y10", "vDup", 1, 15, 1, d.vDup, "Valor da duplicata");
        Gerador.EscreveGrupo("/dup");
    }
    if (duplicatas.count() > 120)
        alertaOcorrencias("Y07", "dup", "Numero do item", 120);
}

// ---- pag -------------------------------------------------------------------------

void TNFeW::EscrevePag()
{
    const TpagCollection &pagamentos = NFe.pag;
    const bool v4 = versao() >= 4;

    // From 4.00 one pag holds every payment as detPag; before, each payment
    // is a pag of its own.
    if (v4)
        Gerador.EscreveGrupo("pag", "YA01");
    for (int i = 0; i < pagamentos.count(); ++i) {
        const TpagCollectionItem &p = pagamentos.ObterItem(i);
        if (v4) {
            Gerador.EscreveGrupo("detPag", "YA01a");
            if (p.indPag != ifpVazio)
                Gerador.EscreveCampo(vcTexto, "YA01b", "indPag", 1, 1, 0,
                                     IndFormaPagamentoParaCodigo(p.indPag),
                                     "Indicador da forma de pagamento");
        } else {
            Gerador.EscreveGrupo("pag", "YA01");
        }
        const std::string tPag = MeioPagamentoParaCodigo(p.tPag);
        Gerador.EscreveCampo(vcTexto, "YA02", "tPag", 2, 2, 1, tPag, "Forma de Pagamento");
        Gerador.EscreveCampo(vcTexto, "YA02a", "xPag", 2, 60, 0, p.xPag, "Descrição da forma de Pagamento");
        Gerador.EscreveCampo(vcDecimal2, "YA03", "vPag", 1, 15, 1, p.vPag, "Valor do Pagamento");
        const bool cartao = tPag == "03" || tPag == "04";
        if (cartao && (!p.CNPJ.empty() || p.tpIntegra != ipgVazio)) {
            Gerador.EscreveGrupo("card", "YA04");
            Gerador.EscreveCampo(vcTexto, "YA04a", "tpIntegra", 1, 1, 1,
                                 IntegracaoPagamentoParaCodigo(p.tpIntegra),
                                 "Tipo de Integração para pagamento");
            Gerador.EscreveCampo(vcTexto, "YA05", "CNPJ", 14, 14, 0, p.CNPJ, "CNPJ(MF)");
            if (p.tBand != bdVazio)
                Gerador.EscreveCampo(vcTexto, "YA06", "tBand", 2, 2, 0, BandeiraOperadoraParaCodigo(p.tBand),
                                     "Bandeira da Operadora de Cartão");
            Gerador.EscreveCampo(vcTexto, "YA07", "cAut", 1, 20, 0, p.cAut, "Número da Autorização");
            Gerador.EscreveGrupo("/card");
        }
        Gerador.EscreveGrupo(v4 ? "/detPag" : "/pag");
    }
    if (v4) {
        Gerador.EscreveCampo(vcDecimal2, "YA09", "vTroco", 1, 15, 0, pagamentos.vTroco, "Valor do Pagamento");
        Gerador.EscreveGrupo("/pag");
    }
    if (pagamentos.count() > 100)
        alertaOcorrencias("YA01", "pag", "", 100);
}
