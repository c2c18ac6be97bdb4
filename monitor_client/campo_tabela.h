#pragma once

#include "foundation/dates/date_time.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>

// One field of a staged note table, as the table declares it: its name (the
// spelling the suite and the readers use), its type, its width and the value
// a new row starts with. The field lists of tabelas_notas.h drive the new-row
// defaults and the staged-notes loader of the tests; the writers read the
// row structs' members directly. Header only.

enum class TipoCampo {
    Inteiro, // 32-bit signed
    Word,    // 16-bit unsigned
    Real,    // double precision
    Texto,   // at most `largura` characters (UTF-8, counted as characters)
    Booleano,
    Data, // TDateTime, 0 = empty
    Memo, // unbounded text of several lines
    Blob, // unbounded text
};

template <typename Linha> struct CampoTabela {
    using Membro = std::variant<int Linha::*, std::uint16_t Linha::*, double Linha::*, bool Linha::*,
                                std::string Linha::*>;
    const char *nome;
    TipoCampo tipo;
    int largura; // characters of a text field; 0 for the other types
    Membro membro;
    double padrao = 0; // the new-row value of a numeric field
};

// A new row: every numeric field at its declared default, texts empty,
// booleans false, dates empty.
template <typename Linha> Linha novaLinha(std::span<const CampoTabela<Linha>> campos)
{
    Linha linha{};
    for (const auto &campo : campos) {
        if (auto inteiro = std::get_if<int Linha::*>(&campo.membro))
            linha.*(*inteiro) = static_cast<int>(campo.padrao);
        else if (auto word = std::get_if<std::uint16_t Linha::*>(&campo.membro))
            linha.*(*word) = static_cast<std::uint16_t>(campo.padrao);
        else if (auto real = std::get_if<double Linha::*>(&campo.membro))
            linha.*(*real) = campo.padrao;
    }
    return linha;
}
