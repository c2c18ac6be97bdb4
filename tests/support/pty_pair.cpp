#include "tests/support/pty_pair.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace testsupport {

PtyPair::PtyPair()
{
    std::array<char, 128> name{};
    if (::openpty(&master_, &terminal_, name.data(), nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    path_ = name.data();
}

PtyPair::~PtyPair()
{
    ::close(terminal_);
    ::close(master_);
}

void PtyPair::setRaw() const
{
    termios settings{};
    if (::tcgetattr(terminal_, &settings) != 0)
        throw std::runtime_error("tcgetattr on the pseudo-terminal failed");
    ::cfmakeraw(&settings);
    if (::tcsetattr(terminal_, TCSANOW, &settings) != 0)
        throw std::runtime_error("tcsetattr on the pseudo-terminal failed");
}

void PtyPair::write(std::string_view bytes) const
{
    while (!bytes.empty()) {
        const ssize_t count = ::write(master_, bytes.data(), bytes.size());
        if (count > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(count));
            continue;
        }
        if (count < 0 && errno != EAGAIN && errno != EINTR)
            throw std::runtime_error("write to the pseudo-terminal master failed");
        pollfd entry{master_, POLLOUT, 0};
        ::poll(&entry, 1, 100);
    }
}

std::string PtyPair::read(std::size_t count, std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string result;
    std::array<char, 8192> buffer{};
    while (result.size() < count) {
        const ssize_t got = ::read(master_, buffer.data(), std::min(buffer.size(), count - result.size()));
        if (got > 0) {
            result.append(buffer.data(), static_cast<std::size_t>(got));
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd entry{master_, POLLIN, 0};
        ::poll(&entry, 1, static_cast<int>(left.count()));
    }
    return result;
}

} // namespace testsupport
