// Verb "answer": a tax-authority message read with the reader of its root
// element and printed field by field (answer_printer.h). Each root is one row
// of kRaizes: the reader is run by the row's function, which prints the
// fields in the reader's field order and answers the reader's result.

#include <array>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "answer_printer.h"
#include "event_answers.h"
#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "input_file.h"
#include "nfe/services/ret_adm_csc_nfce.h"
#include "nfe/services/ret_cons_cad.h"
#include "nfe/services/ret_cons_reci_dfe.h"
#include "nfe/services/ret_cons_stat_serv.h"
#include "nfe/services/ret_dist_dfe_int.h"
#include "nfe/services/ret_env_nfe.h"
#include "verbs.h"

namespace {

const AnswerPrinter saida;

bool statusAnswer(const std::string &texto)
{
    TRetConsStatServ ret("");
    ret.Leitor.setArquivo(texto);
    const bool lido = ret.LerResposta();
    saida.field("versao", ret.versao);
    saida.field("tpAmb", TipoAmbienteParaCodigo(ret.tpAmb));
    saida.dateTime("dhRecbto", ret.dhRecbto);
    saida.field("cStat", ret.cStat);
    saida.field("xMotivo", ret.xMotivo);
    saida.field("cUF", ret.cUF);
    saida.field("verAplic", ret.verAplic);
    saida.field("tMed", ret.tMed);
    saida.dateTime("dhRetorno", ret.dhRetorno);
    saida.field("xObs", ret.xObs);
    return lido;
}

bool batchAnswer(const std::string &texto)
{
    TretEnvNFe ret;
    ret.Leitor.setArquivo(texto);
    const bool lido = ret.LerResposta();
    saida.field("versao", ret.versao);
    saida.field("tpAmb", TipoAmbienteParaCodigo(ret.tpAmb));
    saida.field("cStat", ret.cStat);
    saida.field("cUF", ret.cUF);
    saida.field("verAplic", ret.verAplic);
    saida.field("xMotivo", ret.xMotivo);
    const AnswerPrinter recibo = saida.group("infRec");
    recibo.field("nRec", ret.infRec.nRec);
    recibo.dateTime("dhRecbto", ret.infRec.dhRecbto);
    recibo.field("tMed", ret.infRec.tMed);
    return lido;
}

bool receiptAnswer(const std::string &texto)
{
    TRetConsReciDFe ret("NFe");
    ret.Leitor.setArquivo(texto);
    const bool lido = ret.LerResposta();
    saida.field("versao", ret.versao);
    saida.field("tpAmb", TipoAmbienteParaCodigo(ret.tpAmb));
    saida.field("verAplic", ret.verAplic);
    saida.field("nRec", ret.nRec);
    saida.field("cStat", ret.cStat);
    saida.field("xMotivo", ret.xMotivo);
    saida.field("cUF", ret.cUF);
    saida.field("cMsg", ret.cMsg);
    saida.field("xMsg", ret.xMsg);
    for (int i = 0; i < ret.ProtDFe.count(); ++i) {
        const TProtDFeCollectionItem &p = ret.ProtDFe.ObterItem(i);
        const AnswerPrinter item = saida.item("ProtDFe", i);
        item.field("Id", p.Id);
        item.field("tpAmb", TipoAmbienteParaCodigo(p.tpAmb));
        item.field("verAplic", p.verAplic);
        item.field("ChaveAcesso", p.ChaveAcesso);
        item.dateTime("dhRecbto", p.dhRecbto);
        item.field("nProt", p.nProt);
        item.field("digVal", p.digVal);
        item.field("cStat", p.cStat);
        item.field("xMotivo", p.xMotivo);
        item.field("ElementoProtocolo", p.ElementoProtocolo);
        item.field("cMsg", p.cMsg);
        item.field("xMsg", p.xMsg);
    }
    return lido;
}

bool registryAnswer(const std::string &texto)
{
    TRetConsCad ret;
    ret.Leitor.setArquivo(texto);
    const bool lido = ret.LerResposta();
    saida.field("versao", ret.versao);
    saida.field("verAplic", ret.verAplic);
    saida.field("cStat", ret.cStat);
    saida.field("xMotivo", ret.xMotivo);
    saida.field("UF", ret.UF);
    saida.field("IE", ret.IE);
    saida.field("CNPJ", ret.CNPJ);
    saida.field("CPF", ret.CPF);
    saida.dateTime("dhCons", ret.dhCons);
    saida.field("cUF", ret.cUF);
    for (int i = 0; i < ret.InfCad.count(); ++i) {
        const TInfCadCollectionItem &c = ret.InfCad.ObterItem(i);
        const AnswerPrinter item = saida.item("InfCad", i);
        item.field("IE", c.IE);
        item.field("CNPJ", c.CNPJ);
        item.field("CPF", c.CPF);
        item.field("UF", c.UF);
        item.field("cSit", c.cSit);
        item.field("indCredNFe", c.indCredNFe);
        item.field("indCredCTe", c.indCredCTe);
        item.field("xNome", c.xNome);
        item.field("xFant", c.xFant);
        item.field("xRegApur", c.xRegApur);
        item.field("CNAE", c.CNAE);
        item.dateTime("dIniAtiv", c.dIniAtiv);
        item.dateTime("dUltSit", c.dUltSit);
        item.dateTime("dBaixa", c.dBaixa);
        item.field("IEUnica", c.IEUnica);
        item.field("IEAtual", c.IEAtual);
        item.field("xLgr", c.xLgr);
        item.field("nro", c.nro);
        item.field("xCpl", c.xCpl);
        item.field("xBairro", c.xBairro);
        item.field("cMun", c.cMun);
        item.field("xMun", c.xMun);
        item.field("CEP", c.CEP);
    }
    return lido;
}

bool cscAnswer(const std::string &texto)
{
    TRetAdmCSCNFCe ret;
    ret.Leitor.setArquivo(texto);
    const bool lido = ret.LerResposta();
    saida.field("versao", ret.versao);
    saida.field("tpAmb", TipoAmbienteParaCodigo(ret.tpAmb));
    saida.field("indOp", OperacaoCSCParaCodigo(ret.indOp));
    saida.field("cStat", ret.cStat);
    saida.field("xMotivo", ret.xMotivo);
    for (int i = 0; i < ret.dadosCsc.count(); ++i) {
        const AnswerPrinter item = saida.item("dadosCsc", i);
        item.field("idCsc", ret.dadosCsc.ObterItem(i).idCsc);
        item.field("codigoCsc", ret.dadosCsc.ObterItem(i).codigoCsc);
    }
    return lido;
}

// The layout codes of the enumerations that have no writer of their own.
std::string codigoSituacao(TpcnSituacaoResumoDFe valor)
{
    return std::to_string(static_cast<int>(valor) + 1);
}

std::string nomeEsquema(TSchemaDFe valor)
{
    return std::string(EnumValueName(valor)).substr(3); // without "sch"
}

void resumoDaNota(const AnswerPrinter &p, const TresDFe &r)
{
    p.field("ChaveAcesso", r.ChaveAcesso);
    p.field("CNPJCPF", r.CNPJCPF);
    p.field("xNome", r.xNome);
    p.field("IE", r.IE);
    p.dateTime("dhEmi", r.dhEmi);
    p.field("tpNF", TipoDocFiscalParaCodigo(r.tpNF));
    p.field("vNF", r.vNF);
    p.field("digVal", r.digVal);
    p.dateTime("dhRecbto", r.dhRecbto);
    p.field("nProt", r.nProt);
    p.field("cSitNFe", codigoSituacao(r.cSitNFe));
}

void resumoDoEvento(const AnswerPrinter &p, const TresEvento &r)
{
    p.field("cOrgao", r.cOrgao);
    p.field("CNPJCPF", r.CNPJCPF);
    p.field("ChaveAcesso", r.ChaveAcesso);
    p.dateTime("dhEvento", r.dhEvento);
    p.field("tpEvento", TipoEventoParaCodigo(r.tpEvento));
    p.field("nSeqEvento", r.nSeqEvento);
    p.field("xEvento", r.xEvento);
    p.dateTime("dhRecbto", r.dhRecbto);
    p.field("nProt", r.nProt);
}

void eventoProcessado(const AnswerPrinter &p, const TprocEvento &e)
{
    p.field("Id", e.Id);
    p.field("cOrgao", e.cOrgao);
    p.field("tpAmb", TipoAmbienteParaCodigo(e.tpAmb));
    p.field("CNPJ", e.CNPJ);
    p.field("ChaveAcesso", e.ChaveAcesso);
    p.dateTime("dhEvento", e.dhEvento);
    p.field("tpEvento", TipoEventoParaCodigo(e.tpEvento));
    p.field("nSeqEvento", e.nSeqEvento);
    p.field("verEvento", e.verEvento);
    const AnswerPrinter det = p.group("detEvento");
    det.field("versao", e.detEvento.versao);
    det.field("descEvento", e.detEvento.descEvento);
    det.field("nProt", e.detEvento.nProt);
    det.field("xJust", e.detEvento.xJust);
    det.field("xCorrecao", e.detEvento.xCorrecao);
    det.field("tpAutor", e.detEvento.tpAutor);
    det.field("verAplic", e.detEvento.verAplic);
    const AnswerPrinter ret = p.group("RetInfEvento");
    const TprocEvento_RetInfEvento &r = e.RetInfEvento;
    ret.field("Id", r.Id);
    ret.field("tpAmb", TipoAmbienteParaCodigo(r.tpAmb));
    ret.field("verAplic", r.verAplic);
    ret.field("cOrgao", r.cOrgao);
    ret.field("cStat", r.cStat);
    ret.field("xMotivo", r.xMotivo);
    ret.field("ChaveAcesso", r.ChaveAcesso);
    ret.field("tpEvento", TipoEventoParaCodigo(r.tpEvento));
    ret.field("xEvento", r.xEvento);
    ret.field("nSeqEvento", r.nSeqEvento);
    ret.field("CNPJDest", r.CNPJDest);
    ret.dateTime("dhRegEvento", r.dhRegEvento);
    ret.field("nProt", r.nProt);
}

// The kind of document a docZip held, by the main element of DocumentoXML.
std::string_view tipoDoDocumento(std::string_view documento)
{
    for (std::string_view tipo : {"resNFe", "resEvento", "nfeProc", "procEventoNFe"}) {
        const std::string abertura = "<" + std::string(tipo);
        const std::size_t posicao = documento.find(abertura);
        if (posicao != std::string_view::npos &&
            documento.substr(0, posicao).find("<", 2) == std::string_view::npos)
            return tipo;
    }
    return "";
}

bool distributionAnswer(const std::string &texto)
{
    TRetDistDFeInt ret("NFe");
    ret.Leitor.setArquivo(texto);
    bool lido = false;
    std::string erro;
    try {
        lido = ret.LerResposta();
    } catch (const std::exception &e) {
        erro = e.what();
    }
    saida.field("versao", ret.versao);
    saida.field("tpAmb", TipoAmbienteParaCodigo(ret.tpAmb));
    saida.field("verAplic", ret.verAplic);
    saida.field("cStat", ret.cStat);
    saida.field("xMotivo", ret.xMotivo);
    saida.dateTime("dhResp", ret.dhResp);
    saida.field("ultNSU", ret.ultNSU);
    saida.field("maxNSU", ret.maxNSU);
    for (int i = 0; i < ret.docZip.count(); ++i) {
        const TdocZipCollectionItem &d = ret.docZip.ObterItem(i);
        const AnswerPrinter item = saida.item("docZip", i);
        item.field("NSU", d.NSU);
        item.field("schema", nomeEsquema(d.schema));
        const std::string_view tipo = tipoDoDocumento(d.DocumentoXML);
        item.field("kind", tipo);
        if (tipo == "resNFe" || tipo == "nfeProc")
            resumoDaNota(item.group("resDFe"), d.resDFe);
        else if (tipo == "resEvento")
            resumoDoEvento(item.group("resEvento"), d.resEvento);
        else if (tipo == "procEventoNFe")
            eventoProcessado(item.group("procEvento"), d.procEvento);
    }
    if (!erro.empty())
        throw std::runtime_error(erro);
    return lido;
}

struct Raiz {
    std::string_view nome;
    bool (*le)(const std::string &texto);
};

// clang-format off
constexpr std::array kRaizes = {
    Raiz{"retConsStatServ", statusAnswer},
    Raiz{"retEnviNFe",      batchAnswer},
    Raiz{"retConsReciNFe",  receiptAnswer},
    Raiz{"retConsCad",      registryAnswer},
    Raiz{"retAdmCscNFCe",   cscAnswer},
    Raiz{"retDistDFeInt",   distributionAnswer},
    Raiz{"retConsSitNFe",   situationAnswer},
    Raiz{"retEnvEvento",    eventAnswer},
    Raiz{"retEvento",       eventAnswer},
    Raiz{"evento",          eventAnswer},
    Raiz{"procEventoNFe",   eventAnswer},
    Raiz{"inutNFe",         voidingAnswer},
    Raiz{"retInutNFe",      voidingAnswer},
    Raiz{"ProcInutNFe",     voidingAnswer},
};
// clang-format on

// The name of the first element, after an XML declaration and blanks.
std::string_view nomeDaRaiz(std::string_view texto)
{
    std::size_t posicao = texto.find('<');
    while (posicao != std::string_view::npos && posicao + 1 < texto.size() &&
           (texto[posicao + 1] == '?' || texto[posicao + 1] == '!'))
        posicao = texto.find('<', posicao + 1);
    if (posicao == std::string_view::npos)
        return {};
    const std::size_t fim = texto.find_first_of(" \t\r\n/>", posicao + 1);
    std::string_view nome =
        texto.substr(posicao + 1, fim == std::string_view::npos ? fim : fim - posicao - 1);
    if (const std::size_t doisPontos = nome.find(':'); doisPontos != std::string_view::npos)
        nome.remove_prefix(doisPontos + 1);
    return nome;
}

} // namespace

int runAnswerVerb(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "nfe-check answer: expected <file>\n");
        return 2;
    }
    std::string texto;
    if (!lerArquivo(args[0], texto)) {
        std::fprintf(stderr, "nfe-check answer: cannot read \"%s\"\n", args[0].c_str());
        return 2;
    }
    const std::string_view raiz = nomeDaRaiz(texto);
    for (const Raiz &linha : kRaizes) {
        if (linha.nome != raiz)
            continue;
        std::printf("root=%.*s\n", static_cast<int>(raiz.size()), raiz.data());
        try {
            return linha.le(texto) ? 0 : 1;
        } catch (const std::exception &erro) {
            std::fprintf(stderr, "%s\n", erro.what());
            return 1;
        }
    }
    std::fprintf(stderr, "nfe-check answer: unknown root \"%.*s\"\n", static_cast<int>(raiz.size()),
                 raiz.data());
    return 2;
}
