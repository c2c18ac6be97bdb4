#pragma once

#include <string>
#include <string_view>

#include "printing/device/device_transport.h"

// The hook transport of TQuibDevice ("DLL…" ports): every operation goes to
// the device's hooks (hookAtivar, hookDesativar, hookEnviaString,
// hookLeString), through which the printer component plugs in vendor-library
// printers. A missing hook does nothing: sends are dropped, reads return
// nothing. Errors the hooks raise propagate unchanged.
class TQuibDeviceHook : public TQuibDeviceClass {
  public:
    using TQuibDeviceClass::TQuibDeviceClass;

    std::string_view ClassName() const override { return "TQuibDeviceHook"; }

    // Calls hookAtivar with the port and the device's serial settings text.
    void Conectar(const std::string &porta, int timeOutMilissegundos) override;
    // Calls hookDesativar with the port kept by Conectar.
    void Desconectar(bool ignorarErros = true) override;
    void EnviaString(std::string_view bytes) override;
    // Asks the read hook for the whole wanted length (the count, at least 1)
    // until that much came or the time-out passed, pausing 1 ms after an
    // empty answer. With a terminator, the first piece that ends with it ends
    // the read and the terminator is cut off.
    std::string LeString(int timeOutMilissegundos, int numBytes, std::string_view terminador) override;
    // Reads with 100 ms until nothing comes, for at most the device's
    // time-out in all: a device that keeps talking cannot hold the caller.
    void Limpar() override;
};
