#pragma once

#include "app/db/value.h"

#include <string>
#include <string_view>
#include <vector>

// The SQL texts of the data modules' generic builders. Table names, column
// names, orders and field lists are the program's own texts; conditions and
// assignments carry `?` placeholders whose values travel beside them, so no
// value a user or a file supplies is ever pasted into SQL. Lines are joined
// with "\n". Implemented in construtor_sql.cpp.

namespace construtor_sql {

// "Select <campos|*> From <tabela> Where ( <condicao> )" and, when the order
// is not empty, "Order By <ordem>".
std::string select(std::string_view tabela, std::string_view condicao, std::string_view ordem = {},
                   std::string_view campos = {});
// "UPDATE <tabela> SET", the assignments, "WHERE", "( <condicao> )".
std::string update(std::string_view tabela, std::string_view atribuicoes, std::string_view condicao);
// "DELETE FROM <tabela>", "WHERE", "( <condicao> )".
std::string remove(std::string_view tabela, std::string_view condicao);

// An insert of (column, value) pairs: "Insert into <tabela>",
// "( c1,c2 )  ", " Values ( ?,? )  ", with the values to bind.
struct Insercao {
    std::string sql;
    std::vector<db::Value> valores;
};
Insercao insert(std::string_view tabela, const std::vector<std::pair<std::string, std::string>> &pares);

// The (name, value) pairs of a flat array: consecutive elements, an unpaired
// last element ignored. Every name must be a plain identifier
// (DatabaseError otherwise), since it enters the SQL text.
std::vector<std::pair<std::string, std::string>> pares(const std::vector<std::string> &nomesEValores);

} // namespace construtor_sql
