#pragma once

// The TXT template that the NF-e writer hands to TGerador when it writes the
// TXT layout alongside the XML.
//
// Implemented in nfe_writer_txt.cpp.

#include <string_view>
#include <vector>

#include "foundation/xml/gerador_txt.h"

// The lines of the layout of the version ("1.10", "2.00", "3.10" or "4.00"),
// taken from its parsed form, each under the group id that the writer opens
// when it writes the line's fields. The layout files some records under ids
// the writer never opens (the references, the fuel, the destination-state
// ICMS, the export, purchase and cane groups, the technical responsible...);
// here they carry the writer's ids, so every field the layout has reaches the
// text; the 3.10 payment field "card" is filled from the element tpIntegra.
// Empty for any other version.
std::vector<TxtTemplate::Linha> modeloTXTDoEscritor(std::string_view versao);
