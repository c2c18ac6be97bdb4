#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

// Bounded reads from a seekable stream for the image readers: every read
// names an absolute offset and answers nothing (never a partial value) when
// the stream cannot give all its bytes. Failed reads leave the stream's error
// flags cleared so the caller can restore its position.

namespace imagebytes {

// The stream's size in bytes; nothing when it cannot be positioned.
std::optional<std::uint64_t> streamSize(std::istream &stream);

// `count` bytes from `offset`; nothing when the stream holds fewer.
std::optional<std::string> readAt(std::istream &stream, std::uint64_t offset, std::uint64_t count);

// Little-endian fields at `offset`.
std::optional<std::uint16_t> u16At(std::istream &stream, std::uint64_t offset);
std::optional<std::uint32_t> u32At(std::istream &stream, std::uint64_t offset);
std::optional<std::int32_t> i32At(std::istream &stream, std::uint64_t offset);

// Little-endian reads and writes inside a byte string (the caller checks the
// bounds).
std::uint32_t u32In(const std::string &bytes, std::size_t offset);
void putU16(std::string &bytes, std::uint16_t value);
void putU32(std::string &bytes, std::uint32_t value);

} // namespace imagebytes
