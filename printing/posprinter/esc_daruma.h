#pragma once

#include <string>

#include "printing/posprinter/pos_printer_class.h"

// The writer of the printers with their own ESC/Daruma command set
// ("EscDaruma"): barcodes by ESC b, QR codes by ESC 0x81, the drawer by
// ESC p, the stored logo by SYN BS SYN HT, status by ENQ and GS ENQ, and
// information by ESC 0xC7, 0xC3 and 0xE5. It has no code page command, no
// pictures and no logo store.
//
// The printer is configured by a string (ESC 0xC6 and 40 bytes) whose flag
// depends on its model: right after activation on a port that answers
// (serial, TCP, hook) the model is read and the string sent straight away;
// on other ports, and when the printer does not answer those queries, the
// string goes in front of every initialisation, with the flag for the older
// models. Activation also sets the component's normal
// column count from the printer and this writer's condensed ratio.
//
// Unlike the other writers it changes the component's settings: a QR code
// of more than 256 bytes raises ConfigQRCode's module width below 4 to 4 for
// the codes that follow, which the printer needs to draw such a code.

class TQuibEscDaruma : public TQuibPosPrinterClass {
  public:
    explicit TQuibEscDaruma(TQuibPosConfig &config);

    bool Configurada() const { return configurada_; }

    std::string ComandoCodigoBarras(const std::string &tag, const std::string &content) override;
    std::string ComandoQRCode(const std::string &content) override;
    std::string ComandoGaveta(int gaveta) override;
    std::string ComandoInicializa() override;
    std::string ComandoImprimirLogo() override;
    void AposAtivar() override;
    // ENQ, then GS ENQ; one byte each.
    void LerStatus(TQuibPosPrinterStatus &status) override;
    // Firmware, model and the configuration text (cutter, columns, code
    // page); failures pass through.
    std::string LerInfo() override;

    // ESC 0xC6, 30 "X", the flag and 9 "X".
    static std::string ComandoConfiguracao(char flag);

  private:
    TQuibPosConfig &configMut_;
    bool configurada_ = false;
};
