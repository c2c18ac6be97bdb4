#include "foundation/net/http_send.h"

#include <charconv>
#include <cstring>
#include <memory>
#include <stdexcept>

#include <curl/curl.h>

#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"

namespace {

// libcurl's global set-up, done once before the first handle.
void ensureCurlInitialised()
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!initialised)
        throw ProgramError("Não foi possível iniciar a biblioteca HTTP (libcurl)");
}

struct SlistDeleter {
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

void append(Slist &list, const std::string &line)
{
    curl_slist *grown = curl_slist_append(list.get(), line.c_str());
    if (grown == nullptr)
        throw std::bad_alloc();
    (void)list.release();
    list.reset(grown);
}

bool hasField(const THttpHeader &headers, std::string_view name)
{
    return headers.IndiceDoCampo(name) >= 0;
}

size_t onBody(char *data, size_t size, size_t count, void *user)
{
    auto *send = static_cast<HttpSend *>(user);
    send->responseBody.append(data, size * count);
    return size * count;
}

// Each header line of each response; a status line starts a new response
// (a proxy's CONNECT answer or an interim 1xx comes before the final one).
size_t onHeader(char *data, size_t size, size_t count, void *user)
{
    auto *send = static_cast<HttpSend *>(user);
    std::string_view line(data, size * count);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    if (line.starts_with("HTTP/")) {
        send->responseHeaders.clear();
        send->resultString.clear();
        // "HTTP/1.1 404 Not Found": the reason follows the second blank.
        const std::size_t first = line.find(' ');
        if (first != std::string_view::npos) {
            const std::size_t second = line.find(' ', first + 1);
            if (second != std::string_view::npos)
                send->resultString = std::string(trimText(line.substr(second + 1)));
        }
    } else if (!line.empty()) {
        send->responseHeaders.add(line);
    }
    return size * count;
}

std::string describeFailure(CURLcode code, long osErrno)
{
    std::string text = curl_easy_strerror(code);
    if (osErrno != 0) {
        const char *reason = strerrordesc_np(static_cast<int>(osErrno));
        if (reason != nullptr)
            text += std::string(" (") + reason + ")";
    }
    return text;
}

} // namespace

HttpSend::HttpSend()
{
    ensureCurlInitialised();
    handle_ = curl_easy_init();
    if (handle_ == nullptr)
        throw ProgramError("Não foi possível criar o cliente HTTP (libcurl)");
}

HttpSend::~HttpSend()
{
    curl_easy_cleanup(static_cast<CURL *>(handle_));
}

void HttpSend::clear()
{
    requestHeaders.clear();
    requestBody.clear();
    clearResponse();
}

void HttpSend::clearResponse()
{
    resultCode = 0;
    resultString.clear();
    responseHeaders.clear();
    responseBody.clear();
    socketErrorCode = 0;
    socketErrorText.clear();
}

bool HttpSend::execute(std::string_view method, std::string_view url)
{
    CURL *curl = static_cast<CURL *>(handle_);
    curl_easy_reset(curl);
    clearResponse();

    const std::string urlText(url);
    const std::string methodText = upperAscii(method);
    char errorBuffer[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(curl, CURLOPT_URL, urlText.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);

    if (methodText == "GET") {
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    } else if (methodText == "HEAD") {
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    } else {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(requestBody.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, requestBody.data());
        if (methodText != "POST")
            curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, methodText.c_str());
    }

    Slist headers;
    for (int i = 0; i < requestHeaders.count(); ++i)
        append(headers, requestHeaders.line(i));
    append(headers, "Expect:");
    // libcurl would label a body as a form otherwise.
    if (methodText != "GET" && methodText != "HEAD" && !hasField(requestHeaders, "Content-Type"))
        append(headers, "Content-Type:");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());

    // An empty proxy also keeps libcurl from taking one from the environment.
    const std::string host(trimText(proxyHost));
    curl_easy_setopt(curl, CURLOPT_PROXY, host.c_str());
    if (!host.empty()) {
        const std::string_view port = trimText(proxyPort);
        long portNumber = 0;
        if (!port.empty()) {
            const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), portNumber);
            if (ec != std::errc() || end != port.data() + port.size() || portNumber < 1 || portNumber > 65535)
                throw EQuibException("Porta do proxy inválida: \"" + std::string(port) + "\"");
            curl_easy_setopt(curl, CURLOPT_PROXYPORT, portNumber);
        }
        if (!proxyUser.empty())
            curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, proxyUser.c_str());
        if (!proxyPass.empty())
            curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, proxyPass.c_str());
    }

    if (connectTimeoutMs > 0)
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectTimeoutMs));
    if (idleTimeoutMs > 0) {
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>((idleTimeoutMs + 999) / 1000));
    }
    switch (tlsMinimum) {
    case TlsMinimum::platformDefault:
        break;
    case TlsMinimum::tls1_2:
        curl_easy_setopt(curl, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
        break;
    case TlsMinimum::tls1_3:
        curl_easy_setopt(curl, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_3));
        break;
    }

    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);

    const CURLcode result = curl_easy_perform(curl);
    if (result != CURLE_OK) {
        long osErrno = 0;
        curl_easy_getinfo(curl, CURLINFO_OS_ERRNO, &osErrno);
        resultCode = 0;
        resultString.clear();
        socketErrorCode = static_cast<int>(result);
        socketErrorText = describeFailure(result, osErrno);
        return false;
    }
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    resultCode = static_cast<int>(status);
    return true;
}
