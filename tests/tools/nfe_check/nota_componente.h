#pragma once

// The NF-e component of the verbs that work on one note of a file
// ("sign-note", "rules"): OpenSSL back-ends, the schemas and the services INI
// of the program's folder, and the note of the file loaded
// into its collection with the model and layout version of the note.
// Implemented in nota_componente.cpp.

#include <memory>
#include <string>

#include "nfe/services/quib_nfe.h"

// Loads the file's note into a new component. On failure (unreadable file,
// text the reader refuses, not exactly one note) prints the reason on
// standard error, prefixed with "nfe-check <verbo>: ", and answers null.
std::unique_ptr<TQuibNFe> componenteComNota(const std::string &verbo, const std::string &caminho);
