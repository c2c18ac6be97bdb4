#include "app/db/cursor.h"
#include "app/db/statement.h"
#include "tests/app/db/db_fixture.h"

using namespace db;

namespace {

int countRows(Transaction &t)
{
    Statement count(t, "SELECT COUNT(*) FROM ITEM");
    Cursor rows = count.open();
    rows.next();
    return rows.at(0).asInteger();
}

} // namespace

class TransactionTest : public DbFixture {
  protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        executeSql(*transaction, "CREATE TABLE ITEM (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20))");
        transaction->commitRetaining();
    }
};

TEST_F(TransactionTest, RetainingFormsKeepTheTransactionAndRollBackOnlyWhatFollowsTheCommit)
{
    executeSql(*transaction, "INSERT INTO ITEM VALUES (1, 'a')");
    transaction->commitRetaining();
    EXPECT_TRUE(transaction->active());
    executeSql(*transaction, "INSERT INTO ITEM VALUES (2, 'b')");
    transaction->rollbackRetaining();
    EXPECT_TRUE(transaction->active());
    EXPECT_EQ(countRows(*transaction), 1);

    // What was committed is seen by another connection.
    Database other = Database::attach(path);
    Transaction reader(other);
    EXPECT_EQ(countRows(reader), 1);
}

TEST_F(TransactionTest, DestroyingAnActiveTransactionKeepsNothingOfIt)
{
    {
        Transaction scratch(*database);
        executeSql(scratch, "INSERT INTO ITEM VALUES (5, 'x')");
    }
    EXPECT_EQ(countRows(*transaction), 0);
}

TEST_F(TransactionTest, SecondWriterOfARowGetsTheLockConflictAndStaysUsable)
{
    executeSql(*transaction, "INSERT INTO ITEM VALUES (1, 'a')");
    transaction->commitRetaining();
    executeSql(*transaction, "UPDATE ITEM SET NAME = 'first' WHERE ID = 1");

    Database other = Database::attach(path);
    Transaction second(other);
    try {
        executeSql(second, "UPDATE ITEM SET NAME = 'second' WHERE ID = 1");
        FAIL() << "two writers changed one row";
    } catch (const DatabaseError &e) {
        EXPECT_EQ(e.failure(), DbFailure::LockConflict) << e.what();
    }
    executeSql(second, "INSERT INTO ITEM VALUES (2, 'b')");
    second.commit();
    transaction->commitRetaining();
    EXPECT_EQ(countRows(*transaction), 2);
}
