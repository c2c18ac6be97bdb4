#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/device/image_error.h"
#include "printing/device/raster_image.h"

namespace {

using Lines = std::vector<std::string>;

TEST(TextArtRasterTest, RasterBecomesLinesOfWholeBytes)
{
    struct Case {
        const char *name;
        std::string raster;
        int width;
        bool invert;
        Lines lines;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"partial row dropped", std::string("\x80\x41\xFF", 3), 16, false, {"1000000001000001"}},
        {"width rounded up",    std::string("\x80\x40\xFF\xC0", 4), 10, false, {"1000000001000000", "1111111111000000"}},
        {"inverted",            std::string("\x0F", 1),          8, true,  {"11110000"}},
        {"empty raster",        "",                              8, false, {}},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Lines lines = {"stale"};
        RasterStrToAscII(c.raster, c.width, c.invert, lines);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(TextArtRasterTest, RasterWithoutWidthIsRefused)
{
    Lines lines = {"stale"};
    try {
        RasterStrToAscII("\x01", 0, false, lines);
        ADD_FAILURE() << "no error";
    } catch (const EQuibImage &e) {
        EXPECT_STREQ(e.what(), "RasterStrToAscII: AWidth é obrigatório");
    }
    EXPECT_TRUE(lines.empty());
}

TEST(TextArtRasterTest, LinesBecomeRowsOfTheFirstLinesWidth)
{
    struct Case {
        const char *name;
        Lines lines;
        int width;
        std::string raster;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"one line",                  {"1010"},                                   4,  std::string("\xA0", 1)},
        {"short and long lines",      {"1111111111", "1", "11111111111111111111"}, 10, std::string("\xFF\xC0\x80\x00\xFF\xFF", 6)},
        // Rows keep one length even when the first line fills whole bytes.
        {"whole-byte width",          {"10000001", "1", "1111111111111111"},      8,  std::string("\x81\x80\xFF", 3)},
        {"other characters, UTF-8",   {"x1ç1"},                                   4,  std::string("\x50", 1)},
        {"no lines",                  {},                                         0,  ""},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int width = -1;
        int height = -1;
        std::string raster = "stale";
        AscIIParaRaster(c.lines, width, height, raster);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, static_cast<int>(c.lines.size()));
        EXPECT_EQ(raster, c.raster);
    }
}

TEST(TextArtRasterTest, ColumnSlicesOfTwentyRows)
{
    // Twenty rows of two dots: padded to 8 columns, the first two full.
    const Lines lines(20, "11");
    auto column = [](std::string bytes) {
        std::string slice;
        for (int c = 0; c < 8; ++c)
            slice += c < 2 ? bytes : std::string(bytes.size(), '\0');
        return slice;
    };
    struct Case {
        const char *name;
        int bytesPerColumn;
        Lines slices;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"3 kept: one band of 24 dots", 3,  {column(std::string("\xFF\xFF\xF0", 3))}},
        {"0 becomes 3",                 0,  {column(std::string("\xFF\xFF\xF0", 3))}},
        {"above the height becomes 3",  21, {column(std::string("\xFF\xFF\xF0", 3))}},
        {"below 0 becomes 3",           -1, {column(std::string("\xFF\xFF\xF0", 3))}},
        {"1: three bands of 8 dots",    1,  {column("\xFF"), column("\xFF"), column("\xF0")}},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int width = 0;
        int height = 0;
        Lines slices;
        AscIIParaColunas(lines, width, height, c.bytesPerColumn, slices);
        EXPECT_EQ(width, 2);
        EXPECT_EQ(height, 20);
        EXPECT_EQ(slices, c.slices);
    }
}

TEST(TextArtRasterTest, RasterColumnsPutTheTopDotInBitSeven)
{
    // Two rows of 9 dots: 100000001 / 010000000.
    const std::string raster("\x80\x80\x40\x00", 4);
    Lines slices;
    RasterParaColunas(raster, 9, slices, 1);
    ASSERT_EQ(slices.size(), 1U);
    std::string expected(16, '\0');
    expected[0] = '\x80';
    expected[1] = '\x40';
    expected[8] = '\x80';
    EXPECT_EQ(slices[0], expected);
}

} // namespace
