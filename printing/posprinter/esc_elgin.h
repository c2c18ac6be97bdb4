#pragma once

#include <string>

#include "printing/posprinter/esc_bematech.h"

// The writer of the printers that speak the ESC/Bema set with their own QR
// code (GS o, then GS k 11), drawer (ESC v n, for every drawer) and status
// (ENQ) commands ("EscElgin"); the rest is the ESC/Bema writer's.

class TQuibEscElgin : public TQuibEscBematech {
  public:
    explicit TQuibEscElgin(const TQuibPosConfig &config);

    std::string ComandoQRCode(const std::string &content) override;
    std::string ComandoGaveta(int gaveta) override;
    // ENQ, one byte.
    void LerStatus(TQuibPosPrinterStatus &status) override;
};
