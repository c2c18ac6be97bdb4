#pragma once

#include <string>

#include "foundation/dates/date_time.h"
#include "nfe/services/nfe_web_service.h"

// The service-status query ("consStatServ"). Processar answers true when the
// authority answered cStat 107 (in operation); any other answer is no error:
// false, with the answer in the fields and MensagemResultado = xMotivo +
// CR LF + xObs. With WebServices.AjustaAguardaConsultaRet on, the answer's
// tMed becomes WebServices.AguardarConsultaRet (milliseconds).
//
// Errors of the send or of the answer reach the component's error path with
// "WebService Consulta Status serviço:..." in front.
//
// Implemented in nfe_status_servico.cpp.
class TNFeStatusServico : public TNFeWebService, public TCabecalhoRespostaNFe {
  public:
    using TNFeWebService::TNFeWebService;

    // The host fragment that marks an endpoint of the SVRS virtual
    // authoriser, whose receipt times are corrected by one hour (tests put
    // the fake's host here).
    static std::string &FragmentoHostSVRS();

    int tMed = 0; // seconds
    TDateTime dhRetorno = 0;
    std::string xObs;

    std::string NomeDaClasse() const override { return "TNFeStatusServico"; }
    void Limpar() override;

  protected:
    void DefinirServicoEAction() override;
    void DefinirDadosMsg() override;
    void PrepararIntegrador() override;
    bool TratarResposta() override;
    std::string MontarMsgLog() override;
    std::string MontarMsgErro(const std::exception &erro) override;
};
