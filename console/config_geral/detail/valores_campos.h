#pragma once

#include "foundation/dates/date_time.h"
#include "foundation/numbers/number_date_utils.h"

#include <string>

namespace console_detail {

// A date-time of a field list: "dd/mm/yyyy hh:nn:ss", empty when not set.
// Header only, shared by the operations' files.
inline std::string textoDataHora(TDateTime valor)
{
    return valor == 0 ? std::string() : DataHoraFormatoBR(valor, "DD/MM/YYYY hh:nn:ss");
}

} // namespace console_detail
