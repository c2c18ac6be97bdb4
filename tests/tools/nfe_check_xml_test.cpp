// nfe-check xml: a note read into the model and written back as read.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "nfe_check_paths.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/text_edit.h"

using nfe_check_test::dataFile;
using nfe_check_test::tool;
using testsupport::CommandResult;
using testsupport::readFile;
using testsupport::runCommand;

namespace {

} // namespace

// Notes written by the writer come back byte for byte: an authorised NFC-e
// 4.00 with signature and protocol, an NF-e 3.10 without signature, and an
// NF-e 4.00 with the empty signature block.
TEST(NfeCheckXml, NotesComeBackAsWritten)
{
    for (const char *name : {"nfce_400_nfeproc.xml", "nfe_310.xml", "nfe_400_modelo_assinatura.xml"}) {
        const CommandResult result = runCommand({tool(), "xml", dataFile(name)});
        EXPECT_EQ(result.exitCode, 0) << name << ": " << result.err;
        EXPECT_EQ(result.err, "") << name;
        EXPECT_EQ(result.out, readFile(dataFile(name))) << name;
    }
}

// The older wrapper name and a UTF-8 BOM are accepted; the note is written in
// the writer's own form (nfeProc).
TEST(NfeCheckXml, ProcNFeWrapperIsRead)
{
    const std::string nfeProc = readFile(dataFile("nfce_400_nfeproc.xml"));
    const std::size_t inicio = nfeProc.find("<NFe ");
    const std::size_t fim = nfeProc.rfind("</nfeProc>");
    testsupport::TempDir folder;
    const std::string proc =
        "\xEF\xBB\xBF<procNFe versao=\"4.00\">" + nfeProc.substr(inicio, fim - inicio) + "</procNFe>";
    const CommandResult result = runCommand({tool(), "xml", folder.write("proc.xml", proc).string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, nfeProc);
}

TEST(NfeCheckXml, FailuresGoToStandardErrorWithExit1)
{
    testsupport::TempDir folder;
    const std::string nota = readFile(dataFile("nfe_310.xml"));
    struct Case {
        std::string name;
        std::string text;
        const char *message;
        bool written;
    };
    const Case cases[] = {
        {"sem_id.xml",
         testsupport::replacedOnce(nota, "Id=\"NFe35240511222333000181550010000043211123456780\"",
                                   "Id=\"NFe\""),
         "Não encontrei o atributo: Id", false},
        {"versao.xml", testsupport::replacedOnce(nota, "versao=\"3.10\"", "versao=\"x\""),
         "Não encontrei o atributo: versao", false},
        {"data.xml", testsupport::replacedOnce(nota, "2024-05-17T10:30:00", "2024-05-1710:30:00"), "não",
         false},
        {"alerta.xml",
         testsupport::replacedOnce(nota, "<xNome>EMPRESA DE TESTE LTDA</xNome>", "<xNome></xNome>"),
         "Nenhum valor informado", true},
        {"chave.xml", testsupport::replacedOnce(nota, "<nNF>4321</nNF>", "<nNF>4322</nNF>"), "difere da lida",
         true},
    };
    for (const Case &c : cases) {
        const CommandResult result = runCommand({tool(), "xml", folder.write(c.name, c.text).string()});
        EXPECT_EQ(result.exitCode, 1) << c.name;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.name << ": " << result.err;
        EXPECT_EQ(result.out.starts_with("<NFe "), c.written) << c.name << ": " << result.out;
    }

    const CommandResult missing = runCommand({tool(), "xml", (folder / "nao_existe.xml").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("Não foi possível ler o arquivo"), std::string::npos);
    EXPECT_EQ(runCommand({tool(), "xml"}).exitCode, 2);
}

// A note signed by xmlsec1, read and written again by the tool, still verifies.
TEST(NfeCheckXml, SignatureStillVerifies)
{
    if (!testsupport::hasProgram("xmlsec1") || !testsupport::hasProgram("openssl"))
        GTEST_SKIP() << "xmlsec1 ou openssl ausente";
    testsupport::TempDir folder;
    const std::string key = (folder / "key.pem").string();
    const std::string certificate = (folder / "cert.pem").string();
    ASSERT_EQ(runCommand({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out",
                          certificate, "-subj", "/CN=TESTE", "-days", "2"})
                  .exitCode,
              0);
    const std::string signedFile = (folder / "signed.xml").string();
    const CommandResult signing =
        runCommand({"xmlsec1", "--sign", "--privkey-pem", key + "," + certificate, "--id-attr:Id", "infNFe",
                    "--output", signedFile, dataFile("nfe_400_modelo_assinatura.xml")});
    ASSERT_EQ(signing.exitCode, 0) << signing.err;

    const CommandResult rewritten = runCommand({tool(), "xml", signedFile});
    ASSERT_EQ(rewritten.exitCode, 0) << rewritten.err;
    EXPECT_TRUE(rewritten.out.starts_with("<NFe "));
    const CommandResult verification =
        runCommand({"xmlsec1", "--verify", "--pubkey-cert-pem", certificate, "--id-attr:Id", "infNFe",
                    folder.write("rewritten.xml", rewritten.out).string()});
    EXPECT_EQ(verification.exitCode, 0) << verification.err;
}
