// The fake document monitor watching the exchange folders of a module
// database's emitters, in-process and as a program sharing the file.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

#include "app/dados/esquema_base.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "foundation/text/text_utils.h"
#include "tests/support/child_process.h"
#include "tests/support/fake_monitor.h"
#include "tests/support/fake_monitor_db.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/run_command.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using testsupport::FakeMonitor;
using testsupport::MonitorDatabaseWatch;
using testsupport::TempDir;

namespace {

constexpr const char *kRequest = "consulta001000000123#12345678000195.txt";

// A module database with its base schema, on the tests' private Firebird
// root (shared by several processes), and a drive C: mapped at a folder of
// its own holding the folder "Monitor".
struct ModuleDatabase {
    TempDir temp;
    fs::path drive = temp.path() / "drive-c";
    std::string path = (temp.path() / "modulo.fdb").string();
    db::Database database = create(path);
    testsupport::ScopedEnv mapped{"KVL_DRIVE_C", drive.string()};

    static db::Database create(const std::string &path)
    {
        testsupport::useTestFirebird();
        db::Database database = db::Database::create(path);
        db::Transaction transaction(database);
        criaEsquema(transaction, esquemaBaseModulo());
        transaction.commit();
        return database;
    }
    ModuleDatabase() { fs::create_directories(drive / "Monitor"); }

    void addEmitter(const std::string &cnpj, const db::Value &folder)
    {
        db::Transaction transaction(database);
        db::executeSql(transaction, "INSERT INTO CONFIGNFE (CNPJ_EMI, PATH_COMUNICACAO) VALUES (?, ?)",
                       {cnpj, folder});
        transaction.commit();
    }
    void removeEmitter(const std::string &cnpj)
    {
        db::Transaction transaction(database);
        db::executeSql(transaction, "DELETE FROM CONFIGNFE WHERE CNPJ_EMI = ?", {cnpj});
        transaction.commit();
    }
};

void writeRequest(const fs::path &fil, const std::string &name)
{
    fs::create_directories(fil);
    std::ofstream(fil / (name + ".tmp"), std::ios::binary)
        << "ChaveNFE        = 35260312345678000195550010000001231230001235\r\n";
    fs::rename(fil / (name + ".tmp"), fil / name);
}

std::string fakeMonitorProgram()
{
    return (testsupport::binaryDir() / "bin" / "fake-monitor").string();
}

} // namespace

TEST(FakeMonitorDatabase, WatchesTheFolderOfEveryEmitterRowAsTheRowsChange)
{
    ModuleDatabase module;
    const fs::path linux = module.temp.path() / "filial";
    const fs::path later = module.temp.path() / "ainda-nao";
    fs::create_directories(linux);
    module.addEmitter("11111111000191", "C:\\Monitor\\");
    module.addEmitter("22222222000191", linux.string());
    module.addEmitter("33333333000191", later.string());
    module.addEmitter("44444444000191", db::Value());

    FakeMonitor monitor({});
    MonitorDatabaseWatch rows(monitor, module.path, std::chrono::milliseconds(0));
    auto changes = rows.refresh();
    EXPECT_EQ(changes.watched, (std::vector<std::string>{"C:\\Monitor\\", linux.string()}));
    ASSERT_EQ(changes.problems.size(), 2u);
    EXPECT_NE(changes.problems[0].find("44444444000191 sem PATH_COMUNICACAO"), std::string::npos)
        << changes.problems[0];
    EXPECT_EQ(changes.problems[1], "pasta de comunicacao inexistente: " + later.string());

    // A problem is told once; a stored Windows path is watched mapped.
    changes = rows.refresh();
    EXPECT_TRUE(changes.watched.empty() && changes.problems.empty() && changes.dropped.empty());
    writeRequest(module.drive / "Monitor" / "-fil", kRequest);
    ASSERT_EQ(monitor.processPending().size(), 1u);
    EXPECT_TRUE(fs::exists(module.drive / "Monitor" / "-resp" / (std::string("resp-") + kRequest)));

    // The missing folder is watched once it exists; a removed row's folder
    // is no longer watched.
    fs::create_directories(later);
    module.removeEmitter("22222222000191");
    changes = rows.refresh();
    EXPECT_EQ(changes.watched, std::vector<std::string>{later.string()});
    EXPECT_EQ(changes.dropped, std::vector<std::string>{linux.string()});
    EXPECT_EQ(monitor.storedFolders(), (std::vector<std::string>{"C:\\Monitor\\", later.string()}));
}

TEST(FakeMonitorDatabase, AModuleDatabaseThatCannotBeOpenedIsRefused)
{
    testsupport::useTestFirebird();
    TempDir temp;
    FakeMonitor monitor({});
    try {
        MonitorDatabaseWatch rows(monitor, (temp.path() / "nao-existe.fdb").string());
        ADD_FAILURE() << "accepted";
    } catch (const testsupport::FakeMonitorError &fault) {
        EXPECT_TRUE(std::string(fault.what()).starts_with("banco do modulo ")) << fault.what();
    }
    const auto result = testsupport::runCommand(
        {fakeMonitorProgram(), "--db", (temp.path() / "nao-existe.fdb").string(), "--once"});
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_NE(result.err.find("fake-monitor: banco do modulo "), std::string::npos) << result.err;
}

// The program and the test share one database file: the test keeps its own
// attachment and commits a new emitter while the program reads the rows.
TEST(FakeMonitorProgram, WatchesTheModuleDatabaseItSharesWithTheClient)
{
    ModuleDatabase module;
    module.addEmitter("11111111000191", "C:\\Monitor\\");
    testsupport::ChildProcess monitor({fakeMonitorProgram(), "--db", module.path, "--poll", "50"},
                                      {{"KVL_DRIVE_C", module.drive.string()}});
    const std::string first = "watching C:\\Monitor\\";
    ASSERT_NE(monitor.readUntil(first, std::chrono::seconds(60)).find(first), std::string::npos)
        << monitor.output();

    writeRequest(module.drive / "Monitor" / "-fil", kRequest);
    const std::string answered = std::string(kRequest) + " -> resp-" + kRequest + " 100";
    EXPECT_NE(monitor.readUntil(answered, std::chrono::seconds(20)).find(answered), std::string::npos)
        << monitor.output();

    // Read again every 10 s: a row committed now is watched by then.
    const fs::path second = module.temp.path() / "segunda";
    fs::create_directories(second);
    module.addEmitter("22222222000191", second.string());
    const std::string watched = "watching " + second.string();
    EXPECT_NE(monitor.readUntil(watched, std::chrono::seconds(20)).find(watched), std::string::npos)
        << monitor.output();
    writeRequest(second / "-fil", kRequest);
    const fs::path answer = second / "-resp" / (std::string("resp-") + kRequest);
    for (int wait = 0; wait < 100 && !fs::exists(answer); ++wait)
        monitor.readUntil({}, std::chrono::milliseconds(200));
    EXPECT_TRUE(fs::exists(answer)) << monitor.output();

    const int status = monitor.stop(SIGTERM, std::chrono::seconds(20));
    ASSERT_TRUE(WIFEXITED(status)) << monitor.output();
    EXPECT_EQ(WEXITSTATUS(status), 0) << monitor.output();
}
