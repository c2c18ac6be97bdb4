#include "app/db/memory_table.h"

#include "app/db/db_error.h"
#include "foundation/text/utf8.h"

#include <algorithm>

namespace db {

namespace {

std::string folded(const Value &v, bool caseInsensitive)
{
    std::string text = v.asString();
    if (caseInsensitive)
        for (char &c : text)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
    return text;
}

bool numeric(const Value &v)
{
    return v.kind() == Value::Kind::Integer || v.kind() == Value::Kind::Number ||
           v.kind() == Value::Kind::Float;
}

} // namespace

MemoryTable::MemoryTable(std::vector<FieldDef> fields) : fields_(std::move(fields)) {}

void MemoryTable::clear()
{
    rows_.clear();
    position_ = 0;
    eof_ = true;
}

void MemoryTable::append()
{
    rows_.emplace_back(fields_.size());
    position_ = rows_.size() - 1;
    eof_ = false;
}

void MemoryTable::remove()
{
    currentRow();
    rows_.erase(rows_.begin() + static_cast<long>(position_));
    if (position_ >= rows_.size() && position_ > 0)
        --position_;
    eof_ = rows_.empty();
}

void MemoryTable::first()
{
    position_ = 0;
    eof_ = rows_.empty();
}

void MemoryTable::next()
{
    if (position_ + 1 < rows_.size())
        ++position_;
    else
        eof_ = true;
}

std::size_t MemoryTable::columnIndex(std::string_view name) const
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (sameFieldName(fields_[i].name, name))
            return i;
    throw DatabaseError(DbFailure::MissingColumn,
                        "Campo " + std::string(name) + " não declarado na tabela em memória.");
}

std::vector<Value> &MemoryTable::currentRow()
{
    if (rows_.empty())
        throw DatabaseError(DbFailure::Other, "A tabela em memória não tem registro atual.");
    return rows_[position_];
}

const Value &MemoryTable::field(std::string_view name) const
{
    const std::size_t i = columnIndex(name);
    if (rows_.empty())
        throw DatabaseError(DbFailure::Other, "A tabela em memória não tem registro atual.");
    return rows_[position_][i];
}

void MemoryTable::setField(std::string_view name, Value value)
{
    const std::size_t i = columnIndex(name);
    const FieldDef &def = fields_[i];
    if (def.size && value.kind() == Value::Kind::Text && utf8Length(value.asString()) > def.size)
        throw DatabaseError(DbFailure::TextTooLong, "Texto maior que o tamanho do campo " + def.name +
                                                        " (máximo de " + std::to_string(def.size) +
                                                        " caracteres).");
    currentRow()[i] = std::move(value);
}

bool MemoryTable::locate(std::string_view name, const Value &value, bool caseInsensitive)
{
    const std::size_t i = columnIndex(name);
    const std::string wanted = folded(value, caseInsensitive);
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (rows_[r][i].isNull() == value.isNull() && folded(rows_[r][i], caseInsensitive) == wanted) {
            position_ = r;
            eof_ = false;
            return true;
        }
    return false;
}

void MemoryTable::sortBy(std::string_view name)
{
    const std::size_t i = columnIndex(name);
    std::stable_sort(rows_.begin(), rows_.end(), [i](const auto &a, const auto &b) {
        if (numeric(a[i]) && numeric(b[i]))
            return a[i].asDecimal() < b[i].asDecimal();
        return a[i].asString() < b[i].asString();
    });
    first();
}

} // namespace db
