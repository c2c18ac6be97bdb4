#pragma once

#include <string>
#include <string_view>

#include "foundation/codes/enum_names.h"
#include "foundation/files/mem_ini_file.h"

// Reading and writing of the component settings in INI files: enumerations
// by ordinal, passwords as base64 of the text scrambled with a key.
// Implemented in ini_valores.cpp (the templates here).

namespace conf_ini {

// The ordinal read from the INI; a missing key, a text that is not a number
// or an ordinal outside the enumeration keeps the current value.
template <typename E>
E lerOrdinal(const MemIniFile &ini, std::string_view secao, std::string_view chave, E atual)
{
    const int valor = ini.ReadInteger(secao, chave, static_cast<int>(atual));
    return valor >= 0 && static_cast<std::size_t>(valor) < kEnumNames<E>.size() ? static_cast<E>(valor)
                                                                                : atual;
}

template <typename E>
void gravarOrdinal(MemIniFile &ini, std::string_view secao, std::string_view chave, E valor)
{
    ini.WriteInteger(secao, chave, static_cast<int>(valor));
}

// base64 of the password scrambled with the key (an empty key: not scrambled).
std::string senhaParaIni(std::string_view senha, std::string_view chave);
// The inverse of senhaParaIni.
std::string senhaDoIni(std::string_view valor, std::string_view chave);

} // namespace conf_ini
