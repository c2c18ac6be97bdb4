#pragma once

#include "app/db/data_set.h"

// The enabled state of a screen's data buttons (Incluir, Eliminar, Salvar,
// Cancelar, previous, next), worked out from the state of the table they are
// bound to. Pure; implemented in botoes_dados.cpp.
struct BotoesDados {
    bool incluir = false;
    bool eliminar = false;
    bool salvar = false;
    bool cancelar = false;
    bool anterior = false;
    bool proximo = false;

    bool operator==(const BotoesDados &) const = default;
};

// "Incluir" not while a row is edited, "Eliminar" not while editing nor on an
// empty table, "Salvar" and "Cancelar" only while editing, previous and next
// not at the first or last row. An inactive table enables nothing.
BotoesDados estadoBotoes(db::DataSet::State estado, bool vazia, bool primeira, bool ultima);

// The same for a table as it stands now (none: nothing enabled).
BotoesDados estadoBotoes(const db::DataSet *tabela);
