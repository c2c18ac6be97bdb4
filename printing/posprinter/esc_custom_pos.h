#pragma once

#include <string>

#include "printing/posprinter/escpos_epson.h"

// The ESC/POS writer of the printers with their own cut, QR code (GS ( k
// with model, module and level as plain numbers and store and print in
// area 1) and identification commands ("EscCustomPos"). It has no beep, no
// page mode and no condensed or italic commands of its own: the font is
// one ESC ! of every attribute, italic included.
//
// Logos print only from the legacy store (KeyCode2 0); GS ( L key codes
// raise EPosPrinterException "Custom apenas aceitas KeyCode1=1,
// KeyCode2=0", and storing or erasing a logo raises "Comando ... ainda não
// suportado na CustomPos".

class TQuibEscCustomPos : public TQuibEscPosEpson {
  public:
    explicit TQuibEscCustomPos(const TQuibPosConfig &config);

    std::string ComandoFonte(TQuibPosAtributoFonte atributo, bool ligar) override;
    std::string ComandoQRCode(const std::string &content) override;
    std::string ComandoConfigurarModoPagina() override;
    // Maker, firmware, the model's name from its identification bytes, and
    // the cutter.
    std::string LerInfo() override;
    std::string ComandoImagemRaster(const std::string &raster, int width, int height) override;
    std::string ComandoGravarLogoRasterStr(const std::string &raster, int width, int height) override;
    std::string ComandoApagarLogo() override;
    void VerificarKeyCodes() override;
};
