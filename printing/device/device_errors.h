#pragma once

#include <string>
#include <string_view>

#include "foundation/base/quib_exception.h"

// Errors of the printer device and its transports. Each knows the class name
// that device traces print before the message ("Exception: Porta não
// definida"). Header only: no source of its own.

// The device's general error: bad ports, refused settings, failed opens and
// sends. Traced as "Exception".
class EQuibDeviceError : public EQuibException {
  public:
    using EQuibException::EQuibException;
    virtual std::string_view className() const { return "Exception"; }
};

// An error of the serial-port layer (printing/device/serial_port.h), with the
// system error code behind it (kSerialPortNotFound when the port does not
// exist, ETIMEDOUT when a read ran out of time). Traced as "ESerialError".
class ESerialError : public EQuibDeviceError {
  public:
    ESerialError(int code, const std::string &message) : EQuibDeviceError(message), code_(code) {}
    std::string_view className() const override { return "ESerialError"; }
    int code() const { return code_; }

  private:
    int code_;
};

// The code of ESerialError for a port that does not exist.
inline constexpr int kSerialPortNotFound = 2;

// An error of a network connection (printing/device/tcp_socket.h), with the
// system error code behind it (ETIMEDOUT when a connect, send or read ran out
// of time). Its message names the host and port. Traced as "ESocketError".
class ESocketError : public EQuibDeviceError {
  public:
    ESocketError(int code, const std::string &message) : EQuibDeviceError(message), code_(code) {}
    std::string_view className() const override { return "ESocketError"; }
    int code() const { return code_; }

  private:
    int code_;
};
