#include "dfe/http/quib_win_req_resp.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "dfe/http/detail/install_tls_credential.h"
#include "dfe/http/detail/win_inet_errors.h"
#include "foundation/dates/date_time.h"
#include "foundation/files/file_utils.h"
#include "foundation/net/url_reference.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

namespace {

constexpr int kMaxRedirections = 10;
constexpr int kReadBufferSize = 32768;

std::string_view boolText(bool value)
{
    return value ? "True" : "False";
}

// The number a text reads as; 0 when it is not one.
int numberOf(std::string_view text)
{
    text = trimText(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : 0;
}

// "text/xml; charset=utf-8" names a charset; "text/xml" does not.
bool namesCharset(std::string_view mimeType)
{
    const std::string lower = lowerAscii(mimeType);
    std::size_t at = lower.find(';');
    while (at != std::string::npos) {
        const std::size_t next = lower.find(';', at + 1);
        const std::string_view parameter = trimText(
            std::string_view(lower).substr(at + 1, next == std::string::npos ? next : next - at - 1));
        if (parameter.starts_with("charset"))
            return true;
        at = next;
    }
    return false;
}

std::string doubledQuotes(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out;
}

} // namespace

EQuibWinReqResp::EQuibWinReqResp(std::string_view mensagem) : EQuibException(TextoNativo(mensagem)) {}

TQuibWinReqResp::TQuibWinReqResp() = default;

TQuibWinReqResp::~TQuibWinReqResp() = default;

void TQuibWinReqResp::SetMethod(std::string_view value)
{
    method_ = upperAscii(value);
}

void TQuibWinReqResp::SetURL(std::string_view value)
{
    if (value == url_)
        return;
    url_ = value;
    protocol_.clear();
    host_.clear();
    port_.clear();
    std::string_view rest = value;
    const std::size_t fragment = rest.find('#');
    if (fragment != std::string_view::npos)
        rest = rest.substr(0, fragment);
    const std::size_t scheme = rest.find("://");
    if (scheme != std::string_view::npos) {
        protocol_ = lowerAscii(rest.substr(0, scheme));
        rest.remove_prefix(scheme + 3);
    } else {
        protocol_ = "http";
        if (rest.starts_with("//"))
            rest.remove_prefix(2);
    }
    const std::size_t pathStart = std::min(rest.find('/'), rest.find('?'));
    std::string_view authority = rest.substr(0, pathStart);
    uri_ = pathStart == std::string_view::npos ? "/" : std::string(rest.substr(pathStart));
    if (uri_.starts_with("?"))
        uri_ = "/" + uri_;
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos)
        authority.remove_prefix(at + 1); // user and password are not used
    const std::size_t bracket = authority.rfind(']');
    const std::size_t colon = authority.rfind(':');
    if (colon != std::string_view::npos && (bracket == std::string_view::npos || colon > bracket)) {
        host_ = authority.substr(0, colon);
        port_ = authority.substr(colon + 1);
    } else {
        host_ = authority;
    }
    if (port_.empty())
        port_ = protocol_ == "https" ? "443" : "80";
}

void TQuibWinReqResp::Clear()
{
    CertContext.reset();
    RequestHeaders.clear();
    ResponseHeaders.clear();
    redirections_ = 0;
    LastErrorCode = 0;
    HttpResultCode = 0;
    EncodeDataToUTF8 = false;
    method_ = "GET";
    SOAPAction.clear();
    MimeType = "text/html";
    Charset = "utf-8";
    Data.clear();
    SSLType = LT_all;
    TimeOut = 10000;
}

bool TQuibWinReqResp::UseSSL() const
{
    return upperAscii(protocol_) == "HTTPS";
}

int TQuibWinReqResp::ConnectionPort() const
{
    const int port = numberOf(port_) & 0xFFFF;
    if (port != 0)
        return port;
    return UseSSL() ? 443 : 80;
}

std::string TQuibWinReqResp::ProxyText() const
{
    const int port = numberOf(ProxyPort);
    return port != 0 ? ProxyHost + ":" + std::string(trimText(ProxyPort)) : ProxyHost;
}

