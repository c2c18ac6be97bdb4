#include "event_answers.h"

#include "answer_printer.h"
#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_nfe.h"
#include "nfe/services/inut_nfe.h"
#include "nfe/services/ret_cons_sit_nfe.h"
#include "nfe/services/ret_env_evento_nfe.h"

namespace {

std::string numero(double valor)
{
    return Decimal::fromDouble(valor).toString();
}

void assinatura(const AnswerPrinter &p, const TSignature &s)
{
    p.field("URI", s.URI);
    p.field("DigestValue", s.DigestValue);
    p.field("SignatureValue", s.SignatureValue);
    p.field("X509Certificate", s.X509Certificate);
}

void eventoAssinado(const AnswerPrinter &p, const TInfEvento &e)
{
    p.field("Id", e.Id);
    p.field("tpAmb", TipoAmbienteParaCodigo(e.tpAmb));
    p.field("CNPJ", e.CNPJ);
    p.field("cOrgao", e.cOrgao());
    p.field("chNFe", e.chNFe);
    p.dateTime("dhEvento", e.dhEvento);
    p.field("tpEvento", TipoEventoParaCodigo(e.tpEvento));
    p.field("nSeqEvento", e.nSeqEvento);
    p.field("verEvento", e.verEvento);
}

void detalhe(const AnswerPrinter &p, const TDetEvento &d)
{
    p.field("descEvento", d.descEvento);
    p.field("xCorrecao", d.xCorrecao);
    p.field("xCondUso", d.xCondUso());
    p.field("nProt", d.nProt);
    p.field("xJust", d.xJust);
    p.field("cOrgaoAutor", d.cOrgaoAutor);
    p.field("tpAutor", AutorEventoParaCodigo(d.tpAutor));
    p.field("verAplic", d.verAplic);
    p.dateTime("dhEmi", d.dhEmi);
    p.field("tpNF", TipoDocFiscalParaCodigo(d.tpNF));
    p.field("IE", d.IE);
    const AnswerPrinter dest = p.group("dest");
    dest.field("UF", d.dest.UF);
    dest.field("CNPJCPF", d.dest.CNPJCPF);
    dest.field("idEstrangeiro", d.dest.idEstrangeiro);
    dest.field("IE", d.dest.IE);
    p.field("vNF", d.vNF);
    p.field("vICMS", d.vICMS);
    p.field("vST", d.vST);
    p.dateTime("dhEntrega", d.dhEntrega);
    p.field("nDoc", d.nDoc);
    p.field("xNome", d.xNome);
    p.field("latGPS", numero(d.latGPS));
    p.field("longGPS", numero(d.longGPS));
    p.field("hashComprovante", d.hashComprovante);
    p.dateTime("dhHashComprovante", d.dhHashComprovante);
    p.field("nProtEvento", d.nProtEvento);
    for (int i = 0; i < d.autXML.count(); ++i)
        p.item("autXML", i).field("CNPJCPF", d.autXML.ObterItem(i).CNPJCPF);
    p.field("tpAutorizacao", PermissaoTransportadorParaCodigo(d.tpAutorizacao));
}

void resposta(const AnswerPrinter &p, const TRetInfEvento &r)
{
    p.field("Id", r.Id);
    p.field("tpAmb", TipoAmbienteParaCodigo(r.tpAmb));
    p.field("verAplic", r.verAplic);
    p.field("cOrgao", r.cOrgao);
    p.field("cStat", r.cStat);
    p.field("xMotivo", r.xMotivo);
    p.field("chNFe", r.chNFe);
    p.field("tpEvento", TipoEventoParaCodigo(r.tpEvento));
    p.field("xEvento", r.xEvento);
    p.field("nSeqEvento", r.nSeqEvento);
    p.field("CNPJDest", r.CNPJDest);
    p.field("emailDest", r.emailDest);
    p.field("cOrgaoAutor", r.cOrgaoAutor);
    p.dateTime("dhRegEvento", r.dhRegEvento);
    p.field("nProt", r.nProt);
    for (int j = 0; j < r.chNFePend.count(); ++j)
        p.item("chNFePend", j).field("chNFePend", r.chNFePend.ObterItem(j).chNFePend);
}

// The fields of one event reader: the signed event (when there was one) and
// its answers.
void leitorDeEventos(const AnswerPrinter &p, const TRetEventoNFe &ret)
{
    p.field("idLote", std::to_string(ret.idLote));
    p.field("versao", ret.versao);
    p.field("tpAmb", TipoAmbienteParaCodigo(ret.tpAmb));
    p.field("verAplic", ret.verAplic);
    p.field("cStat", ret.cStat);
    p.field("cOrgao", ret.cOrgao);
    p.field("xMotivo", ret.xMotivo);
    if (!ret.InfEvento.Id.empty()) {
        eventoAssinado(p.group("evento"), ret.InfEvento);
        detalhe(p.group("detEvento"), ret.InfEvento.detEvento);
        assinatura(p.group("Signature"), ret.Signature);
    }
    for (int i = 0; i < ret.RetEventos.count(); ++i)
        resposta(p.item("retEvento", i), ret.RetEventos.ObterItem(i).RetInfEvento);
}

const AnswerPrinter saida;

} // namespace

