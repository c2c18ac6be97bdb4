#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "foundation/base/base_classes.h"

// One HTTP exchange at a time over libcurl: request headers and body in,
// status, response headers and body out. Redirects are never followed here;
// the caller decides what to do with a 3xx answer. HTTP/1.1 only, no
// "Expect: 100-continue", and only the http and https schemes.
//
// Every exchange opens a fresh connection and a fresh TLS session (nothing is
// kept between exchanges, so a connection made with one client certificate
// never carries a request meant for another). The TLS layer is always
// OpenSSL: the first HttpSend refuses a libcurl built on another one with
// std::runtime_error. Servers without secure renegotiation are accepted.
//
// execute() raises only for settings it cannot use (EQuibException: a proxy
// port that is not a number) and for resource failures; every network, TLS
// or time-out failure is its false result with the error fields set.

struct ssl_ctx_st; // OpenSSL's SSL_CTX

// The stages of one exchange, in order.
enum class HttpStage : std::uint8_t {
    connecting,       // name lookup, connection, proxy tunnel, TLS handshake
    sending,          // the request is being written
    awaitingResponse, // the whole request left, no answer byte yet
    receiving,        // the answer has begun to arrive
};

enum class TlsMinimum : std::uint8_t { platformDefault, tls1_0, tls1_1, tls1_2, tls1_3 };

// Installs a client credential (certificate, key, chain) into the OpenSSL
// context of one connection. Returns an empty text when done, else the reason
// why it could not, which fails the exchange with that reason. Runs on the
// thread of execute(); must not raise.
using TlsContextSetup = std::function<std::string(ssl_ctx_st *context)>;

class HttpSend {
  public:
    // Raises ProgramError when libcurl cannot be started or gives no handle.
    HttpSend();
    ~HttpSend();
    HttpSend(const HttpSend &) = delete;
    HttpSend &operator=(const HttpSend &) = delete;

    // ---- Request (set before execute) ----
    THttpHeader requestHeaders; // "name: value" lines sent as they are
    std::string requestBody;    // sent with every method other than GET and HEAD
    // Send "Host: <host>" without the port, even when the URL names one
    // (unless requestHeaders already hold a Host line).
    bool hostWithoutPort = false;

    // ---- Proxy ----
    std::string proxyHost; // empty: no proxy, or the environment's (below)
    std::string proxyPort; // decimal; empty: the proxy's default port
    std::string proxyUser;
    std::string proxyPass;
    // With an empty proxyHost, take the proxy from the environment variables
    // libcurl reads (https_proxy, http_proxy, no_proxy...).
    bool proxyFromEnvironment = false;
    // Hosts reached without the named proxy, comma-separated ("localhost").
    std::string proxyBypass;

    // ---- Time-outs ----
    // Longest wait for the connection, including proxy, SOCKS, tunnel and TLS
    // handshakes; 0 or less leaves libcurl's own limit.
    int connectTimeoutMs = 0;
    // Longest time without a byte moving once connected; 0 or less: no limit.
    int idleTimeoutMs = 0;

    // ---- TLS ----
    // The lowest version offered; platformDefault leaves OpenSSL's own range.
    TlsMinimum tlsMinimum = TlsMinimum::platformDefault;
    // Offer the tlsMinimum version only (ignored with platformDefault).
    bool tlsExact = false;
    // Check the server's certificate chain against the system's authorities
    // and its name against the host.
    bool verifyServer = true;
    // Client certificate as PKCS#12 bytes and their password; empty: none.
    std::string clientPkcs12;
    std::string clientPkcs12Password;
    // Or a credential installed by the caller (used when set, after the
    // PKCS#12 one when both are given).
    TlsContextSetup tlsContextSetup;

    // ---- Response (set by execute) ----
    int resultCode = 0;          // HTTP status; 0 when no complete response arrived
    std::string resultString;    // reason phrase of the status line
    THttpHeader responseHeaders; // header lines of the final response, status line left out
    std::string responseBody;    // raw bytes, not decoded
    int socketErrorCode = 0;     // libcurl's result code; 0 when the exchange completed
    std::string socketErrorText; // its description (with the system's reason when there is one)
    int osErrorCode = 0;         // the system error number behind the failure; 0 when none
    std::string errorDetail;     // libcurl's own account of the failure (TLS reasons included)
    // How far a failed exchange got (connecting before the request left).
    HttpStage failedStage = HttpStage::connecting;

    // Empties the request headers and body and the response.
    void clear();
    // Empties the response fields only.
    void clearResponse();

    // Runs the method on the URL. True when a complete response arrived
    // (whatever its status); false on a connection, TLS or transfer failure,
    // a time-out or an abort, with resultCode 0 and the error fields set.
    bool execute(std::string_view method, std::string_view url);

    // Ends, from any thread, the exchange running when it is called, or the
    // next one to start when none runs (so an abort landing just before
    // execute() is not lost). Exchanges after that one run normally.
    void abort();

  private:
    void *handle_ = nullptr; // CURL*
    void *multi_ = nullptr;  // CURLM*, drives the exchange so an abort is seen at once
    // Number of the exchange running, or of the next one when none runs.
    std::atomic<std::uint64_t> exchange_{0};
    // That number plus one for the exchange an abort ended; 0: none.
    std::atomic<std::uint64_t> abortedExchange_{0};
};
