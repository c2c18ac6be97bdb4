#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using testsupport::runCommand;

namespace {

std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

std::string parts(const std::string &cuf, const std::string &aamm, const std::string &emitter,
                  const std::string &model, const std::string &series, const std::string &number,
                  const std::string &tpEmis, const std::string &code, const std::string &digit)
{
    return "cUF=" + cuf + "\nAAMM=" + aamm + "\nCNPJCPF=" + emitter + "\nmod=" + model + "\nserie=" + series +
           "\nnNF=" + number + "\ntpEmis=" + tpEmis + "\ncNF=" + code + "\ncDV=" + digit + "\n";
}

} // namespace

TEST(NfeCheckKey, ValidKeysListTheirParts)
{
    struct Case {
        std::string key;
        std::string out;
    };
    const Case cases[] = {
        {"35190111222333000181550010000000011876543212",
         parts("35", "1901", "11222333000181", "55", "001", "000000001", "1", "87654321", "2")},
        // Written in blocks, as printed on the DANFE.
        {"3519 0111 2223 3300 0181 5500 1000 0000 0118 7654 3212",
         parts("35", "1901", "11222333000181", "55", "001", "000000001", "1", "87654321", "2")},
        // Series 920 carries the emitter's CPF.
        {"35190100011144477735559200000000011123456798",
         parts("35", "1901", "11144477735", "55", "920", "000000001", "1", "12345679", "8")},
        // Model 59: 9-digit series, 6-digit number and code, no emission type.
        {"35190111222333000181599000012340007776543218",
         parts("35", "1901", "11222333000181", "59", "900001234", "000777", "0", "654321", "8")},
    };
    for (const Case &c : cases) {
        const auto result = runCommand({tool(), "key", c.key});
        EXPECT_EQ(result.exitCode, 0) << c.key << "\n" << result.err;
        EXPECT_EQ(result.out, "valid\n" + c.out) << c.key;
    }
}

TEST(NfeCheckKey, InvalidKeysGiveTheReasonAndExitOne)
{
    struct Case {
        std::string key;
        std::string firstLine;
    };
    const Case cases[] = {
        {"35190111222333000181550010000000011876543219",
         "Dígito verificador inválido: calculado 2, informado 9"},
        {"3519011122233300018155001000000001187654321", "Chave de acesso deve ter 44 dígitos (tem 43)"},
        {"", "Chave de acesso deve ter 44 dígitos (tem 0)"},
    };
    for (const Case &c : cases) {
        const auto result = runCommand({tool(), "key", c.key});
        EXPECT_EQ(result.exitCode, 1) << c.key;
        EXPECT_EQ(result.out.substr(0, result.out.find('\n')), c.firstLine) << c.key;
        EXPECT_NE(result.out.find("\ncDV="), std::string::npos);
    }

    const auto missing = runCommand({tool(), "key"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("expected <key>"), std::string::npos);
}
