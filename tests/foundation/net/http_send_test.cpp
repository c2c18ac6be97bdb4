#include "foundation/net/http_send.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <openssl/ssl.h>

#include "tests/support/http_test_server.h"
#include "tests/support/interrupt_on_request.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/tinyproxy_fixture.h"
#include "tests/support/tls_test_stream.h"

using testsupport::clientCertificateTestStreams;
using testsupport::HttpTestRequest;
using testsupport::HttpTestResponse;
using testsupport::HttpTestServer;
using testsupport::readFile;

namespace {

HttpTestResponse echo(const HttpTestRequest &request)
{
    return HttpTestResponse::text(200, "OK", request.method + " " + request.body);
}

HttpTestResponse silent(const HttpTestRequest &)
{
    HttpTestResponse response = HttpTestResponse::text(200, "OK", "tarde demais");
    response.delay = std::chrono::seconds(20);
    return response;
}

// A client that presents the e-CNPJ and does not check the test server.
void presentECnpj(HttpSend &http)
{
    http.verifyServer = false;
    http.clientPkcs12 = readFile(testPki().ecnpj.pfxAes);
    http.clientPkcs12Password = testPki().ecnpj.password;
}

TlsContextSetup certificateFromPem(const TestCert &cert)
{
    return [&cert](ssl_ctx_st *context) -> std::string {
        if (SSL_CTX_use_certificate_file(context, cert.certPem.c_str(), SSL_FILETYPE_PEM) != 1 ||
            SSL_CTX_use_PrivateKey_file(context, cert.keyPem.c_str(), SSL_FILETYPE_PEM) != 1)
            return "credencial ilegível";
        return {};
    };
}

// ---- Client certificate ------------------------------------------------------

struct CredentialCase {
    const char *name;
    std::function<void(HttpSend &)> setUp;
    const char *subjectSeen; // null: the exchange fails
    int errorCode;           // when it fails
    const char *detailPart;  // when it fails
};

TEST(HttpSendClientCertificate, TheServerSeesTheCertificateGivenOrRefusesTheHandshake)
{
    const TestPki &pki = testPki();
    const CredentialCase cases[] = {
        {"PKCS#12 bytes", presentECnpj, "CN=EMPRESA TESTE LTDA:11222333000181", 0, ""},
        {"credential installed in the context",
         [&](HttpSend &http) { http.tlsContextSetup = certificateFromPem(pki.ecpf); },
         "CN=FULANO DE TAL DA SILVA", 0, ""},
        {"no certificate", [](HttpSend &) {}, nullptr, 0, ""},
        {"certificate of a foreign authority",
         [&](HttpSend &http) {
             http.clientPkcs12 = readFile(pki.foreignClient.pfxAes);
             http.clientPkcs12Password = pki.foreignClient.password;
         },
         nullptr, 0, ""},
        {"wrong PKCS#12 password",
         [&](HttpSend &http) {
             presentECnpj(http);
             http.clientPkcs12Password = "errada";
         },
         nullptr, 58, "PKCS12"},
        {"a credential that cannot be installed",
         [](HttpSend &http) { http.tlsContextSetup = [](ssl_ctx_st *) { return std::string("sem chave"); }; },
         nullptr, 58, "sem chave"},
    };
    HttpTestServer server(echo, clientCertificateTestStreams(), "https");
    for (const CredentialCase &c : cases) {
        SCOPED_TRACE(c.name);
        server.clearRequests();
        HttpSend http;
        http.verifyServer = false;
        c.setUp(http);
        const bool done = http.execute("GET", server.url("/status"));
        if (c.subjectSeen != nullptr) {
            ASSERT_TRUE(done) << http.errorDetail;
            ASSERT_EQ(server.requests().size(), 1u);
            EXPECT_TRUE(server.requests()[0].clientSubject.starts_with(c.subjectSeen))
                << server.requests()[0].clientSubject;
            continue;
        }
        EXPECT_FALSE(done);
        EXPECT_TRUE(server.requests().empty());
        EXPECT_EQ(http.resultCode, 0);
        EXPECT_NE(http.socketErrorCode, 0);
        if (c.errorCode != 0) {
            EXPECT_EQ(http.socketErrorCode, c.errorCode) << http.errorDetail;
        }
        EXPECT_NE(http.errorDetail.find(c.detailPart), std::string::npos) << http.errorDetail;
    }
}

TEST(HttpSendClientCertificate, EveryExchangeOpensAFreshConnectionAndHandshake)
{
    HttpTestServer server(echo, clientCertificateTestStreams(), "https");
    HttpSend http;
    presentECnpj(http);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(http.execute("POST", server.url("/ws"))) << http.errorDetail;
    EXPECT_EQ(server.connections(), 3);
    EXPECT_EQ(server.requests().size(), 3u);
}

// ---- TLS versions and server verification -----------------------------------

struct VersionCase {
    int serverOnly; // 0: the server offers every version
    TlsMinimum client;
    bool exact;
    const char *negotiated; // null: the handshake fails
};

TEST(HttpSendTls, AnExactVersionIsTheOnlyOneOfferedAndAMinimumNegotiatesUpwards)
{
    // clang-format off
    const VersionCase cases[] = {
        {TLS1_3_VERSION, TlsMinimum::tls1_2,          true,  nullptr},
        {TLS1_3_VERSION, TlsMinimum::tls1_2,          false, "TLSv1.3"},
        {TLS1_3_VERSION, TlsMinimum::platformDefault, false, "TLSv1.3"},
        {TLS1_3_VERSION, TlsMinimum::tls1_3,          true,  "TLSv1.3"},
        {TLS1_2_VERSION, TlsMinimum::tls1_3,          true,  nullptr},
        {0,              TlsMinimum::tls1_2,          true,  "TLSv1.2"},
    };
    // clang-format on
    for (const VersionCase &c : cases) {
        SCOPED_TRACE(std::to_string(c.serverOnly) + " / " + std::to_string(static_cast<int>(c.client)));
        HttpTestServer server(echo, clientCertificateTestStreams(c.serverOnly), "https");
        HttpSend http;
        presentECnpj(http);
        http.tlsMinimum = c.client;
        http.tlsExact = c.exact;
        const bool done = http.execute("GET", server.url("/"));
        if (c.negotiated == nullptr) {
            EXPECT_FALSE(done);
            EXPECT_TRUE(server.requests().empty());
            continue;
        }
        ASSERT_TRUE(done) << http.errorDetail;
        EXPECT_EQ(server.requests().at(0).tlsVersion, c.negotiated);
    }
}

TEST(HttpSendTls, APinnedOldVersionThatTheMachineRefusesSaysSo)
{
    HttpTestServer server(echo, clientCertificateTestStreams(), "https");
    for (TlsMinimum old : {TlsMinimum::tls1_0, TlsMinimum::tls1_1}) {
        HttpSend http;
        presentECnpj(http);
        http.tlsMinimum = old;
        http.tlsExact = true;
        if (http.execute("GET", server.url("/")))
            GTEST_SKIP() << "this machine's OpenSSL still speaks TLS 1.0/1.1";
        EXPECT_NE(http.errorDetail.find("recusa TLS 1.0 e 1.1"), std::string::npos) << http.errorDetail;
    }
}

TEST(HttpSendTls, TheServerCertificateIsCheckedUnlessSwitchedOff)
{
    HttpTestServer server(echo, clientCertificateTestStreams(), "https");
    HttpSend http;
    presentECnpj(http);
    http.verifyServer = true;
    EXPECT_FALSE(http.execute("GET", server.url("/")));
    EXPECT_EQ(http.socketErrorCode, 60) << http.errorDetail; // peer certificate not trusted
    http.verifyServer = false;
    EXPECT_TRUE(http.execute("GET", server.url("/"))) << http.errorDetail;
}

// ---- Request form ------------------------------------------------------------

TEST(HttpSendRequest, ALargeBodyGoesAsHttp11WithoutWaitingForContinue)
{
    HttpTestServer server(echo, clientCertificateTestStreams(), "https");
    HttpSend http;
    presentECnpj(http);
    // Above 1 MiB, where libcurl would otherwise ask for "100-continue".
    http.requestBody = std::string(1536 * 1024, 'x');
    ASSERT_TRUE(http.execute("POST", server.url("/ws"))) << http.errorDetail;
    const HttpTestRequest request = server.requests().at(0);
    EXPECT_EQ(request.version, "HTTP/1.1");
    // Without "Expect: 100-continue" the client has nothing to wait for: the
    // body follows the headers at once. (The clock cannot tell this apart
    // from a slow handshake on a loaded machine.)
    EXPECT_FALSE(request.hasHeader("Expect"));
    EXPECT_EQ(request.body.size(), 1536u * 1024u);
}

TEST(HttpSendRequest, TheHostLineCanLeaveThePortOut)
{
    HttpTestServer server(echo);
    HttpSend http;
    ASSERT_TRUE(http.execute("GET", server.url("/")));
    http.hostWithoutPort = true;
    ASSERT_TRUE(http.execute("GET", server.url("/")));
    EXPECT_EQ(server.requests().at(0).header("Host"), "127.0.0.1:" + std::to_string(server.port()));
    EXPECT_EQ(server.requests().at(1).header("Host"), "127.0.0.1");
}

// ---- Time-out and abort ------------------------------------------------------

TEST(HttpSendWaits, ASilentServerEndsInTheIdleTimeOut)
{
    HttpTestServer server(silent, clientCertificateTestStreams(), "https");
    HttpSend http;
    presentECnpj(http);
    http.idleTimeoutMs = 300;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(http.execute("POST", server.url("/ws")));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(300));
    // The handshake comes first and is slow on a loaded machine; the bound
    // only has to stay well under the 20 s the server holds its answer.
    EXPECT_LT(took, std::chrono::seconds(5));
    EXPECT_EQ(http.socketErrorCode, 28);
    EXPECT_TRUE(http.socketErrorText.starts_with("Timeout was reached")) << http.socketErrorText;
}

