#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/base/base_classes.h"
#include "foundation/net/http_send.h"

// A small HTTP client component: one request at a time, redirects followed by
// its own rules, the body handed back as decoded text lines, and one
// exception with a fixed multi-line message for every final status other
// than 200.

// Any final status other than 200, a refused connection included.
class EQuibHTTPError : public EQuibException {
  public:
    using EQuibException::EQuibException;
};

// Called before a request with its URL, which it may change.
using TQuibOnAntesAbrirHTTP = std::function<void(std::string &AURL)>;

class TQuibHTTP : public TQuibComponent {
  public:
    TQuibHTTP() = default;

    // Copied into the client's proxy settings before every request.
    std::string ProxyHost;
    std::string ProxyPort;
    std::string ProxyUser;
    std::string ProxyPass;
    // Decode HTML/XML entities in the response.
    bool ParseText = false;
    // Ask for UTF-8 and always read the response as UTF-8.
    bool IsUTF8 = false;
    // Milliseconds allowed for connecting and for each wait for data; 0 or
    // less leaves the client's own limits.
    int TimeOut = 90000;
    TQuibOnAntesAbrirHTTP OnAntesAbrirHTTP;

    // Clears the client's request (headers and body), then runs a GET.
    virtual void ExecutarGet(std::string_view URL);
    // Runs a POST with the body and headers already put into the client.
    virtual void ExecutarPost(std::string_view URL);
    // Clears the client's request, sends the bytes of Texto as the body.
    virtual void ExecutarPostTexto(std::string_view URL, std::string_view Texto);
    // Runs the request, follows redirects, decodes the body into RespostaHTTP
    // and raises EQuibHTTPError unless the final status is 200. A redirect to
    // another scheme, host or port removes the "Authorization" and "Cookie"
    // request headers from the client first (they are not put back).
    virtual void ExecutarMetodo(std::string_view Method, std::string_view URL);

    // Trimmed value of the first response header line that begins with the
    // name (given with its colon, "Content-Type:") and has a value; field
    // names compare without regard to case. Empty when there is none.
    std::string ValorCabecalhoResposta(std::string_view nome) const;

    // A location is absolute when it starts with "//", with "http://",
    // "https://" or "ftp://" in any case, or with "www."; a single "/" or
    // anything else is relative.
    static bool URLEhAbsoluta(std::string_view url);

    // Decoded body of the last response, one entry per line.
    const std::vector<std::string> &RespostaHTTP() const { return respostaHTTP_; }
    // Those lines, each followed by CR LF.
    std::string RespostaTexto() const;
    // The URL of the last request after the hook and the redirects.
    const std::string &URL() const { return url_; }

    // The client underneath: request headers and body before a call, status,
    // response headers and raw body after it.
    HttpSend &HTTPSend() { return http_; }
    const HttpSend &HTTPSend() const { return http_; }

    // The largest number of redirects followed for one request.
    static constexpr int kMaxRedirecionamentos = 11;

  protected:
    // Empties RespostaHTTP.
    void clearResponseLines() { respostaHTTP_.clear(); }

  private:
    bool respostaEhUTF8() const;
    [[noreturn]] void lancaErroHTTP(std::string_view urlOriginal) const;

    HttpSend http_;
    std::vector<std::string> respostaHTTP_;
    std::string url_;
};

// Response bytes as program text: read as UTF-8 when `isUtf8` (bytes that are
// not well-formed UTF-8 are then read as Windows-1252), else as Windows-1252.
std::string decodeResponseBody(std::string_view bytes, bool isUtf8);
