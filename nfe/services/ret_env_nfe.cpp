#include "nfe/services/ret_env_nfe.h"

#include "nfe/services/detail/campos_resposta.h"

bool TretEnvNFe::LerResposta()
{
    return nfe_services::leSemExcecao([this] {
        Leitor.setGrupoComoArquivo();
        if (Leitor.ExtraiGrupo(1, "retEnviNFe").empty())
            return false;
        const nfe_services::CamposResposta campos(Leitor);
        versao = campos.atributo("versao");
        tpAmb = campos.tpAmb();
        verAplic = campos.texto("verAplic");
        cStat = campos.inteiro("cStat");
        xMotivo = campos.texto("xMotivo");
        cUF = campos.inteiro("cUF");
        // The receipt's fields stand in infRec, the only group that holds them.
        infRec.nRec = campos.texto("nRec");
        infRec.dhRecbto = campos.dataHora("dhRecbto");
        infRec.tMed = campos.inteiro("tMed");
        return true;
    });
}
