// "Consulta Cadastro".
#include "console/config_geral/frm_config_geral40.h"

#include "console/config_geral/detail/valores_campos.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/web_services.h"

using console_detail::textoDataHora;

namespace {
constexpr std::string_view kLegenda = "WebServices Consulta Cadastro ";
}

void TfrmConfigGeral40::btnConsCadClick()
{
    operacao([this] {
        const auto uf = perguntas().InputBox(kLegenda, "UF do Documento a ser Consultado:", "");
        if (!uf)
            return;
        const auto documento = perguntas().InputBox(kLegenda, "Documento(CPF/CNPJ)", "");
        if (!documento)
            return;
        const std::string digitos(trimText(SomenteDigitos(*documento)));
        TNFeConsultaCadastro &servico = QuibNFe1.Servicos().ServicoConsultaCadastro;
        servico.UF = *uf;
        if (digitos.size() < 12) {
            // An empty document goes out as an empty CPF, never as the
            // CNPJ of the query before.
            servico.SetCNPJ("");
            servico.SetCPF(digitos);
        } else {
            servico.SetCNPJ(digitos);
        }
        servico.Processar();
        exibicaoPadrao(servico, servico.RetornoSoap);
        paineis().mostraPagina(pgXMLResposta);
        acrescentaCampos("Consulta Cadastro", {
                                                  {"versao: ", servico.versao},
                                                  {"verAplic: ", servico.verAplic},
                                                  {"cStat: ", std::to_string(servico.cStat)},
                                                  {"xMotivo: ", servico.xMotivo},
                                                  {"DhCons: ", textoDataHora(servico.dhCons)},
                                              });
    });
}
