#pragma once

#include <memory>
#include <string>

#include "foundation/text/text_utils.h"
#include "nfe/services/nfe_servico_lote.h"
#include "nfe/services/ret_cons_reci_dfe.h"

// What the batch-result and receipt services share: the query of a receipt
// ("consReciNFe") and the reading of its answer ("retConsReciNFe") into the
// header fields and the owned reader, whose protocol list stays readable
// until the next Limpar.
//
// Same ownership and errors as TNFeServicoLote. Implemented in
// nfe_servico_recibo.cpp.
class TNFeServicoRecibo : public TNFeServicoLote {
  public:
    using TNFeServicoLote::TNFeServicoLote;

    std::string Recibo;
    std::string NumeroRecibo() const { return std::string(trimText(Recibo)); }

    std::string versao;
    std::string verAplic;
    int cStat = 0;
    std::string xMotivo;
    int cMsg = 0;
    std::string xMsg;

    // The last answer; owned, replaced by every Limpar.
    TRetConsReciDFe &Retorno() { return *retorno_; }

  protected:
    TpcnServicoNFe ServicoDoLote(bool autorizacao) const override
    {
        return autorizacao ? srvNfeRetAutorizacao : srvNfeRetRecepcao;
    }
    void DefinirServicoEAction() override;
    void DefinirDadosMsg() override;
    void PrepararIntegrador() override;

    // Clears the answer fields and replaces the reader; tpAmb and cUF from
    // the configuration.
    void LimparResposta();
    // Cuts, reads and copies the answer; MensagemResultado := xMotivo.
    void LerResposta();

  private:
    std::unique_ptr<TRetConsReciDFe> retorno_ = std::make_unique<TRetConsReciDFe>("NFe");
};
