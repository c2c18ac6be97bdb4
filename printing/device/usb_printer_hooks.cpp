#include "printing/device/usb_printer_hooks.h"

#include <memory>

#include "printing/device/elgin_usb_printer.h"
#include "printing/device/epson_usb_printer.h"

namespace {

template <class Hook> TQuibPosPrinterHookClasse classeDoHook()
{
    return {Hook::kMarca, &Hook::BibliotecaExiste,
            []() -> std::unique_ptr<TQuibPosPrinterHook> { return std::make_unique<Hook>(); }};
}

} // namespace

void RegistrarHooksUSB()
{
    RegistrarHook(classeDoHook<TEpsonUSBPrinter>());
    RegistrarHook(classeDoHook<TElginUSBPrinter>());
}
