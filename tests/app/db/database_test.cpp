#include "app/db/catalogue.h"
#include "app/db/cursor.h"
#include "app/db/database_address.h"
#include "app/db/statement.h"
#include "tests/app/db/db_fixture.h"
#include "tests/support/run_command.h"
#include "tests/support/scoped_env.h"

#include <filesystem>
#include <fstream>

using namespace db;
using testsupport::readFile;

TEST(DatabaseAddress, OnlyHostsOtherThanLocalhostGoThroughAServer)
{
    testsupport::ScopedEnv drive("KVL_DRIVE_Q", "/srv/q");
    struct Case {
        const char *stored;
        bool inProcess;
        const char *name;
    };
    // clang-format off
    const Case cases[] = {
        {"/data/GERENCIA.KVL",            true,  "/data/GERENCIA.KVL"},
        {"LocalHost:/data/a.fdb",         true,  "/data/a.fdb"},
        {"Q:\\KVL\\novo.fdb",             true,  "/srv/q/KVL/novo.fdb"},
        {"127.0.0.1:/data/a.fdb",         false, "127.0.0.1:/data/a.fdb"},
        {"server/3051:C:\\KVL\\a.fdb",    false, "server/3051:C:\\KVL\\a.fdb"},
        {"localhost/3051:/data/a.fdb",    false, "localhost/3051:/data/a.fdb"},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        const ResolvedAddress r = resolveAddress(c.stored);
        EXPECT_EQ(r.inProcess, c.inProcess);
        EXPECT_EQ(r.name, c.name);
    }
    testsupport::ScopedEnv unmapped("KVL_DRIVE_R", std::nullopt);
    EXPECT_THROW(resolveAddress("R:\\x.fdb"), DatabaseError);
}

class DatabaseFileTest : public DbFixture {};

TEST_F(DatabaseFileTest, NewDatabaseIsWin1252Dialect3AndHasGenerators)
{
    const DatabaseFacts facts = describeDatabase(*transaction);
    EXPECT_EQ(facts.characterSet, "WIN1252");
    EXPECT_EQ(facts.dialect, 3);
    EXPECT_FALSE(generatorExists(*transaction, "gera_id_nota"));
    executeSql(*transaction, "CREATE GENERATOR GERA_ID_NOTA");
    transaction->commitRetaining();
    EXPECT_TRUE(generatorExists(*transaction, "gera_id_nota"));
    EXPECT_EQ(nextGeneratorValue(*transaction, "GERA_ID_NOTA"), 1);
    EXPECT_EQ(nextGeneratorValue(*transaction, "GERA_ID_NOTA"), 2);
    EXPECT_THROW(nextGeneratorValue(*transaction, "X,1) FROM RDB$DATABASE; --"), DatabaseError);
    EXPECT_FALSE(tableExists(*transaction, "NOTAS"));
}

TEST_F(DatabaseFileTest, BadFilesGiveTheirMessagesAndKeepTheirBytes)
{
    transaction.reset();
    database.reset();
    const std::string good = readFile(path);
    struct Case {
        const char *name;
        std::string bytes;
        DbFailure failure;
    };
    std::string noise(8192 * 3, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 2654435761u) >> 13);
    const Case cases[] = {
        {"empty.fdb", "", DbFailure::NotADatabase},
        {"noise.fdb", noise, DbFailure::NotADatabase},
        {"truncated.fdb", good.substr(0, good.size() / 3), DbFailure::NotADatabase},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.write(c.name, c.bytes).string();
        try {
            Database::attach(file);
            ADD_FAILURE() << "opened";
        } catch (const DatabaseError &e) {
            EXPECT_EQ(e.failure(), c.failure) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.name), std::string::npos) << e.what();
        }
        EXPECT_EQ(readFile(file), c.bytes);
    }
    const std::string missing = (dir / "missing.fdb").string();
    try {
        Database::attach(missing);
        ADD_FAILURE() << "opened a missing file";
    } catch (const DatabaseError &e) {
        EXPECT_EQ(e.failure(), DbFailure::FileNotFound) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    try {
        Database::create(path);
        ADD_FAILURE() << "created over an existing database";
    } catch (const DatabaseError &e) {
        EXPECT_EQ(e.failure(), DbFailure::AlreadyExists) << e.what();
    }
    EXPECT_EQ(readFile(path), good);
}

TEST_F(DatabaseFileTest, ThePlatformQueryToolAndWeReadEachOthersText)
{
    if (!testsupport::hasProgram("isql-fb"))
        GTEST_SKIP() << "isql-fb is not installed";
    executeSql(*transaction, "CREATE TABLE T (ID INTEGER, TXT VARCHAR(60))");
    transaction->commitRetaining();
    executeSql(*transaction, "INSERT INTO T VALUES (1, ?)", {"Configuração Nº 1 €"});
    transaction->commitRetaining();
    // Another process on the same file at the same time (shared engine mode).
    const auto result = testsupport::runCommand({"isql-fb", "-q", "-ch", "UTF8", path},
                                                "SET LIST ON; SELECT TXT FROM T WHERE ID = 1;\nINSERT INTO T "
                                                "VALUES (2, 'Ação D''Ávila €'); COMMIT;\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Configuração Nº 1 €"), std::string::npos) << result.out;
    Statement select(*transaction, "SELECT TXT FROM T WHERE ID = 2");
    Cursor rows = select.open();
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.at(0).asString(), "Ação D'Ávila €");
}
