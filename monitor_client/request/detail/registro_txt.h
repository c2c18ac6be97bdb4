#pragma once

// One record line of the TXT layout. Header only.

#include <initializer_list>
#include <string>
#include <string_view>

// The identifier and "|", then each field followed by "|"; without
// `fechado`, the last field has no closing "|".
inline std::string registroTxt(std::string_view id, std::initializer_list<std::string> campos,
                               bool fechado = true)
{
    std::string linha(id);
    linha += '|';
    for (const auto &campo : campos)
        linha += campo + "|";
    if (!fechado && campos.size() > 0)
        linha.pop_back();
    return linha;
}
