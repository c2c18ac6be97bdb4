#pragma once

#include <string>

#include "nfe/services/nfe_web_service.h"

class TNotasFiscais;

// What the batch, batch-result and receipt services share: the layout
// version of the batch (its first note's, else the configured one), which
// also decides the SOAP header and the built-in service names, and the
// endpoint of the first note's model and state (or the SVC authoriser).
//
// The note collection is the component's, referenced and never owned.
//
// Errors: DefinirURL raises EQuibNFeException("Ambiente do XML (tpAmb) é
// diferente do configurado no Componente
// (Configuracoes.WebServices.Ambiente)") when the first note's environment is
// not the configured one, before any traffic.
//
// Implemented in nfe_servico_lote.cpp.
class TNFeServicoLote : public TNFeWebService {
  public:
    TNFeServicoLote(TQuibNFe *componente, TNotasFiscais &notas) : TNFeWebService(componente), notas_(notas) {}

    TpcnVersaoDF VersaoDF = ve400;
    TpcnTipoAmbiente tpAmb = taProducao;
    int cUF = 0;

    TNotasFiscais &Notas() const { return notas_; }

  protected:
    void PrepararServico() override;
    void DefinirURL() override;

    // The service key of the batch's layout: the authorisation key when the
    // version, model and state use the authorisation services.
    virtual TpcnServicoNFe ServicoDoLote(bool autorizacao) const = 0;
    // The built-in WSDL namespace and SOAP action by the batch's version:
    // below 4.00 both are set; at 4.00 only the empty ones are filled in.
    void DefinirNomesDoLote(const std::string &servicoAte310, const std::string &acaoAte310,
                            const std::string &servico400, const std::string &sufixoAcao400);
    // tpAmb and cUF from the configuration (the services' Limpar).
    void LimparAmbiente();

  private:
    TNotasFiscais &notas_;
};
