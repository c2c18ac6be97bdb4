// The closing groups of infNFe: infIntermed, infAdic, exporta, compra, cana
// and infRespTec.

#include "nfe/document/nfe_writer.h"

#include "foundation/fiscal/dfe_util.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "foundation/xml/xml_text_utils.h"

namespace {

bool preenchido(std::string_view texto)
{
    return !trimText(texto).empty();
}

// An attribute written into a group's opening tag: name="value", the value
// escaped so that quotes or ampersands cannot break the document.
std::string atributo(std::string_view nome, std::string_view valor)
{
    return std::string(nome) + "=\"" + ConverteEntidades(valor, false, true) + "\"";
}

} // namespace

void TNFeW::EscreveInfIntermed()
{
    const TinfIntermed &intermed = NFe.infIntermed;
    if (!preenchido(intermed.CNPJ) && !preenchido(intermed.idCadIntTran))
        return;
    Gerador.EscreveGrupo("infIntermed", "YB01");
    Gerador.EscreveCampo(vcTexto, "YB02", "CNPJ", 14, 14, 1, intermed.CNPJ,
                         "CNPJ do Intermediador da Transação");
    Gerador.EscreveCampo(vcTexto, "YB03", "idCadIntTran", 2, 60, 1, intermed.idCadIntTran,
                         "Nome do usuário ou identificação do perfil do vendedor no site do intermediador");
    Gerador.EscreveGrupo("/infIntermed");
}

// ---- infAdic ---------------------------------------------------------------------

void TNFeW::EscreveInfAdic()
{
    const TInfAdic &inf = NFe.infAdic;
    if (!preenchido(inf.infAdFisco) && !preenchido(inf.infCpl) && inf.obsCont.count() == 0 &&
        inf.obsFisco.count() == 0 && inf.procRef.count() == 0)
        return;
    Gerador.EscreveGrupo("infAdic", "Z01");
    Gerador.EscreveCampo(vcTexto, "Z02", "infAdFisco", 1, 2000, 0, inf.infAdFisco,
                         "Informações adicionais de interesse do Fisco");
    Gerador.EscreveCampo(vcTexto, "Z03", "infCpl", 1, 5000, 0, inf.infCpl,
                         "Informações complementares de interesse do contribuinte");
    EscreveObsCont();
    EscreveObsFisco();
    EscreveProcRef();
    Gerador.EscreveGrupo("/infAdic");
}

namespace {

// The alert of an observation's field identifier: longer than 20 characters
// once trimmed, or empty.
void alertaXCampo(TGerador &gerador, std::string_view id, std::string_view xCampo)
{
    const std::string_view aparado = trimText(xCampo);
    if (utf8Length(aparado) > 20)
        gerador.AdicionaAlerta(id, "xCampo", "Identificação do Campo",
                               "Tamanho maior que o máximo permitido");
    else if (aparado.empty())
        gerador.AdicionaAlerta(id, "xCampo", "Identificação do Campo", "Nenhum valor informado");
}

} // namespace

void TNFeW::EscreveObsCont()
{
    const TobsContCollection &lista = NFe.infAdic.obsCont;
    if (lista.count() > 10)
        alertaOcorrencias("Z04", "obsCont", "Observações de interesse do contribuite", 10);
    for (int i = 0; i < lista.count(); ++i) {
        const TobsContCollectionItem &obs = lista.ObterItem(i);
        // The taxpayer's field identifier keeps its blanks.
        Gerador.EscreveGrupo("obsCont " + atributo("xCampo", obs.xCampo), "Z04");
        alertaXCampo(Gerador, "ZO5", obs.xCampo);
        Gerador.EscreveCampo(vcTexto, "Z06", "xTexto", 1, 60, 1, obs.xTexto, "Conteúdo do Campo");
        Gerador.EscreveGrupo("/obsCont");
    }
}

void TNFeW::EscreveObsFisco()
{
    const TobsFiscoCollection &lista = NFe.infAdic.obsFisco;
    if (lista.count() > 10)
        alertaOcorrencias("Z07", "obsFisco", "Observações de interesse do fisco", 10);
    for (int i = 0; i < lista.count(); ++i) {
        const TobsFiscoCollectionItem &obs = lista.ObterItem(i);
        Gerador.EscreveGrupo("obsFisco " + atributo("xCampo", trimText(obs.xCampo)), "Z07");
        alertaXCampo(Gerador, "ZO8", obs.xCampo);
        Gerador.EscreveCampo(vcTexto, "Z09", "xTexto", 1, 60, 1, obs.xTexto, "Conteúdo do Campo");
        Gerador.EscreveGrupo("/obsFisco");
    }
}

