#include "printing/device/tcp_socket.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for the events until the deadline; true when they came.
bool waitFor(int fd, short events, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, remainingMs(deadline));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// A non-blocking connect to one address, bounded by the deadline. Returns the
// socket, or -1 with errno set.
int connectOne(const addrinfo &address, Clock::time_point deadline)
{
    const int fd =
        ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
    if (fd < 0)
        return -1;
    int error = 0;
    if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
        error = errno;
        if (error == EINPROGRESS) {
            error = ETIMEDOUT;
            if (waitFor(fd, POLLOUT, remainingMs(deadline))) {
                socklen_t size = sizeof error;
                if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
                    error = errno;
            }
        }
    }
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

} // namespace

TcpSocket::~TcpSocket()
{
    close();
}

void TcpSocket::fail(int code, const std::string &what)
{
    throw ESocketError(code, what + " " + address_ + ": " + std::strerror(code));
}

void TcpSocket::requireOpen()
{
    if (fd_ < 0)
        fail(ENOTCONN, "Sem conexão com");
}

void TcpSocket::connect(const std::string &host, const std::string &port, int timeoutMs)
{
    close();
    address_ = host + ":" + port;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (const int status = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found); status != 0)
        throw ESocketError(EHOSTUNREACH, "Erro conectando a " + address_ + ": " + ::gai_strerror(status));
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
    int error = ETIMEDOUT;
    for (const addrinfo *entry = found; entry != nullptr && fd_ < 0; entry = entry->ai_next) {
        fd_ = connectOne(*entry, deadline);
        if (fd_ < 0)
            error = errno;
    }
    ::freeaddrinfo(found);
    if (fd_ < 0)
        fail(error, error == ETIMEDOUT ? "Tempo esgotado conectando a" : "Erro conectando a");
}

void TcpSocket::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    kept_.clear();
    peerClosed_ = false;
}

void TcpSocket::sendAll(std::string_view bytes, int timeoutMs)
{
    requireOpen();
    const auto start = Clock::now();
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        std::size_t piece = bytes.size() - sent;
        if (maxBandwidth_ > 0) {
            // Never ahead of the allowed rate: wait until these bytes are due.
            const auto due =
                start + std::chrono::milliseconds(static_cast<long long>(sent) * 1000 / maxBandwidth_);
            std::this_thread::sleep_until(due);
            piece = std::min<std::size_t>(piece, std::max(1, maxBandwidth_ / 10));
        }
        const ssize_t written = ::send(fd_, bytes.data() + sent, piece, MSG_NOSIGNAL);
        if (written > 0) {
            sent += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            fail(errno, "Erro enviando para");
        if (!waitFor(fd_, POLLOUT, timeoutMs))
            fail(ETIMEDOUT, "Tempo esgotado enviando para");
    }
}

bool TcpSocket::fill(int timeoutMs)
{
    if (peerClosed_ || !waitFor(fd_, POLLIN, timeoutMs))
        return false;
    char buffer[4096];
    bool got = false;
    for (;;) {
        const ssize_t count = ::recv(fd_, buffer, sizeof buffer, 0);
        if (count > 0) {
            kept_.append(buffer, static_cast<std::size_t>(count));
            got = true;
            continue;
        }
        if (count == 0) {
            peerClosed_ = true;
            return got;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return got;
        fail(errno, "Erro lendo de");
    }
}

std::string TcpSocket::take(std::size_t count)
{
    std::string taken = kept_.substr(0, count);
    kept_.erase(0, count);
    return taken;
}

std::string TcpSocket::recvExact(std::size_t count, int timeoutMs)
{
    requireOpen();
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (kept_.size() < count) {
        if (!fill(remainingMs(deadline))) {
            if (peerClosed_)
                fail(ECONNRESET, "Conexão encerrada por");
            if (remainingMs(deadline) == 0)
                fail(ETIMEDOUT, "Tempo esgotado lendo de");
        }
    }
    return take(count);
}

std::string TcpSocket::recvTerminated(std::string_view terminator, int timeoutMs)
{
    requireOpen();
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (const auto at = kept_.find(terminator); at != std::string::npos) {
            std::string taken = take(at);
            kept_.erase(0, terminator.size());
            return taken;
        }
        if (!fill(remainingMs(deadline))) {
            if (peerClosed_)
                fail(ECONNRESET, "Conexão encerrada por");
            if (remainingMs(deadline) == 0)
                fail(ETIMEDOUT, "Tempo esgotado lendo de");
        }
    }
}

std::string TcpSocket::recvAvailable(int timeoutMs)
{
    requireOpen();
    if (kept_.empty())
        fill(timeoutMs);
    else
        fill(0);
    return take(kept_.size());
}

int TcpSocket::waitingBytes()
{
    int queued = 0;
    if (fd_ >= 0 && ::ioctl(fd_, FIONREAD, &queued) != 0)
        queued = 0;
    return static_cast<int>(kept_.size()) + queued;
}

void TcpSocket::purge()
{
    if (fd_ >= 0)
        fill(0);
    kept_.clear();
}
