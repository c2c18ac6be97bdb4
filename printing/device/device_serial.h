#pragma once

#include <string>
#include <string_view>

#include "printing/device/device_transport.h"
#include "printing/device/device_types.h"
#include "printing/device/serial_port.h"

// The serial transport of TQuibDevice ("COMn", "\\.\COMn" and Linux serial
// device files), over SerialPort. It also keeps the device's serial line
// settings whatever port is selected; while the port is open every change is
// applied at once, otherwise at the next Conectar.
//
// Errors: a refused setting raises EQuibDeviceError and keeps the old value;
// failures to open and sends that make no progress raise EQuibDeviceError
// through DisparaExcecao (traced first); read time-outs and other errors of
// the port propagate as ESerialError.
class TQuibDeviceSerial : public TQuibDeviceClass {
  public:
    explicit TQuibDeviceSerial(TQuibDevice *owner);

    std::string_view ClassName() const override { return "TQuibDeviceSerial"; }

    int GetMaxBandwidth() override { return port_.maxBandwidth(); }
    void SetMaxBandwidth(int valor) override { port_.setMaxBandwidth(valor); }
    int GetTimeOutMilissegundos() override { return port_.writeTimeoutMs(); }
    void SetTimeOutMilissegundos(int valor) override { port_.setWriteTimeoutMs(valor); }

    // Opens the device file the port names (serialDevicePath), applies the
    // settings and purges. A missing port raises "Porta <port> não
    // encontrada"; the port is closed again after any failure.
    void Conectar(const std::string &porta, int timeOutMilissegundos) override;
    void Desconectar(bool ignorarErros = true) override;
    // Waits for CTS (RTS/CTS) or DSR (DTR/DSR) up to the time-out, looking
    // every 10 ms; true at once with another handshake; false when the port
    // is closed, the time-out is 0 or the line stays down. A line the port
    // cannot read (a pseudo-terminal has none) is traced and reads as down.
    bool EmLinha(int timeOutMilissegundos) override;
    int BytesParaLer() override { return port_.waitingBytes(); }
    // Sends in pieces of the device's SendBytesCount, pausing
    // SendBytesInterval after each; raises "Erro ao enviar dados para a
    // porta: <port>" after ten writes in a row without progress.
    void EnviaString(std::string_view bytes) override;
    void EnviaByte(std::uint8_t byte) override { port_.sendByte(byte); }
    std::string LeString(int timeOutMilissegundos, int numBytes, std::string_view terminador) override;
    std::uint8_t LeByte(int timeOutMilissegundos) override { return port_.recvByte(timeOutMilissegundos); }
    void Limpar() override { port_.purge(); }

    // Settings. Baud outside 50..4000000 and data bits outside 5..8 raise.
    int Baud() const { return baud_; }
    void SetBaud(int valor);
    int Data() const { return data_; }
    void SetData(int valor);
    TQuibSerialParity Parity() const;
    void SetParity(TQuibSerialParity valor);
    TQuibSerialStop Stop() const { return static_cast<TQuibSerialStop>(stop_); }
    void SetStop(TQuibSerialStop valor);
    TQuibHandShake HandShake() const { return handShake_; }
    void SetHandShake(TQuibHandShake valor);
    bool HardFlow() const { return hardFlow_; }
    void SetHardFlow(bool valor);
    bool SoftFlow() const { return softFlow_; }
    void SetSoftFlow(bool valor);
    const SerialPort::StatusHook &OnStatus() const { return port_.statusHook(); }
    void SetOnStatus(SerialPort::StatusHook hook) { port_.setStatusHook(std::move(hook)); }

    // 9600 baud, 8 data bits, no parity, one stop bit, no handshake.
    void SetDefaultValues();

    // "BAUD=9600 DATA=8 PARITY=N STOP=1 HANDSHAKE= MAXBANDWIDTH=0
    // SENDBYTESCOUNT=0 SENDBYTESINTERVAL=0" with every item, or only the items
    // that differ from their defaults.
    std::string DeviceToString(bool apenasParametrosDiferentesDoDefault);

    SerialPort &Port() { return port_; }

  private:
    void ConfigurarSerial();
    // Stores the value and applies it; a line that refuses it keeps the old
    // value and the error propagates.
    template <typename T> void applySetting(T &field, T value);
    void raiseModemLine(std::string_view line, bool ok);

    SerialPort port_;
    bool hardFlow_ = false;
    bool softFlow_ = false;
    TQuibHandShake handShake_ = hsNenhum;
    char parity_ = 'N';
    int data_ = 8;
    int baud_ = 9600;
    int stop_ = 0;
};
