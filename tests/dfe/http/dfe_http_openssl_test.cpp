#include "dfe/http/dfe_http_openssl.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <regex>
#include <string>

#include <gtest/gtest.h>
#include <openssl/crypto.h>
#include <openssl/ssl.h>

#include "dfe/backends.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/dfe/http/transport_peers.h"
#include "tests/support/http_test_server.h"
#include "tests/support/interrupt_on_request.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/tinyproxy_fixture.h"
#include "tests/support/tls_test_stream.h"

using testsupport::clientCertificateTestStreams;
using testsupport::HttpTestRequest;
using testsupport::HttpTestResponse;
using testsupport::HttpTestServer;
using testsupport::readFile;
using transporttest::dfeErrorOf;
using transporttest::kEnvelope;
using transporttest::silent;
using transporttest::soapAnswer;

namespace {

// The facade as a fiscal component sets it up: OpenSSL certificate back-end
// and transport, the e-CNPJ's PFX as certificate.
class DFeHttpOpenSSL : public ::testing::Test {
  protected:
    DFeHttpOpenSSL()
    {
        RegistraBackendsDFe();
        usePfx(testPki().ecnpj);
        ssl->SetSSLHttpLib(httpOpenSSL);
    }

    void usePfx(const TestCert &cert)
    {
        ssl->SetSSLCryptLib(cryOpenSSL);
        ssl->SetDadosPFX(readFile(cert.pfxAes));
        ssl->SetSenha(cert.password);
    }

    std::unique_ptr<TDFeSSL> ssl = std::make_unique<TDFeSSL>();
};

// "Erro Interno: <n>\r\nErro HTTP: <status>\r\nURL: <url>\r\n<reason>\r\n<body>"
void expectTransportError(const std::string &message, const std::string &url, int status = 0)
{
    const std::regex form("Erro Interno: [0-9]+\r\nErro HTTP: " + std::to_string(status) + "\r\nURL: " +
                          std::regex_replace(url, std::regex(R"([.?*+^$()\[\]{}|\\])"), R"(\$&)") +
                          "\r\n[^\r\n]+\r\n(.|\r|\n)*");
    EXPECT_TRUE(std::regex_match(message, form)) << message;
}

// ---- Request form ------------------------------------------------------------

struct ActionCase {
    const char *soapAction;
    const char *mimeType;
    const char *headerSeen; // null: no SOAPAction header
    const char *contentType;
};

TEST_F(DFeHttpOpenSSL, ASoapPostCarriesTheCertificateAndTheHeadersOfTheTransport)
{
    // clang-format off
    const ActionCase cases[] = {
        {"http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4/nfeStatusServicoNF",
         "", "\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4/nfeStatusServicoNF\"",
         "application/soap+xml; charset=utf-8"},
        {"", "text/xml; charset=utf-8", nullptr, "text/xml; charset=utf-8"},
    };
    // clang-format on
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(), "https");
    for (const ActionCase &c : cases) {
        SCOPED_TRACE(c.soapAction);
        server.clearRequests();
        const std::string answer = ssl->Transmitir(kEnvelope, server.url("/ws/NFeStatusServico4.asmx"),
                                                   c.soapAction, c.mimeType, "Bearer abc", true);
        EXPECT_EQ(answer, "<retorno>" + std::to_string(kEnvelope.size()) + "</retorno>");
        EXPECT_EQ(ssl->HTTPResultCode(), 200);
        const HttpTestRequest request = server.requests().at(0);
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.version, "HTTP/1.1");
        EXPECT_EQ(request.tlsVersion, "TLSv1.2");
        EXPECT_TRUE(request.clientSubject.starts_with("CN=EMPRESA TESTE LTDA:11222333000181"))
            << request.clientSubject;
        EXPECT_EQ(request.body, kEnvelope);
        EXPECT_EQ(request.header("User-Agent"), "Synapse OpenSSL Quib/1.0");
        EXPECT_EQ(request.header("Content-Type"), c.contentType);
        EXPECT_EQ(request.header("Host"), "127.0.0.1");
        EXPECT_FALSE(request.hasHeader("Expect"));
        EXPECT_EQ(request.hasHeader("SOAPAction"), c.headerSeen != nullptr);
        if (c.headerSeen != nullptr) {
            EXPECT_EQ(request.header("SOAPAction"), c.headerSeen);
            // The action line comes before the caller's lines.
            const auto position = [&](std::string_view name) {
                return std::find_if(request.headers.begin(), request.headers.end(),
                                    [&](const auto &h) { return h.first == name; }) -
                       request.headers.begin();
            };
            EXPECT_EQ(position("SOAPAction") + 1, position("Authorization"));
        }
    }
}

TEST_F(DFeHttpOpenSSL, ALegacyPfxServesAsClientCertificateToo)
{
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(), "https");
    ssl->SetDadosPFX(readFile(testPki().ecnpj.pfxRc2));
    EXPECT_NO_THROW(ssl->Transmitir(kEnvelope, server.url("/ws"), "a"));
    EXPECT_TRUE(server.requests().at(0).clientSubject.starts_with("CN=EMPRESA TESTE LTDA"));
}

