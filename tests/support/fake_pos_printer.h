#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace testsupport {

// The scripted answer to what a printer received so far: the answers of
// every query the received bytes end with, concatenated; a query that is
// the tail of a longer one that matched is left out. Shared by the
// network printer and the terminal printer (pty_printer.h).
std::string scriptedAnswer(const std::string &received, const std::map<std::string, std::string> &answers);

// A network printer on 127.0.0.1 for the device tests: it accepts one
// connection at a time and records every byte it receives. It can answer
// scripted queries, take connections and never read, or close a connection
// after a number of bytes, or answer late. Runs on a thread of its own until destroyed.
class FakePosPrinter {
  public:
    struct Options {
        std::uint16_t port = 0;                     // 0: any free port
        bool neverRead = false;                     // accept, then never read
        std::size_t closeAfter = 0;                 // close a connection after that many bytes (0: never)
        std::map<std::string, std::string> answers; // bytes received -> bytes sent back
        std::chrono::milliseconds answerDelay{0};   // a slow printer: each answer waits this long
    };

    // Raises std::runtime_error when the port cannot be taken.
    explicit FakePosPrinter(Options options);
    FakePosPrinter() : FakePosPrinter(Options{}) {}
    ~FakePosPrinter();
    FakePosPrinter(const FakePosPrinter &) = delete;
    FakePosPrinter &operator=(const FakePosPrinter &) = delete;

    std::uint16_t port() const { return port_; }
    // Everything received so far, over all connections.
    std::string received() const;
    // Waits until at least `count` bytes came or the time-out passed; returns
    // what came.
    std::string waitForBytes(std::size_t count, int timeoutMs) const;
    int connections() const { return connections_.load(); }

  private:
    void run();
    void serve(int fd);

    Options options_;
    int listener_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::string received_;
    std::thread thread_;
};

} // namespace testsupport
