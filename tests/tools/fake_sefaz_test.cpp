// The fake tax authority end to end over HTTPS with a client certificate:
// default answers per payload root, judging (schema, signature), scripted
// queues and variants, the handshake rules and the fake-sefaz program.

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <regex>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/fake_sefaz.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"
#include "tests/support/test_pki.h"
#include "tests/support/xml_checks.h"
#include "tests/tools/fake_sefaz_client.h"

namespace {

using namespace fakesefaztest;
using testsupport::FakeSefaz;
using testsupport::runCommand;
using testsupport::TempDir;

std::string status(const std::string &fields = "<tpAmb>2</tpAmb><cUF>35</cUF><xServ>STATUS</xServ>")
{
    return envelope("NFeStatusServico4",
                    "<consStatServ xmlns=\"" + kNs + "\" versao=\"4.00\">" + fields + "</consStatServ>");
}

std::string receipt(const std::string &nRec)
{
    return envelope("NFeRetAutorizacao4", "<consReciNFe xmlns=\"" + kNs +
                                              "\" versao=\"4.00\"><tpAmb>1</tpAmb><nRec>" + nRec +
                                              "</nRec></consReciNFe>");
}

class FakeSefazTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("curl") || !testsupport::xmllintAvailable() ||
            !testsupport::hasProgram("xmlsec1"))
            GTEST_SKIP() << "curl, xmllint ou xmlsec1 ausente";
    }
    FakeSefaz fake;
};

struct RootCase {
    const char *name;
    std::string request;
    int cStat;
    const char *schema; // of the answer; empty: none official
};

TEST_F(FakeSefazTest, EachRootGetsItsDefaultAnswerValidByItsSchema)
{
    const std::string chave = "35240511222333000181550010000043211123456780";
    // clang-format off
    const std::vector<RootCase> cases{
        {"status", status(), 107, "retConsStatServ_v4.00.xsd"},
        {"unknown receipt", receipt("351000000000099"), 106, "retConsReciNFe_v4.00.xsd"},
        {"unknown note", envelope("NFeConsultaProtocolo4", "<consSitNFe xmlns=\"" + kNs + "\" versao=\"4.00\"><tpAmb>2</tpAmb><xServ>CONSULTAR</xServ><chNFe>" + chave + "</chNFe></consSitNFe>"), 217, "retConsSitNFe_v4.00.xsd"},
        {"registry", envelope("CadConsultaCadastro4", "<ConsCad xmlns=\"" + kNs + "\" versao=\"2.00\"><infCons><xServ>CONS-CAD</xServ><UF>SP</UF><CNPJ>11222333000181</CNPJ></infCons></ConsCad>"), 111, "retConsCad_v2.00.xsd"},
        {"registry wrapped", envelope("CadConsultaCadastro4", "<nfeDadosMsg><ConsCad xmlns=\"" + kNs + "\" versao=\"2.00\"><infCons><xServ>CONS-CAD</xServ><UF>MT</UF><IE>131234567</IE></infCons></ConsCad></nfeDadosMsg>", "consultaCadastro"), 111, "retConsCad_v2.00.xsd"},
        {"distribution", envelope("NFeDistribuicaoDFe", "<nfeDadosMsg><distDFeInt xmlns=\"" + kNs + "\" versao=\"1.01\"><tpAmb>2</tpAmb><cUFAutor>35</cUFAutor><CNPJ>11222333000181</CNPJ><distNSU><ultNSU>000000000000000</ultNSU></distNSU></distDFeInt></nfeDadosMsg>", "nfeDistDFeInteresse"), 137, "retDistDFeInt_v1.01.xsd"},
        {"csc", envelope("CscNFCe", "<admCscNFCe xmlns=\"" + kNs + "\" versao=\"1.00\"><tpAmb>2</tpAmb><indOp>1</indOp><raizCNPJ>11222333</raizCNPJ></admCscNFCe>"), 150, ""},
        {"status without tpAmb", status("<cUF>35</cUF><xServ>STATUS</xServ>"), 215, "retConsStatServ_v4.00.xsd"},
        {"csc revoking without dadosCsc", envelope("CscNFCe", "<admCscNFCe xmlns=\"" + kNs + "\" versao=\"1.00\"><tpAmb>2</tpAmb><indOp>3</indOp><raizCNPJ>11222333</raizCNPJ></admCscNFCe>"), 215, ""},
    };
    // clang-format on
    for (const RootCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Reply reply = post(fake.url("/SP/servico"), c.request);
        ASSERT_EQ(reply.exitCode, 0);
        const std::string answer = result(reply.body);
        EXPECT_EQ(cStatOf(answer), c.cStat) << answer;
        EXPECT_NE(answer.find("<xMotivo>"), std::string::npos);
        if (*c.schema != '\0') {
            EXPECT_EQ(validate(answer, c.schema), "");
        }
    }
    EXPECT_EQ(fake.exchanges().back().path, "/SP/servico");
}

