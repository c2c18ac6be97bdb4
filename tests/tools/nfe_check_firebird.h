#pragma once

// The fixture of the nfe-check tests on a module database: a private folder
// that holds the database file "modulo.kvl" and the Firebird root the tool
// makes under XDG_DATA_HOME on its first run, which the query tool shares.

#include <string>
#include <vector>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/nfe_check_paths.h"

#include <gtest/gtest.h>

class NfeCheckFirebird : public ::testing::Test {
  protected:
    // The command line of nfe-check with `args`, on the private root.
    std::vector<std::string> tool(std::vector<std::string> args) const
    {
        std::vector<std::string> argv = {"env",
                                         "-u",
                                         "FIREBIRD",
                                         "-u",
                                         "FIREBIRD_LOCK",
                                         "XDG_DATA_HOME=" + dir.path().string(),
                                         nfe_check_test::tool()};
        argv.insert(argv.end(), args.begin(), args.end());
        return argv;
    }

    // Runs the script with isql-fb on the private root, connected to the
    // database unless `conecta` is false.
    testsupport::CommandResult isql(const std::string &script, bool conecta = true) const
    {
        const std::string root = (dir / "nfe-console" / "firebird").string();
        const std::string lock = (dir / "nfe-console" / "firebird-lock").string();
        std::vector<std::string> argv = {
            "env", "FIREBIRD=" + root, "FIREBIRD_LOCK=" + lock, "isql-fb", "-q", "-ch", "UTF8"};
        if (conecta)
            argv.push_back(fdb);
        return testsupport::runCommand(argv, script);
    }

    // Makes the private Firebird root (the tool's first run does) and the
    // database with `esquema`, the statements after its CREATE DATABASE.
    void criaBanco(const std::string &esquema)
    {
        testsupport::runCommand(tool({"update", (dir / "nada.kvl").string()}));
        const auto criado =
            isql("CREATE DATABASE '" + fdb + "' DEFAULT CHARACTER SET WIN1252;\n" + esquema, false);
        ASSERT_EQ(criado.exitCode, 0) << criado.err;
    }

    // The settings table as the base schema makes it.
    static constexpr const char *kTabelaConfigGeral =
        "CREATE TABLE CONFIG_GERAL (CNPJ VARCHAR(14), CAMPO_REF VARCHAR(50), CAMPO_VALOR VARCHAR(100), "
        "SESSAO_REFERENCIA VARCHAR(50), CAMPO_MEMO BLOB SUB_TYPE 0 SEGMENT SIZE 80);\n";

    testsupport::TempDir dir;
    const std::string fdb = (dir / "modulo.kvl").string();
};
