#pragma once

#include <string>
#include <string_view>

#include "dfe/ssl/ssl_types.h"
#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/dates/date_time.h"
#include "nfe/services/dfe_web_service.h"
#include "nfe/services/quib_nfe.h"

// The web-service template bound to the NF-e component: the endpoint, WSDL
// namespace, SOAP action and version come from the services INI through
// TQuibNFe::LocalizarServico; the component shows the service's step while a
// call runs (etOcioso after it); layout 4.00 requests carry no SOAP header;
// only NFC-e requests go through a linked Integrador (an NF-e request always
// goes to the tax authority directly).
//
// After every call, successful or not, the facade's SSLType and
// ElementoCabecalho are what they were before it. Same ownership, threading
// and two-phase creation as TDFeWebService.
class TNFeWebService : public TDFeWebService {
  public:
    explicit TNFeWebService(TQuibNFe *componente);

    TEtapaNFe EtapaServico = etOcioso;
    TpcnServicoNFe Layout = srvNfeStatusServico;
    TConfiguracoesNFe *ConfiguracoesNFe() const { return configuracoesNFe_; }
    TQuibNFe *ComponenteNFe() const { return nfe_; }

    std::string NomeDaClasse() const override { return "TNFeWebService"; }
    void Limpar() override;

    // The model inside the trimmed access key; the configured model when the
    // key is empty or its model code is neither "55" nor "65".
    TpcnModeloDF ModeloDoTexto(std::string_view chave) const;

  protected:
    void PrepararServico() override;
    void DefinirURL() override;
    void PrepararIntegrador() override;
    void TransmitirDados() override;
    void ConcluirServico() override;
    std::string GerarVersaoDadosSoap() override;

    // The built-in WSDL namespace and SOAP action of a service: below layout
    // 4.00 both are always set; at 4.00 a value found in the services INI is
    // kept and only an empty one is filled in (the action after the
    // namespace, from it).
    void DefinirNomesPadrao(const std::string &servicoAte310, const std::string &acaoAte310,
                            const std::string &servico400, const std::string &sufixoAcao400);

    // The base PrepararIntegrador, then the layout version as "versaoDados"
    // and the Integrador method of the service (its homologation variant in
    // that environment).
    void PrepararIntegradorComMetodo(const std::string &metodo);

  private:
    TQuibNFe *nfe_;
    TConfiguracoesNFe *configuracoesNFe_;
    TSSLType sslTypeAnterior_ = LT_TLSv1_2;
    std::string elementoCabecalhoAnterior_;
};

// The header every answer of the tax authority starts with, as the services
// that report it keep it. Plain data; nothing here raises.
struct TCabecalhoRespostaNFe {
    std::string versao;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    int cStat = 0;
    std::string xMotivo;
    int cUF = 0;
    TDateTime dhRecbto = 0;

    // Clears the header: tpAmb and cUF become the configured environment and
    // state (production and 0 without a configuration).
    void LimparCabecalho(const TConfiguracoesNFe *configuracoes);

    // Copies the header fields that the answer carries; the others keep
    // their value.
    template <class Resposta> void CopiarCabecalho(const Resposta &resposta)
    {
        if constexpr (requires { resposta.versao; })
            versao = resposta.versao;
        if constexpr (requires { resposta.tpAmb; })
            tpAmb = resposta.tpAmb;
        if constexpr (requires { resposta.verAplic; })
            verAplic = resposta.verAplic;
        if constexpr (requires { resposta.cStat; })
            cStat = resposta.cStat;
        if constexpr (requires { resposta.xMotivo; })
            xMotivo = resposta.xMotivo;
        if constexpr (requires { resposta.cUF; })
            cUF = resposta.cUF;
        if constexpr (requires { resposta.dhRecbto; })
            dhRecbto = resposta.dhRecbto;
    }
};
