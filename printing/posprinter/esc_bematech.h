#pragma once

#include <string>

#include "printing/posprinter/pos_printer_class.h"

// The writer of the printers with their own ESC/Bema command set
// ("EscBematech"): ESC/POS barcodes without Code 128 code sets, QR codes by
// GS k Q, the drawer by ESC v, the legacy logo store (FS p / FS q), status
// and information by GS F8 and GS F9. Its initialisation switches the
// printer to this command set (GS F9 SP 0) before the spacing and code page.
//
// Storing or erasing a logo raises EPosPrinterException "Bematech apenas
// aceitas KeyCode1=1, KeyCode2=0" for any other key codes.

class TQuibEscBematech : public TQuibPosPrinterClass {
  public:
    explicit TQuibEscBematech(const TQuibPosConfig &config);

    std::string ComandoCodigoBarras(const std::string &tag, const std::string &content) override;
    std::string ComandoQRCode(const std::string &content) override;
    std::string ComandoPaginaDeCodigo(TQuibPosPaginaCodigo pagina) override;
    std::string ComandoGaveta(int gaveta) override;
    std::string ComandoInicializa() override;
    std::string ComandoImagemRaster(const std::string &raster, int width, int height) override;
    std::string ComandoImprimirLogo() override;
    std::string ComandoGravarLogoRasterStr(const std::string &raster, int width, int height) override;
    std::string ComandoApagarLogo() override;
    // GS F8 1 (five bytes; fewer than two are a failed read).
    void LerStatus(TQuibPosPrinterStatus &status) override;
    // Model, serial and firmware by GS F9 ' n; the cutter from GS F8 1.
    std::string LerInfo() override;

  protected:
    // The longer of the drawer's on and off times.
    std::uint8_t TempoGaveta() const;
};
