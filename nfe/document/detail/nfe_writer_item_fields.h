#pragma once

// Small helpers shared by the item writers of TNFeW (products, ICMS and the
// other item taxes). Internal to the document layer; header only.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "foundation/numbers/decimal.h"
#include "foundation/xml/gerador.h"

namespace nfe_item_writer {

// True when at least one of the amounts is greater than zero (a negative
// amount counts as not greater).
inline bool algumPositivo(std::initializer_list<Decimal> valores)
{
    for (const Decimal valor : valores)
        if (valor > Decimal(0))
            return true;
    return false;
}

// A percentage: four decimals (up to 7 characters) from layout 3.10, two
// decimals (up to 5) before.
inline void escrevePercentual(TGerador &gerador, bool desde310, std::string_view id, std::string_view tag,
                              std::int16_t ocorrencias, Decimal valor, std::string_view descricao)
{
    if (desde310)
        gerador.EscreveCampo(vcDecimal4, id, tag, 1, 7, ocorrencias, valor, descricao);
    else
        gerador.EscreveCampo(vcDecimal2, id, tag, 1, 5, ocorrencias, valor, descricao);
}

} // namespace nfe_item_writer
