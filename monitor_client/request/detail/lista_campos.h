#pragma once

// The "^" field lists that the item writers read from additional fields and
// import data lines. Header only.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The fields of `texto` separated by "^", read left to right (the last one
// is the rest of the text), padded with empty fields to at least `minimo`.
inline std::vector<std::string> camposDaLista(std::string_view texto, std::size_t minimo)
{
    std::vector<std::string> campos;
    if (!texto.empty()) {
        for (;;) {
            const auto fim = texto.find('^');
            campos.emplace_back(texto.substr(0, fim));
            if (fim == std::string_view::npos)
                break;
            texto.remove_prefix(fim + 1);
        }
    }
    if (campos.size() < minimo)
        campos.resize(minimo);
    return campos;
}
