#pragma once

#include <memory>
#include <string>

#include "foundation/dates/date_time.h"
#include "nfe/services/nfe_web_service.h"
#include "nfe/services/ret_cons_cad.h"

// The taxpayer registry query ("ConsCad") of one state: by state
// registration, CNPJ or CPF. The request goes to the queried state's
// endpoint (the configured state when UF is empty). Processar answers true
// for cStat 111 (one taxpayer) or 112 (several); other answers are no error.
// For state MT at layout 4.00 the body element is "consultaCadastro" around
// an "nfeDadosMsg" wrapper; ElementoCorpo is back to its value after every
// call. The answer (RetConsCad) is owned and replaced by every Limpar.
//
// Implemented in nfe_consulta_cadastro.cpp.
class TNFeConsultaCadastro : public TNFeWebService, public TCabecalhoRespostaNFe {
  public:
    using TNFeWebService::TNFeWebService;

    std::string UF;
    std::string IE;
    const std::string &CNPJ() const { return cnpj_; }
    const std::string &CPF() const { return cpf_; }
    // A non-empty value clears the other two identifiers.
    void SetCNPJ(std::string_view valor);
    void SetCPF(std::string_view valor);

    TDateTime dhCons = 0;
    std::string ElementoCorpoAnterior;
    TRetConsCad &RetConsCad() { return *retConsCad_; }

    std::string NomeDaClasse() const override { return "TNFeConsultaCadastro"; }
    void Limpar() override;

  protected:
    void PrepararServico() override;
    void DefinirServicoEAction() override;
    void DefinirURL() override;
    void DefinirDadosMsg() override;
    void PrepararIntegrador() override;
    bool TratarResposta() override;
    void ConcluirServico() override;
    std::string MontarMsgLog() override;
    std::string MontarUFSoap() override;

  private:
    bool mato400() const;

    std::string cnpj_;
    std::string cpf_;
    std::unique_ptr<TRetConsCad> retConsCad_ = std::make_unique<TRetConsCad>();
};
