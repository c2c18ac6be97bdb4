#include "tests/support/http_test_server.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <stdexcept>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace testsupport {

namespace {

bool sameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

class PlainStream : public TestStream {
  public:
    explicit PlainStream(int socket) : socket_(socket) {}
    ~PlainStream() override { ::close(socket_); }
    long read(char *buffer, std::size_t size) override
    {
        for (;;) {
            const ssize_t got = ::recv(socket_, buffer, size, 0);
            if (got < 0 && errno == EINTR)
                continue;
            return static_cast<long>(got);
        }
    }
    bool write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t put = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(put));
        }
        return true;
    }

  private:
    int socket_;
};

// Reads one request; false when the connection ends or the request is malformed.
bool readRequest(TestStream &stream, HttpTestRequest &request)
{
    std::string data;
    char buffer[16384];
    std::size_t headerEnd = std::string::npos;
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
        const long got = stream.read(buffer, sizeof buffer);
        if (got <= 0)
            return false;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    const std::string_view head(data.data(), headerEnd);
    std::size_t lineEnd = head.find("\r\n");
    const std::string_view requestLine = head.substr(0, lineEnd);
    const std::size_t firstBlank = requestLine.find(' ');
    const std::size_t secondBlank = requestLine.find(' ', firstBlank + 1);
    if (firstBlank == std::string_view::npos || secondBlank == std::string_view::npos)
        return false;
    request.method = std::string(requestLine.substr(0, firstBlank));
    request.target = std::string(requestLine.substr(firstBlank + 1, secondBlank - firstBlank - 1));
    request.version = std::string(requestLine.substr(secondBlank + 1));
    while (lineEnd != std::string_view::npos) {
        const std::size_t start = lineEnd + 2;
        lineEnd = head.find("\r\n", start);
        const std::string_view line =
            head.substr(start, lineEnd == std::string_view::npos ? head.npos : lineEnd - start);
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos)
            request.headers.emplace_back(std::string(trim(line.substr(0, colon))),
                                         std::string(trim(line.substr(colon + 1))));
    }
    std::size_t length = 0;
    const std::string lengthText = request.header("Content-Length");
    std::from_chars(lengthText.data(), lengthText.data() + lengthText.size(), length);
    request.body = data.substr(headerEnd + 4);
    while (request.body.size() < length) {
        const long got = stream.read(buffer, sizeof buffer);
        if (got <= 0)
            return false;
        request.body.append(buffer, static_cast<std::size_t>(got));
    }
    request.body.resize(std::min(request.body.size(), length));
    return true;
}

std::string serialise(const HttpTestResponse &response)
{
    std::string out = "HTTP/1.1 " + std::to_string(response.status) + " " + response.reason + "\r\n";
    bool hasLength = false;
    bool hasConnection = false;
    for (const auto &[name, value] : response.headers) {
        out += name + ": " + value + "\r\n";
        hasLength = hasLength || sameName(name, "Content-Length");
        hasConnection = hasConnection || sameName(name, "Connection");
    }
    if (!hasLength)
        out += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    if (!hasConnection)
        out += "Connection: close\r\n";
    out += "\r\n";
    out += response.body;
    return out;
}

[[noreturn]] void fail(const std::string &what)
{
    throw std::runtime_error("test HTTP server: " + what + ": " + std::to_string(errno));
}

} // namespace

std::string HttpTestRequest::header(std::string_view name) const
{
    for (const auto &[key, value] : headers)
        if (sameName(key, name))
            return value;
    return {};
}

bool HttpTestRequest::hasHeader(std::string_view name) const
{
    return std::any_of(headers.begin(), headers.end(),
                       [&](const auto &h) { return sameName(h.first, name); });
}

HttpTestResponse HttpTestResponse::text(int status, std::string reason, std::string body,
                                        std::string contentType)
{
    HttpTestResponse response;
    response.status = status;
    response.reason = std::move(reason);
    response.body = std::move(body);
    if (!contentType.empty())
        response.headers.emplace_back("Content-Type", std::move(contentType));
    return response;
}

