#pragma once

// Pieces of the services' log texts. Header only: no source of its own.

#include <string>

#include "foundation/dates/date_time.h"
#include "foundation/numbers/number_date_utils.h"

namespace nfe_services {

// "DD/MM/YYYY hh:nn:ss"; empty for a date that is not set.
inline std::string dataHoraDoLog(TDateTime valor)
{
    return valor == 0 ? std::string() : DataHoraFormatoBR(valor, "DD/MM/YYYY hh:nn:ss");
}

} // namespace nfe_services
