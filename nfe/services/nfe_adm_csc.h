#pragma once

#include <memory>
#include <string>

#include "nfe/services/nfe_web_service.h"
#include "nfe/services/ret_adm_csc_nfce.h"

// The administration of the NFC-e security code (CSC) of a company
// ("admCscNFCe"): query, new code or revocation. Processar answers true for
// cStat 150 to 153; other answers are no error (false, MensagemResultado =
// xMotivo). Send and answer errors reach the error path with "WebService
// Administrar CSC da NFC-e:..." in front. The answer is owned and replaced by
// every Limpar.
//
// Implemented in nfe_adm_csc.cpp.
class TAdministrarCSCNFCe : public TNFeWebService {
  public:
    using TNFeWebService::TNFeWebService;

    std::string raizCNPJ;
    TpcnOperacaoCSC indOp = ocs1;
    int idCsc = 0;
    std::string codigoCsc;
    TRetAdmCSCNFCe &RetAdmCSCNFCe() { return *retorno_; }

    std::string NomeDaClasse() const override { return "TAdministrarCSCNFCe"; }
    void Limpar() override;

  protected:
    void DefinirServicoEAction() override;
    void DefinirDadosMsg() override;
    bool TratarResposta() override;
    std::string MontarMsgLog() override;
    std::string MontarMsgErro(const std::exception &erro) override;

  private:
    std::unique_ptr<TRetAdmCSCNFCe> retorno_ = std::make_unique<TRetAdmCSCNFCe>();
};
