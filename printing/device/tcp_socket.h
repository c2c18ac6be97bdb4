#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "printing/device/device_errors.h"

// A TCP client connection over POSIX sockets. Every wait is bounded: the
// connect by its time-out (non-blocking connect and poll), each send by the
// time-out for progress (a peer that stops reading fails), each read by its
// time-out. Sends use MSG_NOSIGNAL, so a peer that closed is an error, never a
// signal. Name resolution is the system resolver's and is not bounded here.
//
// Every failure raises ESocketError with "<host>:<port>" and the system's
// reason in its message; a time-out has the code ETIMEDOUT.
class TcpSocket {
  public:
    TcpSocket() = default;
    ~TcpSocket();
    TcpSocket(const TcpSocket &) = delete;
    TcpSocket &operator=(const TcpSocket &) = delete;

    // Connects (closing a connection already open) to the first address of
    // the host that answers within the time-out.
    void connect(const std::string &host, const std::string &port, int timeoutMs);
    // Closes the connection and forgets what was received; nothing when closed.
    void close();
    bool isOpen() const { return fd_ >= 0; }

    // Sends every byte; raises when a write makes no progress within the
    // time-out or the connection fails.
    void sendAll(std::string_view bytes, int timeoutMs);

    // Exactly `count` bytes, or up to the terminator (not included), within
    // the time-out; ETIMEDOUT when time runs out (what came so far stays for
    // the next read). A peer that closes first raises too.
    std::string recvExact(std::size_t count, int timeoutMs);
    std::string recvTerminated(std::string_view terminator, int timeoutMs);
    // What arrives within the time-out: waits for the first bytes, then takes
    // everything waiting. Possibly nothing.
    std::string recvAvailable(int timeoutMs);

    // Bytes received and kept, plus those queued in the socket.
    int waitingBytes();
    // Discards what was received.
    void purge();

    // Send pacing in bytes per second; 0 sends as fast as the peer takes.
    int maxBandwidth() const { return maxBandwidth_; }
    void setMaxBandwidth(int value) { maxBandwidth_ = value < 0 ? 0 : value; }

  private:
    [[noreturn]] void fail(int code, const std::string &what);
    void requireOpen();
    // Moves what is queued into the kept bytes, waiting up to the time-out for
    // something; false when nothing came (or the peer closed).
    bool fill(int timeoutMs);
    std::string take(std::size_t count);

    int fd_ = -1;
    std::string address_;
    std::string kept_;
    bool peerClosed_ = false;
    int maxBandwidth_ = 0;
};
