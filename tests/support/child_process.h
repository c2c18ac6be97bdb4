#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/types.h>

namespace testsupport {

// A program run beside the test and talked to while it runs: its standard
// input is a pipe the test writes, its standard output and error one pipe
// the test reads. `environment` adds or replaces variables of the test's own
// environment for the child only. Raises std::runtime_error when the program
// cannot be started. The destructor kills (SIGKILL) and reaps a child still
// running, by its PID.
class ChildProcess {
  public:
    using Environment = std::vector<std::pair<std::string, std::string>>;

    explicit ChildProcess(const std::vector<std::string> &argv, const Environment &environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    pid_t pid() const { return pid_; }

    // Writes all bytes to the child's standard input.
    void write(std::string_view bytes);
    void closeInput();

    // Reads the child's output until everything read so far holds `marker`
    // (an empty marker: never),
    // the child closes its output or the time runs out; returns everything
    // read so far (also what earlier calls returned).
    const std::string &readUntil(std::string_view marker, std::chrono::milliseconds timeout);
    // Reads until the child closes its output or the time runs out.
    const std::string &readToEnd(std::chrono::milliseconds timeout) { return readUntil({}, timeout); }
    const std::string &output() const { return output_; }

    // True while the child has not ended.
    bool running();
    // Sends `signal` and waits up to `grace` for the child to end; a child
    // still running then is killed with SIGKILL. Returns the wait status
    // (as waitpid gives it), or the one collected before.
    int stop(int signal, std::chrono::milliseconds grace = std::chrono::seconds(5));
    // Waits for the child to end by itself.
    int wait();

  private:
    bool reap(int options);
    pid_t pid_ = -1;
    int input_ = -1;
    int output_fd_ = -1;
    int status_ = 0;
    bool ended_ = false;
    std::string output_;
};

} // namespace testsupport
