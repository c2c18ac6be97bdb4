#include "nfe/services/ret_cons_reci_dfe.h"

#include <utility>

#include "nfe/services/detail/campos_resposta.h"

namespace {

constexpr int kLoteProcessado = 104;

} // namespace

TRetConsReciDFe::TRetConsReciDFe(std::string SufixoTag) : SufixoTag(std::move(SufixoTag)) {}

bool TRetConsReciDFe::LerResposta()
{
    return nfe_services::leSemExcecao([this] {
        Leitor.setGrupoComoArquivo();
        if (Leitor.ExtraiGrupo(1, "retConsReci" + SufixoTag).empty())
            return false;
        const nfe_services::CamposResposta campos(Leitor);
        versao = campos.atributo("versao");
        tpAmb = campos.tpAmb();
        verAplic = campos.texto("verAplic");
        nRec = campos.texto("nRec");
        cStat = campos.inteiro("cStat");
        xMotivo = campos.texto("xMotivo");
        cUF = campos.inteiro("cUF");
        cMsg = campos.inteiro("cMsg");
        xMsg = campos.texto("xMsg");
        if (cStat != kLoteProcessado)
            return true;

        // Each item extraction goes on from where the previous one ended.
        const std::string elementoProtocolo = "prot" + SufixoTag;
        for (int i = 1;; ++i) {
            std::string protocolo = Leitor.ExtraiGrupo(1, elementoProtocolo, "", i);
            if (protocolo.empty())
                break;
            TProtDFeCollectionItem &item = ProtDFe.NovoItem();
            item.ElementoProtocolo = std::move(protocolo);
            if (Leitor.ExtraiGrupo(2, "infProt").empty())
                continue;
            item.Id = campos.atributo("Id");
            item.tpAmb = campos.tpAmb();
            item.verAplic = campos.texto("verAplic");
            item.ChaveAcesso = campos.texto("ch" + SufixoTag);
            item.dhRecbto = campos.dataHora("dhRecbto");
            item.nProt = campos.texto("nProt");
            item.digVal = campos.texto("digVal");
            item.cStat = campos.inteiro("cStat");
            item.xMotivo = campos.texto("xMotivo");
            item.cMsg = campos.inteiro("cMsg");
            item.xMsg = campos.texto("xMsg");
        }
        return true;
    });
}
