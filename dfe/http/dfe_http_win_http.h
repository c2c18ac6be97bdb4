#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "dfe/http/quib_win_req_resp.h"
#include "dfe/ssl/dfe_ssl_http_class.h"

// The HTTP back-end of TDFeSSL for httpWinHttp and httpWinINet: each request
// runs on a request engine of its own (MotorHTTP), the WinINet personality
// for httpWinINet and the WinHTTP one otherwise. The client certificate is
// the facade's TLS credential when UseCertificateHTTP is set; the server's
// certificate is not checked. LogFile of the engine is never set here.
//
// Executar lets the engine's EQuibWinReqResp through (Transmitir turns it
// into its own text, with TextoUltimoErro, the engine's text of
// InternalErrorCode, such as "Erro: 12029 - Conexão com o Servidor falhou").
// Interromper may be called from any thread: it ends the exchange running
// (or about to start) and no later one.
class TDFeHttpWinHttp : public TDFeSSLHttpClass {
  public:
    TDFeHttpWinHttp(TDFeSSL &SSL, TSSLHttpLib Motor);

    std::string_view NomeClasse() const override;
    void ConfigurarConexao() override;
    std::string TextoUltimoErro() override;
    void Executar() override;
    void Interromper() override;

    TQuibWinReqResp &MotorHTTP() { return *motor_; }

  private:
    std::unique_ptr<TQuibWinReqResp> motor_;
};

// Registers TDFeHttpWinHttp for httpWinHttp and httpWinINet (called by
// RegistraBackendsDFe).
void registerWinHttpBackend();
