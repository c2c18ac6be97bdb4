#pragma once

#include <string>

#include "printing/posprinter/escpos_epson.h"

// The ESC/POS writer of the printers with their own QR code (ESC ( k, with
// an alignment function in place of the model), stored logo (GS 0 9 n) and
// italic commands ("EscDiebold"). Code 128 goes without a code set; the
// information is the maker's name alone.

class TQuibEscDiebold : public TQuibEscPosEpson {
  public:
    explicit TQuibEscDiebold(const TQuibPosConfig &config);

    std::string ComandoCodigoBarras(const std::string &tag, const std::string &content) override;
    std::string ComandoQRCode(const std::string &content) override;
    std::string LerInfo() override;
    std::string ComandoImprimirLogo() override;
};
