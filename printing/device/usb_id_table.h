#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The table of USB vendor and product identifiers that tells which equipment
// a USB device is and which command set it speaks. It is INI text:
//   [Vendors]   vvvv=<vendor name>
//   [vvvv]      pppp=<description>;<equipment type>;<protocol>
// (identifiers as 4 lower-case hexadecimal digits, ";" starting a comment
// line, missing trailing fields reading as 0). The program carries the table
// compiled in (printing/device/QuibUSBID.ini); a file "QuibUSBID.ini" beside
// the program replaces it entirely.
//
// Equipment types: 0 various, 1 POS printer, 2 label printer, 3 SAT/MFE fiscal
// device. The protocol of a POS printer is the ordinal of its printer model.
//
// Errors are EQuibDeviceError: an identifier that is not hexadecimal
// ("VendorID inválido [zz12]") and a resource name the program does not carry.
class TQuibUSBIDDataBase {
  public:
    // The name of the compiled-in table.
    static constexpr std::string_view kNomeRecursoPadrao = "QuibUSBID";

    // Empty texts select the defaults: the program's folder + "QuibUSBID.ini"
    // and the compiled-in table. The table loads on the first lookup.
    explicit TQuibUSBIDDataBase(std::string_view nomeArquivo = {}, std::string_view nomeRecurso = {});

    const std::string &NomeArquivo() const { return nomeArquivo_; }
    const std::string &NomeRecurso() const { return nomeRecurso_; }
    bool Carregado() const { return carregado_; }

    // Empties the table and loads it from NomeArquivo when that file exists,
    // else from the compiled-in table (a NomeRecurso the program does not
    // carry raises "Recurso <name> não encontrado").
    void Carregar();

    struct Dispositivo {
        std::string fabricante;
        std::string descricao;
        int protocolo = 0;
        std::uint8_t tipoEquipamento = 0;
    };

    // Looks the identifiers up (loading the table first when needed). The
    // vendor id is checked before the product id; either not hexadecimal
    // raises "VendorID inválido [<id>]" / "ProductID inválido [<id>]". True
    // when the vendor name or the description was found.
    bool ProcurarDispositivo(std::string_view vendorId, std::string_view productId, Dispositivo &encontrado);

  private:
    std::string valor(std::string_view secao, std::string_view chave) const;

    std::string nomeArquivo_;
    std::string nomeRecurso_;
    // Section → key → value; names upper-cased.
    std::map<std::string, std::map<std::string, std::string>> secoes_;
    bool carregado_ = false;
};

// Raises "<what> inválido [<id>]" unless the identifier is made of
// hexadecimal digits only (an empty one is not).
void validarIdentificadorUSB(std::string_view oQue, std::string_view id);
