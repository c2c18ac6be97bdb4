#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// A BMP file built field by field, for the image tests: a 14-byte file header,
// a 40-byte info header, the palette and the pixel rows exactly as given.
struct BmpLayout {
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: rows stored top-down
    std::uint16_t bitsPerPixel = 1;
    std::uint16_t planes = 1;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette;          // 0x00RRGGBB per entry
    std::string pixels;                          // stored rows, alignment bytes included
    std::optional<std::uint32_t> imageSizeField; // default: the pixel bytes' count
};

std::string makeBmp(const BmpLayout &layout);

} // namespace testsupport