std::string TQuibWinReqResp::HeaderText() const
{
    THttpHeader header;
    std::string host = "Host: " + host_;
    const bool portLeftOut = (UseSSL() && port_ == "443") || (!UseSSL() && port_ == "80");
    if (!portLeftOut)
        host += ":" + port_;
    header.add(host);
    if (!MimeType.empty()) {
        std::string type = MimeType;
        if (!Charset.empty() && !namesCharset(MimeType))
            type += "; charset=" + Charset;
        header.GravaCampo("Content-Type", type);
    }
    if (!Charset.empty())
        header.GravaCampo("Accept-Charset", Charset);
    if (!SOAPAction.empty())
        header.GravaCampo("SOAPAction", "\"" + doubledQuotes(SOAPAction) + "\"");
    std::string text;
    for (int i = 0; i < header.count(); ++i)
        text += (i == 0 ? "" : "\r\n") + header.line(i);
    for (int i = 0; i < RequestHeaders.count(); ++i)
        text += "\r\n" + RequestHeaders.line(i);
    return text;
}

// ---- Steps -------------------------------------------------------------------

int TQuibWinReqResp::GetHttpResultCode()
{
    return session_ != nullptr ? session_->resultCode : 0;
}

bool TQuibWinReqResp::IsSessionOpen()
{
    return session_ != nullptr;
}

void TQuibWinReqResp::Reset()
{
    CloseHandles();
    failureDetail_.clear();
    ResponseHeaders.clear();
    redirections_ = 0;
}

bool TQuibWinReqResp::DoOpenSession()
{
    return true;
}

bool TQuibWinReqResp::DoOpenConnection()
{
    checkAborted();
    return true;
}

bool TQuibWinReqResp::DoOpenRequest()
{
    checkAborted();
    return true;
}

bool TQuibWinReqResp::SetHeaderReq()
{
    trace("  SetHeaderReq:\r\n" + HeaderText());
    return requestOpen_;
}

bool TQuibWinReqResp::SendData(const std::string &body)
{
    trace("  SendData: " + std::to_string(body.size()) + " bytes\r\n" + body);
    return requestOpen_;
}

bool TQuibWinReqResp::ReceiveResponse()
{
    trace("  ReceiveResponse");
    checkAborted();
    if (!requestOpen_)
        return false;
    if (pendingFailure_ != 0 && pendingStage_ == HttpStage::awaitingResponse)
        return fail(pendingFailure_);
    return true;
}

int TQuibWinReqResp::ReadData(char *buffer, int size)
{
    trace("  ReadData, BufferSize: " + std::to_string(size));
    checkAborted();
    if (!requestOpen_)
        return -1;
    if (pendingFailure_ != 0) {
        fail(pendingFailure_);
        return -1;
    }
    const std::string &body = session_->responseBody;
    const std::size_t count =
        std::min(body.size() - readOffset_, static_cast<std::size_t>(std::max(size, 0)));
    std::copy_n(body.data() + readOffset_, count, buffer);
    readOffset_ += count;
    trace("  BytesRead: " + std::to_string(count));
    return static_cast<int>(count);
}

bool TQuibWinReqResp::SetConnectionTimeOut()
{
    trace("  SetConnectionTimeOut " + std::to_string(TimeOut));
    if (!IsSessionOpen())
        return false;
    if (TimeOut > 0) {
        session_->connectTimeoutMs = TimeOut;
        session_->idleTimeoutMs = TimeOut;
    }
    return true;
}

bool TQuibWinReqResp::SetConnectionSSL()
{
    trace("  SetConnectionSSL, UseSSL: " + std::string(boolText(UseSSL())));
    return IsSessionOpen();
}

bool TQuibWinReqResp::SetConnectionCertificate()
{
    trace("  SetConnectionCertificate, UseSSL: " + std::string(boolText(UseSSL())));
    if (!requestOpen_)
        return false;
    session_->tlsContextSetup = UseSSL() && CertContext ? installTlsCredential(CertContext) : nullptr;
    return true;
}

bool TQuibWinReqResp::SetConnectionSecurityFlags()
{
    trace("  SetConnectionSecurityFlags, UseSSL: " + std::string(boolText(UseSSL())));
    return requestOpen_;
}

bool TQuibWinReqResp::SetProxyUser()
{
    trace("  SetProxyUser, User: " + ProxyUser);
    if (!requestOpen_)
        return false;
    if (!trimText(ProxyUser).empty()) {
        session_->proxyUser = ProxyUser;
        if (!trimText(ProxyPass).empty())
            session_->proxyPass = ProxyPass;
    }
    return true;
}

void TQuibWinReqResp::CloseHandles()
{
    requestOpen_ = false;
    connectionOpen_ = false;
    std::lock_guard lock(abortMutex_);
    session_.reset();
}

std::string TQuibWinReqResp::GetErrorText(std::uint32_t code)
{
    std::string text(trimText(textoCodigoWinInet(code)));
    text = TextoNativo(text);
    if (code != 0)
        text = std::to_string(code) + " - " + text;
    if (!text.empty())
        text = "Erro: " + text;
    return text;
}

