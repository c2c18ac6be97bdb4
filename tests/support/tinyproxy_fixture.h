#pragma once

#include <sys/types.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace testsupport {

// A private tinyproxy on 127.0.0.1 with BasicAuth, its configuration, log and
// PID file in a folder of its own; started by the constructor, stopped by PID
// (SIGTERM, then waited for) by the destructor. Raises std::runtime_error
// when tinyproxy is missing or does not start listening within 5 s.
class TinyproxyFixture {
  public:
    TinyproxyFixture(std::string user, std::string password);
    ~TinyproxyFixture();
    TinyproxyFixture(const TinyproxyFixture &) = delete;
    TinyproxyFixture &operator=(const TinyproxyFixture &) = delete;

    static bool available();
    int port() const { return port_; }
    // What tinyproxy logged so far.
    std::string log() const;

  private:
    void stop();

    TempDir folder_;
    int port_ = 0;
    pid_t pid_ = -1;
};

} // namespace testsupport
