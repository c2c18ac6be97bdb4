#include "nfe/services/ret_adm_csc_nfce.h"

#include "nfe/services/detail/campos_resposta.h"

bool TRetAdmCSCNFCe::LerResposta()
{
    return nfe_services::leSemExcecao([this] {
        Leitor.setGrupoComoArquivo();
        if (Leitor.ExtraiGrupo(1, "retAdmCscNFCe").empty())
            return false;
        const nfe_services::CamposResposta campos(Leitor);
        versao = campos.atributo("versao");
        tpAmb = campos.tpAmb();
        indOp = CodigoParaOperacaoCSC(campos.texto("indOp"));
        cStat = campos.inteiro("cStat");
        xMotivo = campos.texto("xMotivo");
        for (int n = 1; !Leitor.ExtraiGrupo(2, "dadosCsc", "", n).empty(); ++n) {
            TRetdadosCscCollectionItem &item = dadosCsc.NovoItem();
            item.idCsc = campos.inteiro("idCsc");
            item.codigoCsc = campos.texto("codigoCsc");
        }
        if (dadosCsc.count() == 0)
            dadosCsc.NovoItem();
        return true;
    });
}
