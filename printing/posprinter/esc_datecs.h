#pragma once

#include <string>

#include "printing/posprinter/escpos_epson.h"

// The ESC/POS writer of the printers with a BEL beep, their own QR code
// (GS Q 6, modules of at most 14 dots) and identification (ESC Z, ESC N)
// ("EscDatecs"). Logos print only from the legacy store (KeyCode2 0); GS ( L
// key codes raise EPosPrinterException "EscDatecs apenas aceitas
// KeyCode1=1, KeyCode2=0".

class TQuibEscDatecs : public TQuibEscPosEpson {
  public:
    explicit TQuibEscDatecs(const TQuibPosConfig &config);

    std::string ComandoQRCode(const std::string &content) override;
    // Model and firmware from ESC Z, the serial number from ESC N (nothing
    // when it fails); no cutter.
    std::string LerInfo() override;
    void VerificarKeyCodes() override;
};
