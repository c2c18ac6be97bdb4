#pragma once

#include <string>

#include "printing/posprinter/escpos_epson.h"

// The ESC/POS writer of the printers built into point-of-sale terminals
// ("EscSunmi"): one ESC ! for every font attribute (font B as condensed),
// FS . before the code page, its own beep and QR model, pictures as column
// bands without line feeds, and no stored logos (those commands are empty).
// The cutter is reported only for the models that have one.

class TQuibEscSunmi : public TQuibEscPosEpson {
  public:
    explicit TQuibEscSunmi(const TQuibPosConfig &config);

    std::string ComandoFonte(TQuibPosAtributoFonte atributo, bool ligar) override;
    std::string ComandoPaginaDeCodigo(TQuibPosPaginaCodigo pagina) override;
    std::string ComandoQRCode(const std::string &content) override;
    // GS I A, B, C and D; a printer that gives no firmware gives nothing.
    std::string LerInfo() override;
    std::string ComandoImagemRaster(const std::string &raster, int width, int height) override;
    std::string ComandoImprimirLogo() override;
    std::string ComandoGravarLogoRasterStr(const std::string &raster, int width, int height) override;
    std::string ComandoApagarLogo() override;
};
