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
