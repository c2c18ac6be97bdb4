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
//
// The reading operations talk through the component given as Leitor.

class TQuibEscPosEpson : public TQuibPosPrinterClass {
  public:
    // The ESC ! bits that differ between printers: condensed, font B and
    // italic (0 where the printer has no such bit).
    struct BitsFonte {
        int Condensado;
        int FonteB;
        int Italico;
    };

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
    // DLE EOT 1, 2 and 4, and the slip and MICR states (DLE EOT 5, 8) when
    // the printer has a cheque station.
    void LerStatus(TQuibPosPrinterStatus &status) override;
    // GS I B, A, C, D and 2: maker, firmware, model, serial and capabilities.
    // Failures pass through, but for the serial number's.
    std::string LerInfo() override;

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
    // The legacy logo store (FS q) for logo 1.
    static std::string ComandoGravarLogoLegado(const std::string &raster, int width, int height, int key);
    // A key code "0".."9" as its digit value; other values unchanged.
    static int KeyCodeParaNumero(int keyCode);
    // A GS ( L block, as GS 8 L when it is longer than 65535 bytes.
    static std::string ComandoGraficoEscPos(const std::string &block);
    std::string ComandoEsperaCheque(std::uint8_t espera) const;

  protected:
    // One ESC ! n for the component's font state with the attribute switched
    // (bold 08, double height 10, expanded 20, underline 80 and `bits`),
    // followed by LigaInvertido and LigaItalico when those attributes are on.
    std::string ComandoFonteEscBang(TQuibPosAtributoFonte atributo, bool ligar, const BitsFonte &bits) const;
    // A QR code function by function: `primeira` (the model or its stand-in),
    // module size, error level, store and print, each behind `prefixo` and
    // its two-byte length.
    std::string ComandoQRCodeFuncoes(const std::string &prefixo, const std::string &primeira,
                                     const std::string &content) const;
    // Firmware, maker, model and serial number by GS I A, B, C and D, each
    // read up to its NUL; false, with nothing stored, when no firmware came.
    bool LerIdentificacaoGSI();
    // For printers that keep only the legacy logo store: raises
    // EPosPrinterException "<marca> apenas aceitas KeyCode1=1, KeyCode2=0"
    // unless KeyCode1 is 1 and KeyCode2 is 0.
    void ExigirKeyCodesLegado(const std::string &marca) const;
};
