#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"

// The text rules every section of the thermal DANFE and its receipts share:
// word wrapping, spreading a line over the coupon's width, amounts, fixed
// digit counts and dates. Widths count characters of the UTF-8 text; a width
// below 1 counts as 1. Line breaks come out as CR LF; the printer turns them
// into its own line feed.
//
// Implemented in texto_cupom.cpp.
namespace danfe_texto {

// The text word-wrapped at `largura` columns, breaking at blanks and at the
// line breaks it already holds.
std::string Quebrar(std::string_view texto, int largura);
// The trimmed line spread to exactly `largura` columns: every "|" becomes
// enough blanks (the spare ones to the rightmost separators).
std::string Justificar(std::string_view texto, int largura);
// The amount with "," as decimal and "." as thousands separator; the mask
// (",0.00" by default) may carry a sign, as "-,0.00" and "+,0.00".
std::string Dinheiro(Decimal valor, std::string_view mascara = ",0.00");
// The number as exactly `casas` digits with zeros on the left.
std::string Digitos(std::int64_t numero, int casas);
// "dd/mm/yyyy hh:nn:ss", whatever the locale; empty for a date not set.
std::string DataHora(TDateTime valor);
// Every ";" turned into a line break.
std::string PontoEVirgulaEmQuebra(std::string_view texto);
// The entries joined by line feeds, as one buffer entry.
std::string Juntar(const std::vector<std::string> &entradas);
// The lines of the entries, each entry split at its line breaks.
std::vector<std::string> Linhas(const std::vector<std::string> &entradas);
// True when the text holds nothing but blanks and control characters.
bool EmBranco(std::string_view texto);

} // namespace danfe_texto
