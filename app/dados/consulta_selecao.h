#pragma once

#include "app/db/cursor.h"
#include "app/db/statement.h"
#include "app/db/value.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {
class Transaction;
}

// One select query of a data module ("qrySelect1" ...): opened with an SQL
// text of the program's own and its `?` values, it stays on its current row
// until the next open or close. Reading a field of a closed query, or past
// the last row, reads null. Implemented in consulta_selecao.cpp.
class ConsultaSelecao {
  public:
    // Ends the previous result, runs the select and moves to its first row;
    // true when there is one. Failures raise DatabaseError with the query
    // closed.
    bool abre(db::Transaction &transacao, std::string sql, const std::vector<db::Value> &parametros = {});
    void fecha();
    bool ativa() const { return cursor_.has_value(); }
    // Past the last row (or closed).
    bool eof() const { return eof_; }
    void proximo();
    const db::Value &campo(std::string_view nome) const;
    const std::string &sql() const { return sql_; }

  private:
    std::string sql_;
    std::unique_ptr<db::Statement> comando_;
    std::optional<db::Cursor> cursor_;
    bool eof_ = true;
};