TEST_F(FakeSefazTest, SignedNoteIsReceivedThenAuthorisedAndDistributed)
{
    const std::string note = signedNote();
    const std::string accepted = result(post(fake.url("/SP/NFeAutorizacao"), batch(note)).body);
    ASSERT_EQ(cStatOf(accepted), 103) << accepted;
    EXPECT_EQ(validate(accepted, "retEnviNFe_v4.00.xsd"), "");
    std::smatch nRec;
    ASSERT_TRUE(std::regex_search(accepted, nRec, std::regex("<nRec>([0-9]{15})</nRec>")));

    const std::string processed = result(post(fake.url("/SP/NFeRetAutorizacao"), receipt(nRec[1])).body);
    EXPECT_EQ(cStatOf(processed), 104);
    EXPECT_EQ(validate(processed, "retConsReciNFe_v4.00.xsd"), "");
    std::smatch digest;
    ASSERT_TRUE(std::regex_search(note, digest, std::regex("<DigestValue>([^<]+)</DigestValue>")));
    EXPECT_NE(processed.find("<digVal>" + digest[1].str() + "</digVal><cStat>100</cStat>"),
              std::string::npos);

    const std::string distributed = result(
        post(fake.url("/AN/NFeDistribuicaoDFe"),
             envelope("NFeDistribuicaoDFe",
                      "<nfeDadosMsg><distDFeInt xmlns=\"" + kNs +
                          "\" versao=\"1.01\"><tpAmb>1</tpAmb><CNPJ>11444777000161</CNPJ><distNSU><ultNSU>"
                          "000000000000000</ultNSU></distNSU></distDFeInt></nfeDadosMsg>",
                      "nfeDistDFeInteresse"))
            .body);
    EXPECT_EQ(cStatOf(distributed), 138);
    EXPECT_EQ(validate(distributed, "retDistDFeInt_v1.01.xsd"), "");
    const auto documents = distributedDocuments(distributed);
    for (const DistributedDocument &document : documents)
        EXPECT_EQ(validate(document.xml, document.schema), "") << document.schema;
    EXPECT_EQ(documents.size(), 2u); // resNFe and procNFe
}

TEST_F(FakeSefazTest, BrokenOrTamperedNotesAreRefused)
{
    EXPECT_EQ(
        cStatOf(result(post(fake.url("/SP/NFeAutorizacao"), batch(signedNote("EMPRESA DE TESTF"))).body)),
        297);
    std::string withoutNatOp = signedNote();
    withoutNatOp.erase(withoutNatOp.find("<natOp>"),
                       withoutNatOp.find("</natOp>") + 8 - withoutNatOp.find("<natOp>"));
    EXPECT_EQ(cStatOf(result(post(fake.url("/SP/NFeAutorizacao"), batch(withoutNatOp)).body)), 225);
    // A synchronous batch answers the protocol at once.
    const std::string sync = result(post(fake.url("/SP/NFeAutorizacao"), batch(signedNote(), "1")).body);
    EXPECT_EQ(cStatOf(sync), 104);
    EXPECT_EQ(validate(sync, "retEnviNFe_v4.00.xsd"), "");
    // A certificate of another company.
    EXPECT_EQ(
        cStatOf(result(post(fake.url("/SP/NFeAutorizacao"), batch(signedNote()), &testPki().rsa4096).body)),
        213);
}

TEST_F(FakeSefazTest, ScriptedQueueIsAnsweredInOrderThenDefaults)
{
    ASSERT_EQ(fake.scriptLine("consStatServ 109 108 107"), "");
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i)
        seen.push_back(cStatOf(result(post(fake.url("/SP/NfeStatusServico"), status()).body)));
    EXPECT_EQ(seen, (std::vector<int>{109, 108, 107, 107}));
    EXPECT_NE(fake.scriptLine("consStatServ 107 nonsense"), "");
    EXPECT_NE(fake.scriptLine("unknownRoot 107"), "");
}

TEST_F(FakeSefazTest, VariantsDoWhatTheySay)
{
    ASSERT_EQ(fake.scriptLine("consStatServ http500 empty reset prefixed escaped soap=env delay=1"), "");
    const std::string url = fake.url("/SP/NfeStatusServico");
    const auto http = [&] {
        return runCommand({"curl", "-s", "-o", "/dev/null", "-w", "%{http_code}", "--cert-type", "P12",
                           "--cert", testPki().ecnpj.pfxAes + ":" + testPki().ecnpj.password, "--cacert",
                           testPki().root.certPem, "--data-binary", status(), url});
    };
    EXPECT_EQ(http().out, "500");
    const Reply empty = post(url, status());
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.body, "");
    EXPECT_NE(post(url, status()).exitCode, 0); // reset
    EXPECT_NE(post(url, status()).body.find("<ns1:nfeResultMsg xmlns:ns1="), std::string::npos);
    EXPECT_NE(post(url, status()).body.find("&lt;retConsStatServ"), std::string::npos);
    EXPECT_NE(post(url, status()).body.find("<env:Envelope xmlns:env="), std::string::npos);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(cStatOf(post(url, status()).body), 107);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(900));
}

