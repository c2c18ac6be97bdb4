#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include "foundation/codes/enum_names.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"

// The value kinds of a leaf element and the dynamic value that the XML writer
// takes and the XML reader gives back.

enum TTipoValorCampo : std::uint8_t {
    vcTexto,
    vcInteiro,
    vcData,
    vcDataHora,
    vcDigitos,
    vcDecimal2,
    vcDecimal3,
    vcDecimal4,
    vcDecimal5,
    vcDecimal6,
    vcDecimal7,
    vcDecimal8,
    vcDecimal10,
    vcHora,
    vcDataCompacta,
    vcHoraCompacta,
    vcDataBR,
    vcDataHoraCompacta,
    vcLogico,
    vcTextoBruto,
    vcNumeroZeros,
    vcInteiro64,
    vcDecimal1
};

template <>
inline constexpr auto kEnumNames<TTipoValorCampo> = std::to_array<EnumName<TTipoValorCampo>>({
    {vcTexto, "vcTexto"},
    {vcInteiro, "vcInteiro"},
    {vcData, "vcData"},
    {vcDataHora, "vcDataHora"},
    {vcDigitos, "vcDigitos"},
    {vcDecimal2, "vcDecimal2"},
    {vcDecimal3, "vcDecimal3"},
    {vcDecimal4, "vcDecimal4"},
    {vcDecimal5, "vcDecimal5"},
    {vcDecimal6, "vcDecimal6"},
    {vcDecimal7, "vcDecimal7"},
    {vcDecimal8, "vcDecimal8"},
    {vcDecimal10, "vcDecimal10"},
    {vcHora, "vcHora"},
    {vcDataCompacta, "vcDataCompacta"},
    {vcHoraCompacta, "vcHoraCompacta"},
    {vcDataBR, "vcDataBR"},
    {vcDataHoraCompacta, "vcDataHoraCompacta"},
    {vcLogico, "vcLogico"},
    {vcTextoBruto, "vcTextoBruto"},
    {vcNumeroZeros, "vcNumeroZeros"},
    {vcInteiro64, "vcInteiro64"},
    {vcDecimal1, "vcDecimal1"},
});

// Decimal places of a decimal kind (vcDecimal1 ... vcDecimal10); 0 for any
// other kind.
int casasDecimais(TTipoValorCampo tipo);

// True for the date, time and date-time kinds.
bool ehTipoDataHora(TTipoValorCampo tipo);

// A field value: nothing (null), text, 32- or 64-bit integer, floating-point
// number (date-times are TDateTime, a double), fixed-point decimal or boolean.
// A string literal becomes text.
using TValorCampo = std::variant<std::monostate, std::string, int, std::int64_t, double, Decimal, bool>;

// The value's plain text: empty for null, integers in decimal, doubles in the
// shortest form that reads back the same ("." as decimal point), decimals in
// their shortest form, booleans "True"/"False". With `comoData`, a number is
// taken as a date-time and written "DD/MM/YYYY" (plus " hh:nn:ss" when it has
// a time of day).
std::string textoDoValor(const TValorCampo &valor, bool comoData = false);

// The value as a floating-point number: numbers as they are, a text read with
// "." or "," as decimal separator; false for null, booleans and texts that are
// not numbers.
bool numeroDoValor(const TValorCampo &valor, double &numero);

// The value as a date-time: numbers are taken as TDateTime; anything else
// raises ConversionError.
TDateTime dataHoraDoValor(const TValorCampo &valor);

// The value as a boolean: booleans, integers (non-zero is true) and the texts
// "true"/"false" (ASCII case ignored, trimmed); anything else raises
// ConversionError.
bool logicoDoValor(const TValorCampo &valor);
