// "Consultar pela Chave".
#include "console/config_geral/frm_config_geral40.h"

#include "nfe/services/notas_fiscais.h"
#include "nfe/services/web_services.h"

void TfrmConfigGeral40::btnConsultarChaveClick()
{
    operacao([this] {
        const auto chave = perguntas().InputBox("WebServices Consultar", "Chave da NF-e:", "");
        if (!chave)
            return;
        QuibNFe1.Notas().Clear();
        TNFeConsulta &consulta = QuibNFe1.Servicos().ServicoConsulta;
        consulta.SetChaveAcesso(*chave);
        consulta.Processar();
        exibicaoPadrao(consulta, consulta.RetornoSoap);
        ExibirArvoreResposta(consulta.RespostaXML);
    });
}
