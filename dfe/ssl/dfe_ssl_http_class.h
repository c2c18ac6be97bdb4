#pragma once

#include <string>
#include <string_view>

#include "dfe/ssl/ssl_types.h"
#include "dfe/ssl/tls_credential.h"
#include "foundation/base/base_classes.h"

class TDFeSSL;

// What an HTTP back-end needs for an exchange: the facade's proxy, time-out,
// TLS choice and, when UseCertificateHTTP is set, the client certificate.
struct HttpConnectionSettings {
    std::string ProxyHost;
    std::string ProxyPort;
    std::string ProxyUser;
    std::string ProxyPass;
    int TimeOut = 5000; // milliseconds
    TSSLType SSLType = LT_TLSv1_2;
    bool UseCertificateHTTP = true;
    TlsCredentialPtr credential; // null: no client certificate
};

// Base of the HTTP(S) back-ends of TDFeSSL. The facade owns one; a send
// thread owns another of the same library for its exchange. The base class
// sends nothing (what the facade holds when no HTTP library is chosen).
//
// A concrete back-end overrides ConfigurarConexao, TextoUltimoErro, Executar
// and Interromper, and reads its settings only through connectionSettings():
// never through the facade, because a back-end of a send thread may outlive
// the facade. Executar fills DadosResposta, HTTPResultCode, InternalErrorCode
// and CabecalhosResposta, and raises on a transport failure. Interromper is
// the one operation called from another thread while Executar runs; it must
// be safe to call before, during and after Executar.
class TDFeSSLHttpClass {
  public:
    explicit TDFeSSLHttpClass(TDFeSSL &SSL);
    virtual ~TDFeSSLHttpClass();
    TDFeSSLHttpClass(const TDFeSSLHttpClass &) = delete;
    TDFeSSLHttpClass &operator=(const TDFeSSLHttpClass &) = delete;

    // The class's own name, used in the messages ("TDFeSSLHttpClass").
    virtual std::string_view NomeClasse() const;

    // ---- Exchange data ----
    std::string DadosResposta;      // body of the answer (bytes)
    std::string DadosEnvio;         // body of the request (bytes)
    THttpHeader CabecalhosEnvio;    // extra request header lines "name: value"
    THttpHeader CabecalhosResposta; // answer header lines
    std::string URL;
    std::string Metodo; // "POST" or "GET"
    std::string MimeType;
    std::string SoapAction;
    int HTTPResultCode = 0;    // status of the last exchange, 0 before one
    int InternalErrorCode = 0; // transport error code of the last exchange, 0 when none

    // ---- Virtual operations ----
    // Base: empties DadosResposta, sets both codes to 0.
    virtual void ConfigurarConexao();
    // The text of the last transport error; base: empty.
    virtual std::string TextoUltimoErro();
    // Performs the request the fields describe; base: ConfigurarConexao only.
    virtual void Executar();
    // Aborts a request running on another thread; base: nothing.
    virtual void Interromper();

    // ---- Common operations ----
    // Empties both bodies and header lists, both codes, URL, Metodo,
    // MimeType and SoapAction.
    void Limpar();
    // Stores method and URL, then Executar.
    void ExecutarRequisicao(std::string_view AMetodo, std::string_view AURL);
    // POST of ConteudoXML (GET when empty) with an optional "Authorization: "
    // line; answers the body. Any failure, and with ValidarCodigoHTTP a status
    // outside 200 to 202, raises EQuibDFeException (not converted)
    // "Erro Interno: <code>\r\nErro HTTP: <status>\r\nURL: <url>\r\n"
    // + TextoUltimoErro() + "\r\n" + the body received so far.
    std::string Transmitir(std::string_view ConteudoXML, std::string_view AURL, std::string_view ASoapAction,
                           std::string_view AMimeType, std::string_view CabecalhoAutorizacao,
                           bool ValidarCodigoHTTP);

    // The settings of the next exchange: read from the facade at the moment
    // of the call (loading the certificate when UseCertificateHTTP is set),
    // or the fixed copy given to detachFromFacade.
    HttpConnectionSettings connectionSettings() const;
    // From now on the back-end never touches the facade again and uses these
    // settings (a send thread's back-end, made while the facade is alive).
    void detachFromFacade(HttpConnectionSettings settings);
    bool detachedFromFacade() const { return ssl_ == nullptr; }

  private:
    TDFeSSL *ssl_; // null once detached
    HttpConnectionSettings fixedSettings_;
};
