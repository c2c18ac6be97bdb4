#pragma once

#include "app/db/value.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace db {

class Transaction;

// A table as screens use it: its rows read into memory on open, browsed
// with a current row, edited, inserted and deleted one row at a time. Each
// post or delete is one statement in the transaction (the caller, usually an
// after-post hook, commits); rows are found again by the table's primary key
// or, for tables without one, by RDB$DB_KEY. A failed post leaves the row in
// its edit or insert state with the typed values kept, and the database
// unchanged. The transaction must outlive the data set.
class DataSet {
  public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Hook = std::function<void(DataSet &)>;

    // `fields` are the columns the screen declares; empty means all of them.
    DataSet(Transaction &transaction, std::string table, std::vector<std::string> fields = {});

    // Hooks around post and delete; a "before" hook that raises stops the
    // operation.
    Hook beforePost, afterPost, beforeDelete, afterDelete;

    // Rows kept on open (called with the data set on each candidate row).
    void setFilter(std::function<bool(const DataSet &)> filter) { filter_ = std::move(filter); }
    // Columns the rows are ordered by.
    void setOrder(std::vector<std::string> columns) { order_ = std::move(columns); }

    // Checks the table and every declared column (DatabaseError naming the
    // table and column when one is missing) and reads the rows.
    void open();
    void close();
    // Reads the rows again, staying on the same row number where possible.
    void refresh();
    State state() const { return state_; }
    bool active() const { return state_ != State::Inactive; }

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    std::size_t recordCount() const { return rows_.size(); }
    bool isEmpty() const { return rows_.empty(); }
    // Moves to the first row whose field equals the value (texts compared
    // without regard to case when asked); false leaves the position alone.
    bool locate(std::string_view field, const Value &value, bool caseInsensitive = false);

    const Value &field(std::string_view name) const;
    void setField(std::string_view name, Value value);
    const std::vector<std::string> &fields() const { return fields_; }

    void edit();
    void insert(); // a new empty row, posted by post()
    void post();
    void cancel();
    void remove(); // deletes the current row

  private:
    struct Row {
        std::vector<Value> values;
        std::vector<Value> key; // key column values, or the RDB$DB_KEY bytes
    };
    std::size_t columnIndex(std::string_view name) const;
    std::string selectList() const;
    std::string keyCondition() const;
    Row readRow(const std::vector<Value> &key);
    void requireBrowse(const char *operation) const;
    const Row &current() const;

    Transaction &transaction_;
    std::string table_;
    std::vector<std::string> fields_;
    std::vector<std::string> keyColumns_; // empty: RDB$DB_KEY
    std::function<bool(const DataSet &)> filter_;
    std::vector<std::string> order_;
    std::vector<Row> rows_;
    std::size_t position_ = 0;
    bool eof_ = true;
    bool bof_ = true;
    State state_ = State::Inactive;
    Row pending_;               // the row being edited or inserted
    std::vector<bool> changed_; // per field, in pending_
    const Row *filtering_ = nullptr;
};

} // namespace db
