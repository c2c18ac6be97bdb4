// BMP files and bitmaps into raster form (see raster_image.h).

#include <algorithm>
#include <limits>
#include <sstream>

#include "printing/device/detail/stream_bytes.h"
#include "printing/device/image_error.h"
#include "printing/device/raster_image.h"

namespace {

[[noreturn]] void notMonochrome()
{
    throw EQuibImage("Imagem não é BMP Monocromática");
}

// Puts the stream back where the caller had it, also when a check fails.
class PositionKeeper {
  public:
    explicit PositionKeeper(std::istream &stream) : stream_(stream), position_(stream.tellg()) {}
    ~PositionKeeper()
    {
        stream_.clear();
        if (position_ >= 0)
            stream_.seekg(position_);
    }
    PositionKeeper(const PositionKeeper &) = delete;
    PositionKeeper &operator=(const PositionKeeper &) = delete;

  private:
    std::istream &stream_;
    std::streampos position_;
};

} // namespace

bool EhArquivoBMP(std::istream &stream, bool checkMonochrome)
{
    using namespace imagebytes;
    PositionKeeper keeper(stream);
    const auto signature = readAt(stream, 0, 2);
    if (!signature || *signature != "BM")
        return false;
    if (!checkMonochrome)
        return true;
    const auto planes = u16At(stream, 26);
    const auto bits = u16At(stream, 28);
    return planes && bits && *planes == 1 && *bits == 1;
}

void MonoBMPParaRaster(std::istream &stream, bool invert, int &width, int &height, std::string &raster)
{
    using namespace imagebytes;
    raster.clear();
    if (!EhArquivoBMP(stream, true))
        notMonochrome();
    const auto pixelStart = u32At(stream, 10);
    const auto sizeField = u32At(stream, 34);
    const auto storedWidth = i32At(stream, 18);
    const auto storedHeight = i32At(stream, 22);
    const auto streamBytes = streamSize(stream);
    if (!pixelStart || !sizeField || !storedWidth || !storedHeight || !streamBytes)
        notMonochrome();

    height = *storedHeight;
    if (height < 1)
        throw EQuibImage("Altura do Bitmap [" + std::to_string(height) + "] inválida");
    if (*storedWidth < 1 || *storedWidth > std::numeric_limits<int>::max() - 7 || *pixelStart > *streamBytes)
        notMonochrome();

    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(*storedWidth) + 7) / 8;
    const int padDots = static_cast<int>(rowBytes * 8 - static_cast<std::uint64_t>(*storedWidth));
    const auto padMask = static_cast<unsigned char>((1U << padDots) - 1);

    // The stored row length comes from the image size: whole bits per row,
    // rounded up to whole bytes.
    const std::uint64_t imageSize = *sizeField == 0 ? *streamBytes - *pixelStart : *sizeField;
    const std::uint64_t storedRow = (imageSize * 8 / static_cast<std::uint64_t>(height) + 7) / 8;
    const std::uint64_t dataEnd = std::min(*streamBytes, *pixelStart + imageSize);
    const auto rows = static_cast<std::uint64_t>(height);

    // Every row must lie inside the pixel data and give its ceil(width / 8)
    // bytes: a file cut short would otherwise yield fewer rows than its
    // height, or rows taken from the header.
    if (storedRow < rowBytes || (dataEnd - *pixelStart) / storedRow < rows)
        notMonochrome();
    const std::uint64_t firstRow = dataEnd - rows * storedRow;
    const auto data = readAt(stream, firstRow, rows * storedRow);
    if (!data)
        notMonochrome();

    width = static_cast<int>(rowBytes * 8);
    raster.reserve(static_cast<std::size_t>(rows * rowBytes));
    // Rows are stored bottom-up: the picture's top row is the last one.
    for (std::uint64_t row = rows; row-- > 0;) {
        const std::size_t begin = static_cast<std::size_t>(row * storedRow);
        for (std::uint64_t i = 0; i < rowBytes; ++i) {
            auto byte = static_cast<unsigned char>((*data)[begin + static_cast<std::size_t>(i)]);
            if (padDots > 0 && i == rowBytes - 1)
                byte |= padMask;
            if (invert)
                byte ^= 0xFF;
            raster.push_back(static_cast<char>(byte));
        }
    }
}

void BitmapParaRaster(const TQuibBitmap &bitmap, bool invert, int &width, int &height, std::string &raster,
                      std::uint8_t threshold)
{
    raster.clear();
    width = 0;
    height = 0;
    if (bitmap.BitsPorPixel() == 1) {
        std::istringstream file(bitmap.SalvarBMPMonocromatico());
        MonoBMPParaRaster(file, true, width, height, raster);
        return;
    }

    width = bitmap.Largura();
    height = bitmap.Altura();
    raster.reserve(static_cast<std::size_t>((width + 7) / 8) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        unsigned byte = 0;
        int dots = 0;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t colour = bitmap.Cor(x, y);
            const unsigned red = colour & 0xFF;
            const unsigned green = colour >> 8 & 0xFF;
            const unsigned blue = colour >> 16 & 0xFF;
            // Integer arithmetic gives the exact integer part of the weighted sum.
            const unsigned brightness = (red * 30 + green * 59 + blue * 11) / 100;
            const bool dot = (brightness > threshold) != invert;
            byte = byte << 1 | (dot ? 1U : 0U);
            if (++dots == 8) {
                raster.push_back(static_cast<char>(byte));
                byte = 0;
                dots = 0;
            }
        }
        if (dots > 0)
            raster.push_back(static_cast<char>(byte << (8 - dots)));
    }
}
