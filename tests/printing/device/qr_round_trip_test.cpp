// The QR fixture, in monochrome and in 24-bit colour, goes through raster and
// column slices; a picture rebuilt from the slices must scan back to the exact
// payload with zbarimg, an outside judge of the BMP reading, the row padding
// and the column order together.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "printing/device/raster_image.h"
#include "tests/support/escpos_decoder.h"
#include "tests/support/run_command.h"
#include "tests/support/test_data.h"

namespace {

constexpr int kBytesPerColumn = 3;

// The picture the column-image commands would print, as a plain PBM (1 is
// black): each slice is a band of 8 × bytesPerColumn rows; within it, each
// column's bytes from the top, the top dot of each byte in bit 7.
std::string pbmFromColumns(const std::vector<std::string> &slices, int width, int bytesPerColumn)
{
    const int bandRows = 8 * bytesPerColumn;
    const int height = static_cast<int>(slices.size()) * bandRows;
    std::vector<std::string> rows(static_cast<std::size_t>(height),
                                  std::string(static_cast<std::size_t>(width), '0'));
    for (std::size_t band = 0; band < slices.size(); ++band) {
        for (int column = 0; column < width; ++column) {
            for (int b = 0; b < bytesPerColumn; ++b) {
                const auto byte = static_cast<unsigned char>(
                    slices[band].at(static_cast<std::size_t>(column * bytesPerColumn + b)));
                for (int bit = 0; bit < 8; ++bit) {
                    if (byte & (0x80 >> bit))
                        rows[band * bandRows + static_cast<std::size_t>(b * 8 + bit)]
                            [static_cast<std::size_t>(column)] = '1';
                }
            }
        }
    }
    std::string pbm = "P1\n" + std::to_string(width) + " " + std::to_string(height) + "\n";
    for (const std::string &row : rows)
        pbm += row + "\n";
    return pbm;
}

TEST(QrRoundTripTest, QrPictureScansBackThroughRasterAndColumns)
{
    ASSERT_TRUE(testsupport::hasProgram("zbarimg")) << "zbar-tools is missing: run scripts/install-deps.sh";
    const std::string payload = testsupport::testBytes("data/printing/qr148.txt");

    for (const char *name : {"qr148_mono.bmp", "qr148_rgb24.bmp"}) {
        SCOPED_TRACE(name);
        std::istringstream file(testsupport::testBytes(std::string("data/printing/") + name));
        int width = 0;
        int height = 0;
        std::string raster;
        if (EhArquivoBMP(file, true))
            MonoBMPParaRaster(file, true, width, height, raster);
        else
            BitmapParaRaster(TQuibBitmap::LerBMP(file), true, width, height, raster, 127);
        ASSERT_EQ(height, 148);

        std::vector<std::string> slices;
        RasterParaColunas(raster, width, slices, kBytesPerColumn);
        ASSERT_EQ(slices.size(), 7U); // 148 rows in bands of 24
        const int paddedWidth = (width + 7) / 8 * 8;
        EXPECT_EQ(testsupport::scanPicture(pbmFromColumns(slices, paddedWidth, kBytesPerColumn)), payload);
    }
}

} // namespace
