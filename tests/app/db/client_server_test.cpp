#include "app/db/cursor.h"
#include "app/db/database.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/firebird_test_server.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

using namespace db;

namespace {

// The failure and message of what `open` raises.
DatabaseError failureOf(const std::function<void()> &open)
{
    try {
        open();
    } catch (const DatabaseError &e) {
        return e;
    }
    return DatabaseError(DbFailure::Other, "nothing was raised");
}

} // namespace

// One private server for the suite; each test uses files of its own.
class ClientServerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        if (testsupport::FirebirdTestServer::available())
            server = std::make_unique<testsupport::FirebirdTestServer>();
    }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override
    {
        if (!server)
            GTEST_SKIP() << "the Firebird server is not installed";
        testsupport::useTestFirebird();
    }
    std::string address(const char *name) const { return server->address(server->dataDir() / name); }

    static std::unique_ptr<testsupport::FirebirdTestServer> server;
};

std::unique_ptr<testsupport::FirebirdTestServer> ClientServerTest::server;

TEST_F(ClientServerTest, CreatesWritesAndReadsAFileThroughTheServer)
{
    const std::string at = address("servidor.fdb");
    {
        Database database = Database::create(at);
        Transaction t(database);
        executeSql(t, "CREATE TABLE T (ID INTEGER, TXT VARCHAR(60))");
        t.commitRetaining();
        executeSql(t, "INSERT INTO T VALUES (1, ?)", {"Configuração Nº 1 €"});
        t.commit();
    }
    EXPECT_TRUE(std::filesystem::exists(server->dataDir() / "servidor.fdb"));
    Database database = Database::attach(at);
    Transaction t(database);
    Statement select(t, "SELECT TXT FROM T WHERE ID = 1");
    Cursor rows = select.open();
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.at(0).asString(), "Configuração Nº 1 €");
}

TEST_F(ClientServerTest, FailuresThroughTheServerGiveTheirMessages)
{
    const std::string existing = address("existente.fdb");
    Database::create(existing);
    const std::string missing = address("faltando.fdb");
    struct Case {
        const char *what;
        std::function<void()> open;
        DbFailure failure;
        std::string message;
    };
    const Case cases[] = {
        {"wrong password",
         [&] {
             Database::attach(existing, {"Sysdba", "errada"});
         },
         DbFailure::Login, "Usuário ou senha do banco de dados não aceitos pelo servidor: " + existing},
        {"missing file", [&] { Database::attach(missing); }, DbFailure::FileNotFound,
         "Banco de dados não encontrado: " + missing},
        {"create over a file", [&] { Database::create(existing); }, DbFailure::AlreadyExists,
         "O banco de dados já existe: " + existing},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const DatabaseError e = failureOf(c.open);
        EXPECT_EQ(e.failure(), c.failure) << e.what();
        EXPECT_EQ(e.what(), c.message);
    }
    EXPECT_FALSE(std::filesystem::exists(server->dataDir() / "faltando.fdb"));
}

TEST(ClientServerStopped, AStoppedServerIsReportedAsNotAnswering)
{
    if (!testsupport::FirebirdTestServer::available())
        GTEST_SKIP() << "the Firebird server is not installed";
    testsupport::useTestFirebird();
    testsupport::FirebirdTestServer server;
    const std::string at = server.address(server.dataDir() / "parado.fdb");
    auto open = std::make_unique<Database>(Database::create(at));
    auto transaction = std::make_unique<Transaction>(*open);
    executeSql(*transaction, "CREATE TABLE T (ID INTEGER)");
    transaction->commitRetaining();
    server.stop();

    // A connection made before: its next statement fails, and it can still
    // be let go of.
    const DatabaseError during = failureOf([&] { executeSql(*transaction, "INSERT INTO T VALUES (1)"); });
    EXPECT_EQ(during.failure(), DbFailure::ServerUnreachable) << during.what();
    transaction.reset();
    open.reset();

    const DatabaseError e = failureOf([&] { Database::attach(at); });
    EXPECT_EQ(e.failure(), DbFailure::ServerUnreachable) << e.what();
    EXPECT_STREQ(e.what(), ("O servidor do banco de dados não responde: " + at).c_str());
}