void TNFeW::EscreveProcRef()
{
    const TprocRefCollection &lista = NFe.infAdic.procRef;
    for (int i = 0; i < lista.count(); ++i) {
        const TprocRefCollectionItem &proc = lista.ObterItem(i);
        Gerador.EscreveGrupo("procRef", "Z10");
        Gerador.EscreveCampo(vcTexto, "Z11", "nProc", 1, 60, 1, proc.nProc,
                             "Identificador do processo ou ato concessório");
        Gerador.EscreveCampo(vcTexto, "Z12", "indProc", 1, 1, 1, OrigemProcessoParaCodigo(proc.indProc),
                             "Indicador da origem do processo");
        if (proc.tpAto != acNenhum)
            Gerador.EscreveCampo(vcTexto, "Z13", "tpAto", 2, 2, 0, AtoConcessorioParaCodigo(proc.tpAto),
                                 "Tipo do Ato Concessório");
        Gerador.EscreveGrupo("/procRef");
    }
    if (lista.count() > 100)
        alertaOcorrencias("Z10", "procRef", "", 100);
}

// ---- exporta, compra -------------------------------------------------------------

void TNFeW::EscreveExporta()
{
    const TExporta &exporta = NFe.exporta;
    constexpr const char *descricaoUF = "Sigla da UF onde ocorrerá o embarque dos produtos";
    constexpr const char *descricaoLocal = "Local onde ocorrerá o embarque dos produtos";
    if (versao() >= 3.1) {
        if (!preenchido(exporta.UFSaidaPais) && !preenchido(exporta.xLocExporta))
            return;
        Gerador.EscreveGrupo("exporta", "ZA01");
        Gerador.EscreveCampo(vcTexto, "ZA02", "UFSaidaPais", 2, 2, 1, exporta.UFSaidaPais, descricaoUF);
        if (!SiglaUFValida(exporta.UFSaidaPais))
            alertaConteudoInvalido("ZA02", "UFSaidaPais", descricaoUF);
        Gerador.EscreveCampo(vcTexto, "ZA03", "xLocExporta", 1, 60, 1, exporta.xLocExporta, descricaoLocal);
        Gerador.EscreveCampo(vcTexto, "ZA04", "xLocDespacho", 1, 60, 0, exporta.xLocDespacho,
                             "Local de Despacho");
    } else {
        if (!preenchido(exporta.UFEmbarq) && !preenchido(exporta.xLocEmbarq))
            return;
        Gerador.EscreveGrupo("exporta", "ZA01");
        Gerador.EscreveCampo(vcTexto, "ZA02", "UFEmbarq", 2, 2, 1, exporta.UFEmbarq, descricaoUF);
        if (!SiglaUFValida(exporta.UFEmbarq))
            alertaConteudoInvalido("ZA02", "UFEmbarq", descricaoUF);
        Gerador.EscreveCampo(vcTexto, "ZA03", "xLocEmbarq", 1, 60, 1, exporta.xLocEmbarq, descricaoLocal);
    }
    Gerador.EscreveGrupo("/exporta");
}

void TNFeW::EscreveCompra()
{
    const TCompra &compra = NFe.compra;
    if (!preenchido(compra.xNEmp) && !preenchido(compra.xPed) && !preenchido(compra.xCont))
        return;
    Gerador.EscreveGrupo("compra", "ZB01");
    Gerador.EscreveCampo(vcTexto, "ZB02", "xNEmp", 1, 22, 0, compra.xNEmp, "Nota de Empenho");
    Gerador.EscreveCampo(vcTexto, "ZB03", "xPed", 1, 60, 0, compra.xPed, "Pedido");
    Gerador.EscreveCampo(vcTexto, "ZB04", "xCont", 1, 60, 0, compra.xCont, "Contrato");
    Gerador.EscreveGrupo("/compra");
}

// ---- cana ------------------------------------------------------------------------

