#include "app/db/cursor.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "tests/support/child_process.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sstream>
#include <thread>

#include <sys/wait.h>

using namespace db;

// A writer committing batches is killed at random moments: every commit is
// kept whole, nothing of an uncommitted batch shows, and the file stays
// sound for the engine and for the platform's validation tool.
TEST(KilledWriter, LeavesWholeBatchesInASoundFile)
{
    if (!testsupport::hasProgram("gfix"))
        GTEST_SKIP() << "gfix is not installed";
    testsupport::useTestFirebird();
    testsupport::TempDir dir;
    const std::string path = (dir / "lotes.fdb").string();
    {
        Database database = Database::create(path);
        Transaction t(database);
        executeSql(t, "CREATE TABLE LOTE (NUMERO INTEGER NOT NULL, LINHA INTEGER NOT NULL, "
                      "TEXTO VARCHAR(60), PRIMARY KEY (NUMERO, LINHA))");
        t.commit();
    }
    constexpr int kRowsPerBatch = 40;
    constexpr int kKills = 3;
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pause(0, 100);
    const std::string writer = (testsupport::binaryDir() / "bin" / "firebird-batch-writer").string();
    for (int kill = 0; kill < kKills; ++kill) {
        testsupport::ChildProcess child({writer, path, std::to_string(kRowsPerBatch)});
        // Killed only once it is writing: after its first commit.
        const std::string &said = child.readUntil("\n", std::chrono::seconds(30));
        ASSERT_EQ(said.rfind("lote ", 0), 0u) << said;
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
        const int status = child.stop(SIGKILL, std::chrono::milliseconds(0));
        ASSERT_TRUE(WIFSIGNALED(status)) << child.readToEnd(std::chrono::seconds(1));
    }

    {
        Database database = Database::attach(path);
        Transaction t(database);
        Statement batches(t, "SELECT NUMERO, COUNT(*) FROM LOTE GROUP BY NUMERO ORDER BY NUMERO");
        Cursor rows = batches.open();
        int expected = 1;
        while (rows.next()) {
            EXPECT_EQ(rows.at(0).asInteger(), expected) << "a batch is missing";
            EXPECT_EQ(rows.at(1).asInteger(), kRowsPerBatch) << "batch " << rows.at(0).asInteger();
            ++expected;
        }
        EXPECT_GE(expected - 1, kKills);
    }
    // A process that dies mid-write may leave a page allocated but not yet
    // linked, or a pointer page's "full" bit behind its data page: warnings
    // the validation mends itself. Any error is a fault.
    const auto check = testsupport::runCommand({"gfix", "-v", "-full", "-user", "SYSDBA", path});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
    std::istringstream report(check.out + check.err);
    for (std::string line; std::getline(report, line);)
        if (!line.empty() && line != "Summary of validation errors" &&
            line.find(" warnings") == std::string::npos)
            ADD_FAILURE() << "gfix: " << line;
}
