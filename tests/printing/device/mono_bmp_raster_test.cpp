#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "printing/device/image_error.h"
#include "printing/device/raster_image.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/test_data.h"

namespace {

using testsupport::BmpLayout;
using testsupport::makeBmp;
using testsupport::testBytes;

struct Raster {
    int width = 0;
    int height = 0;
    std::string bytes;
};

Raster monoRaster(const std::string &file, bool invert = true)
{
    std::istringstream stream(file);
    Raster r;
    MonoBMPParaRaster(stream, invert, r.width, r.height, r.bytes);
    return r;
}

std::string fixture(const std::string &name)
{
    return testBytes("data/printing/" + name);
}

// A 16 × 2 monochrome BMP with stored rows of 4 bytes, bottom row first.
BmpLayout sixteenByTwo()
{
    BmpLayout layout;
    layout.width = 16;
    layout.height = 2;
    layout.palette = {0x000000, 0xFFFFFF};
    layout.pixels = std::string("\x0F\xF0\0\0\x00\xFF\0\0", 8);
    return layout;
}

TEST(MonoBmpRasterTest, ReadsRowsFromTheTopWithPadDotsClear)
{
    // The tickets hold, from the top, 1000000001000001 / 0100000010100000 /
    // 1111111111111111 cut to their width; 1 is black.
    struct Case {
        const char *file;
        int width;
        std::string raster;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"ticket_w9.bmp",  16, std::string("\x80\x00\x40\x80\xFF\x80", 6)}, // stored rows of 4 bytes
        {"ticket_w10.bmp", 16, std::string("\x80\x40\x40\x80\xFF\xC0", 6)}, // six pad dots
        {"ticket_w16.bmp", 16, std::string("\x80\x41\x40\xA0\xFF\xFF", 6)}, // no pad dots
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const Raster r = monoRaster(fixture(c.file));
        EXPECT_EQ(r.width, c.width);
        EXPECT_EQ(r.height, 3);
        EXPECT_EQ(r.bytes, c.raster);
    }
}

TEST(MonoBmpRasterTest, WithoutInvertBitsComeAsStoredAndPadDotsSet)
{
    const Raster inverted = monoRaster(fixture("ticket_w10.bmp"), true);
    const Raster plain = monoRaster(fixture("ticket_w10.bmp"), false);
    ASSERT_EQ(plain.bytes.size(), inverted.bytes.size());
    for (std::size_t i = 0; i < plain.bytes.size(); ++i)
        EXPECT_EQ(static_cast<unsigned char>(plain.bytes[i]),
                  static_cast<unsigned char>(inverted.bytes[i]) ^ 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(plain.bytes[1]) & 0x3F, 0x3F);
}

TEST(MonoBmpRasterTest, QrFixtureGivesWholeRowsOfFourByteAlignedData)
{
    const Raster r = monoRaster(fixture("qr148_mono.bmp"));
    EXPECT_EQ(r.width, 152);
    EXPECT_EQ(r.height, 148);
    ASSERT_EQ(r.bytes.size(), 148U * 19);
    for (std::size_t row = 0; row < 148; ++row)
        EXPECT_EQ(static_cast<unsigned char>(r.bytes[row * 19 + 18]) & 0x0F, 0) << "row " << row;
}

TEST(MonoBmpRasterTest, ZeroImageSizeIsTakenFromTheStreamSize)
{
    BmpLayout layout = sixteenByTwo();
    layout.imageSizeField = 0;
    const Raster r = monoRaster(makeBmp(layout));
    EXPECT_EQ(r.bytes, std::string("\xFF\x00\xF0\x0F", 4));
}

TEST(MonoBmpRasterTest, RefusesWhatIsNotAWholeMonochromeBitmap)
{
    const std::string notMono = "Imagem não é BMP Monocromática";
    auto with = [](auto change) {
        BmpLayout layout = sixteenByTwo();
        change(layout);
        return makeBmp(layout);
    };
    const std::string ticket = fixture("ticket_w9.bmp");
    struct Case {
        const char *name;
        std::string file;
        std::string message;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"not a BMP",            "GIF89a" + std::string(60, '\0'),                 notMono},
        {"24-bit colour",        fixture("qr148_rgb24.bmp"),                       notMono},
        {"two planes",           with([](BmpLayout &s) { s.planes = 2; }),           notMono},
        {"header cut short",     ticket.substr(0, 30),                             notMono},
        {"width 0",              with([](BmpLayout &s) { s.width = 0; }),            notMono},
        {"negative height",      with([](BmpLayout &s) { s.height = -5; }),          "Altura do Bitmap [-5] inválida"},
        {"height 0",             with([](BmpLayout &s) { s.height = 0; }),           "Altura do Bitmap [0] inválida"},
        // A file shorter than its image-size field: the rows would otherwise
        // come partly from the header and fall short of the height.
        {"last byte missing",    ticket.substr(0, ticket.size() - 1),              notMono},
        {"last row missing",     ticket.substr(0, ticket.size() - 4),              notMono},
        {"no pixel data",        ticket.substr(0, 62),                             notMono},
        {"rows shorter than the width", with([](BmpLayout &s) { s.imageSizeField = 2; }), notMono},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream stream(c.file);
        int width = -1;
        int height = -1;
        std::string raster = "stale";
        try {
            MonoBMPParaRaster(stream, true, width, height, raster);
            ADD_FAILURE() << "no error";
        } catch (const EQuibImage &e) {
            EXPECT_EQ(e.what(), c.message);
        }
        EXPECT_EQ(raster, "");
    }
}

TEST(MonoBmpRasterTest, TruncatedFixturesAreRefused)
{
    for (const char *name : {"ticket_w9.bmp", "ticket_w10.bmp", "ticket_w16.bmp", "qr148_mono.bmp"}) {
        const std::string whole = fixture(name);
        for (const std::size_t cut : {whole.size() - 1, whole.size() / 2, std::size_t{64}}) {
            SCOPED_TRACE(std::string(name) + " cut to " + std::to_string(cut));
            std::istringstream stream(whole.substr(0, cut));
            int width = 0;
            int height = 0;
            std::string raster;
            EXPECT_THROW(MonoBMPParaRaster(stream, true, width, height, raster), EQuibImage);
        }
    }
}

TEST(MonoBmpRasterTest, BmpCheckKeepsTheStreamPosition)
{
    struct Case {
        const char *name;
        std::string bytes;
        bool monochrome;
        bool expected;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"monochrome",            fixture("ticket_w9.bmp"),   true,  true},
        {"colour, any BMP",       fixture("qr148_rgb24.bmp"), false, true},
        {"colour, monochrome",    fixture("qr148_rgb24.bmp"), true,  false},
        {"signature only",        "BM",                       false, true},
        {"too short for fields",  "BM" + std::string(20, '\1'), true, false},
        {"one byte",              "B",                        false, false},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream stream(c.bytes);
        stream.seekg(1);
        EXPECT_EQ(EhArquivoBMP(stream, c.monochrome), c.expected);
        EXPECT_EQ(stream.tellg(), 1);
    }
}

} // namespace
