#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "printing/device/cups_printers.h"
#include "printing/device/device_transport.h"

// The spooler transport of TQuibDevice: "RAW:<printer>" ports, the "*" port
// (the default printer) and ports that name an installed printer. Every send
// is one raw job of the print scheduler titled with the device's
// NomeDocumento; nothing stays open between sends and reading returns nothing.
//
// Errors go through DisparaExcecao: "Impressora não encontrada [<name>]" (at
// Conectar and at each send), "Erro Nenhuma impressora Padrão foi detectada"
// and "Erro ao imprimir na impressora [<printer>]: <scheduler's message>".
class TQuibDeviceRaw : public TQuibDeviceClass {
  public:
    // Where the printer list comes from and where the jobs go.
    using PrinterList = std::function<InstalledPrinters()>;
    using JobPrinter =
        std::function<void(const std::string &impressora, const std::string &titulo, std::string_view bytes)>;

    explicit TQuibDeviceRaw(TQuibDevice *owner);

    std::string_view ClassName() const override { return "TQuibDeviceRaw"; }

    // Finds the printer at once, so a missing one fails activation.
    void Conectar(const std::string &porta, int timeOutMilissegundos) override;
    void EnviaString(std::string_view bytes) override { EnviaStringWindows(bytes); }

    // The printer of the port in the list: a name other than "*" by
    // AcharImpressora, "*" the default printer, else the first one.
    int GetPrinterIndex(const InstalledPrinters &impressoras);
    void EnviaStringWindows(std::string_view bytes);

  private:
    PrinterList printers_;
    JobPrinter jobs_;
};

// The position of the name in the list (case ignored); else the first
// network entry ("\\server\share") whose share name is the name; else -1.
int AcharImpressora(const std::vector<std::string> &impressoras, std::string_view nome);
