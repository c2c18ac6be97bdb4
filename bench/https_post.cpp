// 50 SOAP bodies of 300 KB posted in sequence over HTTPS with a client
// certificate to a loopback server that demands one: through the OpenSSL
// transport of the facade, and through the curl program for the same posts
// (one curl run for the 50, each on a fresh connection as ours).
//
// Goal: ours takes at most curl's time. A stall in the exchange (waiting for
// "100 Continue", a lingering connection, a slow idle check) shows at once as
// a second or more per post.
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "dfe/backends.h"
#include "dfe/ssl/dfe_ssl.h"
#include "tests/support/http_test_server.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/tls_test_stream.h"

namespace {

constexpr int kPosts = 50;
constexpr const char *kAction = "http://www.portalfiscal.inf.br/nfe/wsdl/NFeAutorizacao4/nfeAutorizacaoLote";

// A SOAP envelope of about 300 KB (a batch of repeated notes).
std::string envelope()
{
    std::string batch;
    while (batch.size() < 300 * 1024)
        batch += "<NFe><infNFe Id=\"NFe35190111222333000181550010000000011876543212\"><ide><cUF>35</cUF>"
                 "<natOp>VENDA DE MERCADORIA</natOp></ide><det nItem=\"1\"><prod><xProd>PRODUTO DE TESTE"
                 "</xProd><vProd>10.00</vProd></prod></det></infNFe></NFe>";
    return "<soap12:Envelope xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"><soap12:Body>"
           "<nfeDadosMsg><enviNFe versao=\"4.00\"><idLote>1</idLote><indSinc>1</indSinc>" +
           batch + "</enviNFe></nfeDadosMsg></soap12:Body></soap12:Envelope>";
}

struct Peer {
    testsupport::HttpTestServer server{[](const testsupport::HttpTestRequest &request) {
                                           return testsupport::HttpTestResponse::text(
                                               200, "OK",
                                               "<retEnviNFe><cStat>104</cStat><tam>" +
                                                   std::to_string(request.body.size()) +
                                                   "</tam></retEnviNFe>",
                                               "application/soap+xml; charset=utf-8");
                                       },
                                       testsupport::clientCertificateTestStreams(), "https"};
    testsupport::TempDir folder;
    std::string body = envelope();
    std::string url = server.url("/ws/NFeAutorizacao4.asmx");
};

Peer &peer()
{
    static Peer instance;
    return instance;
}

void BM_TransmitirOpenSSL(benchmark::State &state)
{
    Peer &p = peer();
    RegistraBackendsDFe();
    TDFeSSL ssl;
    applySslLib(ssl, libOpenSSL);
    ssl.SetDadosPFX(testsupport::readFile(testPki().ecnpj.pfxAes));
    ssl.SetSenha(testPki().ecnpj.password);
    ssl.GarantirCertificadoCarregado();
    for (auto _ : state) {
        for (int i = 0; i < kPosts; ++i)
            benchmark::DoNotOptimize(ssl.Transmitir(p.body, p.url, kAction));
    }
}
BENCHMARK(BM_TransmitirOpenSSL)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The same 50 posts in one curl run: a config file with one block per post.
void BM_Curl(benchmark::State &state)
{
    Peer &p = peer();
    if (!testsupport::hasProgram("curl")) {
        state.SkipWithError("curl is not installed");
        return;
    }
    const TestCert &cert = testPki().ecnpj;
    const std::string bodyFile = p.folder.write("envelope.xml", p.body).string();
    std::string config;
    for (int i = 0; i < kPosts; ++i) {
        if (i > 0)
            config += "next\n";
        config += "url = \"" + p.url + "\"\ndata-binary = \"@" + bodyFile + "\"\ncert-type = P12\ncert = \"" +
                  cert.pfxAes + ":" + cert.password + "\"\ninsecure\nsilent\noutput = /dev/null\n" +
                  "header = \"Content-Type: application/soap+xml; charset=utf-8\"\n" +
                  "header = \"SOAPAction: \\\"" + kAction + "\\\"\"\n" +
                  // curl 7.x would otherwise wait a second for "100 Continue".
                  "header = \"Expect:\"\n";
    }
    const std::string configFile = p.folder.write("curl.cfg", config).string();
    for (auto _ : state) {
        const testsupport::CommandResult result = testsupport::runCommand({"curl", "-K", configFile});
        if (result.exitCode != 0) {
            state.SkipWithError(("curl falhou: " + result.err).c_str());
            return;
        }
    }
}
BENCHMARK(BM_Curl)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

BENCHMARK_MAIN();
