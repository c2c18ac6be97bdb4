#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_command.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

using testsupport::runCommand;
using testsupport::ScopedEnv;

namespace {

std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

TEST(NfeCheckShell, WinpathMapsOrNamesTheUnmappedDrive)
{
    testsupport::TempDir drive;
    std::filesystem::create_directories(drive / "DRIVEKVL");
    ScopedEnv mapped("KVL_DRIVE_D", drive.path().string());
    ScopedEnv unmapped("KVL_DRIVE_Q", std::nullopt);

    auto result = runCommand({tool(), "winpath", "d:\\DriveKVL\\Logs\\"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, drive.path().string() + "/DRIVEKVL/Logs/\n");

    result = runCommand({tool(), "winpath", "q:\\x.txt"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "unmapped drive Q:\n");
}

TEST(NfeCheckShell, CipherEnciphersWithTheGivenSeedAndDeciphers)
{
    ScopedEnv seed("NFE_CHECK_SEED", "16");
    auto result = runCommand({tool(), "cipher", "enc", "3582", "AB"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "106291\n");

    result = runCommand({tool(), "cipher", "dec", "3582", "106291"});
    EXPECT_EQ(result.out, "AB\n");

    result = runCommand({tool(), "cipher", "dec", "3582", "10ZZ"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "'ZZ' is not a valid integer value\n");
}

} // namespace
