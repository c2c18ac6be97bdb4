#include "dfe/http/quib_win_req_resp.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "dfe/http/detail/win_inet_errors.h"
#include "dfe/http/quib_win_http_req_resp.h"
#include "dfe/http/quib_win_inet_req_resp.h"
#include "tests/support/http_test_server.h"
#include "tests/support/interrupt_on_request.h"
#include "tests/support/temp_dir.h"

using testsupport::HttpTestRequest;
using testsupport::HttpTestResponse;
using testsupport::HttpTestServer;

namespace {

// The message of the EQuibWinReqResp the call raises; fails the test when none.
template <typename Call> std::string engineErrorOf(Call call)
{
    try {
        call();
    } catch (const EQuibWinReqResp &error) {
        return error.what();
    }
    ADD_FAILURE() << "no EQuibWinReqResp";
    return {};
}

// ---- Header text -------------------------------------------------------------

struct HostCase {
    const char *url;
    const char *hostLine;
};

TEST(QuibWinReqRespHeader, TheHostLineLeavesOutOnlyTheSchemesOwnPort)
{
    // clang-format off
    const HostCase cases[] = {
        {"https://nfe.sefaz.rs.gov.br/ws/NfeStatusServico4.asmx", "Host: nfe.sefaz.rs.gov.br"},
        {"https://nfe.sefaz.rs.gov.br:443/ws",                    "Host: nfe.sefaz.rs.gov.br"},
        {"https://nfe.sefaz.rs.gov.br:8443/ws",                   "Host: nfe.sefaz.rs.gov.br:8443"},
        {"http://127.0.0.1:443/ws",                               "Host: 127.0.0.1:443"},
        {"http://127.0.0.1/ws",                                   "Host: 127.0.0.1"},
        {"https://127.0.0.1:80/ws",                               "Host: 127.0.0.1:80"},
    };
    // clang-format on
    for (const HostCase &c : cases) {
        TQuibWinHTTPReqResp engine;
        engine.SetURL(c.url);
        EXPECT_EQ(engine.HeaderText().substr(0, engine.HeaderText().find("\r\n")), c.hostLine) << c.url;
    }
}

struct ContentTypeCase {
    const char *mimeType;
    const char *charset;
    const char *contentType; // null: no Content-Type line
};

TEST(QuibWinReqRespHeader, ContentTypeCarriesOneCharsetAndTheActionItsQuotesDoubled)
{
    // clang-format off
    const ContentTypeCase cases[] = {
        {"application/soap+xml; charset=utf-8", "utf-8", "Content-Type: application/soap+xml; charset=utf-8"},
        {"application/soap+xml;Charset=ISO-8859-1", "utf-8", "Content-Type: application/soap+xml;Charset=ISO-8859-1"},
        {"text/xml",                            "utf-8", "Content-Type: text/xml; charset=utf-8"},
        {"text/xml",                            "",      "Content-Type: text/xml"},
        {"",                                    "utf-8", nullptr},
    };
    // clang-format on
    for (const ContentTypeCase &c : cases) {
        SCOPED_TRACE(c.mimeType);
        TQuibWinINetReqResp engine;
        engine.SetURL("https://h/ws");
        engine.MimeType = c.mimeType;
        engine.Charset = c.charset;
        engine.SOAPAction = "urn:a\"b\"";
        engine.RequestHeaders.add("Authorization: Bearer x");
        std::string expected = "Host: h\r\n";
        if (c.contentType != nullptr)
            expected += std::string(c.contentType) + "\r\n";
        if (*c.charset != '\0')
            expected += "Accept-Charset: " + std::string(c.charset) + "\r\n";
        expected += "SOAPAction: \"urn:a\"\"b\"\"\"\r\nAuthorization: Bearer x";
        EXPECT_EQ(engine.HeaderText(), expected);
    }
}

// ---- Error texts -------------------------------------------------------------

struct CodeCase {
    int curlCode;
    std::uint32_t winInetCode;
    const char *text;
};

TEST(QuibWinReqRespErrors, LibcurlFailuresMapToTheWinInetCodeAndItsText)
{
    // clang-format off
    const CodeCase cases[] = {
        {6,  12007, "Erro: 12007 - O nome do servidor não pode ser resolvido"},
        {7,  12029, "Erro: 12029 - Conexão com o Servidor falhou"},
        {28, 12002, "Erro: 12002 - TimeOut de Requisição"},
        {55, 12030, "Erro: 12030 - A conexão com o servidor foi redefinida ou encerrada, ou um protocolo SSL "
                    "incompatível foi encontrado"},
        {56, 12031, "Erro: 12031 - A conexão com o servidor foi redefinida"},
        {35, 12157, "Erro: 12157 - Erro relacionado ao Canal Seguro"},
        {58, 12185, "Erro: 12185 - O contexto para o certificado de cliente SSL não tem uma chave privada "
                    "associada a ele. O certificado de cliente pode ter sido importado para o computador sem "
                    "a chave privada"},
        {3,  12004, "Erro: 12004 - "},
    };
    // clang-format on
    TQuibWinHTTPReqResp engine;
    for (const CodeCase &c : cases) {
        EXPECT_EQ(codigoWinInetDaFalhaCurl(c.curlCode), c.winInetCode) << c.curlCode;
        EXPECT_EQ(engine.GetErrorText(c.winInetCode), c.text);
    }
    EXPECT_EQ(engine.GetErrorText(0), "");
    EXPECT_EQ(engine.GetErrorText(12186), "Erro: 12186 - Falha ao obter a Chave Privada do Certificado para "
                                          "comunicação segura");
}

// ---- Redirections ------------------------------------------------------------

// The redirecting targets and where they send; any other target answers
// with the method and the body it got.
HttpTestResponse redirector(const HttpTestRequest &request)
{
    // clang-format off
    static const std::map<std::string, std::pair<int, std::string>> redirects{
        {"/r301",     {301, "/final"}},
        {"/r302",     {302, "/final"}},
        {"/r303",     {303, "/final"}},
        {"/r307",     {307, "/final"}},
        {"/a/b/rel",  {302, "destino"}},
        {"/a/b/abs",  {302, "/x"}},
        {"/a/b/up",   {307, "../c?q=1"}},
    };
    // clang-format on
    const auto found = redirects.find(request.target);
    if (found == redirects.end())
        return HttpTestResponse::text(200, "OK", request.method + " " + request.body);
    return HttpTestResponse::redirect(found->second.first, found->second.second);
}

struct RedirectCase {
    const char *target;
    const char *answer;
    const char *finalTarget;
};

TEST(QuibWinReqRespRedirection, PostAfterARedirectionFollowsTheStatusRules)
{
    HttpTestServer server(redirector);
    // clang-format off
    const RedirectCase cases[] = {
        {"/r301",               "GET ",         "/final"},
        {"/r302",               "GET ",         "/final"},
        {"/r303",               "GET ",         "/final"},
        {"/r307",               "POST <envio>", "/final"},
        {"/a/b/rel",            "GET ",         "/a/b/destino"}, // relative to the folder
        {"/a/b/abs",            "GET ",         "/x"},           // absolute path, no doubled slash
        {"/a/b/up",             "POST <envio>", "/a/c?q=1"},
    };
    // clang-format on
    for (const RedirectCase &c : cases) {
        SCOPED_TRACE(c.target);
        server.clearRequests();
        TQuibWinHTTPReqResp engine;
        engine.SetURL(server.url(c.target));
        engine.SetMethod("post");
        engine.Data = "<envio>";
        std::string answer;
        engine.Execute(answer);
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(engine.HttpResultCode, 200);
        EXPECT_EQ(engine.RedirectionCount(), 1);
        EXPECT_EQ(server.requests().back().target, c.finalTarget);
    }
}

TEST(QuibWinReqRespRedirection, AnAbsoluteLocationMayNameAnotherServer)
{
    HttpTestServer target(redirector);
    HttpTestServer server(
        [&](const HttpTestRequest &) { return HttpTestResponse::redirect(302, target.url("/outro")); });
    TQuibWinINetReqResp engine;
    engine.SetURL(server.url("/ws"));
    std::string answer;
    engine.Execute(answer);
    EXPECT_EQ(answer, "GET ");
    EXPECT_EQ(target.requests().at(0).target, "/outro");
}

TEST(QuibWinReqRespRedirection, TheEleventhRedirectionIsNotFollowedAndItsStatusComesBack)
{
    HttpTestServer server([](const HttpTestRequest &request) {
        const int hop = std::stoi(request.target.substr(1));
        return HttpTestResponse::redirect(302, "/" + std::to_string(hop + 1));
    });
    TQuibWinHTTPReqResp engine;
    engine.SetURL(server.url("/0"));
    std::string answer;
    engine.Execute(answer);
    EXPECT_EQ(engine.HttpResultCode, 302);
    EXPECT_EQ(engine.RedirectionCount(), 10);
    EXPECT_EQ(server.requests().size(), 11u);
}

// ---- Failures ----------------------------------------------------------------

TEST(QuibWinReqRespFailures, EachFailureIsReportedAtItsStepWithItsCode)
{
    HttpTestServer closed(redirector);
    closed.stop();
    HttpTestServer silent([](const HttpTestRequest &) {
        HttpTestResponse response = HttpTestResponse::text(200, "OK", "tarde");
        response.delay = std::chrono::seconds(20);
        return response;
    });
    HttpTestServer cut([](const HttpTestRequest &) {
        HttpTestResponse response = HttpTestResponse::text(200, "OK", "metade");
        response.headers.emplace_back("Content-Length", "100");
        return response;
    });
    struct FailureCase {
        std::string url;
        std::string message;
        std::uint32_t code;
    };
    const FailureCase cases[] = {
        {closed.url("/ws"), "Falha Enviando a Requisição. Erro: 12029 - Conexão com o Servidor falhou",
         12029},
        {silent.url("/ws"), "Falha ao Receber Resposta. Erro: 12002 - TimeOut de Requisição", 12002},
        {cut.url("/ws"),
         "Falha ao Ler Dados da Resposta. Erro: 12031 - A conexão com o servidor foi redefinida", 12031},
    };
    for (const FailureCase &c : cases) {
        SCOPED_TRACE(c.url);
        TQuibWinHTTPReqResp engine;
        engine.SetURL(c.url);
        engine.TimeOut = 400;
        std::string answer;
        EXPECT_EQ(engineErrorOf([&] { engine.Execute(answer); }), c.message);
        EXPECT_EQ(engine.LastErrorCode, c.code);
        EXPECT_FALSE(engine.IsSessionOpen());
    }
}

TEST(QuibWinReqRespFailures, AbortEndsTheRunningExchangeAndNoLaterOne)
{
    HttpTestServer silent([](const HttpTestRequest &) {
        HttpTestResponse response = HttpTestResponse::text(200, "OK", "tarde");
        response.delay = std::chrono::seconds(20);
        return response;
    });
    HttpTestServer quick(redirector);
    TQuibWinINetReqResp engine;
    engine.TimeOut = 30000;
    engine.SetURL(silent.url("/ws"));
    std::string answer;
    {
        testsupport::InterruptOnRequest aborter(silent, [&] { engine.Abort(); });
        EXPECT_EQ(engineErrorOf([&] { engine.Execute(answer); }), "Conexão foi abortada");
        EXPECT_TRUE(aborter.endedPromptly());
    }

    engine.SetURL(quick.url("/ws"));
    engine.Execute(answer);
    EXPECT_EQ(answer, "GET ");

    // An abort between exchanges ends the next one, before it connects.
    engine.Abort();
    EXPECT_EQ(engineErrorOf([&] { engine.Execute(answer); }), "Conexão foi abortada");
    EXPECT_EQ(quick.connections(), 1);
    engine.Execute(answer);
    EXPECT_EQ(answer, "GET ");
}

// ---- Trace -------------------------------------------------------------------

TEST(QuibWinReqRespTrace, TheTraceFileGetsEveryStepWithItsTime)
{
    HttpTestServer server(redirector);
    testsupport::TempDir folder;
    TQuibWinHTTPReqResp engine;
    engine.LogFile = (folder.path() / "trace.log").string();
    engine.SetURL(server.url("/r302"));
    engine.SetMethod("POST");
    engine.Data = "<envio>";
    std::string answer;
    engine.Execute(answer);

    std::ifstream in(engine.LogFile, std::ios::binary);
    const std::string trace{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string port = std::to_string(server.port());
    for (const std::string step :
         {"OpenSession, URL: " + server.url("/r302") + ", Proxy: ", std::string("  CheckProxyParams: "),
          "OpenConnection, Port: " + port + ", Host: 127.0.0.1",
          std::string("OpenRequest, Method: POST, URI: /r302, UseSSL: False"),
          std::string("  SetConnectionSSL, UseSSL: False"), std::string("Send"),
          "  SetHeaderReq:\r\nHost: 127.0.0.1:" + port, std::string("  SendData: 7 bytes\r\n<envio>"),
          std::string("Receive"), std::string("  ReceiveResponse"),
          std::string("  ReadData, BufferSize: 32768"), std::string("AdjustForRedirection - 1"),
          std::string("  Location: /final"),
          std::string("OpenRequest, Method: GET, URI: /final, UseSSL: False"),
          std::string("  Response Data: 4 bytes\r\nGET ")}) {
        const std::regex line("(^|\r\n)[0-9]{2}:[0-9]{2}:[0-9]{2}:[0-9]{3} - " +
                              std::regex_replace(step, std::regex(R"([.?*+^$()\[\]{}|\\])"), R"(\$&)"));
        EXPECT_TRUE(std::regex_search(trace, line)) << step;
    }
}

} // namespace
