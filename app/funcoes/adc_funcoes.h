#pragma once

#include <string>
#include <string_view>

// The volume serial number and the plain wait of the shell.
// Implemented in adc_funcoes.cpp.

// The serial number of the volume holding the root path (a stored path such
// as "C:\" is mapped first): the file-system id that statvfs reports, as 8
// upper-case hexadecimal digits; " " (one space) when it cannot be read.
std::string NumeroSerieVolume(std::string_view raiz);

// Blocks the calling thread for that many milliseconds through the injectable
// sleep of foundation/dates/date_time.h; no events are processed meanwhile.
void Aguarda(int milissegundos);
