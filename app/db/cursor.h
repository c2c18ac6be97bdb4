#pragma once

#include "app/db/value.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Firebird {
class IResultSet;
}

namespace db {

class Transaction;

namespace detail {
class OutputMessage;
}

// The rows of an open select, read forward. next() moves to the following
// row (the first on the first call) and answers false after the last. Fields
// are reached by name, without regard to case, or by position. Blob columns
// arrive whole as text. Closed when destroyed.
class Cursor {
  public:
    Cursor(Transaction &transaction, Firebird::IResultSet *rows,
           std::unique_ptr<detail::OutputMessage> message, std::string context);
    Cursor(Cursor &&) noexcept;
    ~Cursor();

    bool next();
    // The current row's field; an unknown name raises DatabaseError naming it.
    const Value &field(std::string_view name) const;
    const Value &at(std::size_t index) const { return row_.at(index); }
    const std::vector<Value> &row() const { return row_; }
    const std::vector<std::string> &names() const;
    // Position of a field by name, or -1.
    int indexOf(std::string_view name) const;
    void close();

  private:
    Transaction *transaction_;
    Firebird::IResultSet *rows_;
    std::unique_ptr<detail::OutputMessage> message_;
    std::string context_;
    std::vector<Value> row_;
};

} // namespace db
