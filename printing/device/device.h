#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/base/base_classes.h"
#include "printing/device/device_errors.h"
#include "printing/device/device_file.h"
#include "printing/device/device_hook.h"
#include "printing/device/device_serial.h"
#include "printing/device/device_spooler.h"
#include "printing/device/device_tcp.h"
#include "printing/device/device_transport.h"
#include "printing/device/device_types.h"
#include "printing/device/device_usb.h"
#include "printing/device/ports.h"
#include "printing/device/serial_port.h"

// The byte pipe between the printer component and a printer. The caller gives
// one port text; the device deduces the kind of port from it
// (deducePortType), selects the matching transport and offers the same small
// set of operations whatever the transport is: activate, deactivate, send,
// read, discard input. It also keeps the serial line settings (in its serial
// transport, whatever port is selected) and an optional trace file.
//
// The device owns its transports. Errors it raises itself are
// EQuibDeviceError, written to the trace before they propagate; errors of the
// transports propagate as they are. Trace-file errors are ignored.
//
// Transports that are not part of this build refuse to activate with a plain
// message rather than take data they cannot deliver.
class TQuibDevice : public TQuibComponent {
  public:
    // Hooks through which a caller takes over the transport ("DLL" ports).
    using HookAtivar = std::function<void(const std::string &porta, const std::string &params)>;
    using HookDesativar = std::function<void(const std::string &porta)>;
    using HookEnviaString = std::function<void(const std::string &cmd)>;
    using HookLeString = std::function<void(int numBytes, int timeOut, std::string &retorno)>;

    TQuibDevice();
    // Traces "Destroy" and deactivates an active device, ignoring its errors.
    ~TQuibDevice() override;

    // --- Serial settings (kept by the serial transport) ---
    int Baud() const { return serial_->Baud(); }
    void SetBaud(int valor) { serial_->SetBaud(valor); }
    int Data() const { return serial_->Data(); }
    void SetData(int valor) { serial_->SetData(valor); }
    TQuibSerialParity Parity() const { return serial_->Parity(); }
    void SetParity(TQuibSerialParity valor) { serial_->SetParity(valor); }
    TQuibSerialStop Stop() const { return serial_->Stop(); }
    void SetStop(TQuibSerialStop valor) { serial_->SetStop(valor); }
    TQuibHandShake HandShake() const { return serial_->HandShake(); }
    void SetHandShake(TQuibHandShake valor) { serial_->SetHandShake(valor); }
    bool SoftFlow() const { return serial_->SoftFlow(); }
    void SetSoftFlow(bool valor) { serial_->SetSoftFlow(valor); }
    bool HardFlow() const { return serial_->HardFlow(); }
    void SetHardFlow(bool valor) { serial_->SetHardFlow(valor); }
    const SerialPort::StatusHook &OnStatus() const { return serial_->OnStatus(); }
    void SetOnStatus(SerialPort::StatusHook hook) { serial_->SetOnStatus(std::move(hook)); }

    // Send bandwidth limit of the current transport (0: none). Not kept when
    // another port is selected later.
    int MaxBandwidth() const { return current_->GetMaxBandwidth(); }
    void SetMaxBandwidth(int valor);

    // Bytes per piece when sending (0: all in one piece) and the pause in ms
    // after each piece (0: none).
    int SendBytesCount() const { return sendBytesCount_; }
    void SetSendBytesCount(int valor) { sendBytesCount_ = valor; }
    int SendBytesInterval() const { return sendBytesInterval_; }
    void SetSendBytesInterval(int valor) { sendBytesInterval_ = valor; }

    // Spooler document name; reads "TQuibDevice" while empty.
    std::string NomeDocumento() const;
    void SetNomeDocumento(std::string_view valor);

    bool ProcessMessages() const { return processMessages_; }
    void SetProcessMessages(bool valor) { processMessages_ = valor; }

    HookAtivar hookAtivar;
    HookDesativar hookDesativar;
    HookEnviaString hookEnviaString;
    HookLeString hookLeString;

    // Trace file; empty: no trace. The USB layer writes its own lines into it.
    const std::string &ArqLOG() const { return arqLog_; }
    void SetArqLOG(std::string_view valor);

