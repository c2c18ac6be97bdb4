#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "printing/device/usb_id_table.h"

// The USB devices found by an enumeration (usb_device_api.h) and the list
// that owns them. A device knows its identifiers and where it was found; its
// maker, description, equipment type and protocol come from the list's
// identifier table on first use.
//
// Texts of a device on this system: DeviceInterface is the device node to open
// ("/dev/usb/lp0"), ClassGUID the physical device's sysfs folder (so the same
// device found twice is recognised), FriendlyName "<manufacturer> <product>
// (<node>)", e.g. "Prolific USB-Serial (/dev/ttyUSB0)".
//
// Errors are EQuibDeviceError: identifiers that are not hexadecimal, and the
// table's own errors (usb_id_table.h).

class TQuibUSBWinDeviceList;

class TQuibUSBWinDevice {
  public:
    explicit TQuibUSBWinDevice(TQuibUSBWinDeviceList &lista) : lista_(&lista) {}

    // Four hexadecimal digits, stored lower-case; anything not hexadecimal
    // raises "VendorID inválido [<id>]" / "ProductID inválido [<id>]".
    const std::string &VendorID() const { return vendorId_; }
    void SetVendorID(std::string_view valor);
    const std::string &ProductID() const { return productId_; }
    void SetProductID(std::string_view valor);

    std::string GUID; // the class it was found under, braced, lower-case
    std::string DeviceInterface;
    std::string ClassGUID;
    std::string HardwareID;
    std::string FriendlyName;
    std::string LocationInformation;

    // From the identifier table, looked up once.
    const std::string &Fabricante() { return tabela().fabricante; }
    const std::string &Descricao() { return tabela().descricao; }
    std::uint8_t TipoEquipamento() { return tabela().tipoEquipamento; }
    int Protocolo() { return tabela().protocolo; }

    // "<maker>, <description>" (the description alone when it holds a ","
    // and so names the maker itself; blank parts skipped), else
    // "<vendor id>, <product id>".
    std::string DescricaoCompleta();
    // DescricaoCompleta, or FriendlyName when the device is not in the table
    // and has one.
    std::string NomeDispositivo();

  private:
    const TQuibUSBIDDataBase::Dispositivo &tabela();

    TQuibUSBWinDeviceList *lista_;
    std::string vendorId_;
    std::string productId_;
    std::optional<TQuibUSBIDDataBase::Dispositivo> tabela_;
};

class TQuibUSBWinDeviceList {
  public:
    // The table is read from nomeArquivoTabela when given and present, else
    // as TQuibUSBIDDataBase's defaults say.
    explicit TQuibUSBWinDeviceList(std::string_view nomeArquivoTabela = {}) : tabela_(nomeArquivoTabela) {}

    int Count() const { return static_cast<int>(itens_.size()); }
    // Raises std::out_of_range for an index outside the list.
    TQuibUSBWinDevice &operator[](int indice) { return *itens_.at(static_cast<std::size_t>(indice)); }
    void Clear() { itens_.clear(); }
    void Delete(int indice);

    TQuibUSBIDDataBase &BaseDados() { return tabela_; }

    // Appends a device with both identifiers set; when either is refused,
    // nothing is appended and the error propagates.
    TQuibUSBWinDevice &NovoDispositivo(std::string_view vendorId, std::string_view productId);

    // The first device whose ClassGUID equals the class id lower-cased; -1 for
    // an empty list, a blank id or no match.
    int IndiceDaClasse(std::string_view classe) const;
    // -1 for an empty list, 0 for an empty name; otherwise the first device
    // whose NomeDispositivo begins with the name, case ignored and serial
    // port names normalised (NormalizaVCOM); -1 when none.
    int IndiceDoNome(std::string_view nome);

  private:
    std::vector<std::unique_ptr<TQuibUSBWinDevice>> itens_;
    TQuibUSBIDDataBase tabela_;
};

// The serial port a device name holds in parentheses: "/dev/ttyUSB0" for
// "Prolific USB-Serial (/dev/ttyUSB0)"; empty when the name holds none.
std::string PortaCOMDoNome(std::string_view nome);
// The name with every occurrence of its serial port replaced by "VCOM", so
// names match whatever number the system gave the port this time.
std::string NormalizaVCOM(std::string_view nome);
