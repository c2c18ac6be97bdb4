#pragma once

#include <string>
#include <string_view>

#include "nfe/services/nfe_adm_csc.h"
#include "nfe/services/nfe_consulta.h"
#include "nfe/services/nfe_consulta_cadastro.h"
#include "nfe/services/nfe_distribuicao_dfe.h"
#include "nfe/services/nfe_env_evento.h"
#include "nfe/services/nfe_envio_web_service.h"
#include "nfe/services/nfe_inutilizacao.h"
#include "nfe/services/nfe_recepcao.h"
#include "nfe/services/nfe_recibo.h"
#include "nfe/services/nfe_ret_recepcao.h"
#include "nfe/services/nfe_status_servico.h"

// One object of every NF-e service for one NF-e component, created in this
// order (each cleared once after construction) and owned here; the
// component, its notes and its event batch are referenced, never owned. The
// component creates the aggregate with itself and frees it with itself.
//
// Errors: a false result of a service goes to the service's error path with
// its MensagemResultado (EQuibDFeException unless the component's log
// handler marks it handled); the services' own errors pass out unchanged.
//
// Implemented in web_services.cpp.
class TWebServices {
  public:
    explicit TWebServices(TQuibNFe &componente);
    TWebServices(const TWebServices &) = delete;
    TWebServices &operator=(const TWebServices &) = delete;

    TNFeStatusServico ServicoStatus;
    TNFeRecepcao ServicoRecepcao;
    TNFeRetRecepcao ServicoRetRecepcao;
    TNFeRecibo ServicoRecibo;
    TNFeConsulta ServicoConsulta;
    TNFeInutilizacao ServicoInutilizacao;
    TNFeConsultaCadastro ServicoConsultaCadastro;
    TNFeEnvEvento ServicoEvento;
    TAdministrarCSCNFCe ServicoAdmCSC;
    TDistribuicaoDFe ServicoDistribuicao;
    TNFeEnvioWebService ServicoEnvioGenerico;

    // Sends the component's notes as one batch and, unless a synchronous
    // answer settled it (processed, with the note's protocol), polls its
    // result with the receipt. True whenever it returns.
    bool EnviarLoteCompleto(std::string_view lote, bool sincrono = false, bool compactar = false);

    // Voids a range of numbers. A CNPJ typed with its punctuation goes out as
    // digits; one that is neither a valid CNPJ nor CPF raises
    // EQuibNFeException("CNPJ: <digits>, inválido.") before anything else.
    void InutilizarFaixa(std::string_view cnpj, std::string_view justificativa, int ano, int modelo,
                         int serie, int numeroInicial, int numeroFinal);
};
