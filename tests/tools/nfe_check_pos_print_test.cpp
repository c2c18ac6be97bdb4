// nfe-check pos-print: a tag-language file through the POS printer component.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/escpos_decoder.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/nfe_check_paths.h"

using nfe_check_test::tool;
using testsupport::runCommand;

TEST(NfeCheckPosPrint, FilePortHoldsExactlyThePrintersBytes)
{
    testsupport::TempDir dir;
    const auto recibo =
        dir.write("recibo.txt", "<n>Pão</n>\n<code128>ABC</code128>\n</corte_total>").string();
    const std::string saida = (dir / "impressora.prn").string();

    const auto result =
        runCommand({tool(), "pos-print", "FILE:" + saida, "EscPosEpson", recibo, "--copies", "2"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> copia = {
        "text: {bold}P\u00e3o",
        "barcode CODE128 w=2 h=50 hri=0 data={BABC",
    };
    std::vector<std::string> esperado = {"code page 2"};
    for (int vez = 0; vez < 2; ++vez) {
        esperado.insert(esperado.end(), copia.begin(), copia.end());
        esperado.push_back("text:");                    // the line feed after the barcode
        esperado.insert(esperado.end(), 21, "text:  "); // the lines fed before the cut
        esperado.push_back("cut full");
    }
    EXPECT_EQ(testsupport::decodeEscPos(testsupport::readFile(saida)).lines, esperado);

    // The plain text model without tags: the text recoded to code page 860.
    const auto texto = runCommand(
        {tool(), "pos-print", "FILE:" + saida, "Texto", recibo, "--code-page", "860", "--no-tags"});
    ASSERT_EQ(texto.exitCode, 0) << texto.err;
    EXPECT_EQ(testsupport::readFile(saida), "<n>P\x84o</n>\n<code128>ABC</code128>\n</corte_total>");
}

TEST(NfeCheckPosPrint, FailuresAndWrongArgumentsHaveTheirExitCodes)
{
    testsupport::TempDir dir;
    const auto bmp = dir.write("bmp.txt", "<bmp>/nao/existe/logo.bmp</bmp>").string();
    const std::string saida = "FILE:" + (dir / "impressora.prn").string();

    const auto falha = runCommand({tool(), "pos-print", saida, "EscPosEpson", bmp});
    EXPECT_EQ(falha.exitCode, 1);
    EXPECT_EQ(falha.err, "Arquivo: /nao/existe/logo.bmp não encontrado\n");

    struct Case {
        const char *name;
        std::vector<std::string> args;
    };
    const std::vector<Case> cases = {
        {"too few", {saida, "EscPosEpson"}},
        {"unknown model", {saida, "Epson", bmp}},
        {"unknown code page", {saida, "Texto", bmp, "--code-page", "1250"}},
        {"no copies", {saida, "Texto", bmp, "--copies", "0"}},
        {"columns not a number", {saida, "Texto", bmp, "--columns", "x"}},
        {"unknown option", {saida, "Texto", bmp, "--fast"}},
        {"missing file", {saida, "Texto", (dir / "nada.txt").string()}},
    };
    for (const Case &c : cases) {
        std::vector<std::string> argv = {tool(), "pos-print"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const auto result = runCommand(argv);
        EXPECT_EQ(result.exitCode, 2) << c.name;
        EXPECT_NE(result.err.find("pos-print"), std::string::npos) << c.name;
    }
}

TEST(NfeCheckPosPrint, EveryModelNamePrintsWithItsOwnCommands)
{
    testsupport::TempDir dir;
    const auto recibo = dir.write("recibo.txt", "</beep>").string();
    const std::string saida = (dir / "impressora.prn").string();
    struct Case {
        const char *modelo;
        std::string beep; // the family's own beep, after its initialisation
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"Texto",        ""},
        {"EscPosEpson",  std::string("\x1B\x28\x41\x05\x00\x61\x64\x01\x32\x32", 10)},
        {"EscBematech",  std::string("\x1B\x28\x41\x04\x00\x01\x02\x01\x00", 9)},
        {"EscDaruma",    "\x07"},
        {"EscElgin",     std::string("\x1B\x28\x41\x04\x00\x01\x02\x01\x00", 9)},
        {"EscDiebold",   std::string("\x1B\x28\x41\x05\x00\x61\x64\x01\x32\x32", 10)},
        {"EscEpsonP2",   ""},
        {"EscCustomPos", ""},
        {"EscPosStar",   "\x1B\x1D\x07\x01\x02\x05"},
        {"EscZJiang",    "\x1B\x42\x01\x03"},
        {"EscGPrinter",  "\x1B\x42\x01\x03"},
        {"EscDatecs",    "\x07"},
        {"EscSunmi",     "\x1B\x1D\x07\x31\x02\x05"},
    };
    // clang-format on
    for (const Case &c : cases) {
        const auto result = runCommand({tool(), "pos-print", "FILE:" + saida, c.modelo, recibo});
        ASSERT_EQ(result.exitCode, 0) << c.modelo << ": " << result.err;
        const std::string impresso = testsupport::readFile(saida);
        EXPECT_TRUE(impresso.ends_with(c.beep)) << c.modelo;
        EXPECT_EQ(impresso.empty(), c.beep.empty()) << c.modelo;
    }
}
