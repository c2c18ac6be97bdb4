#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace db {
class DataSet;
class Transaction;
} // namespace db

// Small pieces both data modules share. Implemented in texto_sql.cpp.

// The value as the older builders stored it: every "," turned into "." and
// every single quote into a blank; with `tambemAspasDuplas`, every double
// quote into a blank too.
std::string semAspasNemVirgulas(std::string_view valor, bool tambemAspasDuplas);

// The module's transaction, or DatabaseError "O banco de dados <nome> não
// está conectado." when there is none.
db::Transaction &transacaoConectada(db::Transaction *transacao, std::string_view nomeBanco);

// The modules' commit: posts the table's pending row when one is given, then
// commits retaining. On any failure rolls back retaining (undoing what came
// after the last commit; the transaction stays open), tells `avisa` "Transação
// não efetuada, será revertida, favor tentar novamente." and gives false.
bool commitRetendo(db::Transaction &transacao, db::DataSet *tabela,
                   const std::function<void(const std::string &)> &avisa);

inline constexpr const char *kMensagemCommitFalhou =
    "Transação não efetuada, será revertida, favor tentar novamente.";
