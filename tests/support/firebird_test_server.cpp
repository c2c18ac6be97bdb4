#include "tests/support/firebird_test_server.h"

#include "app/db/firebird_root.h"
#include "app/shell_constants.h"

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

constexpr const char *kServerProgram = "/usr/sbin/firebird";
constexpr const char *kGuardProgram = "/usr/sbin/fbguard";

// A port nobody listens on now (the kernel's pick for port 0).
int freePort()
{
    const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    if (s < 0 || bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr *>(&a), &length) != 0) {
        if (s >= 0)
            close(s);
        throw std::runtime_error("no free port for the Firebird test server");
    }
    close(s);
    return ntohs(a.sin_port);
}

bool accepts(int port)
{
    const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = s >= 0 && connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
    if (s >= 0)
        close(s);
    return ok;
}

std::string fileText(const fs::path &file)
{
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

bool FirebirdTestServer::available()
{
    return access(kServerProgram, X_OK) == 0 && access("/usr/bin/isql-fb", X_OK) == 0;
}

bool FirebirdTestServer::guardAvailable()
{
    return available() && access(kGuardProgram, X_OK) == 0;
}

FirebirdTestServer::FirebirdTestServer(Launch launch)
    : root_(dir_ / "root"), lock_(dir_ / "lock"), data_(dir_ / "data")
{
    db::makePrivateFirebirdRoot(db::installedFirebirdRoot(), root_.string());
    fs::create_directories(lock_);
    fs::create_directories(data_);
    const fs::path security = dir_ / "security.fdb";
    {
        std::ofstream conf(root_ / "firebird.conf", std::ios::app);
        conf << "\n# Private test server.\nRemoteBindAddress = 127.0.0.1\nSecurityDatabase = "
             << security.string() << "\n";
    }
    // The security database is made by the server's own engine (its root
    // and lock folder), with SYSDBA under the password the shell sends.
    const fs::path script = dir_ / "security.sql";
    {
        std::ofstream sql(script);
        sql << "CREATE DATABASE '" << security.string() << "';\n"
            << "CREATE USER SYSDBA PASSWORD '" << kSenhaBanco << "' USING PLUGIN Srp;\nCOMMIT;\n";
    }
    ChildProcess isql({"isql-fb", "-q", "-user", "SYSDBA", "-i", script.string()},
                      {{"FIREBIRD", root_.string()}, {"FIREBIRD_LOCK", lock_.string()}});
    isql.readToEnd(std::chrono::seconds(30));
    const int status = isql.wait();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !isql.output().empty())
        throw std::runtime_error("cannot make the test server's security database: " + isql.output());
    if (launch == Launch::Now) {
        start();
        return;
    }
    fs::create_directories(root_ / "bin");
    fs::copy_file(kGuardProgram, root_ / "bin" / "fbguard", fs::copy_options::overwrite_existing);
    choosePort(fileText(root_ / "firebird.conf"));
}

FirebirdTestServer::~FirebirdTestServer()
{
    stop();
}

void FirebirdTestServer::start()
{
    // The port is free when picked; another program may take it before the
    // server binds it, so a server that ends at once is tried on another.
    const std::string configuration = fileText(root_ / "firebird.conf");
    std::string log;
    for (int attempt = 0; attempt < 3; ++attempt) {
        choosePort(configuration);
        process_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{kServerProgram},
            ChildProcess::Environment{{"FIREBIRD", root_.string()}, {"FIREBIRD_LOCK", lock_.string()}});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (process_->running() && std::chrono::steady_clock::now() < deadline) {
            if (accepts(port_))
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        process_->stop(SIGKILL, std::chrono::milliseconds(0));
        log = process_->readToEnd(std::chrono::milliseconds(100)) + fileText(root_ / "firebird.log");
        process_.reset();
    }
    throw std::runtime_error("the Firebird test server did not start: " + log);
}

void FirebirdTestServer::choosePort(const std::string &configuration)
{
    port_ = freePort();
    std::ofstream(root_ / "firebird.conf", std::ios::trunc)
        << configuration << "RemoteServicePort = " << port_ << "\n";
}

std::string FirebirdTestServer::address(const fs::path &file) const
{
    return "127.0.0.1/" + std::to_string(port_) + ":" + file.string();
}

void FirebirdTestServer::stop()
{
    if (process_)
        process_->stop(SIGTERM);
}

} // namespace testsupport
