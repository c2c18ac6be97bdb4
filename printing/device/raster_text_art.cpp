// Text art and column slices (see raster_image.h).

#include <cstddef>

#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/utf8.h"
#include "printing/device/image_error.h"
#include "printing/device/raster_image.h"

namespace {

// A text-art line with one byte per character: '1' for a dot, '0' for any
// other character.
std::string dotsOf(std::string_view line)
{
    std::string dots;
    for (const std::string_view character : utf8Chars(line))
        dots.push_back(character == "1" ? '1' : '0');
    return dots;
}

int roundedToBytes(std::size_t dots)
{
    return static_cast<int>((dots + 7) / 8 * 8);
}

} // namespace

void RasterStrToAscII(const std::string &raster, int width, bool invert, std::vector<std::string> &lines)
{
    lines.clear();
    if (width < 1)
        throw EQuibImage("RasterStrToAscII: AWidth é obrigatório");
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
    const std::size_t rows = raster.size() / rowBytes; // a trailing partial row is dropped
    lines.reserve(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        std::string line;
        line.reserve(rowBytes * 8);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            auto byte = static_cast<unsigned char>(raster[row * rowBytes + i]);
            if (invert)
                byte ^= 0xFF;
            line += InteiroParaBinario(byte, 8);
        }
        lines.push_back(std::move(line));
    }
}

void AscIIParaRaster(const std::vector<std::string> &lines, int &width, int &height, std::string &raster)
{
    raster.clear();
    width = 0;
    height = static_cast<int>(lines.size());
    if (lines.empty())
        return;
    const std::size_t firstWidth = utf8Length(lines.front());
    const int paddedWidth = roundedToBytes(firstWidth);
    for (const std::string &line : lines) {
        std::string dots = dotsOf(line);
        dots.resize(static_cast<std::size_t>(paddedWidth), '0');
        for (std::size_t i = 0; i < dots.size(); i += 8)
            raster.push_back(static_cast<char>(BinarioParaInteiro(std::string_view(dots).substr(i, 8))));
    }
    width = static_cast<int>(firstWidth);
}

void RasterParaColunas(const std::string &raster, int width, std::vector<std::string> &columns,
                       int bytesPerColumn)
{
    std::vector<std::string> lines;
    RasterStrToAscII(raster, width, false, lines);
    int artWidth = 0;
    int artHeight = 0;
    AscIIParaColunas(lines, artWidth, artHeight, bytesPerColumn, columns);
}

void AscIIParaColunas(const std::vector<std::string> &lines, int &width, int &height, int bytesPerColumn,
                      std::vector<std::string> &columns)
{
    columns.clear();
    width = 0;
    height = static_cast<int>(lines.size());
    if (lines.empty())
        return;

    std::vector<std::string> dots;
    dots.reserve(lines.size());
    for (const std::string &line : lines)
        dots.push_back(dotsOf(line));
    width = static_cast<int>(dots.front().size());
    const auto paddedWidth = static_cast<std::size_t>(roundedToBytes(dots.front().size()));

    if (bytesPerColumn < 1 || bytesPerColumn > height)
        bytesPerColumn = (height + 7) / 8;
    const auto bandBytes = static_cast<std::size_t>(bytesPerColumn);
    const std::size_t bandRows = 8 * bandBytes;
    const std::size_t bands = (dots.size() + bandRows - 1) / bandRows;

    // The dot at a row and column; none beyond the last line or a line's end.
    auto dotAt = [&dots](std::size_t row, std::size_t column) {
        return row < dots.size() && column < dots[row].size() && dots[row][column] == '1';
    };
    for (std::size_t band = 0; band < bands; ++band) {
        std::string slice;
        slice.reserve(paddedWidth * bandBytes);
        for (std::size_t column = 0; column < paddedWidth; ++column) {
            for (std::size_t b = 0; b < bandBytes; ++b) {
                unsigned byte = 0;
                for (std::size_t bit = 0; bit < 8; ++bit)
                    byte = byte << 1 | (dotAt(band * bandRows + b * 8 + bit, column) ? 1U : 0U);
                slice.push_back(static_cast<char>(byte));
            }
        }
        columns.push_back(std::move(slice));
    }
}
