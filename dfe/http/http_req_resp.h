#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "foundation/base/base_classes.h"
#include "foundation/net/http_send.h"

class THTTPReqResp;

// Called just before the request leaves, with the client about to send it:
// the place to attach a client certificate, relax the server check, give
// proxy credentials or replace header lines. May raise to stop the request.
using THTTPReqRespAntesDePostar = std::function<void(THTTPReqResp &cliente, HttpSend &requisicao)>;

// The SOAP HTTP client of the platform's SOAP library, on the project's
// libcurl engine: posts a SOAP envelope to URL with its SOAPAction and
// content type, through an optional proxy given as "host:port" (an empty
// port, "host:", means the proxy's default port). The server's certificate
// is checked unless OnBeforePost turns the check off.
//
// Execute raises EQuibDFeException (not converted) on a transport failure
// and, after OnBeforePost, when ContentType is "text/plain" or "text/html"
// (no SOAP peer answers those); any HTTP status is an answer. Abort may be
// called from any thread: it ends the request running (or about to start)
// and no later one.
class THTTPReqResp {
  public:
    std::string Proxy;    // "host:port"; empty: no proxy
    std::string UserName; // credentials for the proxy
    std::string Password;
    bool UseUTF8InHeader = false; // "; charset=utf-8" after the content type
    std::string URL;
    std::string SoapAction;
    std::string ContentType = "text/xml"; // what the request is labelled with
    int ConnectTimeout = 0;               // milliseconds; 0: no limit of ours
    int SendTimeout = 0;
    int ReceiveTimeout = 0;
    THTTPReqRespAntesDePostar OnBeforePost;

    // ---- The last exchange ----
    int StatusCode = 0;      // 0 when no answer arrived
    int SystemErrorCode = 0; // the system error behind a failure; 0 when none
    THttpHeader ResponseHeaders;

    // Posts the request (a GET when it is empty) and answers the status; the
    // answer body replaces `resposta`.
    int Execute(const std::string &requisicao, std::string &resposta);
    void Abort();

    // Raises for a content type no SOAP peer takes ("text/plain", "text/html").
    void CheckContentType() const;

  private:
    HttpSend http_;
};
