#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "printing/device/device_errors.h"

// A serial port over termios: raw mode, any speed from 50 to 4000000 baud,
// parity (mark and space too), data and stop bits, software or hardware flow
// control, the modem lines, and sends and reads that each wait at most their
// time-out (poll on a non-blocking descriptor; deadlines from the program's
// clock, pauses through its sleep).
//
// Implemented in serial_port.cpp (open, settings, sends, reads) and
// serial_custom_speed.cpp (speeds without a B constant, through termios2).
//
// Every failure raises ESerialError with a message that says what failed;
// lastError() keeps its code (kSerialPortNotFound for a port that does not
// exist). A permission error names the "dialout" group.

// What a status hook is told about.
enum class SerialStatus { Opened, Closed, Configured, Sent, Received, Purged };

class SerialPort {
  public:
    // Called after each event with the port, the event and a short value
    // (the device path, the byte count...).
    using StatusHook = std::function<void(SerialPort &port, SerialStatus status, const std::string &value)>;

    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;

    // Opens the device file (closing a port already open). Raises
    // ESerialError: kSerialPortNotFound when the file does not exist or no
    // hardware stands behind it, EACCES naming the dialout group, ENOTTY when
    // the file is no terminal.
    void open(const std::string &path);
    // Closes the port; nothing when closed.
    void close();
    bool isOpen() const { return fd_ >= 0; }
    const std::string &path() const { return path_; }
    int lastError() const { return lastError_; }

    // Applies the line settings: parity 'N', 'O', 'E', 'M' or 'S'; stop code
    // 0 one bit, 2 two bits (1, one and a half, is not a termios setting and
    // gives two). Raises ESerialError for a value out of range or a refusal.
    void configure(int baud, int dataBits, char parity, int stopCode, bool softFlow, bool hardFlow);

    // The modem lines. False when the port has none (a pseudo-terminal) or
    // refuses; lastError() then says why. Reading a line that cannot be read
    // gives nothing.
    bool setRts(bool on);
    bool setDtr(bool on);
    std::optional<bool> cts();
    std::optional<bool> dsr();

    // Writes what the port takes within the write time-out and returns the
    // count written (0 when the line stayed blocked). Raises ESerialError for
    // a write error.
    std::size_t sendBuffer(std::string_view bytes);
    // Writes one byte; raises ESerialError when it cannot go within the
    // write time-out.
    void sendByte(std::uint8_t byte);

    // Exactly `count` bytes, or up to the terminator (not included), within
    // the time-out; ESerialError with ETIMEDOUT when time runs out (what came
    // so far stays for the next read).
    std::string recvExact(std::size_t count, int timeoutMs);
    std::string recvTerminated(std::string_view terminator, int timeoutMs);
    // What arrives within the time-out: waits for the first bytes, then takes
    // everything waiting. Possibly nothing.
    std::string recvAvailable(int timeoutMs);
    // One byte within the time-out; ETIMEDOUT when none came.
    std::uint8_t recvByte(int timeoutMs);

    // Bytes already taken from the port and kept, else those queued in it.
    int waitingBytes();
    // Discards what is queued in both directions and what is kept.
    void purge();

    // The most any single write waits for the line; 0 does not wait.
    int writeTimeoutMs() const { return writeTimeoutMs_; }
    void setWriteTimeoutMs(int value) { writeTimeoutMs_ = value < 0 ? 0 : value; }
    // Send pacing in bytes per second; 0 sends as fast as the line takes.
    int maxBandwidth() const { return maxBandwidth_; }
    void setMaxBandwidth(int value) { maxBandwidth_ = value < 0 ? 0 : value; }

    const StatusHook &statusHook() const { return statusHook_; }
    void setStatusHook(StatusHook hook) { statusHook_ = std::move(hook); }

  private:
    [[noreturn]] void fail(int code, const std::string &message);
    void requireOpen(std::string_view what);
    void notify(SerialStatus status, const std::string &value);
    std::optional<bool> modemLine(int bit);
    bool setModemLine(int bit, bool on);
    // Waits until the descriptor is readable (or writable) or the deadline
    // passes; true when it is.
    bool waitReady(short events, int remainingMs);
    // Moves what is queued in the port into the kept bytes; false when none.
    bool fillKept();
    int remainingMs(std::int64_t deadlineMs) const;
    std::string takeKept(std::size_t count);

    int fd_ = -1;
    std::string path_;
    std::string kept_;
    int lastError_ = 0;
    int writeTimeoutMs_ = 100;
    int maxBandwidth_ = 0;
    StatusHook statusHook_;
};
