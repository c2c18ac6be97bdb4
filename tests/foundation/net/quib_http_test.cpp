#include "foundation/net/quib_http.h"

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/base/busy_cursor.h"
#include "tests/support/http_test_server.h"

using testsupport::HttpTestRequest;
using testsupport::HttpTestResponse;
using testsupport::HttpTestServer;

namespace {

// The message of the EQuibHTTPError the call raises; fails the test when none.
template <typename Call> std::string httpErrorOf(Call call)
{
    try {
        call();
    } catch (const EQuibHTTPError &error) {
        return error.what();
    }
    ADD_FAILURE() << "no EQuibHTTPError";
    return {};
}

HttpTestResponse ok(std::string body)
{
    return HttpTestResponse::text(200, "OK", std::move(body));
}

// ---- Redirects -------------------------------------------------------------

struct RedirectCase {
    int status;
    const char *method;
    const char *followedWith;
    bool bodyKept;
};

TEST(QuibHTTPRedirects, MethodAndBodyFollowTheStatus)
{
    const RedirectCase cases[] = {
        {301, "POST", "GET", false}, {302, "POST", "GET", false}, {303, "POST", "GET", false},
        {307, "POST", "POST", true}, {308, "POST", "POST", true}, {301, "GET", "GET", false},
        {302, "PUT", "PUT", true},   {303, "PUT", "GET", false},
    };
    for (const RedirectCase &c : cases) {
        SCOPED_TRACE(std::to_string(c.status) + " after " + c.method);
        HttpTestServer server([&](const HttpTestRequest &request) {
            if (request.target == "/form")
                return HttpTestResponse::redirect(c.status, "/landing");
            return ok("landed");
        });
        TQuibHTTP http;
        http.HTTPSend().requestHeaders.add("X-Caller: kept");
        http.HTTPSend().requestBody = "campo=valor";
        http.ExecutarMetodo(c.method, server.url("/form"));

        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[1].target, "/landing");
        EXPECT_EQ(requests[1].method, c.followedWith);
        EXPECT_EQ(requests[1].body, c.bodyKept ? "campo=valor" : "");
        EXPECT_EQ(requests[1].header("X-Caller"), "kept");
        EXPECT_EQ(http.URL(), server.url("/landing"));
        EXPECT_EQ(http.RespostaHTTP(), std::vector<std::string>{"landed"});
    }
}

TEST(QuibHTTPRedirects, LocationsAreResolvedAgainstTheCurrentAddress)
{
    HttpTestServer *self = nullptr;
    struct Case {
        const char *start;
        std::string location;
        const char *landing;
    };
    std::vector<Case> cases = {
        {"/dir/index", "page.html", "/dir/page.html"},
        {"/a/b/c", "/x", "/x"},
        {"/d/b/c", "../d?q=1", "/d/d?q=1"},
        {"/e/b/c", "/y;jsessionid=77", "/y"},
        {"/f/b/c", "  /spaced  ", "/spaced"},
        {"/g/b/c", "//HOST/net", "/net"},
        {"/h/b/c", "http://HOST/full", "/full"},
    };
    HttpTestServer server([&](const HttpTestRequest &request) {
        for (const Case &c : cases) {
            if (request.target == c.start) {
                std::string location = c.location;
                const std::string host = "127.0.0.1:" + std::to_string(self->port());
                if (auto at = location.find("HOST"); at != std::string::npos)
                    location.replace(at, 4, host);
                return HttpTestResponse::redirect(302, location);
            }
        }
        return ok(request.target);
    });
    self = &server;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.location);
        TQuibHTTP http;
        http.ExecutarGet(server.url(c.start));
        EXPECT_EQ(http.URL(), server.url(c.landing));
        EXPECT_EQ(http.RespostaHTTP(), std::vector<std::string>{c.landing});
    }
}