TEST(HttpSendWaits, AnAbortFromAnotherThreadEndsTheRunningExchangeOnly)
{
    HttpTestServer server(silent, clientCertificateTestStreams(), "https");
    HttpTestServer quick(echo, clientCertificateTestStreams(), "https");
    HttpSend http;
    presentECnpj(http);
    {
        testsupport::InterruptOnRequest aborter(server, [&] { http.abort(); });
        EXPECT_FALSE(http.execute("POST", server.url("/ws")));
        EXPECT_TRUE(aborter.endedPromptly());
    }
    EXPECT_EQ(http.socketErrorCode, 42);
    EXPECT_EQ(http.errorDetail, "Envio interrompido");

    http.requestBody = "depois";
    EXPECT_TRUE(http.execute("POST", quick.url("/ws")));
    EXPECT_EQ(http.responseBody, "POST depois");
}

TEST(HttpSendWaits, AnAbortBetweenExchangesEndsTheNextOneAndNoOther)
{
    HttpTestServer quick(echo, clientCertificateTestStreams(), "https");
    HttpSend http;
    presentECnpj(http);
    http.abort();
    EXPECT_FALSE(http.execute("POST", quick.url("/ws")));
    EXPECT_EQ(http.socketErrorCode, 42);
    EXPECT_EQ(quick.connections(), 0);
    EXPECT_TRUE(http.execute("POST", quick.url("/ws")));
    EXPECT_EQ(http.resultCode, 200);
}

