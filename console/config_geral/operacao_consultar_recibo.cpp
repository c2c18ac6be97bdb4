// "Consultar Recibo Lote".
#include "console/config_geral/frm_config_geral40.h"

#include "foundation/codes/conversao.h"
#include "nfe/services/web_services.h"

void TfrmConfigGeral40::btnConsultarReciboClick()
{
    operacao([this] {
        const auto recibo = perguntas().InputBox("Consultar Recibo Lote", "Número do Recibo", "");
        if (!recibo)
            return;
        TNFeRecibo &servico = QuibNFe1.Servicos().ServicoRecibo;
        servico.Recibo = *recibo;
        servico.Processar();
        exibicaoPadrao(servico, servico.RetornoSoap);
        paineis().mostraPagina(pgXMLResposta);
        acrescentaCampos("Consultar Recibo", {
                                                 {"tpAmb: ", TipoAmbienteParaCodigo(servico.tpAmb)},
                                                 {"versao: ", servico.versao},
                                                 {"verAplic: ", servico.verAplic},
                                                 {"cStat: ", std::to_string(servico.cStat)},
                                                 {"xMotivo: ", servico.xMotivo},
                                                 {"cUF: ", std::to_string(servico.cUF)},
                                                 {"xMsg: ", servico.xMsg},
                                                 {"cMsg: ", std::to_string(servico.cMsg)},
                                                 {"Recibo: ", servico.Recibo},
                                             });
    });
}
