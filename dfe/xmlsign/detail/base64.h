#pragma once

#include <string>
#include <string_view>

// Standard Base64 ("=" padding, no line breaks) for the signature values.
// Implemented in base64.cpp.
std::string toBase64(std::string_view bytes);
// The bytes of a Base64 text; blanks and line breaks are skipped. Empty when
// the text is not Base64.
std::string fromBase64(std::string_view text);
