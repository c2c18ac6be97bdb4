#pragma once

#include "app/db/value.h"

#include <cstddef>
#include <string>
#include <vector>

namespace db {

// Rows held in memory only, with the same field access as the data set:
// the screens' lists of companies, printers and open forms. Fields are
// declared once; names are matched without regard to case. Texts longer
// than a declared size are refused, not cut.
class MemoryTable {
  public:
    struct FieldDef {
        std::string name;
        std::size_t size = 0; // characters of a text field; 0 for other kinds
    };

    explicit MemoryTable(std::vector<FieldDef> fields);

    // Removes every row (the platform's "create empty").
    void clear();
    void append(); // a new empty row becomes the current one
    void remove(); // the current row
    void first();
    void next();
    bool eof() const { return eof_; }
    std::size_t recordCount() const { return rows_.size(); }

    const Value &field(std::string_view name) const;
    // Raises DatabaseError (TextTooLong) for a text beyond the field's size.
    void setField(std::string_view name, Value value);

    bool locate(std::string_view name, const Value &value, bool caseInsensitive = false);
    // Orders the rows by a field's text (numbers by value), keeping ties in
    // their order; the current row becomes the first.
    void sortBy(std::string_view name);

  private:
    std::size_t columnIndex(std::string_view name) const;
    std::vector<Value> &currentRow();

    std::vector<FieldDef> fields_;
    std::vector<std::vector<Value>> rows_;
    std::size_t position_ = 0;
    bool eof_ = true;
};

} // namespace db
