#include <gtest/gtest.h>

#include <string>

#include "foundation/text/text_utils.h"
#include "printing/posprinter/pos_printer.h"
#include "tests/printing/posprinter/hex_bytes.h"
#include "tests/support/bmp_builder.h"

namespace {

class PosPrinterBmpTest : public ::testing::Test {
  protected:
    void SetUp() override { pos.SetModelo(ppEscPosEpson); }
    TQuibPosPrinter pos;
};

TEST_F(PosPrinterBmpTest, TextArtBecomesBufferedGraphics)
{
    EXPECT_EQ(hexBytes(pos.DecodificarTags("<bmp>\n1000000000\n0100000000\n</bmp>")),
              "1D 28 4C 0E 00 30 70 30 01 01 31 0A 00 02 00 80 00 40 00 1D 28 4C 02 00 30 32");
    EXPECT_EQ(pos.DecodificarTags("<bmp>  </bmp>"), "");
}

TEST_F(PosPrinterBmpTest, Base64MonochromeBitmapIsDecoded)
{
    testsupport::BmpLayout layout;
    layout.width = 8;
    layout.height = 1;
    layout.palette = {0x000000, 0xFFFFFF};
    layout.pixels = std::string("\x0F\0\0\0", 4);
    EXPECT_EQ(
        hexBytes(pos.DecodificarTags("<bmp>" + CodificaBase64(testsupport::makeBmp(layout)) + "</bmp>")),
        "1D 28 4C 0B 00 30 70 30 01 01 31 08 00 01 00 F0 1D 28 4C 02 00 30 32");
}

TEST_F(PosPrinterBmpTest, OddWidthColumnPictureDeclaresItsPaddedWidth)
{
    // Legacy logo store: the picture goes as 24-dot column bands.
    pos.Config().ConfigLogo.KeyCode2 = 0;
    const std::string art = "<bmp>" + std::string(148, '1') + "</bmp>";
    const std::string result = pos.DecodificarTags(art);
    // ESC 3 16, ESC * 33 with 152 columns of 3 bytes, LF, ESC 2.
    ASSERT_EQ(result.size(), 3U + 5U + 152U * 3U + 1U + 2U);
    EXPECT_EQ(hexBytes(result.substr(0, 8)), "1B 33 10 1B 2A 21 98 00");
    EXPECT_EQ(hexBytes(result.substr(result.size() - 3)), "0A 1B 32");
}

TEST_F(PosPrinterBmpTest, MissingFileIsNamed)
{
    try {
        pos.DecodificarTags("<bmp>/nao/existe/logo.bmp</bmp>");
        FAIL() << "no error";
    } catch (const EPosPrinterException &e) {
        EXPECT_STREQ(e.what(), "Arquivo: /nao/existe/logo.bmp não encontrado");
    }
}

} // namespace
