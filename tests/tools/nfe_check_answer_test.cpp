// nfe-check answer: the fields of each answer fixture agree with what
// Python's xml.etree reads from the same file; exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "nfe_check_paths.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

using nfe_check_test::tool;
using testsupport::runCommand;

std::string answerFile(const std::string &name)
{
    return (testsupport::sourceDir() / "tests" / "data" / "answers" / name).string();
}

std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

TEST(NfeCheckAnswer, PrintsTheFieldsThatXmlEtreeReads)
{
    if (!testsupport::hasProgram("/usr/bin/python3"))
        GTEST_SKIP() << "python3 missing";
    const std::string script = nfe_check_test::dataFile("answer_fields.py");
    for (const char *name : {"retConsStatServ.xml", "retEnviNFe.xml", "retConsReciNFe.xml", "retConsCad.xml",
                             "retAdmCscNFCe.xml", "retDistDFeInt.xml"}) {
        SCOPED_TRACE(name);
        const auto printed = runCommand({tool(), "answer", answerFile(name)});
        ASSERT_EQ(printed.exitCode, 0) << printed.err;
        const auto expected = runCommand({"/usr/bin/python3", script, answerFile(name)});
        ASSERT_EQ(expected.exitCode, 0) << expected.err;
        const std::vector<std::string> printedLines = lines(printed.out);
        EXPECT_EQ(printedLines.front(), lines(expected.out).front());
        for (const std::string &line : lines(expected.out))
            EXPECT_NE(std::find(printedLines.begin(), printedLines.end(), line), printedLines.end()) << line;
    }
}

TEST(NfeCheckAnswer, ExitCodesTellFalseAndRaisedFromUnknown)
{
    testsupport::TempDir dir;
    struct Case {
        const char *name;
        std::string text;
        int exitCode;
        const char *err;
    };
    const std::vector<Case> cases = {
        {"reader false", "<?xml version=\"1.0\"?><retConsCad versao=\"2.00\"></retConsCad>", 1, ""},
        {"reader raises",
         "<retDistDFeInt versao=\"1.01\"><cStat>138</cStat><loteDistDFeInt><docZip NSU=\"1\" "
         "schema=\"resNFe_v1.01.xsd\">***</docZip></loteDistDFeInt></retDistDFeInt>",
         1, "Base64"},
        {"unknown root", "<retConsQualquer versao=\"4.00\"/>", 2, "unknown root"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = runCommand({tool(), "answer", dir.write("answer.xml", c.text).string()});
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
    }
    EXPECT_EQ(runCommand({tool(), "answer", (dir / "missing.xml").string()}).exitCode, 2);
}

TEST(NfeCheckAnswer, ReadsEventSituationAndVoidingTexts)
{
    struct Case {
        const char *name;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"retEnvEvento.xml",
         {"root=retEnvEvento", "cStat=128", "retEvento.3.cStat=136", "retEvento.3.tpEvento=110111"}},
        {"procEventoNFe.xml",
         {"root=procEventoNFe", "evento.tpEvento=110110", "detEvento.descEvento=Carta de Correcao",
          "Signature.SignatureValue=c2lnbmF0dXJl", "retEvento.1.nProt=135240000000101"}},
        {"retConsSitNFe.xml",
         {"root=retConsSitNFe", "protNFe.nProt=135240000000001", "retCancNFe.cStat=0",
          "procEventoNFe.1.evento.tpEvento=110110", "procEventoNFe.2.retEvento.1.nProt=891240000000102"}},
        {"retConsSitNFe-cancelada.xml", {"retCancNFe.cStat=101", "retCancNFe.nProt=135240000000009"}},
        {"retInutNFe.xml", {"root=retInutNFe", "retInutNFe.cStat=102", "retInutNFe.nProt=135240000000301"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto printed = runCommand({tool(), "answer", answerFile(c.name)});
        ASSERT_EQ(printed.exitCode, 0) << printed.err;
        const std::vector<std::string> printedLines = lines(printed.out);
        for (const std::string &line : c.expected)
            EXPECT_NE(std::find(printedLines.begin(), printedLines.end(), line), printedLines.end()) << line;
    }
}

} // namespace
