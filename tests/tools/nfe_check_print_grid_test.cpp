#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using testsupport::runCommand;

namespace {

std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

TEST(NfeCheckPrintGrid, WritesTheGridAsPrinterBytes)
{
    testsupport::TempDir dir;
    const std::string saida = (dir / "grade.prn").string();
    const auto result = runCommand({tool(), "print-grid", "66", "8", "135", saida});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::ifstream in(saida, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(bytes.substr(0, 7), std::string({27, '@', 27, '0', 27, 'C', 66}));
    const std::string primeira = "01_4567890123";
    EXPECT_NE(bytes.find(primeira), std::string::npos);
    EXPECT_NE(bytes.find("66_4567"), std::string::npos);
    EXPECT_EQ(bytes.back(), '\f');
}

TEST(NfeCheckPrintGrid, BadInputExitsWithTheMessage)
{
    testsupport::TempDir dir;
    auto result = runCommand({tool(), "print-grid", "x", "6", "80", (dir / "g.prn").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "\"x\" não é um número inteiro válido\n");
    result = runCommand({tool(), "print-grid", "66", "6", "80", (dir / "falta" / "g.prn").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(result.err.empty());
}

} // namespace
