#pragma once

#include <string>

#include "printing/posprinter/pos_printer_class.h"

// The ESC/POS writer ("EscPosEpson"), base of most other model writers: its
// command set, one ESC ! for the combined font attributes, barcodes (GS k),
// QR codes (GS ( k), stored logos (GS ( L, or FS p / FS q for the legacy
// store named by KeyCode2 0), raster pictures and the page-mode region.
//
// Logo operations raise EPosPrinterException for key codes outside 32..126
// ("KeyCode1 deve estar entre 32 a 126") and for a legacy store other than
// logo 1. Pictures whose width is not a multiple of 8 are sent with the
// padded width they carry, the pad dots blank.

class TQuibEscPosEpson : public TQuibPosPrinterClass {
  public:
    explicit TQuibEscPosEpson(const TQuibPosConfig &config);

    std::string ComandoCodigoBarras(const std::string &tag, const std::string &content) override;
    std::string ComandoQRCode(const std::string &content) override;
    std::string ComandoPaginaDeCodigo(TQuibPosPaginaCodigo pagina) override;
    std::string ComandoGaveta(int gaveta) override;
    std::string ComandoFonte(TQuibPosAtributoFonte atributo, bool ligar) override;
    std::string ComandoConfigurarModoPagina() override;
    std::string ComandoPosicaoModoPagina(TQuibPosPonto ponto) override;
    std::string ComandoIniciarCheque(bool lerMICR, std::uint8_t espera) override;
    std::string ComandoFinalizarCheque() override;
    std::string ComandoLerMICR(std::uint8_t espera) override;
    std::string ComandoImagemRaster(const std::string &raster, int width, int height) override;
    std::string ComandoImprimirLogo() override;
    std::string ComandoGravarLogoRasterStr(const std::string &raster, int width, int height) override;
    std::string ComandoApagarLogo() override;

    // Raises EPosPrinterException when a logo key code lies outside 32..126.
    virtual void VerificarKeyCodes();

    // The ESC/POS barcode of a barcode tag ("<ean13>", "<code128c>"...), or
    // the content itself for a symbology ESC/POS lacks. Code 128 data gets
    // its code-set prefix ("{B") unless it starts with "{"; the data is cut
    // to the 255 bytes the length byte can count.
    static std::string ComandoCodigoBarrasEscPos(const std::string &tag, const std::string &content,
                                                 bool mostrarCodigo, int larguraLinha, int altura);
    // The same for printers that take Code 128 without a code set: every
    // Code 128 tag is plain "<code128>" and the two code-set bytes are
    // removed from the data.
    static std::string ComandoCodigoBarrasEscPosSemPrefixo(const std::string &tag, const std::string &content,
                                                           bool mostrarCodigo, int larguraLinha, int altura);
    // Column bands 24 dots high (ESC * 33), each followed by a line feed
    // when asked, between a 16-unit line spacing and the component's own.
    std::string ComandoImagemColunasEscPos(const std::string &raster, int width, int height,
                                           bool pularLinha) const;
    // The legacy logo store (FS q) for logo 1.
    static std::string ComandoGravarLogoLegado(const std::string &raster, int width, int height, int key);
    // A key code "0".."9" as its digit value; other values unchanged.
    static int KeyCodeParaNumero(int keyCode);
    // A GS ( L block, as GS 8 L when it is longer than 65535 bytes.
    static std::string ComandoGraficoEscPos(const std::string &block);
    std::string ComandoEsperaCheque(std::uint8_t espera) const;
};
