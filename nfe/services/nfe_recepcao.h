#pragma once

#include <memory>
#include <string>

#include "foundation/dates/date_time.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/nfe_servico_lote.h"
#include "nfe/services/ret_cons_sit_nfe.h"
#include "nfe/services/ret_env_nfe.h"

// The authorisation batch ("enviNFe") of the component's notes, each as
// signed (signed first when it is not yet), synchronous or asynchronous,
// optionally sent as Base64 of its gzip ("nfeDadosMsgZip").
//
// Processar answers true when an asynchronous batch was received (cStat
// 103), when a synchronous batch was processed (104) with a protocol of 100,
// 110, 150, 301, 302 or 303, which is then attached to its note, and also
// when a synchronous batch was only received (103 with a receipt): Recibo
// then holds the receipt to query the result with and nothing is attached.
// Any other answer is false with the authority's text in MensagemResultado.
//
// Errors: the environment check of TNFeServicoLote; a batch of more than
// 512000 bytes (after compression) goes to the error path as "Tamanho do XML
// de Dados superior a 500 Kbytes. Tamanho atual: <n> Kbytes" (sent anyway
// when the log handler marks it handled); a digest mismatch while attaching
// raises EQuibNFeException through the error path.
//
// Implemented in nfe_recepcao.cpp.
class TNFeRecepcao : public TNFeServicoLote {
  public:
    using TNFeServicoLote::TNFeServicoLote;

    std::string Lote;
    bool EnvioSincrono = false;
    bool CompactarLote = false;
    std::string NumeroLote() const { return std::string(trimText(Lote)); }

    std::string versao;
    std::string verAplic;
    int cStat = 0;
    std::string xMotivo;
    TDateTime dhRecbto = 0;
    int tMed = 0;
    std::string Recibo;
    std::string Protocolo;
    std::string NumeroRecibo() const { return std::string(trimText(Recibo)); }

    // Owned, replaced by every Limpar.
    TretEnvNFe &RetornoAssincrono() { return *retEnv_; }
    TRetConsSitNFe &RetornoSincrono() { return *retSit_; }

    std::string NomeDaClasse() const override { return "TNFeRecepcao"; }
    void Limpar() override;

  protected:
    TpcnServicoNFe ServicoDoLote(bool autorizacao) const override
    {
        return autorizacao ? srvNfeAutorizacao : srvNfeRecepcao;
    }
    void DefinirServicoEAction() override;
    void DefinirDadosMsg() override;
    void PrepararIntegrador() override;
    bool TratarResposta() override;
    std::string MontarMsgLog() override;
    std::string PrefixoArquivoData() override;

  private:
    bool leituraAssincrona() const;
    bool tratarSincrona(const std::string &resposta);

    std::unique_ptr<TretEnvNFe> retEnv_ = std::make_unique<TretEnvNFe>();
    std::unique_ptr<TRetConsSitNFe> retSit_ = std::make_unique<TRetConsSitNFe>();
};
