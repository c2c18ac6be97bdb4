#pragma once

#include "app/db/statement.h"
#include "app/db/transaction.h"

// Runs `passo` inside a savepoint of the transaction: when it raises, every
// write it made is undone and the error passes on; the rest of the open
// transaction is kept either way. Header-only.
template <typename Passo> void emPontoDeGravacao(db::Transaction &transacao, Passo &&passo)
{
    static constexpr const char *kNome = "EMITENTE_NFE";
    db::executeSql(transacao, std::string("SAVEPOINT ") + kNome);
    try {
        passo();
    } catch (...) {
        db::executeSql(transacao, std::string("ROLLBACK TO SAVEPOINT ") + kNome);
        throw;
    }
    db::executeSql(transacao, std::string("RELEASE SAVEPOINT ") + kNome + " ONLY");
}