    // --- Port and state ---
    const std::string &Porta() const { return porta_; }
    // Trims (upper-cases "LPT…" and "COM…") and selects the transport the
    // port names. Raises "Não é possível mudar a Porta com o Dispositivo
    // Ativo" while active, keeping the old port.
    void SetPorta(std::string_view valor);
    TQuibDeviceType DeviceType() const { return deviceType_; }
    // Raises "Tipo de dispositivo informado não condiz com o valor da Porta"
    // for a type the port does not allow.
    void SetDeviceType(TQuibDeviceType valor);
    TQuibDeviceType DeduzirTipoPorta(std::string_view porta);

    int TimeOutMilissegundos() const { return timeOutMilissegundos_; }
    void SetTimeOutMilissegundos(int valor);
    bool Ativo() const { return ativo_; }

    // The installed printers: the print scheduler's list unless replaced.
    void SetInstalledPrinterLookup(InstalledPrinterLookup lookup) { installedPrinters_ = std::move(lookup); }

    // --- Operations ---
    // Connects the current transport. Raises "Porta não definida" for an
    // empty port or an unrecognised one that does not begin with "NULL";
    // a transport that fails leaves the device inactive.
    void Ativar();
    // Disconnects, ignoring the transport's errors.
    void Desativar();
    void EnviaString(std::string_view bytes);
    // A time-out of 0 or less means TimeOutMilissegundos.
    std::string LeString(int timeOut = 0, int numBytes = 0, std::string_view terminador = {});
    void Limpar();

    void SetDefaultValues();
    std::string DeviceToString(bool apenasParametrosDiferentesDoDefault)
    {
        return serial_->DeviceToString(apenasParametrosDiferentesDoDefault);
    }

    bool EhSerial() const { return deviceType_ == dtSerial; }
    bool EhTCP() const { return deviceType_ == dtTCP; }
    bool EhArquivo() const { return deviceType_ == dtFile; }
    bool EhHook() const { return deviceType_ == dtHook; }

    // The equipment type and printer protocol of the USB device behind a
    // serial or USB port, from the USB identifier table (usb_id_table.h);
    // protocol 0 and the type unchanged for other ports or when no listed
    // device stands behind the port. A USB port whose device is a USB-serial
    // adapter switches Porta to the adapter's serial port (so it must be
    // called while inactive).
    void IdentificarDispositivoUSB(std::uint8_t &tipoEquipamento, int &protocolo);
    // The USB enumeration (equipment filter, device list).
    TQuibUSBWinDeviceAPI &APIUSB() { return usb_->API(); }

    // The current transport (EmLinha, BytesParaLer, LeByte, EnviaByte).
    TQuibDeviceClass &DeviceClass() { return *current_; }
    TQuibDeviceSerial &Serial() { return *serial_; }
    TQuibDeviceLPT &LPT() { return *lpt_; }

    // Appends "-- dd/mm hh:nn:ss:zzz <text>" to ArqLOG; with traduz, control
    // bytes are written as names.
    void GravaLog(std::string_view texto, bool traduz = false);
    template <typename Error> [[noreturn]] void DisparaExcecao(const Error &erro)
    {
        plain_->DisparaExcecao(erro);
    }

  private:
    TQuibDeviceClass &transportFor(TQuibDeviceType tipo);

    std::unique_ptr<TQuibDeviceClass> plain_;
    std::unique_ptr<TQuibDeviceSerial> serial_;
    std::unique_ptr<TQuibDeviceWinUSB> usb_;
    std::unique_ptr<TQuibDeviceTCP> tcp_;
    std::unique_ptr<TQuibDeviceLPT> lpt_;
    std::unique_ptr<TQuibDeviceHook> hook_;
    std::unique_ptr<TQuibDeviceRaw> raw_;
    std::unique_ptr<TQuibDeviceClass> unavailable_;
    TQuibDeviceClass *current_ = nullptr;
    InstalledPrinterLookup installedPrinters_;
    std::string porta_;
    std::string nomeDocumento_;
    std::string arqLog_;
    TQuibDeviceType deviceType_ = dtNenhum;
    int timeOutMilissegundos_ = 3000;
    int sendBytesCount_ = 0;
    int sendBytesInterval_ = 0;
    bool processMessages_ = true;
    bool ativo_ = false;
};
