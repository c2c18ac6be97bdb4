// The fake tax authority with signed events and voidings, zipped batches,
// the schemas of every answer it gives, and the CNPJ root of client
// certificates that carry the CNPJ only in their ICP-Brasil other names.

#include <gtest/gtest.h>

#include "tests/support/fake_sefaz.h"
#include "tests/support/run_command.h"
#include "tests/support/test_data.h"
#include "tests/support/test_pki.h"
#include "tests/support/xml_checks.h"
#include "tests/tools/fake_sefaz_client.h"

namespace {

using namespace fakesefaztest;
using testsupport::FakeSefaz;
using testsupport::runCommand;
using testsupport::testData;

const std::string kChave = "35240511222333000181550010000043211123456780";
const std::string kOtherChave = "35240511222333000181550010000043221123456781";

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A cancellation of the note with that key, signed; `tamper` replaces
// "Pedido" of its justification once signed.
std::string signedCancellation(const std::string &chave = kChave, const std::string &tamper = {})
{
    const std::string text = replaced(testData("tools/data/evento_cancelamento_modelo.xml"), kChave, chave);
    std::string evento = signWithTestKey(text, "infEvento");
    if (!tamper.empty())
        evento.replace(evento.find("Pedido"), 6, tamper);
    return evento;
}

std::string eventBatch(const std::string &eventos)
{
    return envelope("NFeRecepcaoEvento4", "<envEvento xmlns=\"" + kNs +
                                              "\" versao=\"1.00\"><idLote>7</idLote>" + eventos +
                                              "</envEvento>");
}

// The voiding of numbers 10 to 11, signed; `tamper` replaces "falha" of its
// justification once signed.
std::string voiding(const std::string &tamper = {})
{
    std::string inut = signWithTestKey(testData("tools/data/inutilizacao_modelo.xml"), "infInut");
    if (!tamper.empty())
        inut.replace(inut.find("falha"), 5, tamper);
    return envelope("NFeInutilizacao4", inut);
}

std::string situation(const std::string &chave = kChave)
{
    return envelope("NFeConsultaProtocolo4",
                    "<consSitNFe xmlns=\"" + kNs +
                        "\" versao=\"4.00\"><tpAmb>1</tpAmb><xServ>CONSULTAR</xServ><chNFe>" + chave +
                        "</chNFe></consSitNFe>");
}

std::string registryByIe(const std::string &bodyElement = "consultaCadastro")
{
    const std::string consCad =
        "<ConsCad xmlns=\"" + kNs +
        "\" versao=\"2.00\"><infCons><xServ>CONS-CAD</xServ><UF>MT</UF><IE>131234567</IE>"
        "</infCons></ConsCad>";
    return bodyElement == "consultaCadastro"
               ? envelope("CadConsultaCadastro4", "<nfeDadosMsg>" + consCad + "</nfeDadosMsg>", bodyElement)
               : envelope("CadConsultaCadastro4", consCad);
}

class FakeSefazEventsTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("curl") || !testsupport::xmllintAvailable() ||
            !testsupport::hasProgram("xmlsec1") || !testsupport::hasProgram("gzip"))
            GTEST_SKIP() << "curl, xmllint, xmlsec1 ou gzip ausente";
    }

    std::string ask(const std::string &path, const std::string &request,
                    const TestCert *client = &testPki().ecnpj)
    {
        const Reply reply = post(fake.url(path), request, client);
        EXPECT_EQ(reply.exitCode, 0);
        return result(reply.body);
    }

    FakeSefaz fake;
};

