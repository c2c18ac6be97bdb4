#include "printing/device/bmp_reader.h"

#include <limits>
#include <stdexcept>

#include "printing/device/detail/stream_bytes.h"
#include "printing/device/image_error.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;

[[noreturn]] void truncated()
{
    throw EQuibImage("Arquivo BMP incompleto: faltam dados da imagem");
}

std::uint32_t colourValue(unsigned char blue, unsigned char green, unsigned char red)
{
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16;
}

} // namespace

TQuibBitmap TQuibBitmap::LerBMP(std::istream &stream)
{
    using namespace imagebytes;
    const auto signature = readAt(stream, 0, 2);
    if (!signature || *signature != "BM")
        throw EQuibImage("Imagem não é um arquivo BMP");
    const auto pixelStart = u32At(stream, 10);
    const auto headerSize = u32At(stream, 14);
    if (!pixelStart || !headerSize)
        truncated();
    if (*headerSize < kInfoHeaderSize)
        throw EQuibImage("Cabeçalho de BMP não suportado (" + std::to_string(*headerSize) + " bytes)");
    const auto width = i32At(stream, 18);
    const auto height = i32At(stream, 22);
    const auto bits = u16At(stream, 28);
    const auto compression = u32At(stream, 30);
    const auto coloursUsed = u32At(stream, 46);
    if (!width || !height || !bits || !compression || !coloursUsed)
        truncated();
    if (*compression != kBiRgb)
        throw EQuibImage("BMP compactado não é suportado (compressão " + std::to_string(*compression) + ")");
    if (*bits != 1 && *bits != 4 && *bits != 8 && *bits != 24 && *bits != 32)
        throw EQuibImage("BMP com " + std::to_string(*bits) + " bits por pixel não é suportado");
    if (*width < 1 || *height == 0 || *height == std::numeric_limits<std::int32_t>::min())
        throw EQuibImage("Dimensões do Bitmap inválidas (" + std::to_string(*width) + " x " +
                         std::to_string(*height) + ")");

    TQuibBitmap bitmap;
    bitmap.largura_ = *width;
    bitmap.altura_ = *height < 0 ? -*height : *height;
    bitmap.topDown_ = *height < 0;
    bitmap.bitsPorPixel_ = *bits;

    if (*bits <= 8) {
        const std::uint32_t entries = 1U << *bits;
        const std::uint32_t stored = *coloursUsed == 0 || *coloursUsed > entries ? entries : *coloursUsed;
        const auto palette = readAt(stream, kFileHeaderSize + static_cast<std::uint64_t>(*headerSize),
                                    static_cast<std::uint64_t>(stored) * 4);
        if (!palette)
            truncated();
        bitmap.paleta_.assign(entries, 0);
        for (std::uint32_t i = 0; i < stored; ++i) {
            const auto *entry = reinterpret_cast<const unsigned char *>(palette->data() + i * 4);
            bitmap.paleta_[i] = colourValue(entry[0], entry[1], entry[2]);
        }
    }

    // Rows are padded to whole 32-bit words; the size check divides so that no
    // product can overflow.
    const std::uint64_t stride = (static_cast<std::uint64_t>(*width) * *bits + 31) / 32 * 4;
    const auto size = streamSize(stream);
    if (!size || *pixelStart > *size || stride > (*size - *pixelStart) / bitmap.altura_)
        truncated();
    bitmap.stride_ = static_cast<std::size_t>(stride);
    auto pixels = readAt(stream, *pixelStart, stride * bitmap.altura_);
    if (!pixels)
        truncated();
    bitmap.pixels_ = std::move(*pixels);
    return bitmap;
}

const unsigned char *TQuibBitmap::row(int y) const
{
    const int stored = topDown_ ? y : altura_ - 1 - y;
    return reinterpret_cast<const unsigned char *>(pixels_.data()) +
           static_cast<std::size_t>(stored) * stride_;
}

std::uint32_t TQuibBitmap::Cor(int x, int y) const
{
    if (x < 0 || x >= largura_ || y < 0 || y >= altura_)
        throw std::out_of_range("Pixel fora do Bitmap (" + std::to_string(x) + ", " + std::to_string(y) +
                                ")");
    const unsigned char *line = row(y);
    const auto column = static_cast<std::size_t>(x);
    switch (bitsPorPixel_) {
    case 1:
        return paleta_[line[column / 8] >> (7 - column % 8) & 0x01];
    case 4:
        return paleta_[line[column / 2] >> (column % 2 == 0 ? 4 : 0) & 0x0F];
    case 8:
        return paleta_[line[column]];
    case 24:
        return colourValue(line[column * 3], line[column * 3 + 1], line[column * 3 + 2]);
    default:
        return colourValue(line[column * 4], line[column * 4 + 1], line[column * 4 + 2]);
    }
}

std::string TQuibBitmap::SalvarBMPMonocromatico() const
{
    using namespace imagebytes;
    if (bitsPorPixel_ != 1)
        throw EQuibImage("Bitmap de " + std::to_string(bitsPorPixel_) +
                         " bits por pixel não é monocromático");
    const std::uint32_t pixelStart = kFileHeaderSize + kInfoHeaderSize + 2 * 4;
    const auto imageSize = static_cast<std::uint32_t>(pixels_.size());
    std::string file = "BM";
    putU32(file, pixelStart + imageSize);
    putU32(file, 0);
    putU32(file, pixelStart);
    putU32(file, kInfoHeaderSize);
    putU32(file, static_cast<std::uint32_t>(largura_));
    putU32(file, static_cast<std::uint32_t>(altura_));
    putU16(file, 1); // planes
    putU16(file, 1); // bits per pixel
    putU32(file, kBiRgb);
    putU32(file, imageSize);
    putU32(file, 0); // horizontal resolution
    putU32(file, 0); // vertical resolution
    putU32(file, 2); // colours used
    putU32(file, 0); // important colours
    for (int i = 0; i < 2; ++i) {
        const std::uint32_t colour = paleta_[static_cast<std::size_t>(i)];
        file.push_back(static_cast<char>(colour >> 16 & 0xFF)); // blue
        file.push_back(static_cast<char>(colour >> 8 & 0xFF));  // green
        file.push_back(static_cast<char>(colour & 0xFF));       // red
        file.push_back('\0');
    }
    file.reserve(file.size() + pixels_.size());
    for (int y = altura_ - 1; y >= 0; --y)
        file.append(reinterpret_cast<const char *>(row(y)), stride_);
    return file;
}
