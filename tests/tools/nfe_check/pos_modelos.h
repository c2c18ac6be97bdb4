#pragma once

#include <string_view>

#include "printing/posprinter/pos_printer.h"

// The POS printer models by the names the pos-* verbs take ("EscPosEpson").
// Implemented in pos_modelos.cpp.

// False for an unknown name.
bool modeloPosPorNome(std::string_view nome, TQuibPosPrinterModelo &modelo);