TEST_F(FakeSefazEventsTest, EventBatchGetsOne135PerEventAndATamperedEvent297)
{
    const std::string registered =
        ask("/SP/NFeRecepcaoEvento", eventBatch(signedCancellation() + signedCancellation(kOtherChave)));
    EXPECT_EQ(cStatsOf(registered), (std::vector<int>{128, 135, 135})) << registered;
    EXPECT_EQ(validate(registered, "retEnvEvento_v1.00.xsd"), "");
    EXPECT_EQ(validate(registered, "retEnvEventoCancNFe_v1.00.xsd"), "");
    EXPECT_NE(registered.find("<chNFe>" + kOtherChave + "</chNFe>"), std::string::npos);

    const std::string tampered =
        ask("/SP/NFeRecepcaoEvento",
            eventBatch(signedCancellation() + signedCancellation(kOtherChave, "Pedida")));
    EXPECT_EQ(cStatsOf(tampered), (std::vector<int>{297})) << tampered;
    EXPECT_EQ(validate(tampered, "retEnvEvento_v1.00.xsd"), "");
}

TEST_F(FakeSefazEventsTest, VoidingGets102AndATamperedOne297)
{
    const std::string voided = ask("/SP/NFeInutilizacao", voiding());
    EXPECT_EQ(cStatOf(voided), 102) << voided;
    EXPECT_NE(voided.find("<nProt>"), std::string::npos);
    EXPECT_EQ(validate(voided, "retInutNFe_v4.00.xsd"), "");

    const std::string tampered = ask("/SP/NFeInutilizacao", voiding("falta"));
    EXPECT_EQ(cStatOf(tampered), 297) << tampered;
    EXPECT_EQ(validate(tampered, "retInutNFe_v4.00.xsd"), "");
}

TEST_F(FakeSefazEventsTest, CancelledNoteIsAnswered101WithItsEventAndDistributed)
{
    ASSERT_EQ(cStatsOf(ask("/SP/NFeAutorizacao", batch(signedNote(), "1"))), (std::vector<int>{104, 100}));
    ASSERT_EQ(cStatsOf(ask("/SP/NFeRecepcaoEvento", eventBatch(signedCancellation()))),
              (std::vector<int>{128, 135}));

    const std::string situated = ask("/SP/NFeConsultaProtocolo", situation());
    EXPECT_EQ(cStatOf(situated), 101) << situated;
    EXPECT_NE(situated.find("<procEventoNFe"), std::string::npos);
    EXPECT_NE(situated.find("<tpEvento>110111</tpEvento>"), std::string::npos);
    EXPECT_EQ(validate(situated, "retConsSitNFe_v4.00.xsd"), "");

    // resNFe, nfeProc, then resEvento and procEventoNFe of the cancellation.
    const std::string distributed = ask("/AN/NFeDistribuicaoDFe", distribution());
    EXPECT_EQ(validate(distributed, "retDistDFeInt_v1.01.xsd"), "");
    const auto documents = distributedDocuments(distributed);
    std::vector<std::string> schemas;
    for (const DistributedDocument &document : documents) {
        schemas.push_back(document.schema);
        EXPECT_EQ(validate(document.xml, document.schema), "") << document.schema << "\n" << document.xml;
    }
    EXPECT_EQ(schemas, (std::vector<std::string>{"resNFe_v1.01.xsd", "procNFe_v4.00.xsd",
                                                 "resEvento_v1.01.xsd", "procEventoNFe_v1.00.xsd"}));
    ASSERT_EQ(documents.size(), 4u);
    EXPECT_EQ(validate(documents[3].xml, "procEventoCancNFe_v1.00.xsd"), "");
}

TEST_F(FakeSefazEventsTest, ZippedBatchIsUnpackedAndAnswered)
{
    const std::string enviNFe = "<enviNFe xmlns=\"" + kNs +
                                "\" versao=\"4.00\"><idLote>1</idLote><indSinc>0</indSinc>" + signedNote() +
                                "</enviNFe>";
    const auto zipped = runCommand({"gzip", "-n", "-c"}, enviNFe);
    const auto encoded = runCommand({"base64", "-w0"}, zipped.out);
    ASSERT_EQ(encoded.exitCode, 0);

    const std::string accepted =
        ask("/SP/NFeAutorizacao", envelope("NFeAutorizacao4", encoded.out, "nfeDadosMsgZip"));
    EXPECT_EQ(cStatOf(accepted), 103) << accepted;
    EXPECT_EQ(validate(accepted, "retEnviNFe_v4.00.xsd"), "");
    EXPECT_EQ(fake.exchanges().back().root, "enviNFe");

    // A zip that does not inflate is a fault, not an answer.
    const Reply broken =
        post(fake.url("/SP/NFeAutorizacao"), envelope("NFeAutorizacao4", "H4sIAAAA", "nfeDadosMsgZip"));
    EXPECT_NE(broken.body.find("nfeDadosMsgZip"), std::string::npos) << broken.body;
    EXPECT_EQ(fake.exchanges().back().httpStatus, 500);
}

