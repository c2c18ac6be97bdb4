#pragma once

#include "app/db/value.h"

#include <memory>
#include <string>
#include <vector>

namespace Firebird {
class IStatement;
}

namespace db {

class Cursor;
class Transaction;

namespace detail {
class InputMessage;
class OutputMessage;
} // namespace detail

// One SQL text of the program's own, prepared once and run any number of
// times in its transaction. Values go in only as `?` parameters, bound by
// position: a quote, backslash or "--" in a value is just text. A failed run
// changes nothing (the engine undoes the statement whole), and a text longer
// than its column is refused before anything is sent. Failures raise
// DatabaseError. The transaction must outlive the statement.
class Statement {
  public:
    Statement(Transaction &transaction, std::string sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    unsigned parameterCount() const;
    // Names of the parameters' columns, for error messages when the engine
    // does not tell them (the data-set cursor's statements set them).
    void setParameterNames(std::vector<std::string> names) { parameterNames_ = std::move(names); }

    // Runs a statement that is not a select. The row of a RETURNING clause or
    // a procedure comes back; otherwise the result is empty.
    std::vector<Value> execute(const std::vector<Value> &parameters = {});
    // Opens the rows of a select.
    Cursor open(const std::vector<Value> &parameters = {});
    bool isSelect() const;

    const std::string &sql() const { return sql_; }

  private:
    Transaction &transaction_;
    std::string sql_;
    Firebird::IStatement *handle_ = nullptr;
    std::unique_ptr<detail::InputMessage> input_;
    std::unique_ptr<detail::OutputMessage> output_;
    std::vector<std::string> parameterNames_;
};

// Runs one statement with its parameters (a prepared statement used once).
std::vector<Value> executeSql(Transaction &transaction, std::string sql,
                              const std::vector<Value> &parameters = {});

} // namespace db
