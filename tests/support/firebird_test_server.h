#pragma once

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <memory>
#include <string>

namespace testsupport {

// A private Firebird server for client/server tests, listening on
// 127.0.0.1 on a free port. It runs from its own copy of the installed
// Firebird folder, with its own firebird.conf, security database (user
// SYSDBA with the shell's database password) and lock folder, all in a
// temporary folder removed with the object; it is started as a child of the
// test and stopped by its PID (never a system service). Raises
// std::runtime_error when it cannot be started (the message holds the
// server's log).
//
// Constructed with Launch::Later, only the root is prepared: its
// firebird.conf names a free port, bin/ holds a copy of the installed guard
// program, and the server is left for the test to start (with FIREBIRD set
// to root() and FIREBIRD_LOCK to lockDir()); the test ends what it started.
class FirebirdTestServer {
  public:
    enum class Launch { Now, Later };

    explicit FirebirdTestServer(Launch launch = Launch::Now);
    ~FirebirdTestServer();
    FirebirdTestServer(const FirebirdTestServer &) = delete;
    FirebirdTestServer &operator=(const FirebirdTestServer &) = delete;

    // True when the server and isql-fb (which makes the security database)
    // are installed.
    static bool available();
    // True when the guard program is installed as well.
    static bool guardAvailable();

    int port() const { return port_; }
    // "127.0.0.1/<port>:<file>", the address a client stores.
    std::string address(const std::filesystem::path &file) const;
    // A folder for the server's database files.
    const std::filesystem::path &dataDir() const { return data_; }
    // The server's Firebird root and lock folder.
    const std::filesystem::path &root() const { return root_; }
    const std::filesystem::path &lockDir() const { return lock_; }

    // Stops the server (SIGTERM, then SIGKILL) and waits for it to end;
    // connections made before then find no server.
    void stop();

  private:
    void start();
    // Picks a free port and writes it into the root's firebird.conf.
    void choosePort(const std::string &configuration);
    TempDir dir_;
    std::filesystem::path root_;
    std::filesystem::path lock_;
    std::filesystem::path data_;
    int port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

} // namespace testsupport