TEST_F(DFeHttpOpenSSL, AGetCarriesNoBody)
{
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(), "https");
    EXPECT_EQ(ssl->Transmitir("", server.url("/wsdl"), "", "", "", true), "<retorno>0</retorno>");
    const HttpTestRequest request = server.requests().at(0);
    EXPECT_EQ(request.method, "GET");
    EXPECT_TRUE(request.body.empty());
    EXPECT_FALSE(request.hasHeader("Content-Length"));
}

TEST_F(DFeHttpOpenSSL, TheAnswerIsWhatCurlGetsForTheSameRequest)
{
    if (!testsupport::hasProgram("curl"))
        GTEST_SKIP() << "curl is not installed";
    HttpTestServer server(
        [](const HttpTestRequest &request) {
            return HttpTestResponse::text(
                200, "OK", "<r a=\"" + request.header("SOAPAction") + "\">" + request.body + "</r>\r\nfim");
        },
        clientCertificateTestStreams(), "https");
    const std::string url = server.url("/ws");
    const std::string ours = ssl->Transmitir(kEnvelope, url, "urn:acao");
    testsupport::TempDir folder;
    const auto body = folder.write("envelope.xml", kEnvelope);
    const TestCert &cert = testPki().ecnpj;
    const auto curl = testsupport::runCommand(
        {"curl", "-s", "-k", "--cert-type", "P12", "--cert", cert.pfxAes + ":" + cert.password, "-H",
         "Content-Type: application/soap+xml; charset=utf-8", "-H", "SOAPAction: \"urn:acao\"",
         "--data-binary", "@" + body.string(), url});
    ASSERT_EQ(curl.exitCode, 0) << curl.err;
    EXPECT_EQ(ours, curl.out);
}

// ---- Refused handshakes ------------------------------------------------------

TEST_F(DFeHttpOpenSSL, WithoutTheCertificateOrWithAForeignOneTheHandshakeIsRefused)
{
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(), "https");
    const std::string url = server.url("/ws");

    ssl->UseCertificateHTTP = false;
    expectTransportError(dfeErrorOf([&] { ssl->Transmitir(kEnvelope, url, "a"); }), url);
    EXPECT_NE(ssl->InternalErrorCode(), 0);

    ssl->UseCertificateHTTP = true;
    usePfx(testPki().foreignClient);
    expectTransportError(dfeErrorOf([&] { ssl->Transmitir(kEnvelope, url, "a"); }), url);
    EXPECT_TRUE(server.requests().empty());
}

// ---- TLS versions ------------------------------------------------------------

struct VersionCase {
    TSSLType type;
    bool succeeds;
};

TEST_F(DFeHttpOpenSSL, AServerOfferingOnlyTls13IsReachedByLtAllAndLtTlsv13Only)
{
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(TLS1_3_VERSION), "https");
    for (const VersionCase c : {VersionCase{LT_TLSv1_2, false}, VersionCase{LT_all, true},
                                VersionCase{LT_TLSv1_3, true}, VersionCase{LT_SSHv2, true}}) {
        SCOPED_TRACE(EnumValueName(c.type));
        ssl->SSLType = c.type;
        if (c.succeeds) {
            EXPECT_NO_THROW(ssl->Transmitir(kEnvelope, server.url("/ws"), "a"));
            EXPECT_EQ(server.requests().back().tlsVersion, "TLSv1.3");
        } else {
            expectTransportError(dfeErrorOf([&] { ssl->Transmitir(kEnvelope, server.url("/ws"), "a"); }),
                                 server.url("/ws"));
        }
    }
}

TEST_F(DFeHttpOpenSSL, SslVersionsTheLibraryLacksFailBeforeAnyTraffic)
{
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(), "https");
    for (const TSSLType type : {LT_SSLv2, LT_SSLv3}) {
        ssl->SSLType = type;
        const std::string message = dfeErrorOf([&] { ssl->Transmitir(kEnvelope, server.url("/ws"), "a"); });
        EXPECT_NE(message.find(std::string(OpenSSL_version(OPENSSL_VERSION)) + ", não suporta " +
                               std::string(EnumValueName(type)) + "\r\n"),
                  std::string::npos)
            << message;
    }
    EXPECT_EQ(server.connections(), 0);
}

// ---- Status ------------------------------------------------------------------

TEST_F(DFeHttpOpenSSL, AFaultWithStatus500IsNoTransportErrorButFailsTheStatusCheck)
{
    const std::string fault = "<soap:Fault><soap:Reason>servidor</soap:Reason></soap:Fault>";
    HttpTestServer server([&](const HttpTestRequest &) { return HttpTestResponse::text(500, "Erro", fault); },
                          clientCertificateTestStreams(), "https");
    const std::string url = server.url("/ws");
    EXPECT_EQ(ssl->Transmitir(kEnvelope, url, "a", "", "", false), fault);
    EXPECT_EQ(ssl->InternalErrorCode(), 0);
    const std::string message = dfeErrorOf([&] { ssl->Transmitir(kEnvelope, url, "a"); });
    EXPECT_EQ(message, "Erro Interno: 0\r\nErro HTTP: 500\r\nURL: " + url + "\r\n\r\n" + fault);
}

