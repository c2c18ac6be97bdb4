#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "dfe/http/http_req_resp.h"
#include "dfe/ssl/dfe_ssl_http_class.h"

// The HTTP back-end of TDFeSSL for httpIndy: posts through the SOAP HTTP
// client (THTTPReqResp) and, in its hook before posting, attaches the
// facade's TLS credential (when UseCertificateHTTP is set), turns the server
// check off, gives the proxy credentials and forces the content type
// (MimeType). HTTPResultCode is the status received; TextoUltimoErro stays
// empty, so Transmitir's text ends with the empty line and the body.
//
// The client keeps its settings between requests (a proxy once set stays
// until another replaces it). Interromper may be called from any thread: it
// aborts the request running (or the next one, when none runs) and gives the
// back-end a fresh client; the one a running request uses is never freed
// under it.
class TDFeHttpIndy : public TDFeSSLHttpClass {
  public:
    explicit TDFeHttpIndy(TDFeSSL &SSL);

    std::string_view NomeClasse() const override;
    void ConfigurarConexao() override;
    void Executar() override;
    void Interromper() override;

    // The client of the next request (a new one after each Interromper).
    std::shared_ptr<THTTPReqResp> ClienteSOAP() const;
    std::string TipoConteudo; // forced on the request (MimeType at set-up)

  private:
    void antesDePostar(THTTPReqResp &cliente, HttpSend &requisicao) const;
    std::shared_ptr<THTTPReqResp> clienteDaTroca();

    mutable std::mutex mutex_;
    std::shared_ptr<THTTPReqResp> cliente_;
    std::shared_ptr<THTTPReqResp> emUso_; // the client of the running request
    bool interromperProxima_ = false;     // an Interromper arrived between requests
    HttpConnectionSettings settings_;     // of the running request
};

// Registers TDFeHttpIndy for httpIndy (called by RegistraBackendsDFe).
void registerIndyHttpBackend();
