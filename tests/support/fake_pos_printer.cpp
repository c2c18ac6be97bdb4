#include "tests/support/fake_pos_printer.h"

#include <arpa/inet.h>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

std::string scriptedAnswer(const std::string &received, const std::map<std::string, std::string> &answers)
{
    std::string answer;
    for (const auto &[query, reply] : answers) {
        if (!received.ends_with(query))
            continue;
        // A query that ends a longer one received (ENQ inside GS ENQ) is
        // not asked.
        bool partOfLonger = false;
        for (const auto &[other, unused] : answers)
            partOfLonger = partOfLonger || (other.size() > query.size() && other.ends_with(query) &&
                                            received.ends_with(other));
        if (!partOfLonger)
            answer += reply;
    }
    return answer;
}

FakePosPrinter::FakePosPrinter(Options options) : options_(std::move(options))
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(options_.port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(listener_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0) {
        ::close(listener_);
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(options_.port));
    }
    socklen_t size = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr *>(&address), &size);
    port_ = ntohs(address.sin_port);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot create a pipe");
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    thread_ = std::thread([this] { run(); });
}

FakePosPrinter::~FakePosPrinter()
{
    ::write(wakeWrite_, "x", 1);
    thread_.join();
    ::close(listener_);
    ::close(wakeRead_);
    ::close(wakeWrite_);
}

std::string FakePosPrinter::received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

std::string FakePosPrinter::waitForBytes(std::size_t count, int timeoutMs) const
{
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return received_.size() >= count; });
    return received_;
}

void FakePosPrinter::run()
{
    for (;;) {
        pollfd entries[2] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0)
            continue;
        if (entries[1].revents != 0)
            return;
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ++connections_;
        serve(fd);
        ::close(fd);
    }
}

void FakePosPrinter::serve(int fd)
{
    std::string connection;
    for (;;) {
        pollfd entries[2] = {{fd, static_cast<short>(options_.neverRead ? 0 : POLLIN), 0},
                             {wakeRead_, POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0)
            continue;
        if (entries[1].revents != 0 || options_.neverRead)
            return;
        char buffer[65536];
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count <= 0)
            return;
        connection.append(buffer, static_cast<std::size_t>(count));
        {
            std::lock_guard lock(mutex_);
            received_.append(buffer, static_cast<std::size_t>(count));
        }
        changed_.notify_all();
        const std::string answer = scriptedAnswer(connection, options_.answers);
        if (!answer.empty()) {
            std::this_thread::sleep_for(options_.answerDelay);
            ::send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
        }
        if (options_.closeAfter > 0 && connection.size() >= options_.closeAfter)
            return;
    }
}

} // namespace testsupport
