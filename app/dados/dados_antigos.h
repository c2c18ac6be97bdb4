#pragma once

#include "app/db/value.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The suite's older management data as the management screen's upgrade
// reads it: whole tables ("USUARIOS", "PATHIB", "EMPRESA") as rows of named
// values. Header only.
using LinhaAntiga = std::vector<std::pair<std::string, db::Value>>;
using TabelaAntiga = std::vector<LinhaAntiga>;
// Reads one older table; raises ProgramError in the system's own words when
// it cannot be read.
using LeitorDadosAntigos = std::function<TabelaAntiga(std::string_view tabela)>;

// The value of the column (name compared without regard to case); null when
// the row has no such column.
inline db::Value valorAntigo(const LinhaAntiga &linha, std::string_view coluna)
{
    for (const auto &[nome, valor] : linha)
        if (db::sameFieldName(nome, coluna))
            return valor;
    return {};
}
