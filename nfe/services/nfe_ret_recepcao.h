#pragma once

#include <string>

#include "dfe/ssl/ssl_types.h"
#include "nfe/services/nfe_servico_recibo.h"

// The result of an authorisation batch: waits WebServices.AguardarConsultaRet,
// queries the receipt and, while the authority answers 105 (in process),
// waits the larger of 1 s and WebServices.IntervaloTentativas and queries
// again, at most WebServices.Tentativas more times. Every wait goes through
// the program's injectable sleep. The component's step is etRecebendoLote
// through the whole loop and etOcioso afterwards, also after an error.
//
// A final 104 attaches each protocol to the note of its key (digest check,
// protocol data, "nfeProc" for 100, 110, 150, 301, 302, 303, saved files);
// Processar then answers true when at least one note of the collection is
// confirmed, and MensagemResultado lists every note that is not ("Nota(s)
// não confirmadas:" + CR LF + "<nNF>-><cStat>-<xMotivo>" + CR LF per note).
// Any other final answer is false. Limpar clears the protocol data that the
// previous answer attached to the notes.
//
// Errors: those of the template end the loop and pass out (a digest
// mismatch is EQuibNFeException); the environment check of TNFeServicoLote.
//
// Implemented in nfe_ret_recepcao.cpp.
class TNFeRetRecepcao : public TNFeServicoRecibo {
  public:
    using TNFeServicoRecibo::TNFeServicoRecibo;

    std::string Protocolo;
    std::string ChaveNFe;

    std::string NomeDaClasse() const override { return "TNFeRetRecepcao"; }
    void Limpar() override;
    bool Processar() override;
    bool AtualizarNotasComProtocolos();

  protected:
    void PrepararServico() override;
    bool TratarResposta() override;
    void ConcluirServico() override;
    std::string MontarMsgLog() override;
    std::string PrefixoArquivoData() override { return NumeroRecibo(); }

  private:
    TSSLType sslTypeAnterior_ = LT_TLSv1_2;
    std::string cabecalhoAnterior_;
};
