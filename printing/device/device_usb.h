#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "printing/device/device_transport.h"
#include "printing/device/device_types.h"
#include "printing/device/usb_device_api.h"

// The USB transport of TQuibDevice ("USB", "USB:<name start>", "/dev/usb/lpN"
// and "\\?\usb…" ports): a thin layer over TQuibUSBWinDeviceAPI, which it
// owns. It also tells the device which equipment stands behind a serial or
// USB port (IdentificarDispositivoUSB).
//
// Errors of the API propagate unchanged and are not traced by the device.
class TQuibDeviceWinUSB : public TQuibDeviceClass {
  public:
    explicit TQuibDeviceWinUSB(TQuibDevice *owner);

    std::string_view ClassName() const override { return "TQuibDeviceWinUSB"; }

    int GetTimeOutMilissegundos() override { return api_.TimeOut(); }
    void SetTimeOutMilissegundos(int valor) override { api_.SetTimeOut(valor); }

    // Opens the port's device; the time-out then applies to every send and read.
    void Conectar(const std::string &porta, int timeOutMilissegundos) override;
    // Closes it; with ignorarErros a failing close is not reported.
    void Desconectar(bool ignorarErros = true) override;
    // Sends in pieces of the device's SendBytesCount, pausing
    // SendBytesInterval after each.
    void EnviaString(std::string_view bytes) override;
    std::string LeString(int timeOutMilissegundos, int numBytes, std::string_view terminador) override;
    void Limpar() override { api_.Purge(); }

    TQuibUSBWinDeviceAPI &API() { return api_; }

    struct Identificacao {
        std::uint8_t tipoEquipamento = 0;
        int protocolo = 0;
        // For a USB port whose device is a USB-serial adapter: its serial
        // port, which the device should use from then on.
        std::optional<std::string> portaSerial;
    };
    // The table's equipment type and protocol of the device behind the port
    // (enumerating first when nothing was listed yet); nullopt when no listed
    // device stands behind it. Serial ports ("COMn" mapped to its device file,
    // "/dev/tty…") are found by the node in the friendly name, "USB" ports
    // by their name start, "\\?…" ports by the device path.
    std::optional<Identificacao> IdentificarDispositivoUSB(std::string_view porta, TQuibDeviceType tipo);

  private:
    TQuibUSBWinDevice *dispositivoDaPorta(std::string_view porta);

    TQuibUSBWinDeviceAPI api_;
};
