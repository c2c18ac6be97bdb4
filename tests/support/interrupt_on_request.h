#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include "tests/support/http_test_server.h"

namespace testsupport {

// Interrupts an exchange from another thread once it is surely running: a
// thread of its own waits until `server` has received one more request in
// full than it had at construction (the client is then blocked on the
// answer) and calls `interrupt`. A fixed sleep
// instead would, on a loaded machine, fire before the exchange began and test
// another path. When no request arrives within 15 s the call is made all the
// same and `endedPromptly()` answers false. `server` must outlive this
// object; the destructor waits for the thread.
//
// Loopback peers that hold their answer for 20 s pair with it:
// `endedPromptly()` then tells an exchange ended by the interruption from one
// that ran into that delay or its own time-out.
class InterruptOnRequest {
  public:
    InterruptOnRequest(const HttpTestServer &server, std::function<void()> interrupt);
    ~InterruptOnRequest();
    InterruptOnRequest(const InterruptOnRequest &) = delete;
    InterruptOnRequest &operator=(const InterruptOnRequest &) = delete;

    // Waits for the thread; true when the request reached the server and the
    // exchange had returned within a few seconds of the interruption. Call
    // once the interrupted exchange has returned.
    bool endedPromptly();

  private:
    bool reached_ = false;
    std::chrono::steady_clock::time_point interruptedAt_{};
    std::thread thread_; // last: it starts once the fields above are set
};

} // namespace testsupport
