#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace testsupport {

// One request as the test server received it.
struct HttpTestRequest {
    std::string method;
    std::string target;  // path and query, as sent
    std::string version; // "HTTP/1.1"
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    // Of a TLS connection: the negotiated version ("TLSv1.2"), the subject
    // of the client certificate (RFC 2253 form) and that certificate (PEM);
    // empty otherwise.
    std::string tlsVersion;
    std::string clientSubject;
    std::string clientCertificatePem;

    // The value of the first header with that name (any case); empty when none.
    std::string header(std::string_view name) const;
    bool hasHeader(std::string_view name) const;
};

// What the handler answers. Content-Length and "Connection: close" are added
// unless the handler gives them.
struct HttpTestResponse {
    int status = 200;
    std::string reason = "OK";
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    // Wait before answering (cut short when the server stops).
    std::chrono::milliseconds delay{0};
    // Answer nothing: the connection is reset (closed with a zero linger).
    bool resetConnection = false;

    static HttpTestResponse text(int status, std::string reason, std::string body,
                                 std::string contentType = "text/plain");
    static HttpTestResponse redirect(int status, std::string location);
};

using HttpTestHandler = std::function<HttpTestResponse(const HttpTestRequest &)>;

// The byte stream of one accepted connection. The plain one reads and writes
// the socket; a TLS one can wrap the socket in its constructor.
class TestStream {
  public:
    virtual ~TestStream() = default;
    // Bytes read (0 at the end of the stream, below 0 on failure).
    virtual long read(char *buffer, std::size_t size) = 0;
    virtual bool write(std::string_view bytes) = 0;
    // What a TLS stream negotiated; empty for a plain one.
    virtual std::string tlsVersion() const { return {}; }
    virtual std::string clientSubject() const { return {}; }
    virtual std::string clientCertificatePem() const { return {}; }
};

// Makes the stream of an accepted socket; the stream owns and closes the socket.
// Returns null to drop the connection (a failed handshake).
using TestStreamFactory = std::function<std::unique_ptr<TestStream>(int socket)>;

std::unique_ptr<TestStream> plainTestStream(int socket);

// An HTTP/1.1 server on 127.0.0.1 (on a free port unless told one), answering one connection
// at a time on its own thread and closing each after one exchange. Every
// request is recorded.
class HttpTestServer {
  public:
    // `port` 0 takes a free one.
    explicit HttpTestServer(HttpTestHandler handler, TestStreamFactory streams = plainTestStream,
                            std::string scheme = "http", int port = 0);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer &) = delete;
    HttpTestServer &operator=(const HttpTestServer &) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:<port>"
    std::string baseUrl() const;
    std::string url(std::string_view path) const { return baseUrl() + std::string(path); }

    // Stops accepting and closes the port; later connections are refused.
    void stop();

    std::vector<HttpTestRequest> requests() const;
    // Connections accepted so far, those dropped in a handshake included.
    int connections() const;
    // Waits until `count` requests have been received in full; false when
    // they have not within `within`.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds within) const;
    // Requests whose target is exactly `target`.
    int countRequests(std::string_view target) const;
    void clearRequests();

  private:
    void run();
    void serve(int socket);
    HttpTestResponse answer(const HttpTestRequest &request);

    HttpTestHandler handler_;
    TestStreamFactory streams_;
    std::string scheme_;
    int listenSocket_ = -1;
    int wakePipe_[2] = {-1, -1};
    int port_ = 0;
    bool stopping_ = false;
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    mutable std::condition_variable arrived_;
    std::vector<HttpTestRequest> requests_;
    int connections_ = 0;
    std::thread thread_;
};

} // namespace testsupport
