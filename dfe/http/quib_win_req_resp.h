#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "dfe/ssl/ssl_types.h"
#include "dfe/ssl/tls_credential.h"
#include "foundation/base/base_classes.h"
#include "foundation/base/quib_exception.h"
#include "foundation/net/http_send.h"

// Error of a Windows request engine; the message passes through TextoNativo.
class EQuibWinReqResp : public EQuibException {
  public:
    explicit EQuibWinReqResp(std::string_view mensagem);
};

// One HTTP exchange run step by step the way the Windows HTTP services run
// it (session, connection, request, headers, body, answer, redirection),
// over the project's libcurl engine (HttpSend): the session is one HttpSend,
// the connection and request steps prepare it and sending runs it. Every
// step keeps its trace line and its failure text; a libcurl failure is
// reported under the WinINet code and at the step where WinHTTP or WinINet
// report it (see detail/win_inet_errors.h). A 301 or 302 after a POST, and
// a 303, continue as a GET without body; a 307 repeats the request as it was. The libcurl side of the
// time-out, certificate, proxy-user, receive and read steps is common to
// both engines and lives here; the engines add their own session, TLS,
// connection, header and send steps. Redirections (301, 302, 303,
// 307) are followed here, at most 10, each location resolved as RFC 3986
// says. The server's certificate is never checked.
//
// Execute raises EQuibWinReqResp with the failing step's text; an HTTP
// status, whatever it is, is no failure (HttpResultCode carries it).
// One exchange at a time on the calling thread; Abort is the one call made
// from another thread: it ends the exchange running (or about to start) with
// "Conexão foi abortada", and no later one.
//
// Concrete engines: TQuibWinHTTPReqResp, TQuibWinINetReqResp.
class TQuibWinReqResp {
  public:
    TQuibWinReqResp();
    virtual ~TQuibWinReqResp();
    TQuibWinReqResp(const TQuibWinReqResp &) = delete;
    TQuibWinReqResp &operator=(const TQuibWinReqResp &) = delete;

    // ---- Settings and state (Clear restores the defaults noted) ----
    TlsCredentialPtr CertContext; // client certificate, HTTPS only; none
    THttpHeader RequestHeaders;   // extra request lines; empty
    THttpHeader ResponseHeaders;  // answer header lines; empty
    std::uint32_t LastErrorCode = 0;
    int HttpResultCode = 0;
    bool EncodeDataToUTF8 = false; // send Data converted to UTF-8
    std::string LogFile;           // trace file; empty: no trace (Clear keeps it)
    std::string SOAPAction;        // empty
    std::string MimeType = "text/html";
    std::string Charset = "utf-8";
    std::string Data; // request body; empty
    // Kept by Clear. An empty ProxyHost takes the environment's proxy
    // (https_proxy, no_proxy...), the platform's setting on this system.
    std::string ProxyHost, ProxyPass, ProxyPort, ProxyUser;
    TSSLType SSLType = LT_all;
    int TimeOut = 10000; // milliseconds

    const std::string &Method() const { return method_; }
    // Stored upper-cased.
    void SetMethod(std::string_view value);
    const std::string &URL() const { return url_; }
    // A different URL is parsed into protocol, host, port and URI (path and
    // query); a missing scheme is "http", a missing port 443 or 80.
    void SetURL(std::string_view value);
    const std::string &URI() const { return uri_; }
    const std::string &Protocol() const { return protocol_; }
    const std::string &Host() const { return host_; }
    const std::string &Port() const { return port_; }
    int RedirectionCount() const { return redirections_; }

    // Restores the defaults above (all but the proxy settings and LogFile).
    void Clear();

    // ---- Steps ----
    virtual int GetHttpResultCode();
    virtual bool IsSessionOpen();
    virtual void Reset();
    virtual bool DoOpenSession();
    virtual bool DoOpenConnection();
    virtual bool DoOpenRequest();
    virtual bool SetHeaderReq();
    virtual bool SendData(const std::string &body);
    virtual bool ReceiveResponse();
    // Bytes copied into the buffer; 0 at the end of the answer, below 0 on failure.
    virtual int ReadData(char *buffer, int size);
    virtual bool SetConnectionTimeOut();
    virtual bool SetConnectionSSL();
    virtual bool SetConnectionCertificate();
    virtual bool SetConnectionSecurityFlags();
    virtual bool SetProxyUser();
    virtual void CloseHandles();
    // "Erro: <code> - <text>" from the WinINet table ("" for code 0 with no text).
    virtual std::string GetErrorText(std::uint32_t code);
    // The whole exchange; the answer body replaces `resposta`.
    virtual void Execute(std::string &resposta);
    virtual void Abort();

    // The header text of the request, lines joined by CR LF: Host (with the
    // port unless it is the scheme's own: 443 for HTTPS, 80 for HTTP), Content-Type (with
    // "; charset=" + Charset unless the type names a charset), Accept-Charset,
    // SOAPAction (quoted, inner quotes doubled), then RequestHeaders.
    std::string HeaderText() const;
    // ProxyHost, plus ":" + ProxyPort when it reads as a number other than 0.
    std::string ProxyText() const;
    bool UseSSL() const;
    int ConnectionPort() const;

  protected:
    // The HttpSend of the open session, created with the user agent and the
    // hosts the named proxy is bypassed for.
    bool openSession(std::string_view userAgent, std::string_view proxyBypass);
    HttpSend *session() const { return session_.get(); }
    bool requestOpen() const { return requestOpen_; }
    // Runs the exchange with these header lines and body. A failure while
    // connecting or sending answers false here; a later one is kept for
    // ReceiveResponse or ReadData, where WinHTTP and WinINet report it.
    bool transmit(const std::string &headerText, const std::string &body);
    // LastErrorCode := code, HttpResultCode := GetHttpResultCode(); false.
    // The detail, when given, follows the code's text in the failure.
    bool fail(std::uint32_t code, std::string detail);
    // Raises "Conexão foi abortada" once this exchange was aborted.
    void checkAborted() const;
    // LastErrorCode := code, HttpResultCode := GetHttpResultCode(); false.
    bool fail(std::uint32_t code);
    void trace(std::string_view text) const;

  private:
    void openSessionStep();
    void openConnectionStep();
    void openRequestStep();
    void sendStep();
    void receiveStep(std::string &resposta);
    void adjustForRedirection();
    void checkProxyParams();
    [[noreturn]] void raiseStep(std::string_view format);
    bool abortedNow() const;

    std::string method_ = "GET";
    std::string url_, uri_, protocol_, host_, port_;
    int redirections_ = 0;
    bool connectionOpen_ = false;
    bool requestOpen_ = false;
    // The failure transmit() left for the answer steps; 0: none.
    std::uint32_t pendingFailure_ = 0;
    HttpStage pendingStage_ = HttpStage::connecting;
    std::size_t readOffset_ = 0;
    std::string failureDetail_; // libcurl's account of an unmapped failure

    // Shared with Abort (another thread).
    mutable std::mutex abortMutex_;
    std::shared_ptr<HttpSend> session_;
    std::uint64_t exchange_ = 0;        // number of the exchange running, or of the next
    std::uint64_t abortedExchange_ = 0; // that number plus one for an aborted exchange
};
