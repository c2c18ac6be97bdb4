#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "printing/device/bmp_reader.h"
#include "printing/device/image_error.h"
#include "printing/device/raster_image.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/test_data.h"

namespace {

using testsupport::BmpLayout;
using testsupport::makeBmp;

TQuibBitmap readBitmap(const std::string &file)
{
    std::istringstream stream(file);
    return TQuibBitmap::LerBMP(stream);
}

// Colour values hold red in the low byte: 0x00BBGGRR.
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// A 3 × 2 picture, top row red, green, blue; bottom row white, black, red,
// in each pixel size, stored bottom-up or top-down.
BmpLayout threeByTwo(std::uint16_t bits, bool topDown)
{
    BmpLayout layout;
    layout.width = 3;
    layout.height = topDown ? -2 : 2;
    layout.bitsPerPixel = bits;
    std::string top;
    std::string bottom;
    switch (bits) {
    case 4: // palette: 0 black, 1 red, 2 green, 3 blue, 4 white
        layout.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
        top = std::string("\x12\x30\0\0", 4);
        bottom = std::string("\x40\x10\0\0", 4);
        break;
    case 8:
        layout.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
        top = std::string("\x01\x02\x03\0", 4);
        bottom = std::string("\x04\x00\x01\0", 4);
        break;
    case 24:
        top = std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00\0\0\0", 12);
        bottom = std::string("\xFF\xFF\xFF\x00\x00\x00\x00\x00\xFF\0\0\0", 12);
        break;
    default: // 32: B, G, R and an alpha byte that is ignored
        top = std::string("\x00\x00\xFF\x80\x00\xFF\x00\x80\xFF\x00\x00\x80", 12);
        bottom = std::string("\xFF\xFF\xFF\x00\x00\x00\x00\x00\x00\x00\xFF\xFF", 12);
        break;
    }
    layout.pixels = topDown ? top + bottom : bottom + top;
    return layout;
}

TEST(BitmapReaderTest, GivesColourValuesForEveryPixelSizeAndRowOrder)
{
    const std::vector<std::uint32_t> expected = {kRed, kGreen, kBlue, kWhite, 0, kRed};
    for (const std::uint16_t bits : {4, 8, 24, 32}) {
        for (const bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(bits) + (topDown ? " bits, top-down" : " bits, bottom-up"));
            const TQuibBitmap bitmap = readBitmap(makeBmp(threeByTwo(bits, topDown)));
            EXPECT_EQ(bitmap.Largura(), 3);
            EXPECT_EQ(bitmap.Altura(), 2);
            std::vector<std::uint32_t> colours;
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x)
                    colours.push_back(bitmap.Cor(x, y));
            EXPECT_EQ(colours, expected);
        }
    }
}

TEST(BitmapReaderTest, RefusesOtherFormatsAndShortFiles)
{
    auto with = [](auto change) {
        BmpLayout layout = threeByTwo(24, false);
        change(layout);
        return makeBmp(layout);
    };
    const std::string whole = makeBmp(threeByTwo(24, false));
    const std::string shortFile = "Arquivo BMP incompleto: faltam dados da imagem";
    struct Case {
        const char *name;
        std::string file;
        std::string message;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"not a BMP",        "PNG",                                             "Imagem não é um arquivo BMP"},
        {"run-length",       with([](BmpLayout &s) { s.compression = 1; }),       "BMP compactado não é suportado (compressão 1)"},
        {"bit fields",       with([](BmpLayout &s) { s.compression = 3; }),       "BMP compactado não é suportado (compressão 3)"},
        {"16 bits",          with([](BmpLayout &s) { s.bitsPerPixel = 16; }),     "BMP com 16 bits por pixel não é suportado"},
        {"width 0",          with([](BmpLayout &s) { s.width = 0; }),             "Dimensões do Bitmap inválidas (0 x 2)"},
        {"height 0",         with([](BmpLayout &s) { s.height = 0; }),            "Dimensões do Bitmap inválidas (3 x 0)"},
        {"header cut",       whole.substr(0, 40),                               shortFile},
        {"last byte missing",whole.substr(0, whole.size() - 1),                 shortFile},
        {"palette cut",      makeBmp(threeByTwo(8, false)).substr(0, 60),       shortFile},
        {"huge height",      with([](BmpLayout &s) { s.height = 0x7FFFFFFF; }),   shortFile},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            readBitmap(c.file);
            ADD_FAILURE() << "no error";
        } catch (const EQuibImage &e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

TEST(BitmapRasterTest, ColourPixelsPrintAtOrBelowTheThresholdWithInvert)
{
    // Brightness: white 255, black 0, grey 127 and 128 as themselves, red 76,
    // green 150, blue 28.
    const std::vector<std::uint32_t> row = {kWhite, 0,     0x7F7F7F, 0x808080, kRed,
                                            kGreen, kBlue, kWhite,   0x000000};
    BmpLayout layout;
    layout.width = static_cast<std::int32_t>(row.size());
    layout.height = 1;
    layout.bitsPerPixel = 24;
    for (const std::uint32_t bgr : row) {
        layout.pixels.push_back(static_cast<char>(bgr >> 16 & 0xFF));
        layout.pixels.push_back(static_cast<char>(bgr >> 8 & 0xFF));
        layout.pixels.push_back(static_cast<char>(bgr & 0xFF));
    }
    layout.pixels.append(1, '\0'); // 27 bytes padded to 28
    const TQuibBitmap bitmap = readBitmap(makeBmp(layout));

    struct Case {
        bool invert;
        std::string raster;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {true,  std::string("\x6A\x80", 2)}, // 0110 1010 | 1
        {false, std::string("\x95\x00", 2)}, // 1001 0101 | 0, the partial byte padded with 0
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.invert ? "invert" : "no invert");
        int width = 0;
        int height = 0;
        std::string raster;
        BitmapParaRaster(bitmap, c.invert, width, height, raster, 127);
        EXPECT_EQ(width, 9);
        EXPECT_EQ(height, 1);
        EXPECT_EQ(raster, c.raster);
    }
}

TEST(BitmapRasterTest, MonochromeBitmapGoesThroughTheMonochromeReader)
{
    // A top-down 10 × 2 monochrome picture: the monochrome reader alone
    // refuses a negative height, the bitmap is saved bottom-up first.
    BmpLayout layout;
    layout.width = 10;
    layout.height = -2;
    layout.palette = {0x000000, 0xFFFFFF};
    layout.pixels = std::string("\x7F\xFF\0\0\xFF\x3F\0\0", 8); // top: dot 0; bottom: dots 8, 9
    const TQuibBitmap bitmap = readBitmap(makeBmp(layout));
    int width = 0;
    int height = 0;
    std::string raster;
    BitmapParaRaster(bitmap, false, width, height, raster); // invert is always on for monochrome
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(raster, std::string("\x80\x00\x00\xC0", 4));
}

} // namespace
