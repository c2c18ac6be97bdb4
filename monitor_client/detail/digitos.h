#pragma once

// Numbers the note screen reads out of texts (note numbers, series, CNPJs,
// answers of the input boxes). Implemented in detail/digitos.cpp.

#include <string>
#include <string_view>

namespace monitor_detail {

// The digits of the text read as an integer; 0 when there are none or they
// do not fit.
int inteiroDosDigitos(std::string_view texto);

// Digits without their leading zeros ("" for zeros only): a CNPJ or a series
// compared as a number.
std::string semZerosEsquerda(std::string_view digitos);

} // namespace monitor_detail