void TQuibWinReqResp::Abort()
{
    std::shared_ptr<HttpSend> running;
    {
        std::lock_guard lock(abortMutex_);
        abortedExchange_ = exchange_ + 1;
        running = session_;
    }
    if (running)
        running->abort();
}

// ---- The exchange ------------------------------------------------------------

void TQuibWinReqResp::Execute(std::string &resposta)
{
    struct NextExchange {
        TQuibWinReqResp &engine;
        ~NextExchange()
        {
            engine.CloseHandles();
            std::lock_guard lock(engine.abortMutex_);
            ++engine.exchange_;
        }
    } nextExchange{*this};

    Reset();
    resposta.clear();
    openSessionStep();
    while (true) {
        openConnectionStep();
        openRequestStep();
        sendStep();
        receiveStep(resposta);
        LastErrorCode = 0;
        HttpResultCode = GetHttpResultCode();
        const bool redirection =
            HttpResultCode == 301 || HttpResultCode == 302 || HttpResultCode == 303 || HttpResultCode == 307;
        if (!redirection || redirections_ >= kMaxRedirections)
            break;
        adjustForRedirection();
        requestOpen_ = false;
        connectionOpen_ = false;
    }
}

void TQuibWinReqResp::openSessionStep()
{
    trace("OpenSession, URL: " + url_ + ", Proxy: " + ProxyText());
    checkProxyParams();
    if (!DoOpenSession())
        raiseStep("Falha abrindo Sessão HTTP. %s");
    if (!SetConnectionTimeOut())
        raiseStep("Falha ajustando Timeout da Conexão. %s");
    if (!SetConnectionSSL())
        raiseStep("Falha ajustando SSL. %s");
}

void TQuibWinReqResp::openConnectionStep()
{
    trace("OpenConnection, Port: " + std::to_string(ConnectionPort()) + ", Host: " + host_);
    if (!DoOpenConnection())
        raiseStep("Falha abrindo Conexão HTTP. %s");
    connectionOpen_ = true;
}

void TQuibWinReqResp::openRequestStep()
{
    trace("OpenRequest, Method: " + method_ + ", URI: " + uri_ +
          ", UseSSL: " + std::string(boolText(UseSSL())));
    if (!DoOpenRequest())
        raiseStep("Falha abrindo Requisição HTTP. %s");
    requestOpen_ = true;
    pendingFailure_ = 0;
    readOffset_ = 0;
    failureDetail_.clear();
    if (!SetConnectionCertificate())
        raiseStep("Falha ajustando certificado na Conexão. %s");
    if (!SetConnectionSecurityFlags())
        raiseStep("Falha ajustando parâmetros de segurança na Conexão. %s");
    if (!SetProxyUser())
        raiseStep("Falha ajustando Usuário no Proxy. %s");
}

void TQuibWinReqResp::sendStep()
{
    trace("Send");
    if (!SetHeaderReq())
        raiseStep("Falha ajustando o Cabeçalho da Requisição. %s");
    const std::string body = EncodeDataToUTF8 ? AnsiParaUTF8(Data) : Data;
    if (!SendData(body))
        raiseStep("Falha Enviando a Requisição. %s");
    RequestHeaders.clear();
}

void TQuibWinReqResp::receiveStep(std::string &resposta)
{
    trace("Receive");
    if (!ReceiveResponse())
        raiseStep("Falha ao Receber Resposta. %s");
    const std::string headers = ResponseHeaders.text();
    trace("  Response Header: " + std::to_string(headers.size()) + " bytes\r\n" + headers);
    resposta.clear();
    std::string buffer(kReadBufferSize, '\0');
    while (true) {
        const int read = ReadData(buffer.data(), kReadBufferSize);
        if (read < 0)
            raiseStep("Falha ao Ler Dados da Resposta. %s");
        if (read == 0)
            break;
        resposta.append(buffer.data(), static_cast<std::size_t>(read));
    }
    trace("  Response Data: " + std::to_string(resposta.size()) + " bytes\r\n" + resposta);
}

