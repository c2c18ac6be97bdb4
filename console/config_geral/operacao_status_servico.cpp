// " Status de Serviço".
#include "console/config_geral/frm_config_geral40.h"

#include "console/config_geral/detail/valores_campos.h"
#include "foundation/codes/conversao.h"
#include "nfe/services/web_services.h"

using console_detail::textoDataHora;

void TfrmConfigGeral40::btnStatusServClick()
{
    operacao([this] {
        // The request always goes out with the stored settings.
        paineis().naJanela([this] { LerConfiguracoes(); });
        TNFeStatusServico &status = QuibNFe1.Servicos().ServicoStatus;
        status.Processar();
        exibicaoPadrao(status, status.RetornoSoap);
        paineis().mostraPagina(pgXMLResposta);
        acrescentaCampos("Status Serviço", {
                                               {"tpAmb: ", TipoAmbienteParaCodigo(status.tpAmb)},
                                               {"verAplic: ", status.verAplic},
                                               {"cStat: ", std::to_string(status.cStat)},
                                               {"xMotivo: ", status.xMotivo},
                                               {"cUF: ", std::to_string(status.cUF)},
                                               {"dhRecbto: ", textoDataHora(status.dhRecbto)},
                                               {"tMed: ", std::to_string(status.tMed)},
                                               {"dhRetorno: ", textoDataHora(status.dhRetorno)},
                                               {"xObs: ", status.xObs},
                                           });
    });
}