TEST_F(FakeSefazTest, BadEnvelopesGetASoapFault)
{
    // clang-format off
    const std::vector<std::pair<const char *, std::string>> cases{
        {"wrong wsdl namespace", envelope("NFeAutorizacao4", "<consStatServ xmlns=\"" + kNs + "\" versao=\"4.00\"><tpAmb>2</tpAmb><cUF>35</cUF><xServ>STATUS</xServ></consStatServ>")},
        {"header at 4.00", "<soap12:Envelope xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"><soap12:Header><nfeCabecMsg xmlns=\"" + kNs + "/wsdl/NFeStatusServico4\"><cUF>35</cUF><versaoDados>4.00</versaoDados></nfeCabecMsg></soap12:Header>" + status().substr(status().find("<soap12:Body>"))},
        {"soap 1.1", "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body/></s:Envelope>"},
        {"not xml", "<soap12:Envelope"},
    };
    // clang-format on
    for (const auto &[name, body] : cases) {
        SCOPED_TRACE(name);
        const Reply reply = post(fake.url("/SP/NfeStatusServico"), body);
        EXPECT_NE(reply.body.find("<soap:Fault>"), std::string::npos) << reply.body;
        EXPECT_EQ(fake.exchanges().back().httpStatus, 500);
    }
}

TEST_F(FakeSefazTest, HandshakeNeedsAClientCertificateOfTheTestCa)
{
    const std::string url = fake.url("/SP/NfeStatusServico");
    EXPECT_EQ(post(url, status()).exitCode, 0);
    for (const TestCert *client :
         {static_cast<const TestCert *>(nullptr), &testPki().expired1999, &testPki().foreignClient}) {
        EXPECT_NE(post(url, status(), client).exitCode, 0);
    }
    EXPECT_EQ(fake.exchanges().size(), 1u);
}

TEST(FakeSefazProgram, StartsWritesTheIniAnswersAndEndsOnSigterm)
{
    if (!testsupport::hasProgram("curl"))
        GTEST_SKIP() << "curl ausente";
    TempDir folder;
    const std::string ini = (folder / "servicos.ini").string();
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], 1);
        const std::string program = (testsupport::binaryDir() / "bin" / "fake-sefaz").string();
        execl(program.c_str(), program.c_str(), "--port", "0", "--services-ini", ini.c_str(), nullptr);
        _exit(127);
    }
    close(out[1]);
    FILE *lines = fdopen(out[0], "r");
    char line[512] = {};
    ASSERT_NE(fgets(line, sizeof line, lines), nullptr);
    const std::string base = std::string(line).substr(0, std::string(line).find('\n'));
    EXPECT_TRUE(base.starts_with("https://127.0.0.1:"));
    ASSERT_NE(fgets(line, sizeof line, lines), nullptr);
    EXPECT_TRUE(std::string(line).starts_with("pki="));

    // The homologation status endpoint of SP, by the versioned key.
    const std::string text = testsupport::readFile(ini);
    const std::size_t section = text.find("[NFe_SP_H]");
    ASSERT_NE(section, std::string::npos);
    const std::size_t key = text.find("NfeStatusServico_4.00=", section);
    const std::string url = text.substr(key + 22, text.find('\n', key) - key - 22);
    EXPECT_EQ(url, base + "/SP/NfeStatusServico");
    EXPECT_NE(text.find("URL-QRCode="), std::string::npos);
    for (const char *name : {"[NFCe_RS_P]", "[NFe_SVRS_H]", "[NFe_SVC-AN_P]", "[NFe_SVC-RS_H]", "[NFe_AN_P]"})
        EXPECT_NE(text.find(name), std::string::npos) << name;

    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    fclose(lines);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(FakeSefazProgram, BadArgumentsEndWithTwo)
{
    const std::string program = (testsupport::binaryDir() / "bin" / "fake-sefaz").string();
    EXPECT_EQ(runCommand({program, "--port", "x"}).exitCode, 2);
    EXPECT_EQ(runCommand({program, "--ca", "/nonexistent.pem"}).exitCode, 2);
    EXPECT_EQ(runCommand({program, "--schemas", "/nonexistent"}).exitCode, 2);
}

} // namespace
