#pragma once

#include "foundation/base/quib_exception.h"

#include <charconv>
#include <string>
#include <string_view>

namespace console_detail {

// The text as a whole decimal integer; ConversionError("'<text>' não é um
// valor inteiro válido.") for anything else, the empty text included.
// Header only: one small function shared by the screen's files.
inline int inteiroDoTexto(std::string_view texto)
{
    int valor = 0;
    const char *fim = texto.data() + texto.size();
    const auto [ate, erro] = std::from_chars(texto.data(), fim, valor);
    if (texto.empty() || erro != std::errc() || ate != fim)
        throw ConversionError("'" + std::string(texto) + "' não é um valor inteiro válido.");
    return valor;
}

} // namespace console_detail
