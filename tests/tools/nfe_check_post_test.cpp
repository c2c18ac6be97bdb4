#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/http_test_server.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/tls_test_stream.h"

using testsupport::HttpTestRequest;
using testsupport::HttpTestResponse;
using testsupport::HttpTestServer;
using testsupport::runCommand;

namespace {

std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

// A TLS server that asks for no client certificate.
testsupport::TestStreamFactory plainTlsStreams()
{
    testsupport::TlsTestServerOptions options;
    options.certPem = testPki().server.certPem;
    options.keyPem = testPki().server.keyPem;
    return testsupport::tlsTestStreams(options);
}

HttpTestResponse answer(const HttpTestRequest &request)
{
    if (request.target == "/falha")
        return HttpTestResponse::text(500, "Erro", "<Fault/>");
    return HttpTestResponse::text(200, "OK", "<ret>" + request.header("SOAPAction") + "</ret>");
}

class NfeCheckPost : public ::testing::Test {
  protected:
    testsupport::TempDir folder;
    std::string body = folder.write("envelope.xml", "<Envelope/>").string();
};

} // namespace

TEST_F(NfeCheckPost, TheAnswerGoesToStandardOutputAndTheStatusToStandardError)
{
    HttpTestServer server(answer, plainTlsStreams(), "https");
    const auto result = runCommand({tool(), "post", server.url("/ws"), body, "--action", "urn:status",
                                    "--tls", "LT_all", "--timeout", "3000", "--engine", "openssl"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "<ret>\"urn:status\"</ret>");
    EXPECT_EQ(result.err, "HTTP 200\n");
    EXPECT_EQ(server.requests().at(0).body, "<Envelope/>");
    EXPECT_TRUE(server.requests().at(0).clientSubject.empty());
}

TEST_F(NfeCheckPost, APfxIsPresentedAsClientCertificate)
{
    HttpTestServer server(answer, testsupport::clientCertificateTestStreams(), "https");
    const TestCert &cert = testPki().ecnpj;
    const auto result = runCommand(
        {tool(), "post", server.url("/ws"), body, "--pfx", cert.pfxAes, "--password", cert.password});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "HTTP 200\n");
    EXPECT_TRUE(server.requests().at(0).clientSubject.starts_with("CN=EMPRESA TESTE LTDA"));
}

TEST_F(NfeCheckPost, EveryEngineGivesTheSameOutput)
{
    HttpTestServer server(answer, testsupport::clientCertificateTestStreams(), "https");
    const TestCert &cert = testPki().ecnpj;
    for (const std::string engine : {"winhttp", "wininet", "soapclass"}) {
        SCOPED_TRACE(engine);
        server.clearRequests();
        const auto result =
            runCommand({tool(), "post", server.url("/ws"), body, "--action", "urn:status", "--pfx",
                        cert.pfxAes, "--password", cert.password, "--engine", engine});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, "<ret>\"urn:status\"</ret>");
        EXPECT_EQ(result.err, "HTTP 200\n");
        EXPECT_TRUE(server.requests().at(0).clientSubject.starts_with("CN=EMPRESA TESTE LTDA"));

        const auto fault = runCommand({tool(), "post", server.url("/falha"), body, "--pfx", cert.pfxAes,
                                       "--password", cert.password, "--engine", engine});
        EXPECT_EQ(fault.exitCode, 1);
        EXPECT_EQ(fault.out, "");
        EXPECT_NE(fault.err.find("Erro HTTP: 500\r\n"), std::string::npos) << fault.err;
        EXPECT_TRUE(fault.err.ends_with("<Fault/>\nHTTP 500\n")) << fault.err;
    }
}

TEST_F(NfeCheckPost, FailuresExitWithOneAndTheFacadesText)
{
    HttpTestServer plain(answer, plainTlsStreams(), "https");
    HttpTestServer demanding(answer, testsupport::clientCertificateTestStreams(), "https");
    struct Case {
        std::vector<std::string> args;
        std::string errorPart;
    };
    const Case cases[] = {
        {{plain.url("/falha"), body}, "Erro HTTP: 500\r\n"},
        {{plain.url("/falha"), body, "--per-thread"},
         "Erro na thread de envio: Erro Interno: 0\r\nErro HTTP: 500"},
        {{demanding.url("/ws"), body}, "Erro HTTP: 0\r\nURL: " + demanding.url("/ws")},
        {{plain.url("/ws"), body, "--tls", "LT_SSLv3"}, ", não suporta LT_SSLv3"},
        {{demanding.url("/ws"), body, "--pfx", testPki().ecnpj.pfxAes, "--password", "errada"}, "senha"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.errorPart);
        std::vector<std::string> argv = {tool(), "post"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const auto result = runCommand(argv);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(c.errorPart), std::string::npos) << result.err;
    }
}

TEST_F(NfeCheckPost, BadArgumentsExitWithTwo)
{
    const std::vector<std::vector<std::string>> cases = {
        {"https://127.0.0.1:1/ws"},
        {"https://127.0.0.1:1/ws", body, "--engine", "indy"},
        {"https://127.0.0.1:1/ws", body, "--tls", "TLS1.2"},
        {"https://127.0.0.1:1/ws", body, "--timeout", "5s"},
        {"https://127.0.0.1:1/ws", body, "--password", "x"},
        {"https://127.0.0.1:1/ws", body, "--pfx"},
    };
    for (const auto &args : cases) {
        std::vector<std::string> argv = {tool(), "post"};
        argv.insert(argv.end(), args.begin(), args.end());
        EXPECT_EQ(runCommand(argv).exitCode, 2) << args.back();
    }
}
