#include "bmp_builder.h"

namespace testsupport {

namespace {

void put(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

} // namespace

std::string makeBmp(const BmpSpec &spec)
{
    const auto pixelStart = static_cast<std::uint32_t>(14 + 40 + 4 * spec.palette.size());
    std::string file = "BM";
    put(file, pixelStart + static_cast<std::uint32_t>(spec.pixels.size()), 4);
    put(file, 0, 4);
    put(file, pixelStart, 4);
    put(file, 40, 4);
    put(file, static_cast<std::uint32_t>(spec.width), 4);
    put(file, static_cast<std::uint32_t>(spec.height), 4);
    put(file, spec.planes, 2);
    put(file, spec.bitsPerPixel, 2);
    put(file, spec.compression, 4);
    put(file, spec.imageSizeField.value_or(static_cast<std::uint32_t>(spec.pixels.size())), 4);
    put(file, 0, 4);
    put(file, 0, 4);
    put(file, static_cast<std::uint32_t>(spec.palette.size()), 4);
    put(file, 0, 4);
    for (const std::uint32_t rgb : spec.palette)
        put(file, rgb, 4); // little-endian 0x00RRGGBB is B, G, R, 0
    return file + spec.pixels;
}

} // namespace testsupport
