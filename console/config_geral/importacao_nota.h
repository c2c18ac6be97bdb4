#pragma once

#include "console/config_geral/exibicao_resposta.h"

#include <string>
#include <vector>

class TNotasFiscais;

// The console's import of a note file for inspection: the slow part of
// "Importar TXT/XML" (loading and building the trees), kept apart from the
// window so that it can run off the main thread. Implemented in
// importacao_nota.cpp.

struct NotasImportadas {
    // The XML load failed (file missing or unreadable, a note that is not
    // well-formed XML): the window shows "Arquivo NFe Inválido" and keeps its tree.
    bool arquivoInvalido = false;
    // One field tree per loaded note, in file order; empty when the file
    // held neither a TXT note nor any note element.
    std::vector<NoArvore> arvores;
};

// Loads the file into the collection, which keeps the notes afterwards:
// first as a TXT note into one new note of the emptied collection; when the
// file is no TXT note, the collection is emptied again and the file loaded
// as XML without regenerating it. A TXT record that does not convert raises
// the reader's EQuibDFeException (the TXT note stays as far as it was read).
// A failed XML load leaves in the collection whatever it had added.
NotasImportadas ImportarNotas(TNotasFiscais &notas, const std::string &arquivo);