struct ScriptedCase {
    const char *root;
    const char *answer;
    const char *path;
    std::string request;
    const char *schema;
};

TEST_F(FakeSefazEventsTest, ScriptedAnswersPassTheirSchemas)
{
    // clang-format off
    const std::vector<ScriptedCase> cases{
        {"ConsCad",     "111", "/MT/CadConsultaCadastro",  registryByIe(),              "retConsCad_v2.00.xsd"},
        {"ConsCad",     "259", "/MT/CadConsultaCadastro",  registryByIe("nfeDadosMsg"), "retConsCad_v2.00.xsd"},
        {"consReciNFe", "105", "/SP/NFeRetAutorizacao",    envelope("NFeRetAutorizacao4", "<consReciNFe xmlns=\"" + kNs + "\" versao=\"4.00\"><tpAmb>1</tpAmb><nRec>351000000000099</nRec></consReciNFe>"), "retConsReciNFe_v4.00.xsd"},
        {"consSitNFe",  "100", "/SP/NFeConsultaProtocolo", situation(),                 "retConsSitNFe_v4.00.xsd"},
        {"inutNFe",     "241", "/SP/NFeInutilizacao",      voiding(),                   "retInutNFe_v4.00.xsd"},
        {"envEvento",   "215", "/SP/NFeRecepcaoEvento",    eventBatch(signedCancellation()), "retEnvEvento_v1.00.xsd"},
        {"distDFeInt",  "656", "/AN/NFeDistribuicaoDFe",   distribution(),              "retDistDFeInt_v1.01.xsd"},
    };
    // clang-format on
    for (const ScriptedCase &c : cases) {
        SCOPED_TRACE(std::string(c.root) + " " + c.answer);
        ASSERT_EQ(fake.scriptLine(std::string(c.root) + " " + c.answer), "");
        const std::string answer = ask(c.path, c.request);
        EXPECT_EQ(cStatOf(answer), std::stoi(c.answer)) << answer;
        EXPECT_EQ(validate(answer, c.schema), "");
    }
}

struct CertificateCase {
    const char *name;
    const TestCert *client;
    const char *emitterCnpj; // put into the note before signing
    int cStat;
};

TEST_F(FakeSefazEventsTest, CnpjRootComesFromTheOtherNameWhenTheCnHasNone)
{
    // clang-format off
    const std::vector<CertificateCase> cases{
        {"octet string, same root",      &testPki().ecnpjOtherNameOnly, "22333444000262", 103},
        {"octet string, other root",     &testPki().ecnpjOtherNameOnly, "11222333000181", 213},
        {"printable string, same root",  &testPki().ecnpjPrintable,     "11444777000242", 103},
        {"printable string, other root", &testPki().ecnpjPrintable,     "11222333000181", 213},
    };
    // clang-format on
    const std::string unsignedNote = testData("tools/data/nfe_400_modelo_assinatura.xml");
    for (const CertificateCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string note = signWithTestKey(
            replaced(unsignedNote, "<emit><CNPJ>11222333000181", std::string("<emit><CNPJ>") + c.emitterCnpj),
            "infNFe");
        const std::string answer = ask("/SP/NFeAutorizacao", batch(note), c.client);
        EXPECT_EQ(cStatOf(answer), c.cStat) << answer;
        EXPECT_EQ(validate(answer, "retEnviNFe_v4.00.xsd"), "");
    }
}

} // namespace
