#pragma once

#include <string>

#include "printing/posprinter/escpos_epson.h"

// The ESC/POS writer of the printers with their own beep (ESC B) and QR code
// (ESC Z, modules of at most 8 dots), one cut for both kinds and no page
// mode ("EscZJiang"). Logos print only from the legacy store (KeyCode2 0);
// GS ( L key codes raise EPosPrinterException "EscZJiang apenas aceitas
// KeyCode1=1, KeyCode2=0".

class TQuibEscZJiang : public TQuibEscPosEpson {
  public:
    explicit TQuibEscZJiang(const TQuibPosConfig &config);

    std::string ComandoQRCode(const std::string &content) override;
    void VerificarKeyCodes() override;
};
