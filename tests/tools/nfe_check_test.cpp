#include <gtest/gtest.h>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using testsupport::runCommand;

namespace {

std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

} // namespace

TEST(NfeCheck, VersionAndHelp)
{
    auto version = runCommand({tool(), "--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_NE(version.out.find("nfe-check "), std::string::npos);

    auto help = runCommand({tool(), "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: nfe-check"), std::string::npos);
}

TEST(NfeCheck, UnknownVerbIsRefused)
{
    auto result = runCommand({tool(), "no-such-verb"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("unknown verb"), std::string::npos);
}
