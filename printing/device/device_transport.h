#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "printing/device/device_errors.h"

class TQuibDevice;

// The transport behind a TQuibDevice: the operations every kind of port
// offers. This base class is the do-nothing transport of "NULL" and Bluetooth
// ports: it accepts and discards what is sent and reads nothing. Each real
// transport derives from it and overrides what it does.
//
// A transport belongs to its device and traces through the device's trace
// file. Every wait it makes is bounded by the time-out it is given.
class TQuibDeviceClass {
  public:
    // Raises EQuibDeviceError "Dono de TQuibDeviceClass deve ser TQuibDevice"
    // without a device.
    explicit TQuibDeviceClass(TQuibDevice *owner);
    virtual ~TQuibDeviceClass() = default;
    TQuibDeviceClass(const TQuibDeviceClass &) = delete;
    TQuibDeviceClass &operator=(const TQuibDeviceClass &) = delete;

    // The name traces print for this transport.
    virtual std::string_view ClassName() const { return "TQuibDeviceClass"; }

    virtual int GetMaxBandwidth() { return 0; }
    virtual int GetTimeOutMilissegundos() { return 100; }
    virtual void SetMaxBandwidth(int) {}
    virtual void SetTimeOutMilissegundos(int) {}

    // Traces "   <class>.Conectar(<port>, <time-out>)" and keeps the port.
    virtual void Conectar(const std::string &porta, int timeOutMilissegundos);
    // Traces "   <class>.Desconectar(True|False)".
    virtual void Desconectar(bool ignorarErros = true);
    // Whether the printer is ready to take data; the base answers true.
    virtual bool EmLinha(int timeOutMilissegundos);
    virtual int BytesParaLer() { return 0; }
    virtual void EnviaString(std::string_view bytes);
    virtual void EnviaByte(std::uint8_t byte);
    // count above 0: that many bytes; else up to the terminator; else what
    // arrives within the time-out. The base reads nothing.
    virtual std::string LeString(int timeOutMilissegundos, int numBytes, std::string_view terminador);
    // The first byte of a one-byte read, 0 when nothing came.
    virtual std::uint8_t LeByte(int timeOutMilissegundos);
    // Reads with 100 ms until nothing comes.
    virtual void Limpar();

    // The port given to the last Conectar.
    const std::string &Porta() const { return porta_; }
    TQuibDevice &Owner() const { return *owner_; }

    void GravaLog(std::string_view texto, bool traduz = false);

    // Traces "<class name>: <message>" and raises the error.
    template <typename Error> [[noreturn]] void DisparaExcecao(const Error &erro)
    {
        traceError(erro);
        throw erro;
    }

  protected:
    // Cuts the bytes into pieces of the device's SendBytesCount (all in one
    // piece when 0), tracing "  BytesToSend:<size>" before each and pausing
    // SendBytesInterval ms after each ("  Sleep(<ms>)"), the last one too.
    void sendInPieces(std::string_view bytes, const std::function<void(std::string_view)> &enviaPeca);

  private:
    void traceError(const EQuibDeviceError &erro);

    TQuibDevice *owner_;
    std::string porta_;
};
