#pragma once

#include <string>
#include <string_view>

#include "foundation/dates/date_time.h"

// The UTC offset that a date-time of a note was read with ("-03:00"), kept
// beside its TDateTime field (`ide.dEmiFuso` beside `ide.dEmi`...), so that a
// note read and written again states the same instant with the same offset.
//
// The offset counts only while the field still holds the value it was read
// with: a value that the program sets afterwards (or a field never read) is
// written with the configured time zone (FusoHorarioGlobal, the state's rules).
struct TFusoLido {
    TDateTime valor = 0; // the date-time the offset was read with
    std::string fuso;    // "+hh:mm" or "-hh:mm"; empty when none was read

    // Keeps the offset written after a layout date-time ("2024-05-17T10:30:00-03:00")
    // for `lido`; a text without one forgets any offset kept before.
    void Le(TDateTime lido, std::string_view texto);
    // The offset to write after `atual`: the one read when `atual` is still
    // the value read, otherwise the configured zone's offset for the state
    // `uf` (FusoHorarioDaUF).
    std::string Para(TDateTime atual, std::string_view uf) const;
};

// The UTC offset at the end of a layout date-time "YYYY-MM-DDThh:mm:ss±hh:mm";
// empty when the text has none.
std::string FusoDoTexto(std::string_view texto);
