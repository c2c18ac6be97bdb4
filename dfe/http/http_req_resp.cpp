#include "dfe/http/http_req_resp.h"

#include <algorithm>

#include "foundation/fiscal/dfe_exception.h"
#include "foundation/text/text_utils.h"

int THTTPReqResp::Execute(const std::string &requisicao, std::string &resposta)
{
    StatusCode = 0;
    SystemErrorCode = 0;
    ResponseHeaders.clear();
    http_.clear();

    const std::size_t colon = Proxy.rfind(':');
    http_.proxyHost = Proxy.substr(0, colon);
    http_.proxyPort = colon == std::string::npos ? std::string() : Proxy.substr(colon + 1);
    http_.proxyUser = http_.proxyHost.empty() ? std::string() : UserName;
    http_.proxyPass = http_.proxyHost.empty() ? std::string() : Password;
    http_.proxyFromEnvironment = false;
    http_.connectTimeoutMs = ConnectTimeout;
    http_.idleTimeoutMs = std::max(SendTimeout, ReceiveTimeout);
    http_.verifyServer = true;
    http_.tlsContextSetup = nullptr;

    http_.requestHeaders.add("SOAPAction: \"" + SoapAction + "\"");
    std::string tipo = ContentType;
    if (UseUTF8InHeader && lowerAscii(tipo).find("charset") == std::string::npos)
        tipo += "; charset=utf-8";
    http_.requestHeaders.GravaCampo("Content-Type", tipo);
    http_.requestBody = requisicao;

    if (OnBeforePost)
        OnBeforePost(*this, http_);
    CheckContentType();

    const bool respondeu = http_.execute(requisicao.empty() ? "GET" : "POST", URL);
    SystemErrorCode = http_.osErrorCode;
    if (!respondeu)
        throw EQuibDFeException::CreateSemConversao("Falha na requisição a " + URL + ": " +
                                                    http_.errorDetail);
    StatusCode = http_.resultCode;
    ResponseHeaders = http_.responseHeaders;
    resposta = http_.responseBody;
    return StatusCode;
}

void THTTPReqResp::Abort()
{
    http_.abort();
}

void THTTPReqResp::CheckContentType() const
{
    const std::string tipo(trimText(lowerAscii(ContentType.substr(0, ContentType.find(';')))));
    if (tipo == "text/plain" || tipo == "text/html")
        throw EQuibDFeException::CreateSemConversao("O tipo de conteúdo \"" + tipo +
                                                    "\" não serve para uma requisição SOAP");
}
