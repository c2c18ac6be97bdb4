// Loading a signed or processed event into the batch.

#include "nfe/services/env_evento_nfe.h"
#include "nfe/services/ret_env_evento_nfe.h"

namespace {

void copiaEvento(const TInfEvento &lido, TInfEvento &evento)
{
    evento.Id = lido.Id;
    CopiarDadosEvento(lido, evento);
    if (lido.detEvento.autXML.count() > 0)
        evento.detEvento.autXML.NovoItem().CNPJCPF = lido.detEvento.autXML.ObterItem(0).CNPJCPF;
}

void copiaResposta(const TRetInfEvento &lida, TRetInfEvento &ret)
{
    ret.Id = lida.Id;
    ret.tpAmb = lida.tpAmb;
    ret.verAplic = lida.verAplic;
    ret.cOrgao = lida.cOrgao;
    ret.cStat = lida.cStat;
    ret.xMotivo = lida.xMotivo;
    ret.chNFe = lida.chNFe;
    ret.tpEvento = lida.tpEvento;
    ret.xEvento = lida.xEvento;
    ret.nSeqEvento = lida.nSeqEvento;
    ret.cOrgaoAutor = lida.cOrgaoAutor;
    ret.CNPJDest = lida.CNPJDest;
    ret.emailDest = lida.emailDest;
    ret.dhRegEvento = lida.dhRegEvento;
    ret.nProt = lida.nProt;
    ret.XML = lida.XML;
}

} // namespace

bool TEventoNFe::LerTexto(const std::string &texto)
{
    TRetEventoNFe leitor;
    leitor.Leitor.setArquivo(texto);
    const bool lido = leitor.LerResposta();

    TInfEventoCollectionItem &item = Eventos.NovoItem();
    item.TextoXML = texto;
    copiaEvento(leitor.InfEvento, item.InfEvento);
    item.Signature.Assign(leitor.Signature);
    if (leitor.RetEventos.count() > 0)
        copiaResposta(leitor.RetEventos.ObterItem(0).RetInfEvento, item.RetInfEvento);
    return lido;
}

bool TEventoNFe::LerArquivo(const std::string &NomeArquivo)
{
    TLeitor arquivo;
    arquivo.LeArquivo(NomeArquivo);
    return LerTexto(arquivo.Arquivo());
}
