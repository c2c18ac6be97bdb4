#pragma once

#include <string>
#include <string_view>

// SeriesComPIN: the serial numbers whose token PIN this process has given,
// each followed by "," (empty at start). Guarded by a process-wide lock.
// Implemented in series_com_pin.cpp.
namespace SeriesComPIN {

bool contem(std::string_view numeroSerie);
void adicionar(std::string_view numeroSerie);
void remover(std::string_view numeroSerie);
// The whole text (tests).
std::string texto();

} // namespace SeriesComPIN
