#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "foundation/base/quib_exception.h"
#include "foundation/codes/enum_names.h"

// gzip and zlib payloads: recognising them by their first bytes, inflating them
// and writing gzip members. Byte strings hold raw bytes, one char per byte.
// Streams are seekable standard streams; one that cannot be positioned or read
// raises StreamReadError.

enum TTipoCompressao : std::uint8_t { tcmDesconhecido, tcmZLib, tcmGZip, tcmZip };

template <>
inline constexpr auto kEnumNames<TTipoCompressao> = std::to_array<EnumName<TTipoCompressao>>(
    {{tcmDesconhecido, "tcmDesconhecido"}, {tcmZLib, "tcmZLib"}, {tcmGZip, "tcmGZip"}, {tcmZip, "tcmZip"}});

// A stream could not be read (fewer bytes than needed, or a failed stream).
class StreamReadError : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

// Compressed data that cannot be inflated: a bad gzip header or trailer, a
// checksum or size mismatch, truncated or invalid deflate data.
class DecompressionError : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

// The target stream refused the output.
class StreamWriteError : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

// The compressor itself failed (out of memory).
class CompressionError : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

// The kind of payload, judged by its first four bytes: gzip (1F 8B 08), zlib
// (78 01, 78 5E, 78 9C or 78 DA) or zip (50 4B 03 04). The stream keeps its
// position. Fewer than four bytes raise StreamReadError.
TTipoCompressao DetectaCompressao(std::istream &stream);

// Inflates the whole source (from position 0) into the target: a gzip member
// when the source is recognised as gzip, else zlib data. Returns true; every
// failure raises, and the target may already hold part of the output.
bool DescompactaEntreStreams(std::istream &source, std::ostream &target);

// The inflated bytes of a whole stream or of a byte string.
std::string DescompactaStreamParaTexto(std::istream &stream);
std::string DescompactaBytes(std::string_view data);

// Writes the source, from its position to its end, as one gzip member (no
// name, no time stamp) into the target, leaving the source at its end.
// Returns true.
bool CompactaStreamGZip(std::istream &source, std::ostream &target);

// The gzip member of a whole stream or of a byte string.
std::string CompactaStreamParaTexto(std::istream &stream);
std::string CompactaGZip(std::string_view data);