// ---- Waits -------------------------------------------------------------------

TEST_F(DFeHttpOpenSSL, ASilentServerGivesTheTimeOutError)
{
    HttpTestServer server(silent, clientCertificateTestStreams(), "https");
    ssl->TimeOut = 500;
    const auto start = std::chrono::steady_clock::now();
    const std::string message = dfeErrorOf([&] { ssl->Transmitir(kEnvelope, server.url("/ws"), "a"); });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    expectTransportError(message, server.url("/ws"));
    EXPECT_NE(message.find("Erro Interno: 28\r\n"), std::string::npos) << message;
}

TEST_F(DFeHttpOpenSSL, InterromperFromAnotherThreadEndsTheRunningExchangeOnly)
{
    HttpTestServer server(silent, clientCertificateTestStreams(), "https");
    ssl->TimeOut = 30000;
    testsupport::InterruptOnRequest interrupter(server, [&] { ssl->SSLHttpClass().Interromper(); });
    const std::string message = dfeErrorOf([&] { ssl->Transmitir(kEnvelope, server.url("/ws"), "a"); });
    EXPECT_TRUE(interrupter.endedPromptly());
    EXPECT_NE(message.find("Envio interrompido"), std::string::npos) << message;

    // The facade's back-end is not left dead by the interruption.
    HttpTestServer quick(soapAnswer, clientCertificateTestStreams(), "https");
    EXPECT_NO_THROW(ssl->Transmitir(kEnvelope, quick.url("/ws"), "a"));
}

TEST_F(DFeHttpOpenSSL, AThreadedSendPastItsDeadlineTimesOutAndTheFacadeCanGoAtOnce)
{
    HttpTestServer server(silent, clientCertificateTestStreams(), "https");
    ssl->TimeOut = 999;
    ssl->TimeOutPorThread = true;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(dfeErrorOf([&] { ssl->Transmitir(kEnvelope, server.url("/ws"), "a"); }),
              "Timeout - Não foi possível obter a resposta do servidor");
    ssl.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// ---- Proxy -------------------------------------------------------------------

TEST_F(DFeHttpOpenSSL, AnAuthenticatingProxyCarriesTheExchangeAndRefusesAWrongPassword)
{
    if (!testsupport::TinyproxyFixture::available())
        GTEST_SKIP() << "tinyproxy is not installed";
    testsupport::TinyproxyFixture proxy("quib", "s3nha");
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(), "https");
    transporttest::useProxy(*ssl, proxy.port(), "quib", "s3nha");
    EXPECT_NO_THROW(ssl->Transmitir(kEnvelope, server.url("/ws"), "a"));
    EXPECT_EQ(server.requests().size(), 1u);

    // tinyproxy answers a wrong password with 401 and missing credentials with 407.
    ssl->ProxyPass = "errada";
    const std::string wrong = dfeErrorOf([&] { ssl->Transmitir(kEnvelope, server.url("/ws"), "a"); });
    EXPECT_NE(wrong.find("response 401 (o proxy recusou o usuário ou a senha)"), std::string::npos) << wrong;
    ssl->ProxyUser.clear();
    ssl->ProxyPass.clear();
    const std::string missing = dfeErrorOf([&] { ssl->Transmitir(kEnvelope, server.url("/ws"), "a"); });
    EXPECT_NE(missing.find("response 407"), std::string::npos) << missing;
    EXPECT_EQ(server.requests().size(), 1u);
}

// ---- Certificate download ----------------------------------------------------

TEST_F(DFeHttpOpenSSL, APfxDownloadedOverPlainHttpIsThenPresentedToTheServer)
{
    const TestCert &cert = testPki().ecnpj;
    HttpTestServer download([&](const HttpTestRequest &) {
        return HttpTestResponse::text(200, "OK", readFile(cert.pfxAes), "application/x-pkcs12");
    });
    HttpTestServer server(soapAnswer, clientCertificateTestStreams(), "https");
    ssl->SetDadosPFX("");
    ssl->SetURLPFX(download.url("/certificado.pfx"));
    ssl->SetSenha(cert.password);

    EXPECT_NO_THROW(ssl->Transmitir(kEnvelope, server.url("/ws"), "a"));
    ASSERT_EQ(download.requests().size(), 1u);
    EXPECT_EQ(download.requests()[0].method, "GET");
    EXPECT_TRUE(server.requests().at(0).clientSubject.starts_with("CN=EMPRESA TESTE LTDA"))
        << server.requests()[0].clientSubject;
}

} // namespace
