#pragma once

#include <string_view>
#include <vector>

namespace db {
class Transaction;
}

// The base schema of the suite's two databases: the tables the shell and
// the module screens use that no update step of the schema updater creates.
// The statements are the reviewed DDL texts of esquema_base.cpp (database
// WIN1252, dialect 3); the update steps build on top of them.

// Management database: USUARIO, EMPRESA, REGISTRO, PATHIB, NIVELMENU and
// their indexes. Its CONFIG_GERAL is created by the management data module
// when it connects.
const std::vector<std::string_view> &esquemaBaseGerencia();
// NF-e module database: CONFIGNFE, DANFENFE, GERADOR, CEP, EFDPC491495,
// EFDPC170, Carta_Correcao, Carta_itens, Eventos_Nfe, NcmImposto and the
// generator Controla_Atualizacao_NFE_40 (at 0).
const std::vector<std::string_view> &esquemaBaseModulo();

// Runs the statements in order on a new database, committing (retaining)
// after each one, since later statements need the earlier ones committed. A
// failing statement raises DatabaseError; the statements before it stay.
void criaEsquema(db::Transaction &transacao, const std::vector<std::string_view> &esquema);
