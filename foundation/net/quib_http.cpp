#include "foundation/net/quib_http.h"

#include "foundation/base/busy_cursor.h"
#include "foundation/net/url_origin.h"
#include "foundation/net/url_reference.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && lowerAscii(text.substr(0, prefix.size())) == lowerAscii(prefix);
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The method of the request that follows a redirect: 303 always turns into
// GET, 301 and 302 turn a POST into GET, 307 and 308 repeat the request as it
// was.
std::string methodAfterRedirect(int status, const std::string &method)
{
    if (status == 303)
        return "GET";
    if ((status == 301 || status == 302) && method == "POST")
        return "GET";
    return method;
}

std::string locationTarget(const std::string &current, std::string_view location)
{
    if (TQuibHTTP::URLEhAbsoluta(location) && !location.starts_with("//"))
        return std::string(location);
    // A bare host as base ("www.host/page") is read as an http address.
    const std::string base = current.find("://") == std::string::npos ? "http://" + current : current;
    return resolveUrlReference(base, location);
}

// Credentials meant for the first server: never sent to another one.
void dropCredentials(THttpHeader &headers)
{
    for (const std::string_view field : {"Authorization", "Cookie"}) {
        for (int index = headers.IndiceDoCampo(field); index >= 0; index = headers.IndiceDoCampo(field))
            headers.remove(index);
    }
}

} // namespace

std::string decodeResponseBody(std::string_view bytes, bool isUtf8)
{
    return isUtf8 ? AnsiParaUTF8(bytes) : ConvertePaginaCodigo(bytes, 65001, 1252);
}

void TQuibHTTP::ExecutarGet(std::string_view URL)
{
    http_.clear();
    ExecutarMetodo("GET", URL);
}

void TQuibHTTP::ExecutarPost(std::string_view URL)
{
    ExecutarMetodo("POST", URL);
}

void TQuibHTTP::ExecutarPostTexto(std::string_view URL, std::string_view Texto)
{
    http_.clear();
    http_.requestBody = std::string(Texto);
    ExecutarPost(URL);
}

void TQuibHTTP::ExecutarMetodo(std::string_view Method, std::string_view URL)
{
    BusyCursor busy;
    respostaHTTP_.clear();
    url_ = std::string(URL);

    if (IsUTF8)
        http_.requestHeaders.add("Accept-Charset: utf-8;q=*;q=0.7");
    if (OnAntesAbrirHTTP)
        OnAntesAbrirHTTP(url_);

    http_.proxyHost = ProxyHost;
    http_.proxyPort = ProxyPort;
    http_.proxyUser = ProxyUser;
    http_.proxyPass = ProxyPass;
    http_.connectTimeoutMs = TimeOut > 0 ? TimeOut : 0;
    http_.idleTimeoutMs = TimeOut > 0 ? TimeOut : 0;

    // The request headers stay in the client across redirects, but for the
    // credentials when the redirect leaves the origin (scheme, host or port);
    // the body goes when the method turns into GET.
    std::string method = upperAscii(Method);
    http_.execute(method, url_);
    for (int redirects = 0; redirects < kMaxRedirecionamentos && isRedirect(http_.resultCode); ++redirects) {
        std::string location = ValorCabecalhoResposta("Location:");
        location = std::string(trimText(location.substr(0, location.find(';'))));
        if (location.empty())
            break;
        const std::string target = locationTarget(url_, location);
        if (!sameOrigin(url_, target))
            dropCredentials(http_.requestHeaders);
        url_ = target;
        const std::string next = methodAfterRedirect(http_.resultCode, method);
        if (next != method)
            http_.requestBody.clear();
        method = next;
        http_.clearResponse();
        http_.execute(method, url_);
    }

    const bool isUtf8 = respostaEhUTF8();
    std::string text = decodeResponseBody(http_.responseBody, isUtf8);
    if (ParseText)
        text = ConverteEntidades(text, true, isUtf8);
    respostaHTTP_ = splitLines(text);

    if (http_.resultCode != 200)
        lancaErroHTTP(URL);
}

std::string TQuibHTTP::ValorCabecalhoResposta(std::string_view nome) const
{
    const THttpHeader &headers = http_.responseHeaders;
    for (int i = 0; i < headers.count(); ++i) {
        const std::string_view line = headers.line(i);
        if (!startsWithIgnoringCase(line, nome))
            continue;
        const std::string_view value = trimText(line.substr(nome.size()));
        if (!value.empty())
            return std::string(value);
    }
    return {};
}

bool TQuibHTTP::URLEhAbsoluta(std::string_view url)
{
    if (url.starts_with("//"))
        return true;
    if (url.starts_with("/"))
        return false;
    return startsWithIgnoringCase(url, "http://") || startsWithIgnoringCase(url, "https://") ||
           startsWithIgnoringCase(url, "ftp://") || url.starts_with("www.");
}

std::string TQuibHTTP::RespostaTexto() const
{
    std::string text;
    for (const std::string &line : respostaHTTP_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool TQuibHTTP::respostaEhUTF8() const
{
    if (IsUTF8)
        return true;
    const std::string contentType = lowerAscii(ValorCabecalhoResposta("Content-Type:"));
    if (contentType.find("utf-8") != std::string::npos)
        return true;
    if (contentType.find("xhtml+xml") != std::string::npos)
        return DeclaraUTF8(http_.responseBody);
    if (contentType.find("html") != std::string::npos) {
        const std::string head = TextoEntreMarcas(lowerAscii(http_.responseBody), "<head>", "</head>");
        return head.find("charset=\"utf-8\"") != std::string::npos;
    }
    return false;
}

void TQuibHTTP::lancaErroHTTP(std::string_view urlOriginal) const
{
    std::string message = "Erro HTTP: " + std::to_string(http_.resultCode) + " " + http_.resultString;
    message += "\r\nSocket Error: " + std::to_string(http_.socketErrorCode) + " " + http_.socketErrorText;
    message += "\r\nURL: " + std::string(urlOriginal);
    message += "\r\n\r\nResposta HTTP:";
    const std::string cut = ParteEmLinhas(RespostaTexto(), 80, 20, false);
    for (const std::string &line : splitLines(cut))
        message += "\r\n" + line;
    throw EQuibHTTPError(message);
}
