#pragma once

#include <string>

#include "printing/posprinter/escpos_epson.h"

// The ESC/POS writer of the printers that want Kanji mode cancelled before a
// code page (FS .), open the drawer with DLE DC4 1, report their status by
// GS r and draw pictures as column bands without line feeds
// ("EscPosStar"); the rest is the ESC/POS writer's.

class TQuibEscPosStar : public TQuibEscPosEpson {
  public:
    explicit TQuibEscPosStar(const TQuibPosConfig &config);

    std::string ComandoPaginaDeCodigo(TQuibPosPaginaCodigo pagina) override;
    std::string ComandoGaveta(int gaveta) override;
    // GS r 1 (paper) and GS r 2 (drawer), one byte each.
    void LerStatus(TQuibPosPrinterStatus &status) override;
    // GS I A, B, C, D and 2; a printer that gives no firmware gives nothing.
    std::string LerInfo() override;
    std::string ComandoImagemRaster(const std::string &raster, int width, int height) override;
};
