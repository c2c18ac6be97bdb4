#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "dfe/ssl/dfe_ssl_http_class.h"
#include "foundation/net/http_send.h"

// The HTTPS back-end of TDFeSSL for httpOpenSSL: one request at a time over
// the project's libcurl engine (HttpSend) with OpenSSL, presenting the loaded
// certificate as the TLS client certificate when UseCertificateHTTP is set.
// The server's certificate is not checked. Every ConfigurarConexao starts the
// client afresh, so nothing of one request (headers, body, certificate,
// proxy) carries over to the next.
//
// Executar raises EQuibDFeException (not converted) on a transport failure
// and when SSLType asks for a protocol OpenSSL no longer has ("<OpenSSL
// version>, não suporta LT_SSLv3"), before any traffic; the text is also kept
// as UltimoErroTransporte. A status such as 500 is no failure here.
// Interromper may be called from any thread; it ends the request running (or
// about to start) and no later one.
class TDFeHttpOpenSSL : public TDFeSSLHttpClass {
  public:
    explicit TDFeHttpOpenSSL(TDFeSSL &SSL);

    std::string_view NomeClasse() const override;
    void ConfigurarConexao() override;
    // libcurl's account of the last failure, or UltimoErroTransporte when
    // there is none.
    std::string TextoUltimoErro() override;
    void Executar() override;
    void Interromper() override;

    // The user agent of every request.
    static constexpr std::string_view kUserAgent = "Synapse OpenSSL Quib/1.0";

    HttpSend ClienteHTTP;
    std::string UltimoErroTransporte;

  private:
    [[noreturn]] void Falhar(const std::string &texto);
};

// Registers TDFeHttpOpenSSL for httpOpenSSL (called by RegistraBackendsDFe).
void registerOpenSslHttpBackend();
