#include "app/db/cursor.h"
#include "app/db/statement.h"
#include "tests/app/db/db_fixture.h"

using namespace db;

class StatementTest : public DbFixture {
  protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        executeSql(*transaction,
                   "CREATE TABLE NOTE (ID INTEGER, TXT VARCHAR(60), RAW VARCHAR(60) CHARACTER SET NONE, "
                   "MEMO BLOB SUB_TYPE TEXT, RAWMEMO BLOB SUB_TYPE TEXT CHARACTER SET NONE, "
                   "AMOUNT NUMERIC(18,2), WHEN_ TIMESTAMP)");
        transaction->commitRetaining();
    }

    Value readOne(const std::string &column, int id = 1)
    {
        Statement select(*transaction, "SELECT " + column + " FROM NOTE WHERE ID = ?");
        Cursor rows = select.open({id});
        EXPECT_TRUE(rows.next());
        return rows.at(0);
    }
};

TEST_F(StatementTest, TextRoundTripsInEveryKindOfColumn)
{
    const std::string text = "Configuração Nº 1 €";
    std::string longText;
    while (longText.size() < 70 * 1024)
        longText += text + "\n";
    executeSql(*transaction, "INSERT INTO NOTE (ID, TXT, RAW, MEMO, RAWMEMO) VALUES (1, ?, ?, ?, ?)",
               {text, text, longText, text});
    transaction->commitRetaining();
    EXPECT_EQ(readOne("TXT").asString(), text);
    EXPECT_EQ(readOne("RAW").asString(), text);
    EXPECT_EQ(readOne("MEMO").asString(), longText);
    EXPECT_EQ(readOne("RAWMEMO").asString(), text);
}

TEST_F(StatementTest, ValuesWithSqlCharactersAreOnlyText)
{
    const std::vector<std::string> texts = {"D'Ávila", "C:\\DriveKVL\\", "x' -- ; DROP TABLE NOTE; --"};
    for (std::size_t i = 0; i < texts.size(); ++i)
        executeSql(*transaction, "INSERT INTO NOTE (ID, TXT) VALUES (?, ?)", {int(i), texts[i]});
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(readOne("TXT", int(i)).asString(), texts[i]);
}

TEST_F(StatementTest, ColumnLimitCountsCharactersAndNamesTheColumn)
{
    std::string sixty;
    for (int i = 0; i < 60; ++i)
        sixty += "ç";
    executeSql(*transaction, "INSERT INTO NOTE (ID, TXT) VALUES (1, ?)", {sixty});
    EXPECT_EQ(readOne("TXT").asString(), sixty);
    Statement insert(*transaction, "INSERT INTO NOTE (ID, TXT) VALUES (2, ?)");
    insert.setParameterNames({"TXT"}); // the engine does not name a parameter's column
    try {
        insert.execute({sixty + "ç"});
        FAIL() << "61 characters went into varchar(60)";
    } catch (const DatabaseError &e) {
        EXPECT_EQ(e.failure(), DbFailure::TextTooLong);
        EXPECT_NE(std::string(e.what()).find("TXT"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("60"), std::string::npos) << e.what();
    }
}

TEST_F(StatementTest, CharacterTheDatabaseCannotHoldIsRefusedAndNothingIsWritten)
{
    for (const char *column : {"TXT", "RAW", "MEMO"}) {
        SCOPED_TRACE(column);
        try {
            executeSql(*transaction, std::string("INSERT INTO NOTE (ID, ") + column + ") VALUES (1, ?)",
                       {"Nota \xF0\x9F\x98\x80"});
            FAIL() << "an emoji was stored";
        } catch (const DatabaseError &e) {
            EXPECT_EQ(e.failure(), DbFailure::CannotStoreChar) << e.what();
        }
    }
    transaction->commitRetaining();
    Statement count(*transaction, "SELECT COUNT(*) FROM NOTE");
    Cursor rows = count.open();
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.at(0).asInteger(), 0);
}

TEST_F(StatementTest, NumbersDatesAndNullsKeepTheirKinds)
{
    executeSql(*transaction, "INSERT INTO NOTE (ID, AMOUNT, WHEN_, TXT) VALUES (?, ?, ?, ?)",
               {7, *Decimal::parse("1234.56"),
                Value::ofDateTime(encodeDateTime({2024, 2, 29, 13, 45, 10, 0})), Value()});
    EXPECT_EQ(readOne("AMOUNT", 7).asDecimal(), *Decimal::parse("1234.56"));
    EXPECT_EQ(readOne("WHEN_", 7).asString(), "2024-02-29 13:45:10");
    EXPECT_TRUE(readOne("TXT", 7).isNull());
}

TEST_F(StatementTest, FieldsAreFoundByNameWithoutRegardToCase)
{
    executeSql(*transaction, "INSERT INTO NOTE (ID, TXT) VALUES (3, 'x')");
    Statement select(*transaction, "SELECT ID, TXT AS Texto FROM NOTE");
    Cursor rows = select.open();
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.field("id").asInteger(), 3);
    EXPECT_EQ(rows.field("TEXTO").asString(), "x");
    EXPECT_THROW(rows.field("NOPE"), DatabaseError);
    EXPECT_FALSE(rows.next());
}
