#include "tests/support/pty_printer.h"

#include <chrono>
#include <thread>

#include "tests/support/fake_pos_printer.h"

namespace testsupport {

PtyPrinter::PtyPrinter(std::map<std::string, std::string> answers, std::chrono::milliseconds answerDelay)
    : answers_(std::move(answers)), answerDelay_(answerDelay)
{
    pair_.setRaw();
    thread_ = std::thread([this] { run(); });
}

PtyPrinter::~PtyPrinter()
{
    stop_ = true;
    thread_.join();
}

std::string PtyPrinter::received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

void PtyPrinter::run()
{
    std::string received;
    while (!stop_) {
        const std::string got = pair_.read(1, std::chrono::milliseconds(20));
        if (got.empty())
            continue;
        received += got;
        {
            std::lock_guard lock(mutex_);
            received_ += got;
        }
        const std::string answer = scriptedAnswer(received, answers_);
        if (!answer.empty()) {
            std::this_thread::sleep_for(answerDelay_);
            pair_.write(answer);
        }
    }
}

} // namespace testsupport
