#pragma once

#include "printing/posprinter/escpos_epson.h"

// The ESC/POS writer of the printers whose beep is ESC B ("EscGPrinter");
// everything else is the ESC/POS writer's.

class TQuibEscGPrinter : public TQuibEscPosEpson {
  public:
    explicit TQuibEscGPrinter(const TQuibPosConfig &config);
};
