#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/nfe_check_paths.h"

#include <gtest/gtest.h>

using testsupport::runCommand;

TEST(NfeCheckDbOpen, MakesThePrivateRootAndPrintsHowToShareTheFile)
{
    if (!testsupport::hasProgram("isql-fb"))
        GTEST_SKIP() << "isql-fb is not installed";
    testsupport::TempDir dir;
    const std::string fdb = (dir / "shared.fdb").string();
    const std::vector<std::string> env = {
        "env", "-u", "FIREBIRD", "-u", "FIREBIRD_LOCK", "XDG_DATA_HOME=" + dir.path().string()};
    auto withEnv = [&](std::vector<std::string> argv) {
        argv.insert(argv.begin(), env.begin(), env.end());
        return argv;
    };
    const auto missing =
        runCommand(withEnv({nfe_check_test::tool(), "db-open", (dir / "none.fdb").string()}));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("Banco de dados não encontrado"), std::string::npos) << missing.err;

    const std::string root = (dir / "nfe-console" / "firebird").string();
    const std::string lock = (dir / "nfe-console" / "firebird-lock").string();
    const auto create = runCommand({"env", "FIREBIRD=" + root, "FIREBIRD_LOCK=" + lock, "isql-fb", "-q"},
                                   "CREATE DATABASE '" + fdb + "' DEFAULT CHARACTER SET WIN1252;\n");
    ASSERT_EQ(create.exitCode, 0) << create.err;
    const auto ok = runCommand(withEnv({nfe_check_test::tool(), "db-open", fdb}));
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_EQ(ok.out, "ok\nWIN1252\n3\nFIREBIRD=" + root + "\nFIREBIRD_LOCK=" + lock + "\n");
}
