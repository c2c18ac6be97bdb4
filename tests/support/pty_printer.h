#pragma once

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "tests/support/pty_pair.h"

namespace testsupport {

// A serial printer on a pseudo-terminal: code under test opens path(), and a
// thread on the master end answers scripted queries as FakePosPrinter does
// (scriptedAnswer), each after `answerDelay` (a slow printer). Runs until
// destroyed.
class PtyPrinter {
  public:
    explicit PtyPrinter(std::map<std::string, std::string> answers,
                        std::chrono::milliseconds answerDelay = std::chrono::milliseconds(0));
    ~PtyPrinter();
    PtyPrinter(const PtyPrinter &) = delete;
    PtyPrinter &operator=(const PtyPrinter &) = delete;

    const std::string &path() const { return pair_.path(); }
    // Everything received so far.
    std::string received() const;

  private:
    void run();

    PtyPair pair_;
    std::map<std::string, std::string> answers_;
    std::chrono::milliseconds answerDelay_;
    mutable std::mutex mutex_;
    std::string received_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace testsupport