bool eventAnswer(const std::string &texto)
{
    TRetEventoNFe ret;
    ret.Leitor.setArquivo(texto);
    const bool lido = ret.LerResposta();
    leitorDeEventos(saida, ret);
    return lido;
}

bool situationAnswer(const std::string &texto)
{
    TRetConsSitNFe ret;
    ret.Leitor.setArquivo(texto);
    const bool lido = ret.LerResposta();
    saida.field("versao", ret.versao);
    saida.field("tpAmb", TipoAmbienteParaCodigo(ret.tpAmb));
    saida.field("verAplic", ret.verAplic);
    saida.field("cStat", ret.cStat);
    saida.field("xMotivo", ret.xMotivo);
    saida.field("cUF", ret.cUF);
    saida.dateTime("dhRecbto", ret.dhRecbto);
    saida.field("chNFe", ret.chNFe);
    saida.field("nRec", ret.nRec);
    const AnswerPrinter prot = saida.group("protNFe");
    prot.field("tpAmb", TipoAmbienteParaCodigo(ret.protNFe.tpAmb));
    prot.field("verAplic", ret.protNFe.verAplic);
    prot.field("chNFe", ret.protNFe.chNFe);
    prot.dateTime("dhRecbto", ret.protNFe.dhRecbto);
    prot.field("nProt", ret.protNFe.nProt);
    prot.field("digVal", ret.protNFe.digVal);
    prot.field("cStat", ret.protNFe.cStat);
    prot.field("xMotivo", ret.protNFe.xMotivo);
    prot.field("cMsg", ret.protNFe.cMsg);
    prot.field("xMsg", ret.protNFe.xMsg);
    const AnswerPrinter canc = saida.group("retCancNFe");
    canc.field("tpAmb", TipoAmbienteParaCodigo(ret.retCancNFe.tpAmb));
    canc.dateTime("dhRecbto", ret.retCancNFe.dhRecbto);
    canc.field("cStat", ret.retCancNFe.cStat);
    canc.field("cUF", ret.retCancNFe.cUF);
    canc.field("chNFe", ret.retCancNFe.chNFe);
    canc.field("verAplic", ret.retCancNFe.verAplic);
    canc.field("nProt", ret.retCancNFe.nProt);
    canc.field("xMotivo", ret.retCancNFe.xMotivo);
    if (ret.procEventoNFe)
        for (int i = 0; i < ret.procEventoNFe->count(); ++i)
            leitorDeEventos(saida.item("procEventoNFe", i), ret.procEventoNFe->ObterItem(i).RetEventoNFe);
    return lido;
}

bool voidingAnswer(const std::string &texto)
{
    TinutNFe inut;
    const bool lido = inut.LerTexto(texto);
    saida.field("ID", inut.ID);
    saida.field("versao", inut.versao);
    saida.field("tpAmb", TipoAmbienteParaCodigo(inut.tpAmb));
    saida.field("cUF", inut.cUF);
    saida.field("ano", inut.ano);
    saida.field("CNPJ", inut.CNPJ);
    saida.field("modelo", inut.modelo);
    saida.field("serie", inut.serie);
    saida.field("nNFIni", inut.nNFIni);
    saida.field("nNFFin", inut.nNFFin);
    saida.field("xJust", inut.xJust);
    assinatura(saida.group("Signature"), inut.Signature);
    const AnswerPrinter ret = saida.group("retInutNFe");
    const TRetInutNFe &r = inut.RetInutNFe;
    ret.field("Id", r.Id);
    ret.field("tpAmb", TipoAmbienteParaCodigo(r.tpAmb));
    ret.field("verAplic", r.verAplic);
    ret.field("cStat", r.cStat);
    ret.field("xMotivo", r.xMotivo);
    ret.field("xJust", r.xJust);
    ret.field("cUF", r.cUF);
    ret.field("ano", r.ano);
    ret.field("CNPJ", r.CNPJ);
    ret.field("modelo", r.modelo);
    ret.field("serie", r.serie);
    ret.field("nNFIni", r.nNFIni);
    ret.field("nNFFin", r.nNFFin);
    ret.dateTime("dhRecbto", r.dhRecbto);
    ret.field("nProt", r.nProt);
    return lido;
}