TEST(HttpSendWaits, AFailureTellsHowFarTheExchangeGot)
{
    HttpTestServer silentServer(silent);
    HttpTestServer cutServer([](const HttpTestRequest &) {
        HttpTestResponse response = HttpTestResponse::text(200, "OK", "metade");
        response.headers.emplace_back("Content-Length", "100");
        return response;
    });
    HttpTestServer closed(echo);
    closed.stop();
    struct StageCase {
        const char *name;
        std::string url;
        HttpStage stage;
    };
    const StageCase cases[] = {
        {"refused connection", closed.url("/ws"), HttpStage::connecting},
        {"silent server", silentServer.url("/ws"), HttpStage::awaitingResponse},
        {"body cut short", cutServer.url("/ws"), HttpStage::receiving},
    };
    for (const StageCase &c : cases) {
        SCOPED_TRACE(c.name);
        HttpSend http;
        http.idleTimeoutMs = 300;
        http.requestBody = "<x/>";
        EXPECT_FALSE(http.execute("POST", c.url));
        EXPECT_EQ(http.failedStage, c.stage);
    }
}

// ---- Proxy -------------------------------------------------------------------

// tinyproxy answers 407 to a request without credentials and 401 to wrong ones.
TEST(HttpSendProxy, AnAuthenticatingProxyCarriesTheTunnelAndRefusesWhatItDoesNotKnow)
{
    if (!testsupport::TinyproxyFixture::available())
        GTEST_SKIP() << "tinyproxy is not installed";
    testsupport::TinyproxyFixture proxy("quib", "s3nha");
    HttpTestServer server(echo, clientCertificateTestStreams(), "https");
    HttpSend http;
    presentECnpj(http);
    http.proxyHost = "127.0.0.1";
    http.proxyPort = std::to_string(proxy.port());
    http.proxyUser = "quib";
    http.proxyPass = "s3nha";
    ASSERT_TRUE(http.execute("GET", server.url("/via-proxy"))) << http.errorDetail << proxy.log();
    EXPECT_EQ(server.countRequests("/via-proxy"), 1);
    EXPECT_NE(proxy.log().find("CONNECT"), std::string::npos);

    struct Refusal {
        const char *user;
        const char *password;
        const char *status;
    };
    for (const Refusal &refusal : {Refusal{"", "", "407"}, Refusal{"quib", "errada", "401"}}) {
        http.proxyUser = refusal.user;
        http.proxyPass = refusal.password;
        EXPECT_FALSE(http.execute("GET", server.url("/via-proxy")));
        EXPECT_NE(http.errorDetail.find(refusal.status), std::string::npos) << http.errorDetail;
        EXPECT_NE(http.errorDetail.find("o proxy recusou o usuário ou a senha"), std::string::npos);
    }
    EXPECT_EQ(server.countRequests("/via-proxy"), 1);
}

TEST(HttpSendProxy, TheEnvironmentsProxyIsUsedOnlyWhenAskedFor)
{
    std::string deadProxy;
    {
        HttpTestServer closed(echo);
        deadProxy = closed.baseUrl();
    }
    HttpTestServer server(echo);
    ::setenv("http_proxy", deadProxy.c_str(), 1);
    HttpSend http;
    EXPECT_TRUE(http.execute("GET", server.url("/direto"))) << http.errorDetail;
    http.proxyFromEnvironment = true;
    EXPECT_FALSE(http.execute("GET", server.url("/direto")));
    EXPECT_EQ(http.socketErrorCode, 7) << http.errorDetail; // could not connect (to the proxy)
    ::unsetenv("http_proxy");
    EXPECT_EQ(server.countRequests("/direto"), 1);
}

} // namespace
