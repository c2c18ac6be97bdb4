#include "nfe/services/ret_cons_stat_serv.h"

#include <utility>

#include "nfe/services/detail/campos_resposta.h"

TRetConsStatServ::TRetConsStatServ(std::string SufixoTag) : SufixoTag(std::move(SufixoTag)) {}

bool TRetConsStatServ::LerResposta()
{
    return nfe_services::leSemExcecao([this] {
        Leitor.setGrupoComoArquivo();
        if (Leitor.ExtraiGrupo(1, "retConsStatServ" + SufixoTag).empty())
            return false;
        const nfe_services::CamposResposta campos(Leitor);
        versao = campos.atributo("versao");
        tpAmb = campos.tpAmb();
        verAplic = campos.texto("verAplic");
        cStat = campos.inteiro("cStat");
        xMotivo = campos.texto("xMotivo");
        cUF = campos.inteiro("cUF");
        dhRecbto = campos.dataHora("dhRecbto");
        tMed = campos.inteiro("tMed");
        dhRetorno = campos.dataHora("dhRetorno");
        xObs = campos.texto("xObs");
        return true;
    });
}
