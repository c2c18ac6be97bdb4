#include "app/db/data_set.h"

#include "app/db/catalogue.h"
#include "app/db/cursor.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"

namespace db {

namespace {

constexpr const char *kDbKey = "RDB$DB_KEY";

std::string joined(const std::vector<std::string> &names, const std::string &separator,
                   const std::string &suffix = {})
{
    std::string text;
    for (const auto &n : names)
        text += (text.empty() ? "" : separator) + n + suffix;
    return text;
}

std::string lower(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return text;
}

} // namespace

DataSet::DataSet(Transaction &transaction, std::string table, std::vector<std::string> fields)
    : transaction_(transaction), table_(std::move(table)), fields_(std::move(fields))
{
}

void DataSet::open()
{
    if (active())
        return;
    checkedIdentifier(table_);
    const std::vector<std::string> columns = tableColumns(transaction_, table_);
    if (columns.empty())
        throw DatabaseError(DbFailure::MissingColumn,
                            "A tabela " + table_ + " não existe no banco de dados.");
    auto hasColumn = [&](const std::string &name) {
        for (const auto &c : columns)
            if (sameFieldName(c, name))
                return true;
        return false;
    };
    if (fields_.empty())
        fields_ = columns;
    for (const auto &f : fields_)
        if (!hasColumn(f))
            throw DatabaseError(DbFailure::MissingColumn,
                                "A tabela " + table_ + " não tem a coluna " + f + " que o programa usa.");
    for (const auto &o : order_)
        if (!hasColumn(o))
            throw DatabaseError(DbFailure::MissingColumn,
                                "A tabela " + table_ + " não tem a coluna " + o + " da ordenação.");
    keyColumns_ = primaryKeyColumns(transaction_, table_);
    state_ = State::Browse;
    refresh();
}

std::string DataSet::selectList() const
{
    return joined(fields_, ", ") + ", " +
           (keyColumns_.empty() ? std::string(kDbKey) : joined(keyColumns_, ", "));
}

std::string DataSet::keyCondition() const
{
    return keyColumns_.empty() ? std::string(kDbKey) + " = ?" : joined(keyColumns_, " AND ", " = ?");
}

void DataSet::refresh()
{
    requireBrowse("refresh");
    std::string sql = "SELECT " + selectList() + " FROM " + table_;
    if (!order_.empty())
        sql += " ORDER BY " + joined(order_, ", ");
    Statement statement(transaction_, sql);
    Cursor cursor = statement.open();
    const std::size_t keep = position_;
    rows_.clear();
    while (cursor.next()) {
        Row row;
        row.values.assign(cursor.row().begin(), cursor.row().begin() + static_cast<long>(fields_.size()));
        row.key.assign(cursor.row().begin() + static_cast<long>(fields_.size()), cursor.row().end());
        if (filter_) {
            filtering_ = &row;
            const bool wanted = filter_(*this);
            filtering_ = nullptr;
            if (!wanted)
                continue;
        }
        rows_.push_back(std::move(row));
    }
    position_ = rows_.empty() ? 0 : std::min(keep, rows_.size() - 1);
    bof_ = eof_ = rows_.empty();
}

void DataSet::close()
{
    rows_.clear();
    state_ = State::Inactive;
    position_ = 0;
    bof_ = eof_ = true;
}

void DataSet::requireBrowse(const char *operation) const
{
    if (state_ != State::Browse)
        throw std::logic_error(std::string("DataSet::") + operation +
                               " needs an open data set in browse state");
}

void DataSet::first()
{
    requireBrowse("first");
    position_ = 0;
    bof_ = true;
    eof_ = rows_.empty();
}

void DataSet::last()
{
    requireBrowse("last");
    position_ = rows_.empty() ? 0 : rows_.size() - 1;
    eof_ = true;
    bof_ = rows_.empty();
}

void DataSet::next()
{
    requireBrowse("next");
    if (position_ + 1 < rows_.size()) {
        ++position_;
        bof_ = false;
    } else {
        eof_ = true;
    }
}

void DataSet::prior()
{
    requireBrowse("prior");
    if (position_ > 0) {
        --position_;
        eof_ = false;
    } else {
        bof_ = true;
    }
}

bool DataSet::locate(std::string_view name, const Value &value, bool caseInsensitive)
{
    requireBrowse("locate");
    const std::size_t column = columnIndex(name);
    const std::string wanted = caseInsensitive ? lower(value.asString()) : value.asString();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const std::string have = rows_[i].values[column].asString();
        if ((caseInsensitive ? lower(have) : have) == wanted &&
            rows_[i].values[column].isNull() == value.isNull()) {
            position_ = i;
            bof_ = eof_ = false;
            return true;
        }
    }
    return false;
}

