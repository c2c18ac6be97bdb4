// "Consultar carregando XML".
#include "console/config_geral/frm_config_geral40.h"

#include "nfe/services/notas_fiscais.h"
#include "nfe/services/web_services.h"

void TfrmConfigGeral40::btnConsultarClick()
{
    operacao([this] {
        const auto arquivo = perguntas().abrirArquivo(dialogoNota());
        if (!arquivo)
            return;
        QuibNFe1.Notas().Clear();
        QuibNFe1.Notas().CarregarArquivo(*arquivo, false);
        QuibNFe1.ConsultarSituacao("", false);
        const TNFeConsulta &consulta = QuibNFe1.Servicos().ServicoConsulta;
        perguntas().mensagem(consulta.Protocolo);
        exibicaoPadrao(consulta, consulta.RetornoSoap);
        ExibirArvoreResposta(consulta.RespostaXML);
    });
}
