#pragma once

#include <string>

#include "nfe/services/nfe_servico_recibo.h"

// One query of a receipt: Processar answers true when the batch was
// processed (cStat 104); the protocols stay in Retorno() for the caller and
// nothing is attached to the notes. Files carry the date-time prefix.
//
// Same ownership and errors as TNFeServicoLote. Implemented in nfe_recibo.cpp.
class TNFeRecibo : public TNFeServicoRecibo {
  public:
    using TNFeServicoRecibo::TNFeServicoRecibo;

    std::string NomeDaClasse() const override { return "TNFeRecibo"; }
    void Limpar() override;

  protected:
    bool TratarResposta() override;
    std::string MontarMsgLog() override;
};
