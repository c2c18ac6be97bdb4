#pragma once

#include <string>
#include <string_view>

// Standard base64 (A-Z a-z 0-9 + /, "=" padding) of byte strings, on one line.
// Implemented in base64.cpp over the foundation's CodificaBase64 and
// DecodificaBase64, with this layer's blank skipping and error type.

std::string encodeBase64(std::string_view bytes);
// Blanks and line breaks are skipped; raises EQuibDFeException "Base64
// inválido" for any other character outside the alphabet or a wrong length.
std::string decodeBase64(std::string_view text);
