#pragma once

#include <string>

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
