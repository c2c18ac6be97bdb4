#include "app/db/cursor.h"
#include "app/db/statement.h"
#include "tests/app/db/db_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/run_command.h"

#include <memory>

using namespace db;

// This process and the platform's query tool (another process, under the
// same FIREBIRD and FIREBIRD_LOCK) open one file at the same time.
class TwoProcessesTest : public DbFixture {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("isql-fb"))
            GTEST_SKIP() << "isql-fb is not installed";
        DbFixture::SetUp();
        executeSql(*transaction, "CREATE TABLE ITEM (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20))");
        transaction->commitRetaining();
        // Line-buffered, so each answer arrives while the tool keeps running;
        // its transactions see others' commits and never wait on a row.
        isql = std::make_unique<testsupport::ChildProcess>(
            std::vector<std::string>{"stdbuf", "-oL", "-eL", "isql-fb", "-q", "-ch", "UTF8", path});
        tool("SET LIST ON;\nSET TRANSACTION READ COMMITTED RECORD_VERSION NO WAIT;");
    }
    void TearDown() override
    {
        if (isql) {
            isql->write("QUIT;\n");
            isql->wait();
        }
        DbFixture::TearDown();
    }

    // Runs SQL in the tool and returns what it printed for it.
    std::string tool(const std::string &sql)
    {
        const std::string marker = "MARCA-" + std::to_string(++marks);
        const std::size_t from = isql->output().size();
        isql->write(sql + "\nSELECT '" + marker + "' AS M FROM RDB$DATABASE;\n");
        const std::string &all = isql->readUntil(marker, std::chrono::seconds(20));
        EXPECT_NE(all.find(marker, from), std::string::npos) << "the tool did not answer: " << all;
        return all.substr(from);
    }
    std::string nameOf(int id)
    {
        Statement select(*transaction, "SELECT NAME FROM ITEM WHERE ID = ?");
        Cursor rows = select.open({id});
        return rows.next() ? rows.at(0).asString() : "(none)";
    }

    std::unique_ptr<testsupport::ChildProcess> isql;
    int marks = 0;
};

TEST_F(TwoProcessesTest, BothWriteOneFileAndSeeEachOthersCommits)
{
    executeSql(*transaction, "INSERT INTO ITEM VALUES (1, 'Ação nossa')");
    transaction->commitRetaining();
    const std::string seen = tool("INSERT INTO ITEM VALUES (2, 'Ação da ferramenta');\n"
                                  "SELECT NAME FROM ITEM WHERE ID = 1;");
    EXPECT_NE(seen.find("Ação nossa"), std::string::npos) << seen;
    EXPECT_EQ(nameOf(2), "(none)") << "an uncommitted row of the other process shows";
    EXPECT_EQ(seen.find("failed"), std::string::npos) << seen;

    tool("COMMIT;\nSET TRANSACTION READ COMMITTED RECORD_VERSION NO WAIT;");
    EXPECT_EQ(nameOf(2), "Ação da ferramenta");
}

TEST_F(TwoProcessesTest, SecondWriterOfARowGetsTheLockConflictAndStaysUsable)
{
    executeSql(*transaction, "INSERT INTO ITEM VALUES (1, 'a')");
    transaction->commitRetaining();
    const std::string held = tool("UPDATE ITEM SET NAME = 'ferramenta' WHERE ID = 1;");
    ASSERT_EQ(held.find("failed"), std::string::npos) << held;

    try {
        executeSql(*transaction, "UPDATE ITEM SET NAME = 'nosso' WHERE ID = 1");
        FAIL() << "two processes changed one row";
    } catch (const DatabaseError &e) {
        EXPECT_EQ(e.failure(), DbFailure::LockConflict) << e.what();
        EXPECT_STREQ(e.what(), "O registro está em uso por outro usuário; tente novamente.");
    }
    executeSql(*transaction, "INSERT INTO ITEM VALUES (2, 'depois')");
    transaction->commitRetaining();

    const std::string after = tool("COMMIT;\nSELECT COUNT(*) AS N FROM ITEM;");
    EXPECT_NE(after.find("N                               2"), std::string::npos) << after;
    EXPECT_EQ(nameOf(1), "ferramenta");
}
