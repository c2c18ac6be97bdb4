#include "foundation/net/http_send.h"

#include <charconv>
#include <chrono>
#include <cstring>
#include <memory>
#include <stdexcept>

#include <curl/curl.h>
#include <openssl/ssl.h>

#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"

namespace {

// libcurl's global set-up, done once before the first handle. OpenSSL is
// asked for; a build that cannot give it is refused, since client
// certificates and credentials are handed over as OpenSSL objects.
void ensureCurlInitialised()
{
    static const std::string problem = [] {
        const CURLsslset chosen = curl_global_sslset(CURLSSLBACKEND_OPENSSL, nullptr, nullptr);
        if (chosen != CURLSSLSET_OK && chosen != CURLSSLSET_TOO_LATE)
            return std::string("A biblioteca HTTP (libcurl) não oferece o OpenSSL como camada TLS");
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            return std::string("Não foi possível iniciar a biblioteca HTTP (libcurl)");
        const curl_version_info_data *info = curl_version_info(CURLVERSION_NOW);
        const std::string_view tls = info->ssl_version != nullptr ? info->ssl_version : "";
        if (!tls.starts_with("OpenSSL/"))
            return "A biblioteca HTTP (libcurl) usa \"" + std::string(tls) +
                   "\" como camada TLS; é preciso o OpenSSL";
        return std::string();
    }();
    if (!problem.empty())
        throw ProgramError(problem);
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

// What the progress callback watches during one exchange.
struct Watch {
    using Clock = std::chrono::steady_clock;
    const std::atomic<std::uint64_t> *abortedExchange;
    std::uint64_t abortMark; // this exchange's number plus one
    int idleTimeoutMs;
    Clock::time_point lastMove = Clock::now();
    curl_off_t lastDown = 0;
    curl_off_t lastUp = 0;
    bool idleExpired = false;
};

int onProgress(void *user, curl_off_t, curl_off_t downNow, curl_off_t, curl_off_t upNow)
{
    auto *watch = static_cast<Watch *>(user);
    if (watch->abortedExchange->load() == watch->abortMark)
        return 1;
    const Watch::Clock::time_point now = Watch::Clock::now();
    if (downNow != watch->lastDown || upNow != watch->lastUp) {
        watch->lastDown = downNow;
        watch->lastUp = upNow;
        watch->lastMove = now;
        return 0;
    }
    if (watch->idleTimeoutMs > 0 &&
        now - watch->lastMove >= std::chrono::milliseconds(watch->idleTimeoutMs)) {
        watch->idleExpired = true;
        return 1;
    }
    return 0;
}

// The OpenSSL context of each new connection: legacy renegotiation accepted,
// then the caller's credential.
struct ContextSetup {
    const TlsContextSetup *callerSetup;
    std::string problem;
};

CURLcode onSslContext(CURL *, void *sslContext, void *user)
{
    auto *setup = static_cast<ContextSetup *>(user);
    auto *context = static_cast<SSL_CTX *>(sslContext);
    SSL_CTX_set_options(context, SSL_OP_LEGACY_SERVER_CONNECT);
    if (setup->callerSetup != nullptr && *setup->callerSetup) {
        setup->problem = (*setup->callerSetup)(context);
        if (!setup->problem.empty())
            return CURLE_SSL_CERTPROBLEM;
    }
    return CURLE_OK;
}

long curlTlsVersion(TlsMinimum version)
{
    switch (version) {
    case TlsMinimum::tls1_0:
        return CURL_SSLVERSION_TLSv1_0;
    case TlsMinimum::tls1_1:
        return CURL_SSLVERSION_TLSv1_1;
    case TlsMinimum::tls1_2:
        return CURL_SSLVERSION_TLSv1_2;
    case TlsMinimum::tls1_3:
        return CURL_SSLVERSION_TLSv1_3;
    case TlsMinimum::platformDefault:
        break;
    }
    return CURL_SSLVERSION_DEFAULT;
}

long curlTlsMaximum(TlsMinimum version)
{
    switch (version) {
    case TlsMinimum::tls1_0:
        return CURL_SSLVERSION_MAX_TLSv1_0;
    case TlsMinimum::tls1_1:
        return CURL_SSLVERSION_MAX_TLSv1_1;
    case TlsMinimum::tls1_2:
        return CURL_SSLVERSION_MAX_TLSv1_2;
    case TlsMinimum::tls1_3:
        return CURL_SSLVERSION_MAX_TLSv1_3;
    case TlsMinimum::platformDefault:
        break;
    }
    return CURL_SSLVERSION_MAX_DEFAULT;
}

// The host part of a URL ("[::1]" keeps its brackets); empty when unreadable.
std::string hostOf(const std::string &url)
{
    CURLU *parsed = curl_url();
    std::string host;
    char *part = nullptr;
    if (parsed != nullptr && curl_url_set(parsed, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK &&
        curl_url_get(parsed, CURLUPART_HOST, &part, 0) == CURLUE_OK)
        host = part;
    curl_free(part);
    curl_url_cleanup(parsed);
    return host;
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

// Runs the easy handle through the multi handle, waking often enough for the
// progress callback to see an abort or an idle connection within ~50 ms.
CURLcode perform(CURLM *multi, CURL *curl)
{
    if (curl_multi_add_handle(multi, curl) != CURLM_OK)
        return CURLE_OUT_OF_MEMORY;
    CURLcode result = CURLE_OK;
    int running = 1;
    while (running > 0) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_OUT_OF_MEMORY;
            break;
        }
        if (running > 0 && curl_multi_poll(multi, nullptr, 0, 50, nullptr) != CURLM_OK) {
            result = CURLE_OUT_OF_MEMORY;
            break;
        }
    }
    int left = 0;
    while (CURLMsg *message = curl_multi_info_read(multi, &left))
        if (message->msg == CURLMSG_DONE && message->easy_handle == curl)
            result = message->data.result;
    curl_multi_remove_handle(multi, curl);
    return result;
}

} // namespace

HttpSend::HttpSend()
{
    ensureCurlInitialised();
    handle_ = curl_easy_init();
    multi_ = curl_multi_init();
    if (handle_ == nullptr || multi_ == nullptr) {
        curl_easy_cleanup(static_cast<CURL *>(handle_));
        curl_multi_cleanup(static_cast<CURLM *>(multi_));
        throw ProgramError("Não foi possível criar o cliente HTTP (libcurl)");
    }
}

HttpSend::~HttpSend()
{
    curl_multi_cleanup(static_cast<CURLM *>(multi_));
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
    osErrorCode = 0;
    errorDetail.clear();
    failedStage = HttpStage::connecting;
}

void HttpSend::abort()
{
    abortedExchange_.store(exchange_.load() + 1);
    curl_multi_wakeup(static_cast<CURLM *>(multi_));
}

namespace {

// How far the exchange got before it failed, from libcurl's timers.
HttpStage stageReached(CURL *curl, std::size_t bodySize)
{
    curl_off_t startTransfer = 0;
    curl_off_t preTransfer = 0;
    curl_off_t uploaded = 0;
    curl_easy_getinfo(curl, CURLINFO_STARTTRANSFER_TIME_T, &startTransfer);
    curl_easy_getinfo(curl, CURLINFO_PRETRANSFER_TIME_T, &preTransfer);
    curl_easy_getinfo(curl, CURLINFO_SIZE_UPLOAD_T, &uploaded);
    if (startTransfer > 0)
        return HttpStage::receiving;
    if (preTransfer <= 0)
        return HttpStage::connecting;
    return static_cast<std::size_t>(uploaded) >= bodySize ? HttpStage::awaitingResponse : HttpStage::sending;
}

} // namespace

bool HttpSend::execute(std::string_view method, std::string_view url)
{
    // The number moves on when this exchange ends, however it ends.
    const std::uint64_t number = exchange_.load();
    struct NextExchange {
        std::atomic<std::uint64_t> &exchange;
        std::uint64_t next;
        ~NextExchange() { exchange.store(next); }
    } nextExchange{exchange_, number + 1};
    const auto abortedNow = [&] { return abortedExchange_.load() == number + 1; };

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
    curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_SESSIONID_CACHE, 0L);

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
    if (hostWithoutPort && !hasField(requestHeaders, "Host")) {
        const std::string host = hostOf(urlText);
        if (!host.empty())
            append(headers, "Host: " + host);
    }
    append(headers, "Expect:");
    // libcurl would label a body as a form otherwise.
    if (methodText != "GET" && methodText != "HEAD" && !hasField(requestHeaders, "Content-Type"))
        append(headers, "Content-Type:");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());

    // An empty proxy keeps libcurl from taking one from the environment.
    const std::string host(trimText(proxyHost));
    if (!host.empty() || !proxyFromEnvironment)
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
        if (!proxyBypass.empty())
            curl_easy_setopt(curl, CURLOPT_NOPROXY, proxyBypass.c_str());
    }

    if (connectTimeoutMs > 0)
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectTimeoutMs));
    Watch watch{&abortedExchange_, number + 1, idleTimeoutMs};
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &watch);

    if (tlsMinimum != TlsMinimum::platformDefault) {
        const long maximum = tlsExact ? curlTlsMaximum(tlsMinimum) : long{CURL_SSLVERSION_MAX_DEFAULT};
        curl_easy_setopt(curl, CURLOPT_SSLVERSION, curlTlsVersion(tlsMinimum) | maximum);
    }
    if (!verifyServer) {
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    }
    curl_blob pkcs12{const_cast<char *>(clientPkcs12.data()), clientPkcs12.size(), CURL_BLOB_NOCOPY};
    if (!clientPkcs12.empty()) {
        curl_easy_setopt(curl, CURLOPT_SSLCERT_BLOB, &pkcs12);
        curl_easy_setopt(curl, CURLOPT_SSLCERTTYPE, "P12");
        curl_easy_setopt(curl, CURLOPT_KEYPASSWD, clientPkcs12Password.c_str());
    }
    ContextSetup contextSetup{&tlsContextSetup, {}};
    curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, onSslContext);
    curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, &contextSetup);

    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);

    CURLcode result = abortedNow() ? CURLE_ABORTED_BY_CALLBACK : perform(static_cast<CURLM *>(multi_), curl);
    if (result == CURLE_OK) {
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        resultCode = static_cast<int>(status);
        return true;
    }

    long osErrno = 0;
    curl_easy_getinfo(curl, CURLINFO_OS_ERRNO, &osErrno);
    errorDetail = errorBuffer;
    if (watch.idleExpired) {
        result = CURLE_OPERATION_TIMEDOUT;
        errorDetail = "Nenhum dado trafegou em " + std::to_string(idleTimeoutMs) + " ms";
    } else if (abortedNow()) {
        result = CURLE_ABORTED_BY_CALLBACK;
        errorDetail = "Envio interrompido";
    } else if (!contextSetup.problem.empty()) {
        errorDetail = contextSetup.problem;
    } else if (long proxyStatus = 0;
               curl_easy_getinfo(curl, CURLINFO_HTTP_CONNECTCODE, &proxyStatus) == CURLE_OK &&
               (proxyStatus == 401 || proxyStatus == 407)) {
        errorDetail += " (o proxy recusou o usuário ou a senha)";
    } else if (tlsExact && (tlsMinimum == TlsMinimum::tls1_0 || tlsMinimum == TlsMinimum::tls1_1) &&
               (result == CURLE_SSL_CONNECT_ERROR || result == CURLE_SSL_CIPHER)) {
        errorDetail += " (o OpenSSL desta máquina recusa TLS 1.0 e 1.1 no seu nível de segurança padrão)";
    }
    resultCode = 0;
    resultString.clear();
    failedStage = stageReached(curl, methodText == "GET" || methodText == "HEAD" ? 0 : requestBody.size());
    socketErrorCode = static_cast<int>(result);
    socketErrorText = describeFailure(result, osErrno);
    osErrorCode = static_cast<int>(osErrno);
    if (errorDetail.empty())
        errorDetail = socketErrorText;
    return false;
}
