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
        {"unknown root", "<retConsSitNFe versao=\"4.00\"/>", 2, "unknown root"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = runCommand({tool(), "answer", dir.write("answer.xml", c.text).string()});
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
    }
    EXPECT_EQ(runCommand({tool(), "answer", (dir / "missing.xml").string()}).exitCode, 2);
}

} // namespace
