// The application form against the real system: the guard of a private
// Firebird root is started, serves a client, and is stopped. No service of
// the system is asked anything (the controller has no inner service form).

#include "app/db/cursor.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "app/firebird/gerenciador_firebird.h"
#include "foundation/files/user_registry.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/firebird_test_server.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The processes whose parent is `pai`.
std::vector<pid_t> filhosDe(pid_t pai)
{
    std::vector<pid_t> filhos;
    std::error_code erro;
    for (const auto &entrada : fs::directory_iterator("/proc", erro)) {
        const std::string nome = entrada.path().filename().string();
        if (nome.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entrada.path() / "stat");
        std::string linha;
        std::getline(stat, linha);
        // "pid (name) state ppid ...": the name may hold blanks.
        const auto fecha = linha.rfind(')');
        if (fecha == std::string::npos)
            continue;
        char estado = 0;
        int ppid = 0;
        if (std::sscanf(linha.c_str() + fecha + 1, " %c %d", &estado, &ppid) == 2 && ppid == pai)
            filhos.push_back(static_cast<pid_t>(std::stol(nome)));
    }
    return filhos;
}

bool vivo(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string linha;
    if (!std::getline(stat, linha))
        return false;
    const auto fecha = linha.rfind(')');
    return fecha != std::string::npos && linha.size() > fecha + 2 && linha[fecha + 2] != 'Z';
}

// Ends by PID whatever the test started and is still there.
class Sobras {
  public:
    ~Sobras()
    {
        for (const pid_t pid : pids)
            if (vivo(pid))
                kill(pid, SIGKILL);
    }
    std::set<pid_t> pids;
};

constexpr const char *kInstancias = "SOFTWARE\\Firebird Project\\Firebird Server\\Instances";

} // namespace

TEST(ServidorFirebirdReal, TheGuardOfAPrivateRootServesAClientAndStopsWithItsServer)
{
    if (!testsupport::FirebirdTestServer::guardAvailable())
        GTEST_SKIP() << "the Firebird server or its guard is not installed";
    testsupport::useTestFirebird();
    testsupport::FirebirdTestServer servidor(testsupport::FirebirdTestServer::Launch::Later);
    testsupport::TempDir config;
    testsupport::ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
    ASSERT_TRUE(registryWriteString(kInstancias, "DefaultInstance", servidor.root().string()));

    Sobras sobras;
    std::vector<std::string> relatos;
    TFirebirdApplication app(sondaDoSistema(), false);
    app.OnLog = [&](const std::string &texto, int) { relatos.push_back(texto); };
    app.WaitAfterMs = 0;
    ASSERT_TRUE(app.Installed);
    EXPECT_EQ(app.Porta, servidor.port());
    EXPECT_EQ(app.GetState(), 1);
    {
        // The guard and its server take this lock folder from the environment.
        testsupport::ScopedEnv lock("FIREBIRD_LOCK", servidor.lockDir().string());
        EXPECT_FALSE(app.Start(20));
    }
    ASSERT_TRUE(app.Window);
    const pid_t guarda = *app.Window;
    sobras.pids.insert(guarda);
    const std::vector<pid_t> servidores = filhosDe(guarda);
    sobras.pids.insert(servidores.begin(), servidores.end());
    EXPECT_EQ(servidores.size(), 1u);
    EXPECT_EQ(app.GetState(), 4);

    {
        const std::string endereco = servidor.address(servidor.dataDir() / "pelo_guarda.fdb");
        db::Database criado = db::Database::create(endereco);
        db::Transaction t(criado);
        db::Statement consulta(t, "SELECT 1 FROM RDB$DATABASE");
        db::Cursor linhas = consulta.open();
        ASSERT_TRUE(linhas.next());
        EXPECT_EQ(linhas.at(0).asString(), "1");
    }
    EXPECT_TRUE(fs::exists(servidor.dataDir() / "pelo_guarda.fdb"));

    EXPECT_FALSE(app.Stop(20));
    EXPECT_EQ(app.GetState(), 1);
    EXPECT_FALSE(vivo(guarda));
    for (const pid_t pid : servidores)
        EXPECT_FALSE(vivo(pid)) << "server process " << pid << " left running";
    EXPECT_EQ(relatos, (std::vector<std::string>{
                           "Starting Application: Firebird Server", "  - Firebird Server started",
                           "Stopping Application: Firebird Server", "  - Firebird Server stopped"}));
}