// Credentials given for one server never reach another one; within the same
// server they are sent again.
TEST(QuibHTTPRedirects, CredentialsStayWithTheirOrigin)
{
    HttpTestServer other([](const HttpTestRequest &) { return ok("other"); });
    HttpTestServer *self = nullptr;
    HttpTestServer first([&](const HttpTestRequest &request) {
        if (request.target == "/same")
            return HttpTestResponse::redirect(302, self->url("/landing"));
        if (request.target == "/port")
            return HttpTestResponse::redirect(302, other.url("/landing"));
        if (request.target == "/host")
            return HttpTestResponse::redirect(302, "http://localhost:" + std::to_string(self->port()) +
                                                       "/landing");
        return ok("landed");
    });
    self = &first;
    struct Case {
        const char *path;
        HttpTestServer *landsOn;
        bool credentialsSent;
    };
    const Case cases[] = {{"/same", &first, true}, {"/port", &other, false}, {"/host", &first, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        first.clearRequests();
        other.clearRequests();
        TQuibHTTP http;
        http.HTTPSend().requestHeaders.add("Authorization: Basic dXNlcjpzZW5oYQ==");
        http.HTTPSend().requestHeaders.add("Cookie: sessao=123");
        http.HTTPSend().requestHeaders.add("X-Caller: kept");
        http.ExecutarMetodo("GET", first.url(c.path));
        const auto landing = c.landsOn->requests().back();
        EXPECT_EQ(landing.target, "/landing");
        EXPECT_EQ(landing.hasHeader("Authorization"), c.credentialsSent);
        EXPECT_EQ(landing.hasHeader("Cookie"), c.credentialsSent);
        EXPECT_EQ(landing.header("X-Caller"), "kept");
    }
}

TEST(QuibHTTPRedirects, ElevenAreFollowedAndTheTwelfthFails)
{
    // /hop/N redirects to /hop/N+1 until N reaches the last hop, which answers.
    int lastHop = 0;
    HttpTestServer server([&](const HttpTestRequest &request) {
        const int hop = std::stoi(request.target.substr(5));
        if (hop < lastHop)
            return HttpTestResponse::redirect(302, "/hop/" + std::to_string(hop + 1));
        return ok("fim");
    });

    lastHop = 11;
    TQuibHTTP http;
    http.ExecutarGet(server.url("/hop/0"));
    EXPECT_EQ(http.URL(), server.url("/hop/11"));

    server.clearRequests();
    lastHop = 12;
    const std::string message = httpErrorOf([&] { http.ExecutarGet(server.url("/hop/0")); });
    EXPECT_TRUE(message.starts_with("Erro HTTP: 302 Redirect\r\n")) << message;
    EXPECT_EQ(server.requests().size(), 12u);
}

TEST(QuibHTTPRedirects, ARedirectWithoutLocationIsTheFinalAnswer)
{
    HttpTestServer server([](const HttpTestRequest &) { return HttpTestResponse::text(302, "Found", ""); });
    TQuibHTTP http;
    const std::string message = httpErrorOf([&] { http.ExecutarGet(server.url("/nowhere")); });
    EXPECT_TRUE(message.starts_with("Erro HTTP: 302 Found\r\n")) << message;
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(QuibHTTP, URLEhAbsoluta)
{
    EXPECT_TRUE(TQuibHTTP::URLEhAbsoluta("//host/x"));
    EXPECT_TRUE(TQuibHTTP::URLEhAbsoluta("HTTPS://host"));
    EXPECT_TRUE(TQuibHTTP::URLEhAbsoluta("ftp://host"));
    EXPECT_TRUE(TQuibHTTP::URLEhAbsoluta("www.host/x"));
    EXPECT_FALSE(TQuibHTTP::URLEhAbsoluta("WWW.host/x"));
    EXPECT_FALSE(TQuibHTTP::URLEhAbsoluta("/x"));
    EXPECT_FALSE(TQuibHTTP::URLEhAbsoluta("page.html"));
    EXPECT_FALSE(TQuibHTTP::URLEhAbsoluta("http:/one-slash"));
}

// ---- Errors --------------------------------------------------------------------

TEST(QuibHTTPErrors, AnErrorStatusGivesTheFixedMessageWithTheCallersURL)
{
    const std::string longLine(170, 'x');
    HttpTestServer server([&](const HttpTestRequest &) {
        return HttpTestResponse::text(404, "Not Found", "Página não existe\r\n" + longLine,
                                      "text/plain; charset=utf-8");
    });
    TQuibHTTP http;
    http.OnAntesAbrirHTTP = [&](std::string &url) { url = server.url("/rewritten"); };
    const std::string message = httpErrorOf([&] { http.ExecutarGet("http://caller.invalid/asked"); });
    EXPECT_EQ(message, "Erro HTTP: 404 Not Found\r\n"
                       "Socket Error: 0 \r\n"
                       "URL: http://caller.invalid/asked\r\n"
                       "\r\n"
                       "Resposta HTTP:\r\n"
                       "Página não existe\r\n" +
                           std::string(80, 'x') + "\r\n" + std::string(80, 'x') + "\r\n" +
                           std::string(10, 'x'));
    EXPECT_EQ(http.URL(), server.url("/rewritten"));
    EXPECT_EQ(http.RespostaHTTP().size(), 2u) << "the body stays readable after the error";
}

TEST(QuibHTTPErrors, TheResponseShownIsCutAtTwentyLines)
{
    std::string body;
    for (int i = 1; i <= 30; ++i)
        body += "linha " + std::to_string(i) + "\n";
    HttpTestServer server([&](const HttpTestRequest &) { return HttpTestResponse::text(500, "Erro", body); });
    TQuibHTTP http;
    const std::string message = httpErrorOf([&] { http.ExecutarGet(server.url("/")); });
    EXPECT_TRUE(message.ends_with("Resposta HTTP:\r\nlinha 1\r\nlinha 2\r\n") == false);
    EXPECT_TRUE(message.ends_with("\r\nlinha 19\r\nlinha 20")) << message;
    EXPECT_EQ(message.find("linha 21"), std::string::npos);
}

TEST(QuibHTTPErrors, ARefusedConnectionGivesStatusZeroAndTheSocketError)
{
    std::string url;
    {
        HttpTestServer server([](const HttpTestRequest &) { return ok(""); });
        url = server.url("/closed");
        server.stop();
    }
    TQuibHTTP http;
    const std::string message = httpErrorOf([&] { http.ExecutarGet(url); });
    EXPECT_EQ(message, "Erro HTTP: 0 \r\n"
                       "Socket Error: 7 Couldn't connect to server (Connection refused)\r\n"
                       "URL: " +
                           url +
                           "\r\n"
                           "\r\n"
                           "Resposta HTTP:\r\n");
}

TEST(QuibHTTPErrors, TheTimeOutEndsAWaitThatTheClientsOwnLimitsWouldAllow)
{
    HttpTestServer server([](const HttpTestRequest &request) {
        HttpTestResponse response = ok("tarde");
        response.delay = std::chrono::milliseconds(request.target == "/slow" ? 1500 : 8000);
        return response;
    });
    TQuibHTTP http;
    http.TimeOut = 0;
    http.ExecutarGet(server.url("/slow"));
    EXPECT_EQ(http.RespostaHTTP(), std::vector<std::string>{"tarde"});

    http.TimeOut = 500;
    const std::string message = httpErrorOf([&] { http.ExecutarGet(server.url("/stalled")); });
    EXPECT_TRUE(message.starts_with("Erro HTTP: 0 \r\nSocket Error: 28 Timeout was reached")) << message;
}

// ---- Decoding ------------------------------------------------------------------

struct DecodeCase {
    const char *name;
    const char *headerName;
    const char *contentType;
    std::string body;
    bool isUtf8;
    std::string expected;
};

TEST(QuibHTTPDecoding, TheBodyIsReadAsUtf8WhenTheHeadersOrTheDocumentSaySo)
{
    const std::string utf8 = "ação";
    const std::string cp1252 = "a\xE7\xE3o";
    const std::string misread = "aÃ§Ã£o"; // UTF-8 bytes read as Windows-1252
    const DecodeCase cases[] = {
        {"charset in the header", "Content-Type", "text/plain; charset=UTF-8", utf8, false, utf8},
        {"header name in lower case", "content-type", "text/plain; charset=utf-8", utf8, false, utf8},
        {"no charset", "Content-Type", "text/plain", utf8, false, misread},
        {"no charset, IsUTF8", "Content-Type", "text/plain", utf8, true, utf8},
        {"utf-8 with a stray Windows-1252 byte", "Content-Type", "text/plain; charset=utf-8",
         utf8 + " \x93x\x94", false, utf8 + " “x”"},
        {"Windows-1252 body", "Content-Type", "text/plain", cp1252, false, utf8},
        {"html head declares utf-8", "Content-Type", "text/html",
         "<html><head><meta charset=\"UTF-8\"></head><body>" + utf8 + "</body></html>", false,
         "<html><head><meta charset=\"UTF-8\"></head><body>" + utf8 + "</body></html>"},
        {"html charset outside the head", "Content-Type", "text/html",
         "<html><head></head><body charset=\"utf-8\">" + utf8 + "</body></html>", false,
         "<html><head></head><body charset=\"utf-8\">" + misread + "</body></html>"},
        {"xhtml declaration", "Content-Type", "application/xhtml+xml",
         "<?xml version=\"1.0\" encoding=\"utf-8\"?><p>" + utf8 + "</p>", false,
         "<?xml version=\"1.0\" encoding=\"utf-8\"?><p>" + utf8 + "</p>"},
    };
    for (const DecodeCase &c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server([&](const HttpTestRequest &) {
            HttpTestResponse response = ok(c.body);
            response.headers = {{c.headerName, c.contentType}};
            return response;
        });
        TQuibHTTP http;
        http.IsUTF8 = c.isUtf8;
        http.ExecutarGet(server.url("/"));
        EXPECT_EQ(http.RespostaTexto(), c.expected + "\r\n");
        EXPECT_EQ(server.requests().at(0).header("Accept-Charset"), c.isUtf8 ? "utf-8;q=*;q=0.7" : "");
    }
}

TEST(QuibHTTPDecoding, ParseTextDecodesEntitiesAndTheBodyIsSplitIntoLines)
{
    HttpTestServer server([](const HttpTestRequest &) {
        return HttpTestResponse::text(200, "OK", "&lt;b&gt;Jos&eacute;&lt;/b&gt;\r\nsegunda\nterceira\r\n",
                                      "text/plain; charset=utf-8");
    });
    TQuibHTTP http;
    http.ExecutarGet(server.url("/"));
    EXPECT_EQ(http.RespostaHTTP(),
              (std::vector<std::string>{"&lt;b&gt;Jos&eacute;&lt;/b&gt;", "segunda", "terceira"}));
    http.ParseText = true;
    http.ExecutarGet(server.url("/"));
    EXPECT_EQ(http.RespostaHTTP(), (std::vector<std::string>{"<b>José</b>", "segunda", "terceira"}));
}

TEST(QuibHTTPDecoding, ResponseHeaderLookupIgnoresCaseAndSkipsEmptyValues)
{
    HttpTestServer server([](const HttpTestRequest &) {
        HttpTestResponse response = ok("");
        response.headers = {{"x-token", ""}, {"X-TOKEN", " abc "}, {"X-Tokenizer", "no"}};
        return response;
    });
    TQuibHTTP http;
    http.ExecutarGet(server.url("/"));
    EXPECT_EQ(http.ValorCabecalhoResposta("X-Token:"), "abc");
    EXPECT_EQ(http.ValorCabecalhoResposta("X-Missing:"), "");
}

// ---- Requests ------------------------------------------------------------------

TEST(QuibHTTPRequests, PostTextAndGetClearWhatTheCallerLeftInTheClient)
{
    HttpTestServer server([](const HttpTestRequest &request) {
        return HttpTestResponse::text(200, "OK", request.method + " " + request.body,
                                      "text/plain; charset=utf-8");
    });
    TQuibHTTP http;
    http.HTTPSend().requestHeaders.add("X-Old: 1");
    http.ExecutarPostTexto(server.url("/post"), "<xml>ção</xml>");
    EXPECT_EQ(http.RespostaHTTP(), std::vector<std::string>{"POST <xml>ção</xml>"});

    http.ExecutarGet(server.url("/get"));
    EXPECT_EQ(http.RespostaHTTP(), std::vector<std::string>{"GET "});

    const auto requests = server.requests();
    EXPECT_FALSE(requests[0].hasHeader("X-Old"));
    EXPECT_FALSE(requests[0].hasHeader("Expect"));
    EXPECT_EQ(requests[1].body, "");
}

TEST(QuibHTTPRequests, TheHookMayChangeTheAddress)
{
    HttpTestServer server([](const HttpTestRequest &request) { return ok(request.target); });
    TQuibHTTP http;
    http.OnAntesAbrirHTTP = [&](std::string &url) { url += "?hooked=1"; };
    http.ExecutarGet(server.url("/page"));
    EXPECT_EQ(http.RespostaHTTP(), std::vector<std::string>{"/page?hooked=1"});
    EXPECT_EQ(http.URL(), server.url("/page?hooked=1"));
}

TEST(QuibHTTPRequests, TheBusyCursorComesBackAlsoAfterAFailure)
{
    std::vector<bool> calls;
    setBusyCursorHandler([&](bool busy) { calls.push_back(busy); });
    HttpTestServer server([](const HttpTestRequest &request) {
        return request.target == "/ok" ? ok("") : HttpTestResponse::text(500, "Erro", "");
    });
    TQuibHTTP http;
    http.ExecutarGet(server.url("/ok"));
    httpErrorOf([&] { http.ExecutarGet(server.url("/fail")); });
    setBusyCursorHandler({});
    EXPECT_EQ(calls, (std::vector<bool>{true, false, true, false}));
}

} // namespace
