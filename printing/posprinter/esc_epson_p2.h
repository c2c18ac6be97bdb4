#pragma once

#include "printing/posprinter/pos_printer_class.h"

// The writer of the dot-matrix line printers of the ESC/P family
// ("EscEpsonP2"): fonts, condensed and expanded print and line spacing only.
// Barcodes, QR codes, alignment blocks, the drawer, the beep, cuts and page
// mode are not supported (their blocks print their content as text); it has
// no code page command, no status and no information.

class TQuibEscEpsonP2 : public TQuibPosPrinterClass {
  public:
    explicit TQuibEscEpsonP2(const TQuibPosConfig &config);
};
