#include "printing/device/detail/stream_bytes.h"

namespace imagebytes {

std::optional<std::uint64_t> streamSize(std::istream &stream)
{
    stream.clear();
    stream.seekg(0, std::ios::end);
    const std::streamoff end = stream.tellg();
    stream.clear();
    if (end < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(end);
}

std::optional<std::string> readAt(std::istream &stream, std::uint64_t offset, std::uint64_t count)
{
    const auto size = streamSize(stream);
    if (!size || offset > *size || count > *size - offset)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(count), '\0');
    stream.seekg(static_cast<std::streamoff>(offset));
    stream.read(bytes.data(), static_cast<std::streamsize>(count));
    const bool complete = static_cast<std::uint64_t>(stream.gcount()) == count;
    stream.clear();
    if (!complete)
        return std::nullopt;
    return bytes;
}

std::optional<std::uint16_t> u16At(std::istream &stream, std::uint64_t offset)
{
    const auto bytes = readAt(stream, offset, 2);
    if (!bytes)
        return std::nullopt;
    const auto *b = reinterpret_cast<const unsigned char *>(bytes->data());
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::optional<std::uint32_t> u32At(std::istream &stream, std::uint64_t offset)
{
    const auto bytes = readAt(stream, offset, 4);
    if (!bytes)
        return std::nullopt;
    return u32In(*bytes, 0);
}

std::optional<std::int32_t> i32At(std::istream &stream, std::uint64_t offset)
{
    const auto value = u32At(stream, offset);
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::uint32_t u32In(const std::string &bytes, std::size_t offset)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data() + offset);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

void putU16(std::string &bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
}

void putU32(std::string &bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>(value >> shift & 0xFF));
}

} // namespace imagebytes
