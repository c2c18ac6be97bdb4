#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace testsupport {

// The SMTP peer of the mailer tests (smtp_test_server.py, on
// /usr/bin/python3 with Debian's aiosmtpd) on 127.0.0.1, in a folder of its
// own; started by the constructor, stopped by PID (SIGTERM, then waited for)
// by the destructor. Raises std::runtime_error when it does not listen
// within 10 s.
class SmtpTestServer {
  public:
    enum class Mode { plain, starttls, ssl };
    struct Options {
        Mode mode = Mode::plain;
        std::string user; // AUTH required with these when set
        std::string password;
        std::string refuse; // "mail", "data" or "rcpt:<address>": answered 550
    };

    explicit SmtpTestServer(const Options &options);
    SmtpTestServer() : SmtpTestServer(Options{}) {}
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer &) = delete;
    SmtpTestServer &operator=(const SmtpTestServer &) = delete;

    // True when /usr/bin/python3 can import aiosmtpd.
    static bool available();
    int port() const { return port_; }
    // The JSON summaries of the messages received so far, in order (what
    // Python's email parser found, with the envelope).
    std::vector<std::string> messages() const;
    // How many MAIL FROM commands arrived.
    int mailCommands() const;

  private:
    TempDir folder_;
    int port_ = 0;
    pid_t pid_ = -1;
};

// Lower-case hex SHA-256 of the bytes: what the summaries give as each
// part's "sha256".
std::string sha256Hex(const std::string &bytes);

} // namespace testsupport
