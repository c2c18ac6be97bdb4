#pragma once

#include <string>
#include <string_view>

#include "foundation/net/quib_ibge.h"

// Municipality lookups of the fiscal-document layers through one process-wide
// state and city directory (see dfe_util.h for the other shared helpers).

// The process-wide directory, created on first use. Every call moves its
// cache file into `Pasta` (the user's cache folder, PastaDeCacheDoUsuario,
// when blank), keeping the file's name ("QuibIBGE.txt" when it has none).
// A cache file that cannot be written does not fail a lookup (see
// TQuibIBGE::FalhaGravacaoCache).
TQuibIBGE &DiretorioMunicipios(std::string_view Pasta);

// Frees the process-wide directory; the next lookup creates a fresh one.
void LiberaDiretorioMunicipios();

// The name and state of the municipality with the code; both empty when none
// is found, and without asking the directory when the code's first two digits
// are no state code. A failed search raises EQuibDFeException with its message
// when `Levanta`, and gives the empty result otherwise.
std::string NomeMunicipioPorCodigo(int cMun, std::string &UF, std::string_view Pasta = "",
                                   bool Levanta = false);

// The code of the first municipality whose name begins with `xMun` (within
// the state UF when given); 0 when none. Errors of the directory pass through.
int CodigoMunicipioPorNome(std::string_view xMun, std::string_view UF, std::string_view Pasta = "");
