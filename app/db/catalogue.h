#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace db {

class Transaction;

// What a database says of itself.
struct DatabaseFacts {
    std::string characterSet; // default character set, e.g. "WIN1252"
    int dialect = 0;
};

DatabaseFacts describeDatabase(Transaction &transaction);

// Catalogue checks; names are compared as the catalogue stores them
// (upper case for names created without quotes).
bool tableExists(Transaction &transaction, std::string_view table);
bool generatorExists(Transaction &transaction, std::string_view generator);
// The columns of a table in their order; empty when the table does not exist.
std::vector<std::string> tableColumns(Transaction &transaction, std::string_view table);
// The columns of the table's primary key; empty when it has none.
std::vector<std::string> primaryKeyColumns(Transaction &transaction, std::string_view table);

// Advances a generator by `step` and returns its new value. The name must be
// a plain identifier (letters, digits, "_", "$"); anything else raises
// DatabaseError before any SQL is built.
std::int64_t nextGeneratorValue(Transaction &transaction, std::string_view generator, int step = 1);

// Raises DatabaseError unless `name` is a plain identifier: the only way a
// name from outside the program's own text may enter SQL.
std::string checkedIdentifier(std::string_view name);

} // namespace db
