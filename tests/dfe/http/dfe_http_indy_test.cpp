#include "dfe/http/dfe_http_indy.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/dfe/http/transport_peers.h"
#include "tests/support/http_test_server.h"
#include "tests/support/interrupt_on_request.h"
#include "tests/support/test_pki.h"
#include "tests/support/tinyproxy_fixture.h"
#include "tests/support/tls_test_stream.h"

using testsupport::clientCertificateTestStreams;
using testsupport::HttpTestRequest;
using testsupport::HttpTestResponse;
using testsupport::HttpTestServer;
using transporttest::dfeErrorOf;
using transporttest::kEnvelope;
using transporttest::soapAnswer;

namespace {

class DFeHttpIndy : public ::testing::Test {
  protected:
    std::unique_ptr<TDFeSSL> ssl = transporttest::facadeWithECnpj(httpIndy);
    TDFeHttpIndy &backEnd() { return dynamic_cast<TDFeHttpIndy &>(ssl->SSLHttpClass()); }
};

TEST_F(DFeHttpIndy, ThePostCarriesTheCertificateTheActionAndTheForcedContentType)
{
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(), "https");
    const std::string answer = ssl->Transmitir(kEnvelope, server.url("/ws"), "urn:nfeStatus", "", "", true);
    EXPECT_EQ(answer, "<retorno>" + std::to_string(kEnvelope.size()) + "</retorno>");
    EXPECT_EQ(ssl->HTTPResultCode(), 200);
    const HttpTestRequest request = server.requests().at(0);
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.body, kEnvelope);
    EXPECT_EQ(request.header("Content-Type"), "application/soap+xml; charset=utf-8");
    EXPECT_EQ(request.header("SOAPAction"), "\"urn:nfeStatus\"");
    EXPECT_TRUE(request.clientSubject.starts_with("CN=EMPRESA TESTE LTDA:11222333000181"))
        << request.clientSubject;
}

struct ProxyTextCase {
    const char *host;
    const char *port;
    const char *proxyText;
};

TEST_F(DFeHttpIndy, TheProxyTextIsHostColonPortAndStaysUntilAnotherReplacesIt)
{
    // clang-format off
    const ProxyTextCase cases[] = {
        {"",                    "3128", ""},
        {"127.0.0.1",           "3128", "127.0.0.1:3128"},
        {"proxy.empresa.local", "",     "proxy.empresa.local:"}, // the proxy's default port
        {"",                    "",     "proxy.empresa.local:"}, // an empty host leaves it
    };
    // clang-format on
    for (const ProxyTextCase &c : cases) {
        ssl->ProxyHost = c.host;
        ssl->ProxyPort = c.port;
        backEnd().ConfigurarConexao();
        EXPECT_EQ(backEnd().ClienteSOAP()->Proxy, c.proxyText) << c.host << " " << c.port;
    }
}

TEST_F(DFeHttpIndy, TinyproxyCarriesTheExchangeWithTheProxyCredentials)
{
    if (!testsupport::TinyproxyFixture::available())
        GTEST_SKIP() << "tinyproxy is not installed";
    testsupport::TinyproxyFixture proxy("quib", "s3nha");
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(), "https");
    transporttest::useProxy(*ssl, proxy.port(), "quib", "s3nha");
    EXPECT_NO_THROW(ssl->Transmitir(kEnvelope, server.url("/ws"), "a"));
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_NE(proxy.log().find("CONNECT"), std::string::npos);
}

TEST_F(DFeHttpIndy, AFaultWithStatus500FailsTheStatusRuleWithItsBody)
{
    const std::string fault = "<soap:Fault><soap:Reason>servidor</soap:Reason></soap:Fault>";
    HttpTestServer server([&](const HttpTestRequest &) { return HttpTestResponse::text(500, "Erro", fault); },
                          clientCertificateTestStreams(), "https");
    const std::string url = server.url("/ws");
    EXPECT_EQ(dfeErrorOf([&] { ssl->Transmitir(kEnvelope, url, "a"); }),
              "Erro Interno: 0\r\nErro HTTP: 500\r\nURL: " + url + "\r\n\r\n" + fault);
    EXPECT_EQ(ssl->Transmitir(kEnvelope, url, "a", "", "", false), fault);
    EXPECT_EQ(ssl->HTTPResultCode(), 500);
}

TEST_F(DFeHttpIndy, WithoutUseCertificateHttpNoCertificateIsOffered)
{
    const TestPki &pki = testPki();
    HttpTestServer open(
        soapAnswer, testsupport::tlsTestStreams({pki.server.certPem, pki.server.keyPem, "", ""}), "https");
    HttpTestServer demanding(soapAnswer, clientCertificateTestStreams(), "https");
    ssl->UseCertificateHTTP = false;
    EXPECT_NO_THROW(ssl->Transmitir(kEnvelope, open.url("/ws"), "a"));
    EXPECT_EQ(open.requests().at(0).clientSubject, "");
    EXPECT_FALSE(dfeErrorOf([&] { ssl->Transmitir(kEnvelope, demanding.url("/ws"), "a"); }).empty());
    EXPECT_TRUE(demanding.requests().empty());
}

TEST_F(DFeHttpIndy, APlainTextOrHtmlContentTypeIsRefusedBeforeAnyTraffic)
{
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(), "https");
    for (const char *type : {"text/plain", "text/html; charset=utf-8"}) {
        TDFeHttpIndy &http = backEnd();
        http.DadosEnvio = kEnvelope;
        http.MimeType = type;
        const std::string message = dfeErrorOf([&] { http.ExecutarRequisicao("POST", server.url("/ws")); });
        EXPECT_TRUE(message.starts_with("O tipo de conteúdo \"text/")) << message;
        EXPECT_TRUE(message.ends_with("\" não serve para uma requisição SOAP")) << message;
    }
    EXPECT_EQ(server.connections(), 0);
}

TEST_F(DFeHttpIndy, InterromperEndsTheRunningRequestAndGivesAFreshClient)
{
    HttpTestServer quiet(transporttest::silent, clientCertificateTestStreams(), "https");
    HttpTestServer quick(soapAnswer, clientCertificateTestStreams(), "https");
    ssl->TimeOut = 30000;
    const std::shared_ptr<THTTPReqResp> before = backEnd().ClienteSOAP();
    {
        testsupport::InterruptOnRequest interrupter(quiet, [&] { ssl->SSLHttpClass().Interromper(); });
        dfeErrorOf([&] { ssl->Transmitir(kEnvelope, quiet.url("/ws"), "a"); });
        EXPECT_TRUE(interrupter.endedPromptly());
    }
    EXPECT_NE(backEnd().ClienteSOAP(), before);
    EXPECT_NO_THROW(ssl->Transmitir(kEnvelope, quick.url("/ws"), "a"));

    // One between requests ends the next one, before it connects, and no
    // other; it too leaves a fresh client.
    const std::shared_ptr<THTTPReqResp> between = backEnd().ClienteSOAP();
    ssl->SSLHttpClass().Interromper();
    EXPECT_NE(backEnd().ClienteSOAP(), between);
    dfeErrorOf([&] { ssl->Transmitir(kEnvelope, quick.url("/ws"), "a"); });
    EXPECT_EQ(quick.connections(), 1);
    EXPECT_NO_THROW(ssl->Transmitir(kEnvelope, quick.url("/ws"), "a"));
}

} // namespace
