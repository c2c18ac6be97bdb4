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
class FirebirdTestServer {
  public:
    FirebirdTestServer();
    ~FirebirdTestServer();
    FirebirdTestServer(const FirebirdTestServer &) = delete;
    FirebirdTestServer &operator=(const FirebirdTestServer &) = delete;

    // True when the server and isql-fb (which makes the security database)
    // are installed.
    static bool available();

    int port() const { return port_; }
    // "127.0.0.1/<port>:<file>", the address a client stores.
    std::string address(const std::filesystem::path &file) const;
    // A folder for the server's database files.
    const std::filesystem::path &dataDir() const { return data_; }

    // Stops the server (SIGTERM, then SIGKILL) and waits for it to end;
    // connections made before then find no server.
    void stop();

  private:
    void start();
    TempDir dir_;
    std::filesystem::path root_;
    std::filesystem::path lock_;
    std::filesystem::path data_;
    int port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

} // namespace testsupport
