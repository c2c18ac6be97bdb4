#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "nfe/services/env_evento_nfe.h"
#include "nfe/services/nfe_web_service.h"
#include "nfe/services/ret_env_evento_nfe.h"

// The submission of an event batch ("envEvento"): every event is signed on
// its own, the envelope and each event's detail are checked against their
// official schemas before any byte is sent, and the endpoint is chosen by
// the first event's kind (cancellations, correction letters and extension
// requests go to the note's state or the SVC authoriser, everything else to
// the national environment "AN"; an NFC-e EPEC in state 35 to that state's
// EPEC service).
//
// Processar answers true when the batch was processed (cStat 128). Each event
// is paired with the answer of the same chNFe, tpEvento and nSeqEvento (the
// first answer of its chNFe when none carries all three); a registered event
// (135, 136, 155) gets its "procEventoNFe" in RetInfEvento.XML, saved in the
// event folder when Arquivos.Salvar is on.
//
// The batch is the caller's (not owned); a copy of it is written out, so a
// signature loaded into an event never goes out with it. This service writes
// into the batch its idLote, every event's Id and every matched event's
// answer. The procEventoNFe takes the event service's version of the
// services INI. Through an Integrador, a cancellation also names the
// component's first note (version, key digits, emission and value).
// EventoRetorno is owned and replaced by every Limpar.
//
// Errors: "Falha na validação da Mensagem do Evento: ..." and "Falha na
// validação dos dados do Evento: ..." (EQuibNFeException) pass out unchanged
// before the send; signing failures reach the error path.
//
// Implemented in nfe_env_evento.cpp.
class TNFeEnvEvento : public TNFeWebService, public TCabecalhoRespostaNFe {
  public:
    TNFeEnvEvento(TQuibNFe *componente, TEventoNFe &lote);

    std::int64_t idLote = 0;
    std::string CNPJ;
    std::string IE;
    TRetEventoNFe &EventoRetorno() { return *eventoRetorno_; }

    std::string NomeDaClasse() const override { return "TNFeEnvEvento"; }
    void Limpar() override;
    // The event folder of the batch's first event's kind for a CNPJ and IE.
    std::string PastaEvento(std::string_view cnpj, std::string_view ie, TDateTime data);

  protected:
    void DefinirServicoEAction() override;
    void DefinirURL() override;
    void DefinirDadosMsg() override;
    void PrepararIntegrador() override;
    bool TratarResposta() override;
    std::string MontarMsgLog() override;
    std::string PrefixoArquivoData() override;

  private:
    void validar(const std::string &gerado, TSchemaNFe esquema);
    int respostaDoEvento(const TInfEvento &evento) const;
    std::string montarProcEvento(int evento, int resposta) const;

    TEventoNFe &lote_;
    std::unique_ptr<TRetEventoNFe> eventoRetorno_ = std::make_unique<TRetEventoNFe>();
};
