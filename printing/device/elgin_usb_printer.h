#pragma once

#include <string>

#include "printing/device/detail/usb_vendor_api.h"
#include "printing/device/printer_hook.h"

// The hook of the printers driven through "HprtPrinter.dll": the library
// creates a printer object for the model "i7", opens the port on it and moves
// bytes both ways with one call. Created (0) and opened (0) are the only
// results relied on; a read gives at most 1024 bytes, whatever the library
// claims. Implemented in elgin_usb_printer.cpp.
class TElginUSBPrinter : public TQuibPosPrinterHook {
  public:
    static constexpr const char *kMarca = "ELGIN";
    static constexpr const char *kBiblioteca = "HprtPrinter.dll";
    static constexpr unsigned int kCapacidadeLeitura = 1024;

    TElginUSBPrinter() = default;
    ~TElginUSBPrinter() override { FinalizarSemErros(); }

    std::string NomeClasse() const override { return "TElginUSBPrinter"; }
    std::string Marca() const override { return kMarca; }
    std::string NomeBiblioteca() const override { return kBiblioteca; }
    // True once the library created its printer object.
    bool Inicializada() const override { return handleImpressora_ != nullptr; }

    // Binds the library and creates the printer object; raises "Erro ao criar
    // instância do Objeto da impressora ELGIN: <result>" when refused.
    void Inicializar() override;
    void Finalizar() override;
    // Raises EQuibDeviceError when the library refuses the port; the hook is
    // then unconnected.
    void Conectar(const std::string &porta) override;
    void Desconectar() override;
    void EnviarDados(const std::string &dados) override;
    // What the printer has sent, at most kCapacidadeLeitura bytes; the
    // arguments are not used.
    std::string LerDados(int quantidade, int timeOut) override;

    static bool BibliotecaExiste() { return BibliotecaHookExiste(kBiblioteca); }

  protected:
    void CarregarFuncoes() override;
    void LiberarFuncoes() override;

  private:
    void limparFuncoes();

    void *handleImpressora_ = nullptr;
    usb_vendor_api::PrtPrinterCreatorW prtPrinterCreatorW_ = nullptr;
    usb_vendor_api::PrtPortOpenW prtPortOpenW_ = nullptr;
    usb_vendor_api::PrtPortClose prtPortClose_ = nullptr;
    usb_vendor_api::PrtDirectIO prtDirectIO_ = nullptr;
};
