#pragma once

#include <string>
#include <string_view>

#include "printing/device/device_transport.h"
#include "printing/device/tcp_socket.h"

// The network transport of TQuibDevice: "TCP:<host>[:<port>]" ports, a raw
// TCP connection to the printer (port 9100 unless the text names another; a
// port number is at most five characters, longer ones are cut).
//
// Errors of the connection propagate as ESocketError without a trace line:
// a refused or silent host at Conectar, a peer that closes or stops reading
// during a send, a count or terminator read that runs out of time.
class TQuibDeviceTCP : public TQuibDeviceClass {
  public:
    using TQuibDeviceClass::TQuibDeviceClass;

    std::string_view ClassName() const override { return "TQuibDeviceTCP"; }

    int GetMaxBandwidth() override { return socket_.maxBandwidth(); }
    void SetMaxBandwidth(int valor) override { socket_.setMaxBandwidth(valor); }
    // The connection time-out, set by every Conectar.
    int GetTimeOutMilissegundos() override { return timeOut_; }
    void SetTimeOutMilissegundos(int valor) override { timeOut_ = valor; }

    void Conectar(const std::string &porta, int timeOutMilissegundos) override;
    void Desconectar(bool ignorarErros = true) override;
    int BytesParaLer() override { return socket_.waitingBytes(); }
    // Sends in pieces of the device's SendBytesCount, pausing
    // SendBytesInterval after each; every write waits at most the device's
    // time-out for the printer to take bytes.
    void EnviaString(std::string_view bytes) override;
    void EnviaByte(std::uint8_t byte) override;
    std::string LeString(int timeOutMilissegundos, int numBytes, std::string_view terminador) override;
    // One byte within the time-out; raises ETIMEDOUT when none came.
    std::uint8_t LeByte(int timeOutMilissegundos) override;
    void Limpar() override { socket_.purge(); }

    const std::string &IP() const { return ip_; }
    const std::string &PortaTCP() const { return portaTcp_; }

  private:
    TcpSocket socket_;
    std::string ip_;
    std::string portaTcp_;
    int timeOut_ = 0;
};

// Splits the text after "TCP:" into host and port: the port is what follows
// the first ":", at most five characters, "9100" when empty.
struct TcpAddress {
    std::string ip;
    std::string porta;
};
TcpAddress parseTcpPort(std::string_view porta);
