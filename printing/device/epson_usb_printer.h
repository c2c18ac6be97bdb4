#pragma once

#include <string>

#include "printing/device/detail/usb_vendor_api.h"
#include "printing/device/printer_hook.h"

// The hook of the printers driven through "InterfaceEpsonNF.dll". Print
// bytes go to the library as they are; real-time status requests (16 4 n)
// and identification requests (29 'I' n, 28 'b') are not sent but answered
// by the next LerDados from the library's status and model functions, as an
// ESC/POS printer would answer them, so the ESC/POS writer reads this
// printer unchanged. Each request is consumed by the read that answers it.
// Results relied on: 1 opened, closed, sent, model and serial read.
// Implemented in epson_usb_printer.cpp.
class TEpsonUSBPrinter : public TQuibPosPrinterHook {
  public:
    static constexpr const char *kMarca = "EPSON";
    static constexpr const char *kBiblioteca = "InterfaceEpsonNF.dll";

    TEpsonUSBPrinter() = default;
    ~TEpsonUSBPrinter() override { FinalizarSemErros(); }

    std::string NomeClasse() const override { return "TEpsonUSBPrinter"; }
    std::string Marca() const override { return kMarca; }
    std::string NomeBiblioteca() const override { return kBiblioteca; }

    void Inicializar() override;
    // Raises EQuibDeviceError when the library refuses the port; the hook is
    // then unconnected.
    void Conectar(const std::string &porta) override;
    void Desconectar() override;
    void EnviarDados(const std::string &dados) override;
    // The answer to the pending request, empty when none is pending.
    std::string LerDados(int quantidade, int timeOut) override;

    static bool BibliotecaExiste() { return BibliotecaHookExiste(kBiblioteca); }

  protected:
    void CarregarFuncoes() override;
    void LiberarFuncoes() override;

  private:
    void limparFuncoes();
    std::string respostaStatus(int pedido);
    std::string respostaInfo(char pedido);
    // The model text, read once by a successful call and kept.
    std::string lerModelo();

    int statusPendente_ = 0;
    char infoPendente_ = ' ';
    std::string modeloLido_;

    usb_vendor_api::IniciaPorta iniciaPorta_ = nullptr;
    usb_vendor_api::FechaPorta fechaPorta_ = nullptr;
    usb_vendor_api::ComandoTX comandoTX_ = nullptr;
    usb_vendor_api::Le_Status leStatus_ = nullptr;
    usb_vendor_api::Le_Status_Slip leStatusSlip_ = nullptr;
    usb_vendor_api::Le_Status_Gaveta leStatusGaveta_ = nullptr;
    usb_vendor_api::LeModelo leModelo_ = nullptr;
    usb_vendor_api::LeNumeroSerie leNumeroSerie_ = nullptr;
    usb_vendor_api::LeMICR leMICR_ = nullptr;
};
