#include "tests/support/interrupt_on_request.h"

namespace testsupport {

namespace {

// Far more than an interruption needs even on a loaded machine, and well
// under the 20 s a silent peer holds its answer.
constexpr auto kPrompt = std::chrono::seconds(5);

} // namespace

InterruptOnRequest::InterruptOnRequest(const HttpTestServer &server, std::function<void()> interrupt)
    : thread_([this, &server, expected = server.requests().size() + 1, interrupt = std::move(interrupt)] {
          reached_ = server.waitForRequests(expected, std::chrono::seconds(15));
          interruptedAt_ = std::chrono::steady_clock::now();
          interrupt();
      })
{
}

InterruptOnRequest::~InterruptOnRequest()
{
    if (thread_.joinable())
        thread_.join();
}

bool InterruptOnRequest::endedPromptly()
{
    const auto returnedAt = std::chrono::steady_clock::now();
    if (thread_.joinable())
        thread_.join();
    return reached_ && returnedAt - interruptedAt_ < kPrompt;
}

} // namespace testsupport
