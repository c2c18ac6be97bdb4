#pragma once

#include <string>
#include <string_view>

#include "foundation/dates/date_time.h"

// The process formats: the separators and the short date and time patterns
// that the shell's date and number functions read (never the C locale, which
// Qt sets from the environment). One object for the whole process, used from
// the main thread only.
//
// Patterns use d, m (month in a date pattern, minutes after an hour), y, h and
// s, in either case; any other character is a separator written as is.
struct FormatosDoProcesso {
    char separadorDecimal = ',';
    char separadorMilhar = '.';
    std::string formatoDataCurta = "dd/mm/yyyy";
    std::string formatoHoraCurta = "hh:mm";
};

// The process-wide formats, which start as the Brazilian defaults above.
FormatosDoProcesso &formatosDoProcesso();

// Puts the Brazilian defaults back (tests).
void restauraFormatosDoProcesso();

// Reads a date written in the short date format: day, month and year in the
// order the pattern gives them, separated by the pattern's first character
// that is not a letter. A year of one or two digits falls within 50 years of
// the current one (the clock of date_time.h); with only two numbers, they are
// the day and the month of the current year. False for anything else or for a
// day the calendar does not have.
bool tryTextoParaData(std::string_view texto, TDateTime &data);
