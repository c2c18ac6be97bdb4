// nfe-check pos-status: a POS printer's status read from a scripted printer.

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/fake_pos_printer.h"
#include "tests/support/run_command.h"
#include "tests/tools/nfe_check_paths.h"

using nfe_check_test::tool;
using testsupport::runCommand;

namespace {

// Paper out, drawer closed: off line because of the paper.
std::map<std::string, std::string> semPapel()
{
    return {{"\x1D\x49\x42", std::string("_EPSON\0", 7)},
            {"\x1D\x49\x41", std::string("_1.07\0", 6)},
            {"\x1D\x49\x43", std::string("_TM-Q\0", 6)},
            {"\x1D\x49\x44", std::string("_X1\0", 4)},
            {"\x1D\x49\x32", "\x02"},
            {"\x10\x04\x01", "\x1E"},
            {"\x10\x04\x02", "\x32"},
            {"\x10\x04\x04", "\x72"}};
}

} // namespace

TEST(NfeCheckPosStatus, PrintsTheStatusNamesAndTheInformation)
{
    testsupport::FakePosPrinter printer({.answers = semPapel()});
    const std::string porta = "TCP:127.0.0.1:" + std::to_string(printer.port());

    const auto status = runCommand({tool(), "pos-status", porta, "EscPosEpson"});
    ASSERT_EQ(status.exitCode, 0) << status.err;
    EXPECT_EQ(status.out, "stSemPapel, stOffLine, \n");

    const auto invertida =
        runCommand({tool(), "pos-status", porta, "EscPosEpson", "--inverted-drawer", "--info"});
    ASSERT_EQ(invertida.exitCode, 0) << invertida.err;
    EXPECT_EQ(invertida.out, "stSemPapel, stGavetaAberta, stOffLine, \n"
                             "Fabricante=EPSON\nFirmware=1.07\nModelo=TM-Q\nSerial=X1\n"
                             "Guilhotina=1\nCheque=0\n MICR=0\nAutenticacao=0\n");
}

TEST(NfeCheckPosStatus, FailuresAndWrongArgumentsHaveTheirExitCodes)
{
    const auto raw = runCommand({tool(), "pos-status", "RAW:NaoExiste", "EscPosEpson", "--info"});
    EXPECT_EQ(raw.exitCode, 1);
    EXPECT_EQ(raw.out, "stApenasEscrita, \n");
    EXPECT_EQ(raw.err, "Leitura de Informações não disponível na porta: dtRawPrinter\n");

    const std::vector<std::vector<std::string>> errados = {
        {},
        {"RAW:x", "NaoExiste"},
        {"RAW:x", "EscPosEpson", "--attempts"},
        {"RAW:x", "EscPosEpson", "--timeout", "abc"},
        {"RAW:x", "EscPosEpson", "--colour"},
    };
    for (const auto &args : errados) {
        std::vector<std::string> linha = {tool(), "pos-status"};
        linha.insert(linha.end(), args.begin(), args.end());
        EXPECT_EQ(runCommand(linha).exitCode, 2) << (args.empty() ? "" : args.back());
    }
}
