#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"
#include "foundation/text/text_utils.h"

// Rounding, bits, hexadecimal and byte strings, number and date texts, UTC
// offsets. Nothing here reads or changes the process locale: numbers are
// written and read with fixed separators.
//
// Implemented in number_bits_hex.cpp (rounding, bits, binary and hexadecimal
// texts, byte strings), number_format.cpp (numbers to text and back) and
// date_texts.cpp (dates in fixed formats, UTC offsets).

// ---- Rounding and comparison -------------------------------------------------

// `value` rounded, halves away from zero, to a multiple of 10^exponent
// (exponent -2 rounds to 2 decimals). Works on the binary value.
double ArredondaPotencia10(std::int8_t exponent, double value);
// Rounded to 9 decimals, then truncated: 2.9999999999 gives 3, 2.99 gives 2.
std::int64_t TruncaSemResiduo(double value);
// 0 when |a - b| (rounded to 9 decimals) is not above the tolerance; otherwise
// 1 when a >= b, -1 when a < b.
int ComparaComTolerancia(double a, double b, double tolerance);

// ---- Bits, binary, hexadecimal and byte strings ------------------------------

bool BitLigado(std::int32_t value, int bit); // bit taken modulo 32
void LigaBit(std::int32_t &value, int bit);
// `width` "0"/"1" characters, most significant first; a value of 0 or below
// gives zeros; bits beyond the width are left out.
std::string InteiroParaBinario(std::int64_t value, int width);
// Leading "0" are dropped; each "1" at place k from the right adds 2^k (at
// most 32 places count); other characters add nothing.
std::int32_t BinarioParaInteiro(std::string_view text);
// The `byteCount` least significant bytes, least significant first; negative
// values are taken as 32-bit two's complement (-1 with 4 bytes: FF FF FF FF).
std::string InteiroParaBytesLE(std::int64_t value, int byteCount);
// The trimmed text read two hexadecimal digits per byte (a last single digit is
// ignored); raises ConversionError for a pair that is not hexadecimal.
std::string HexParaBytes(std::string_view text);
bool TentaHexParaBytes(std::string_view text, std::string &output);
std::string HexParaBytesOuPadrao(std::string_view text, std::string_view defaultBytes);
// Every byte as two upper-case hexadecimal digits.
std::string BytesParaHex(std::string_view bytes);

// ---- Numbers and texts ---------------------------------------------------------

// The trimmed text as a number; "." and "," both count as decimal separator and
// the last one wins (1.234,56 and 1,234.56 both give 1234.56; 1.234 gives
// 1.234). Raises ConversionError for a text that is not a number.
double TextoParaFloat(std::string_view text);
// The default for an empty text or one that is not a number.
double TextoParaFloatOuPadrao(std::string_view text, double defaultValue);
// Digits with `places` implicit decimals: "12345", 2 gives 123.45. Raises
// ConversionError for a text that is not made of digits.
double InteiroImplicitoParaFloat(std::string_view digits, int places);

// The value as text with `decimalChar` as decimal separator and no thousands
// separator. An empty mask gives the shortest general form with up to 15
// significant digits (1E20 for large values). A mask is the number pattern
// language: "0" digit always written, "#" digit when significant, "." decimal
// point, "," before it groups thousands (removed here), quoted text and other
// characters are literal, ";" separates positive;negative;zero sections.
// Masks round halves away from zero on the decimal value: 2.675 with "0.00"
// gives "2.68". A mask asking for scientific notation ("E+", "E-", "e+", "e-")
// raises EQuibException: that form is not built.
std::string FloatParaTexto(char decimalChar, std::string_view mask, double value);
std::string FloatParaTexto(char decimalChar, std::string_view mask, Decimal value);
// "0" for no places; else "0." and `places` zeros, with "," in front when grouping.
std::string MascaraDecimais(std::int16_t places, bool grouping);
// What FloatParaTexto(decimalChar, MascaraDecimais(places, false), value)
// gives, without reading a mask: the field writer formats every
// floating-point amount this way.
std::string FloatComCasas(char decimalChar, int places, double value);
// The value formatted by the mask (empty: ",0.00") with "," as decimal and "."
// as thousands separator: 1234.5 gives "1.234,50".
std::string FormataNumeroBrasil(double value, std::string_view mask = "");
std::string FormataNumeroBrasil(Decimal value, std::string_view mask = "");

bool TextoVazio(std::string_view text);
bool TextoPreenchido(std::string_view text);
bool InteiroZero(std::int64_t value);

// ---- Dates and times -------------------------------------------------------------

// Format letters (any case): D/DD day, M/MM month (minutes right after an hour),
// YY/YYYY year, H/HH hours, N/NN minutes, S/SS seconds, Z/ZZZ milliseconds;
// quoted text and other characters are literal. Tokens not built here raise
// EQuibException: names of months and days (MMM, MMMM, DDD, DDDD), the long
// forms (DDDDD, DDDDDD, C, T, TT) and the AM/PM markers.
// The date part formatted (empty format: "DD/MM/YYYY").
std::string DataFormatoBR(TDateTime value, std::string_view format = "");
// The date-time formatted (empty format: "DD/MM/YYYY hh:nn:ss").
std::string DataHoraFormatoBR(TDateTime value, std::string_view format = "");
// "YYYYMMDDhhnnss".
std::string DataHoraParaTextoCompacto(TDateTime value);
// Reads "YYYYMMDDhhnnss" (missing or non-numeric parts count as 0); 0 when the
// parts do not make a valid date-time.
TDateTime TextoCompactoParaDataHora(std::string_view text);

// True for "Z" (either case) or "+hh:mm" / "-hh:mm".
bool FusoValido(std::string_view zone);
// True when the last character, or the last 6, pass FusoValido.
bool TextoTemFuso(std::string_view dateTimeText);
// The minutes to add to a local time of the text's zone to get UTC ("-03:00"
// gives 180, "Z" 0); -1 when the text has no zone.
int MinutosDoFuso(std::string_view dateTimeText);
// A local date-time of the zone turned into UTC. A value of 0 means now; an
// empty zone means the computer's current offset. A zone other than
// "+hh:mm"/"-hh:mm" with hours 00-14 and minutes 00-59 gives 0.
TDateTime ConverteParaFuso(std::string_view zone, TDateTime value);

// An offset in minutes east of UTC as "+hh:mm" / "-hh:mm" (-180 gives "-03:00").
std::string formatUtcOffset(int minutesEast);
