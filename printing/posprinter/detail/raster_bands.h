#pragma once

#include <cstddef>
#include <string>

// Raster rows cut into printer bands. Header only.

namespace pos_bytes {

// The raster (rows of ceil(width / 8) bytes) with blank rows added up to a
// whole number of bands of `bandRows` rows.
inline std::string rasterEmFaixasInteiras(const std::string &raster, int width, int height, int bandRows)
{
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
    const int rows = (height + bandRows - 1) / bandRows * bandRows;
    std::string padded = raster.substr(0, rowBytes * static_cast<std::size_t>(height));
    padded.resize(rowBytes * static_cast<std::size_t>(rows), '\0');
    return padded;
}

} // namespace pos_bytes
