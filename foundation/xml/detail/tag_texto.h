#pragma once

#include <string>
#include <string_view>

// A tag text such as "<" + name + ">" or "</" + name + ">", built in one
// buffer (the XML writer and reader build many of them per field).
//
// Header only: no source of its own.
inline std::string tagTexto(std::string_view antes, std::string_view nome, std::string_view depois)
{
    std::string texto;
    texto.reserve(antes.size() + nome.size() + depois.size());
    texto.append(antes).append(nome).append(depois);
    return texto;
}
