#include "app/db/data_set.h"
#include "app/db/statement.h"
#include "tests/app/db/db_fixture.h"

using namespace db;
using namespace std::string_literals;

class DataSetTest : public DbFixture {
  protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        // Like the suite's older tables: no primary key.
        executeSql(*transaction,
                   "CREATE TABLE CONFIG_GERAL (CAMPO_REF VARCHAR(30), CAMPO_VALOR VARCHAR(100))");
        transaction->commitRetaining();
        for (const char *ref : {"B", "A", "C"})
            executeSql(*transaction, "INSERT INTO CONFIG_GERAL VALUES (?, ?)",
                       {ref, std::string("valor ") + ref});
        transaction->commitRetaining();
    }

    std::vector<std::string> stored()
    {
        DataSet check(*transaction, "CONFIG_GERAL");
        check.setOrder({"CAMPO_REF"});
        check.open();
        std::vector<std::string> rows;
        for (check.first(); !check.eof(); check.next())
            rows.push_back(check.field("campo_ref").asString() + "=" + check.field("CAMPO_VALOR").asString());
        return rows;
    }
};

TEST_F(DataSetTest, EditInsertAndDeleteReachATableWithoutKey)
{
    DataSet table(*transaction, "CONFIG_GERAL", {"CAMPO_REF", "CAMPO_VALOR"});
    table.setOrder({"CAMPO_REF"});
    int commits = 0;
    table.afterPost = table.afterDelete = [&](DataSet &) {
        transaction->commitRetaining();
        ++commits;
    };
    table.open();
    ASSERT_TRUE(table.locate("campo_ref", "b"s, true));
    table.edit();
    table.setField("CAMPO_VALOR", "D'Ávila -- novo");
    table.post();
    table.insert();
    table.setField("CAMPO_REF", "Z");
    table.post();
    ASSERT_TRUE(table.locate("CAMPO_REF", "A"));
    table.remove();
    EXPECT_EQ(commits, 3);
    EXPECT_EQ(stored(), (std::vector<std::string>{"B=D'Ávila -- novo", "C=valor C", "Z="}));
}

TEST_F(DataSetTest, MissingDeclaredColumnFailsAtOpenNamingTableAndColumn)
{
    DataSet table(*transaction, "CONFIG_GERAL", {"CAMPO_REF", "CAMPO_MEMO"});
    try {
        table.open();
        FAIL() << "opened without a declared column";
    } catch (const DatabaseError &e) {
        EXPECT_EQ(e.failure(), DbFailure::MissingColumn);
        EXPECT_NE(std::string(e.what()).find("CONFIG_GERAL"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("CAMPO_MEMO"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(table.active());
}

TEST_F(DataSetTest, FailedPostKeepsTheTypedValuesAndChangesNothing)
{
    DataSet table(*transaction, "CONFIG_GERAL");
    table.open();
    table.edit();
    table.setField("CAMPO_REF", std::string(31, 'x'));
    try {
        table.post();
        FAIL() << "a text longer than its column was posted";
    } catch (const DatabaseError &e) {
        EXPECT_EQ(e.failure(), DbFailure::TextTooLong);
        EXPECT_NE(std::string(e.what()).find("CAMPO_REF"), std::string::npos) << e.what();
    }
    EXPECT_EQ(table.state(), DataSet::State::Edit);
    EXPECT_EQ(table.field("CAMPO_REF").asString(), std::string(31, 'x'));
    table.cancel();
    EXPECT_EQ(stored(), (std::vector<std::string>{"A=valor A", "B=valor B", "C=valor C"}));
}

TEST_F(DataSetTest, FilterAndOrderShapeTheRows)
{
    DataSet table(*transaction, "CONFIG_GERAL");
    table.setOrder({"CAMPO_REF"});
    table.setFilter([](const DataSet &row) { return row.field("CAMPO_REF").asString() != "B"; });
    table.open();
    ASSERT_EQ(table.recordCount(), 2u);
    table.first();
    EXPECT_EQ(table.field("CAMPO_REF").asString(), "A");
    table.next();
    EXPECT_EQ(table.field("CAMPO_REF").asString(), "C");
    table.next();
    EXPECT_TRUE(table.eof());
    EXPECT_FALSE(table.locate("CAMPO_REF", "B"));
}