HttpTestResponse HttpTestResponse::redirect(int status, std::string location)
{
    HttpTestResponse response;
    response.status = status;
    response.reason = "Redirect";
    response.headers.emplace_back("Location", std::move(location));
    return response;
}

std::unique_ptr<TestStream> plainTestStream(int socket)
{
    return std::make_unique<PlainStream>(socket);
}

HttpTestServer::HttpTestServer(HttpTestHandler handler, TestStreamFactory streams, std::string scheme,
                               int port)
    : handler_(std::move(handler)), streams_(std::move(streams)), scheme_(std::move(scheme))
{
    listenSocket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenSocket_ < 0)
        fail("socket");
    const int yes = 1;
    ::setsockopt(listenSocket_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::bind(listenSocket_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        fail("bind");
    if (::listen(listenSocket_, 16) != 0)
        fail("listen");
    socklen_t size = sizeof address;
    if (::getsockname(listenSocket_, reinterpret_cast<sockaddr *>(&address), &size) != 0)
        fail("getsockname");
    port_ = ntohs(address.sin_port);
    if (::pipe2(wakePipe_, O_CLOEXEC) != 0)
        fail("pipe");
    thread_ = std::thread([this] { run(); });
}

HttpTestServer::~HttpTestServer()
{
    stop();
    for (int fd : wakePipe_)
        if (fd >= 0)
            ::close(fd);
}

std::string HttpTestServer::baseUrl() const
{
    return scheme_ + "://127.0.0.1:" + std::to_string(port_);
}

void HttpTestServer::stop()
{
    {
        std::lock_guard lock(mutex_);
        if (stopping_ && !thread_.joinable())
            return;
        stopping_ = true;
    }
    stopped_.notify_all();
    const char wake = 1;
    (void)!::write(wakePipe_[1], &wake, 1);
    if (thread_.joinable())
        thread_.join();
    if (listenSocket_ >= 0) {
        ::close(listenSocket_);
        listenSocket_ = -1;
    }
}

std::vector<HttpTestRequest> HttpTestServer::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

int HttpTestServer::connections() const
{
    std::lock_guard lock(mutex_);
    return connections_;
}

bool HttpTestServer::waitForRequests(std::size_t count, std::chrono::milliseconds within) const
{
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, within, [&] { return requests_.size() >= count; });
}

int HttpTestServer::countRequests(std::string_view target) const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(requests_.begin(), requests_.end(),
                                          [&](const HttpTestRequest &r) { return r.target == target; }));
}

void HttpTestServer::clearRequests()
{
    std::lock_guard lock(mutex_);
    requests_.clear();
}

void HttpTestServer::run()
{
    // A client that hangs up must not kill the test program: a TLS stream
    // writes (its alerts, its close_notify) through plain write(), so SIGPIPE
    // is held on this thread and the write just fails with EPIPE.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
    for (;;) {
        pollfd fds[2] = {{listenSocket_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;
        const int socket = ::accept4(listenSocket_, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0)
            continue;
        serve(socket);
    }
}

void HttpTestServer::serve(int socket)
{
    // A client that stops talking must not hang the server.
    timeval limit{5, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    {
        std::lock_guard lock(mutex_);
        ++connections_;
    }
    std::unique_ptr<TestStream> stream = streams_(socket);
    if (!stream)
        return;
    HttpTestRequest request;
    if (!readRequest(*stream, request))
        return;
    request.tlsVersion = stream->tlsVersion();
    request.clientSubject = stream->clientSubject();
    request.clientCertificatePem = stream->clientCertificatePem();
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    arrived_.notify_all();
    const HttpTestResponse response = answer(request);
    if (response.delay.count() > 0) {
        std::unique_lock lock(mutex_);
        if (stopped_.wait_for(lock, response.delay, [this] { return stopping_; }))
            return;
    }
    if (response.resetConnection) {
        const linger abort{1, 0};
        ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        return;
    }
    stream->write(serialise(response));
}

HttpTestResponse HttpTestServer::answer(const HttpTestRequest &request)
{
    try {
        return handler_(request);
    } catch (const std::exception &error) {
        return HttpTestResponse::text(500, "Internal Server Error", error.what());
    }
}

} // namespace testsupport
