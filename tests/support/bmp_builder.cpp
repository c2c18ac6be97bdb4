#include "bmp_builder.h"

namespace testsupport {

namespace {

void put(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

} // namespace

std::string makeBmp(const BmpLayout &layout)
{
    const auto pixelStart = static_cast<std::uint32_t>(14 + 40 + 4 * layout.palette.size());
    std::string file = "BM";
    put(file, pixelStart + static_cast<std::uint32_t>(layout.pixels.size()), 4);
    put(file, 0, 4);
    put(file, pixelStart, 4);
    put(file, 40, 4);
    put(file, static_cast<std::uint32_t>(layout.width), 4);
    put(file, static_cast<std::uint32_t>(layout.height), 4);
    put(file, layout.planes, 2);
    put(file, layout.bitsPerPixel, 2);
    put(file, layout.compression, 4);
    put(file, layout.imageSizeField.value_or(static_cast<std::uint32_t>(layout.pixels.size())), 4);
    put(file, 0, 4);
    put(file, 0, 4);
    put(file, static_cast<std::uint32_t>(layout.palette.size()), 4);
    put(file, 0, 4);
    for (const std::uint32_t rgb : layout.palette)
        put(file, rgb, 4); // little-endian 0x00RRGGBB is B, G, R, 0
    return file + layout.pixels;
}

} // namespace testsupport
