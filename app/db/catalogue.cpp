#include "app/db/catalogue.h"

#include "app/db/cursor.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"

#include <cctype>

namespace db {

namespace {

std::string upper(std::string_view name)
{
    std::string result(name);
    for (char &c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::vector<std::string> firstColumn(Transaction &transaction, const char *sql, std::string_view name)
{
    Statement statement(transaction, sql);
    Cursor rows = statement.open({upper(name)});
    std::vector<std::string> values;
    while (rows.next())
        values.push_back(rows.at(0).asString());
    return values;
}

} // namespace

DatabaseFacts describeDatabase(Transaction &transaction)
{
    Statement statement(transaction, "SELECT TRIM(D.RDB$CHARACTER_SET_NAME), M.MON$SQL_DIALECT "
                                     "FROM RDB$DATABASE D CROSS JOIN MON$DATABASE M");
    Cursor rows = statement.open();
    rows.next();
    return {rows.at(0).asString(), rows.at(1).asInteger()};
}

bool tableExists(Transaction &transaction, std::string_view table)
{
    return !firstColumn(transaction,
                        "SELECT 1 FROM RDB$RELATIONS WHERE RDB$VIEW_BLR IS NULL AND RDB$RELATION_NAME = ?",
                        table)
                .empty();
}

bool generatorExists(Transaction &transaction, std::string_view generator)
{
    return !firstColumn(transaction, "SELECT 1 FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME = ?", generator)
                .empty();
}

std::vector<std::string> tableColumns(Transaction &transaction, std::string_view table)
{
    return firstColumn(transaction,
                       "SELECT TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = ? "
                       "ORDER BY RDB$FIELD_POSITION",
                       table);
}

std::vector<std::string> primaryKeyColumns(Transaction &transaction, std::string_view table)
{
    return firstColumn(transaction,
                       "SELECT TRIM(S.RDB$FIELD_NAME) FROM RDB$RELATION_CONSTRAINTS C "
                       "JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = C.RDB$INDEX_NAME "
                       "WHERE C.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY' AND C.RDB$RELATION_NAME = ? "
                       "ORDER BY S.RDB$FIELD_POSITION",
                       table);
}

std::string checkedIdentifier(std::string_view name)
{
    bool plain = !name.empty() && name.size() <= 31 && std::isalpha(static_cast<unsigned char>(name.front()));
    for (char c : name)
        plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$');
    if (!plain)
        throw DatabaseError(DbFailure::Other,
                            "Nome inválido para o banco de dados: \"" + std::string(name) + "\"");
    return std::string(name);
}

std::int64_t nextGeneratorValue(Transaction &transaction, std::string_view generator, int step)
{
    Statement statement(transaction, "SELECT GEN_ID(" + checkedIdentifier(generator) + ", " +
                                         std::to_string(step) + ") FROM RDB$DATABASE");
    Cursor rows = statement.open();
    rows.next();
    return rows.at(0).asInt64();
}

} // namespace db
