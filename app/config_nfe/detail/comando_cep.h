#pragma once

#include "app/db/value.h"
#include "foundation/base/quib_exception.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A line of the postal-code file that is not an accepted insert into CEP.
class ErroComandoCep : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

// One insert of the postal-code file, as columns and bound values.
struct ComandoCep {
    std::vector<std::string> colunas;
    std::vector<db::Value> valores;
};

// Reads a line of "cidades.sql". A line whose first 11 characters are not
// "INSERT INTO" (any case) is no statement: nullopt. Otherwise the line must
// be `INSERT INTO CEP [(columns)] VALUES (literals)` with an optional ";":
// columns among CEP_10, CEP_6, NOM_CID and UF_CID, each once; literals
// quoted texts (a doubled quote is one quote), numbers or NULL, as many as
// the columns (all four, in table order, without a list). Anything else
// raises ErroComandoCep with the reason. Implemented in comando_cep.cpp.
std::optional<ComandoCep> leComandoCep(std::string_view linha);
