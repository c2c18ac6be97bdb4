#pragma once

#include <string>
#include <sys/types.h>

#include "tests/support/temp_dir.h"

namespace testsupport {

// A print scheduler of the test program's own: cupsd in the foreground with
// its configuration, spool and socket in a temporary folder, listening only
// on a Unix socket there. Started on first use, once per test program, and
// stopped by its process id when the program ends. CUPS_SERVER is set to its
// socket, so the scheduler's command-line tools reach it.
class PrivateCups {
  public:
    // The program's scheduler; check running() before use.
    static PrivateCups &instance();

    bool running() const { return pid_ > 0; }
    // Why the scheduler is not running (for the skip message).
    const std::string &whyNot() const { return whyNot_; }
    const std::string &socketPath() const { return socket_; }

    // A raw queue (no driver) sending to the printer at 127.0.0.1:<port>,
    // enabled and accepting jobs. Returns an error text, empty on success.
    std::string addRawQueue(const std::string &name, int port);
    // Makes the queue refuse jobs, or take them again.
    std::string setAccepting(const std::string &name, bool accepting);
    std::string removeQueue(const std::string &name);

    ~PrivateCups();

  private:
    PrivateCups();
    void start();

    TempDir dir_;
    std::string socket_;
    std::string whyNot_;
    pid_t pid_ = -1;
};

} // namespace testsupport