void TNFeW::EscreveCana()
{
    const TCana &cana = NFe.cana;
    if (!preenchido(cana.safra) && !preenchido(cana.ref) && cana.forDia.count() == 0 &&
        cana.deduc.count() == 0)
        return;
    Gerador.EscreveGrupo("cana", "ZC01");
    Gerador.EscreveCampo(vcTexto, "ZC02", "safra", 4, 9, 0, cana.safra, "Identificação da safra");
    Gerador.EscreveCampo(vcTexto, "ZC03", "ref", 4, 9, 0, cana.ref, "Mês e ano de referência");
    EscreveForDia();
    Gerador.EscreveCampo(vcDecimal10, "ZC07", "qTotMes", 1, 21, 1, cana.qTotMes, "Quantidade Total do Mês");
    Gerador.EscreveCampo(vcDecimal10, "ZC08", "qTotAnt", 1, 21, 1, cana.qTotAnt, "Quantidade Total Anterior");
    Gerador.EscreveCampo(vcDecimal10, "ZC09", "qTotGer", 1, 21, 1, cana.qTotGer, "Quantidade Total Geral");
    EscreveDeduc();
    Gerador.EscreveCampo(vcDecimal2, "ZC13", "vFor", 1, 15, 1, cana.vFor, "Valor dos Fornecimentos");
    Gerador.EscreveCampo(vcDecimal2, "ZC14", "vTotDed", 1, 15, 1, cana.vTotDed, "Valor Total da Dedução");
    Gerador.EscreveCampo(vcDecimal2, "ZC15", "vLiqFor", 1, 15, 1, cana.vLiqFor,
                         "Valor Líquido dos Fornecimentos");
    Gerador.EscreveGrupo("/cana");
}

void TNFeW::EscreveForDia()
{
    const TForDiaCollection &lista = NFe.cana.forDia;
    if (lista.count() > 31)
        alertaOcorrencias("ZC04", "forDia", "Grupo de Fornecimento diário de cana", 31);
    for (int i = 0; i < lista.count(); ++i) {
        const TForDiaCollectionItem &dia = lista.ObterItem(i);
        Gerador.EscreveGrupo("forDia " + atributo("dia", std::to_string(dia.dia)), "ZC04");
        Gerador.EscreveCampo(vcDecimal10, "ZC06", "qtde", 11, 21, 1, dia.qtde, "Quantidade");
        Gerador.EscreveGrupo("/forDia");
    }
}

void TNFeW::EscreveDeduc()
{
    const TDeducCollection &lista = NFe.cana.deduc;
    if (lista.count() > 10)
        alertaOcorrencias("ZC10", "deduc", "Grupo de Deduções – Taxas e Contribuições", 10);
    for (int i = 0; i < lista.count(); ++i) {
        const TDeducCollectionItem &deduc = lista.ObterItem(i);
        Gerador.EscreveGrupo("deduc", "ZC10");
        Gerador.EscreveCampo(vcTexto, "ZC11", "xDed", 1, 60, 1, deduc.xDed, "Descrição da Dedução");
        Gerador.EscreveCampo(vcDecimal2, "ZC12", "vDed", 1, 15, 1, deduc.vDed, "Valor da Dedução");
        Gerador.EscreveGrupo("/deduc");
    }
}

// ---- infRespTec ------------------------------------------------------------------

void TNFeW::EscreveInfRespTec()
{
    const TinfRespTec &resp = NFe.infRespTec;
    if (resp.CNPJ.empty())
        return;
    Gerador.EscreveGrupo("infRespTec", "#081");
    Gerador.EscreveCNPJ("#82", resp.CNPJ, 1058, true);
    Gerador.EscreveCampo(vcTexto, "#083", "xContato", 2, 60, 1, resp.xContato, "Nome do Contato");
    Gerador.EscreveCampo(vcTexto, "#084", "email", 6, 60, 1, resp.email, "Endereço de Email");
    Gerador.EscreveCampo(vcTexto, "#085", "fone", 7, 12, 1, resp.fone, "Telefone");
    // The code and its identifier come from the writer's caller, never from
    // the document; the hash binds the code to this note's access key.
    if (IdCSRT != 0 && !CSRT.empty()) {
        Gerador.EscreveCampo(vcInteiro, "#086", "idCSRT", 2, 2, 1, IdCSRT,
                             "Identificador CSRT - Código de Segurança do Responsável Técnico");
        Gerador.EscreveCampo(vcTexto, "#087", "hashCSRT", 28, 28, 1,
                             HashResponsavelTecnico(CSRT, ChaveAcesso),
                             "Hash do CSRT - Código de Segurança do Responsável Técnico");
    }
    Gerador.EscreveGrupo("/infRespTec");
}
