#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// Building blocks of printer commands, shared by the model writers: bytes
// given by value, little-endian numbers. Header only.

namespace pos_bytes {

// The bytes of the given values (each taken modulo 256).
inline std::string bytes(std::initializer_list<int> values)
{
    std::string result;
    for (int v : values)
        result.push_back(static_cast<char>(v & 0xFF));
    return result;
}

// v as two bytes, low byte first.
inline std::string le2(std::size_t value)
{
    return bytes({static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF)});
}

// v as four bytes, low byte first.
inline std::string le4(std::size_t value)
{
    return bytes({static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 24) & 0xFF)});
}

// A command with a two-byte length in front of its parameters:
// `prefixo` le2(size of `parametros`) `parametros` (GS ( k and its kin).
inline std::string comTamanho(const std::string &prefixo, const std::string &parametros)
{
    return prefixo + le2(parametros.size()) + parametros;
}

// Whether bit n (value 2 to the power n) of an answer byte is set.
inline bool bitLigado(char byte, int bit)
{
    return (static_cast<unsigned char>(byte) & (1U << bit)) != 0;
}

} // namespace pos_bytes
