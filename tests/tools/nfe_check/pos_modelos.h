#pragma once

#include <string_view>

#include "printing/posprinter/pos_printer.h"

// The POS printer models and code pages by the names the printer verbs take
// ("EscPosEpson", "850").
// Implemented in pos_modelos.cpp.

// False for an unknown name.
bool modeloPosPorNome(std::string_view nome, TQuibPosPrinterModelo &modelo);

// Code pages "437", "850", "852", "860", "1252", "utf8" and "none"; false for
// any other name.
bool paginaPosPorNome(std::string_view nome, TQuibPosPaginaCodigo &pagina);