std::size_t DataSet::columnIndex(std::string_view name) const
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (sameFieldName(fields_[i], name))
            return i;
    throw DatabaseError(DbFailure::MissingColumn,
                        "Campo " + std::string(name) + " não declarado em " + table_ + ".");
}

const DataSet::Row &DataSet::current() const
{
    if (filtering_)
        return *filtering_;
    if (state_ == State::Edit || state_ == State::Insert)
        return pending_;
    if (rows_.empty())
        throw DatabaseError(DbFailure::Other, "A tabela " + table_ + " não tem registro atual.");
    return rows_[position_];
}

const Value &DataSet::field(std::string_view name) const
{
    return current().values[columnIndex(name)];
}

void DataSet::setField(std::string_view name, Value value)
{
    if (state_ != State::Edit && state_ != State::Insert)
        throw std::logic_error("DataSet::setField needs the edit or insert state");
    const std::size_t i = columnIndex(name);
    pending_.values[i] = std::move(value);
    changed_[i] = true;
}

void DataSet::edit()
{
    requireBrowse("edit");
    pending_ = current();
    changed_.assign(fields_.size(), false);
    state_ = State::Edit;
}

void DataSet::insert()
{
    requireBrowse("insert");
    pending_ = Row{std::vector<Value>(fields_.size()), {}};
    changed_.assign(fields_.size(), false);
    state_ = State::Insert;
}

void DataSet::cancel()
{
    if (state_ == State::Edit || state_ == State::Insert)
        state_ = State::Browse;
}

DataSet::Row DataSet::readRow(const std::vector<Value> &key)
{
    Statement statement(transaction_,
                        "SELECT " + selectList() + " FROM " + table_ + " WHERE " + keyCondition());
    Cursor cursor = statement.open(key);
    if (!cursor.next())
        throw DatabaseError(DbFailure::Other, "O registro gravado em " + table_ + " não foi encontrado.");
    Row row;
    row.values.assign(cursor.row().begin(), cursor.row().begin() + static_cast<long>(fields_.size()));
    row.key.assign(cursor.row().begin() + static_cast<long>(fields_.size()), cursor.row().end());
    return row;
}

void DataSet::post()
{
    if (state_ != State::Edit && state_ != State::Insert)
        throw std::logic_error("DataSet::post needs the edit or insert state");
    if (beforePost)
        beforePost(*this);
    std::vector<std::string> names;
    std::vector<Value> values;
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (changed_[i]) {
            names.push_back(fields_[i]);
            values.push_back(pending_.values[i]);
        }
    std::vector<Value> key = pending_.key;
    if (state_ == State::Edit && !names.empty()) {
        Statement update(transaction_, "UPDATE " + table_ + " SET " + joined(names, ", ", " = ?") +
                                           " WHERE " + keyCondition());
        update.setParameterNames(names);
        values.insert(values.end(), key.begin(), key.end());
        update.execute(values);
    } else if (state_ == State::Insert) {
        const std::string returning = keyColumns_.empty() ? std::string(kDbKey) : joined(keyColumns_, ", ");
        std::string placeholders;
        for (std::size_t i = 0; i < names.size(); ++i)
            placeholders += i ? ", ?" : "?";
        Statement insert(transaction_,
                         names.empty() ? "INSERT INTO " + table_ + " DEFAULT VALUES RETURNING " + returning
                                       : "INSERT INTO " + table_ + " (" + joined(names, ", ") + ") VALUES (" +
                                             placeholders + ") RETURNING " + returning);
        insert.setParameterNames(names);
        key = insert.execute(values);
    }
    Row stored = readRow(key);
    if (state_ == State::Insert) {
        rows_.push_back(std::move(stored));
        position_ = rows_.size() - 1;
    } else {
        rows_[position_] = std::move(stored);
    }
    bof_ = eof_ = false;
    state_ = State::Browse;
    if (afterPost)
        afterPost(*this);
}

void DataSet::remove()
{
    requireBrowse("remove");
    if (rows_.empty())
        throw DatabaseError(DbFailure::Other, "A tabela " + table_ + " não tem registro atual.");
    if (beforeDelete)
        beforeDelete(*this);
    Statement del(transaction_, "DELETE FROM " + table_ + " WHERE " + keyCondition());
    del.execute(rows_[position_].key);
    rows_.erase(rows_.begin() + static_cast<long>(position_));
    if (position_ >= rows_.size() && position_ > 0)
        --position_;
    bof_ = eof_ = rows_.empty();
    if (afterDelete)
        afterDelete(*this);
}

} // namespace db