void TQuibWinReqResp::adjustForRedirection()
{
    ++redirections_;
    trace("AdjustForRedirection - " + std::to_string(redirections_));
    std::string location = ResponseHeaders.ValorDoCampo("Location:");
    location = std::string(trimText(location.substr(0, location.find(';'))));
    trace("  Location: " + location);
    const bool absolute = location.starts_with("//") || location.starts_with("www.") ||
                          location.find("://") != std::string::npos;
    // "www.host/path" names a host; every other location is resolved
    // against the current URL (one with a scheme stands alone).
    SetURL(absolute && location.starts_with("www.") ? location : resolveUrlReference(url_, location));
    RequestHeaders.clear();
    ResponseHeaders.clear();
    if (method_ != "GET" &&
        (HttpResultCode == 303 || ((HttpResultCode == 301 || HttpResultCode == 302) && method_ == "POST")))
        method_ = "GET";
    // A request repeated as it was (307) keeps its body and its type.
    if (method_ == "GET") {
        Data.clear();
        MimeType = "text/html";
    }
}

void TQuibWinReqResp::checkProxyParams()
{
    if (trimText(ProxyHost).empty()) {
        // The platform's proxy setting is the environment here, which libcurl
        // reads itself (no_proxy included).
        const char *environment = std::getenv(UseSSL() ? "https_proxy" : "http_proxy");
        trace("  FindIEProxy: " + std::string(environment != nullptr ? environment : ""));
    }
    trace("  CheckProxyParams: " + ProxyText());
}

// ---- Helpers of the engines --------------------------------------------------

bool TQuibWinReqResp::openSession(std::string_view userAgent, std::string_view proxyBypass)
{
    auto http = std::make_shared<HttpSend>();
    http->requestHeaders.add("User-Agent: " + std::string(userAgent));
    http->verifyServer = false;
    const std::string host(trimText(ProxyHost));
    if (host.empty()) {
        http->proxyFromEnvironment = true;
    } else {
        http->proxyHost = host;
        if (numberOf(ProxyPort) != 0)
            http->proxyPort = std::string(trimText(ProxyPort));
        http->proxyBypass = proxyBypass;
    }
    std::lock_guard lock(abortMutex_);
    session_ = std::move(http);
    return true;
}

bool TQuibWinReqResp::transmit(const std::string &headerText, const std::string &body)
{
    checkAborted();
    HttpSend &http = *session_;
    const std::string userAgent = http.requestHeaders.line(0);
    http.requestHeaders.clear();
    http.requestHeaders.add(userAgent);
    THttpHeader lines;
    lines.setText(headerText);
    for (int i = 0; i < lines.count(); ++i)
        http.requestHeaders.add(lines.line(i));
    http.requestBody = method_ == "GET" || method_ == "HEAD" ? std::string() : body;
    const std::string target = protocol_ + "://" + host_ + ":" + std::to_string(ConnectionPort()) + uri_;
    if (http.execute(method_, target)) {
        ResponseHeaders = http.responseHeaders;
        return true;
    }
    if (http.socketErrorCode == 42 && abortedNow()) // ended by Abort
        checkAborted();
    const std::uint32_t code = codigoWinInetDaFalhaCurl(http.socketErrorCode);
    // libcurl's account goes along where the code alone does not say enough.
    failureDetail_ =
        code == kWinInetErroInterno || code == kWinInetCertificadoCliente ? http.errorDetail : std::string();
    ResponseHeaders = http.responseHeaders;
    if (http.failedStage == HttpStage::connecting || http.failedStage == HttpStage::sending)
        return fail(code);
    pendingFailure_ = code;
    pendingStage_ = http.failedStage;
    return true;
}

bool TQuibWinReqResp::abortedNow() const
{
    std::lock_guard lock(abortMutex_);
    return abortedExchange_ == exchange_ + 1;
}

void TQuibWinReqResp::checkAborted() const
{
    if (abortedNow())
        throw EQuibWinReqResp("Conexão foi abortada");
}

bool TQuibWinReqResp::fail(std::uint32_t code, std::string detail)
{
    failureDetail_ = std::move(detail);
    return fail(code);
}

bool TQuibWinReqResp::fail(std::uint32_t code)
{
    LastErrorCode = code;
    HttpResultCode = GetHttpResultCode();
    return false;
}

void TQuibWinReqResp::trace(std::string_view text) const
{
    if (LogFile.empty())
        return;
    GravaLinhaLog(LogFile, DataHoraFormatoBR(nowLocal(), "hh:nn:ss:zzz") + " - " + std::string(text), false);
}

void TQuibWinReqResp::raiseStep(std::string_view format)
{
    checkAborted();
    std::string text(format);
    std::string reason = GetErrorText(LastErrorCode);
    if (!failureDetail_.empty())
        reason += (reason.empty() ? "" : " (") + failureDetail_ + (reason.empty() ? "" : ")");
    text.replace(text.find("%s"), 2, reason);
    throw EQuibWinReqResp(text);
}
