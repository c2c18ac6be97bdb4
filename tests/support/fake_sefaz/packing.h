#pragma once

#include <optional>
#include <string>
#include <string_view>

// Base64 and gzip as the tax authority uses them: zipped batches arrive as
// Base64 of a gzip (or zlib) stream, distributed documents leave the same way.
// Implemented in packing.cpp.

namespace testsupport::fakesefaz {

// Standard alphabet with padding; blanks and line breaks are skipped.
// nullopt for any other character or a bad length.
std::optional<std::string> base64Decode(std::string_view text);
std::string base64Encode(std::string_view bytes);

// Inflates a gzip or zlib stream (told apart by its header); nullopt when the
// stream is broken or truncated.
std::optional<std::string> inflateAny(std::string_view bytes);
std::string gzip(std::string_view bytes);

} // namespace testsupport::fakesefaz
