#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// A picture as the printer would lay it down: one text row per dot row, "1"
// a black dot.
struct EscPosPicture {
    int width = 0;
    int height = 0;
    std::vector<std::string> rows;

    // Plain PBM ("P1"), with `margin` white dots on every side.
    std::string toPbm(int margin = 0) const;
};

// A QR symbol as the printer was told to draw it.
struct EscPosQrSymbol {
    int model = 2;      // 1 or 2
    int moduleSize = 3; // dots per module
    char level = 'L';   // L, M, Q or H
    std::string data;

    // The symbol drawn with libqrencode at its module size and level, with a
    // four-module quiet zone. Raises std::runtime_error for a model 1 symbol
    // or data the encoder refuses.
    EscPosPicture draw() const;
};

// What a receipt printer would produce from a byte stream: one line per
// printed text line or printer action, readable in a golden file, plus the
// QR symbols and pictures in the order they were printed.
//
// Text lines read "text: <chars>", the characters decoded from the selected
// code page to UTF-8; a line not left-aligned starts "text[center]:" or
// "text[right]:"; font changes inside a line show as "{bold,dw}" (or "{}" for
// the plain font) before the first character printed with them. Actions read
// "cut full", "drawer 0 on=50 off=200", "barcode CODE128 w=2 h=50 hri=0
// data=..." and so on (non-printable data bytes as "\xHH").
struct EscPosReceipt {
    std::vector<std::string> lines;
    std::vector<EscPosQrSymbol> qrCodes;
    std::vector<EscPosPicture> pictures;

    std::string text() const; // the lines, each ended by a line break
};

// Decodes ESC/POS bytes as laid down in the makers' command reference: the
// printing and line-feed controls, ESC ! @ - 2 3 a E M t p d J * ( A, GS ! B
// V w h H k ( k ( L 8 L, the page-mode commands ESC L S W T $ FF and GS $,
// and the stored-logo commands FS p and FS q. Every byte must be consumed: an
// unknown command, a bad parameter or a length running past the end raises
// std::runtime_error naming the offset.
EscPosReceipt decodeEscPos(std::string_view bytes);

// The bytes one command a line, as hexadecimal and the command's name
// ("1D 6B 49 05 7B 42 41 42 43 ; GS k"); a run of printed characters is one
// line ending "; text". Raises as decodeEscPos.
std::string escPosListing(std::string_view bytes);

// The QR symbol of one QR command in the dialect of a printer family, named
// as the writers are ("EscPosEpson", "EscBematech", "EscElgin", "EscDaruma",
// "EscDiebold", "EscCustomPos", "EscPosStar", "EscZJiang", "EscGPrinter",
// "EscDatecs", "EscSunmi"): GS ( k or ESC ( k function by function, GS k Q,
// GS o with GS k 11, ESC 0x81, ESC Z and GS Q 6. Every byte must belong to
// the command: a length running past the end, a byte left over or a bad
// parameter raises std::runtime_error.
EscPosQrSymbol decodeQrCommand(std::string_view bytes, std::string_view family);

// The payload zbarimg reads from a PBM picture (raw, binary); empty when it
// finds no symbol.
std::string scanPicture(const std::string &pbm);

} // namespace testsupport
