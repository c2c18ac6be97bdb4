#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/base/base_classes.h"

// One HTTP exchange at a time over libcurl: request headers and body in,
// status, response headers and body out. Redirects are never followed here;
// the caller decides what to do with a 3xx answer. HTTP/1.1 only, no
// "Expect: 100-continue", no proxy from the environment, and only the http and
// https schemes.

enum class TlsMinimum : std::uint8_t { platformDefault, tls1_2, tls1_3 };

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

    // ---- Settings ----
    std::string proxyHost; // empty: direct connection
    std::string proxyPort; // decimal; empty: the proxy's default port
    std::string proxyUser;
    std::string proxyPass;
    // Longest wait for the connection, including proxy, SOCKS and tunnel
    // handshakes; 0 or less leaves libcurl's own limit.
    int connectTimeoutMs = 0;
    // Longest time without a byte moving once connected; 0 or less: no limit.
    // Whole seconds are used, rounded up.
    int idleTimeoutMs = 0;
    TlsMinimum tlsMinimum = TlsMinimum::platformDefault;

    // ---- Response (set by execute) ----
    int resultCode = 0;          // HTTP status; 0 when no complete response arrived
    std::string resultString;    // reason phrase of the status line
    THttpHeader responseHeaders; // header lines of the final response, status line left out
    std::string responseBody;    // raw bytes, not decoded
    int socketErrorCode = 0;     // libcurl's result code; 0 when the exchange completed
    std::string socketErrorText; // its description (with the system's reason when there is one)

    // Empties the request headers and body and the response.
    void clear();
    // Empties the response fields only.
    void clearResponse();

    // Runs the method on the URL. True when a complete response arrived
    // (whatever its status); false on a connection or transfer failure, with
    // resultCode 0 and the socket error fields set.
    bool execute(std::string_view method, std::string_view url);

  private:
    void *handle_ = nullptr; // CURL*, reused so connections may be kept
};
