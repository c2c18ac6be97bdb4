#pragma once

#include "app/dados/dados_antigos.h"

#include <string>

// The suite's older management data: Paradox tables ("<TABLE>.DB", name in
// any case) in the folder that the alias "GERENCIA" names in the current
// user's registry (section "Aliases", see foundation/files/user_registry.h).
// Texts are read as Windows-1252. Implemented in dados_antigos_paradox.cpp
// over pxlib (app/dados/detail/pxlib.h); without it installed every read
// raises the error below.

// The folder of the alias; empty when the registry names none.
std::string PastaDadosAntigos();
// A reader of the tables of the folder. A table that is missing or cannot be
// read raises ProgramError ("Não foi possível ler a tabela ... dos dados
// antigos: ...").
LeitorDadosAntigos leitorParadox(std::string pasta);
// The reader of the user's older data; empty (no reader) when the alias names
// no existing folder.
LeitorDadosAntigos leitorDadosAntigosDoUsuario();
