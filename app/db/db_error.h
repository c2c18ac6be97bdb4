#pragma once

#include "foundation/base/quib_exception.h"

#include <string>
#include <vector>

namespace db {

// What went wrong, as far as the program tells failures apart.
enum class DbFailure {
    Other,
    FileNotFound,      // no file at the path
    NotADatabase,      // not a database, or a damaged one
    Login,             // wrong user or password (client/server)
    ServerUnreachable, // no server answers at the host and port
    LockConflict,      // another transaction holds the row
    TextTooLong,       // a text longer than its column
    CannotStoreChar,   // a character the database's character set cannot hold
    AlreadyExists,     // a table, generator or database file that exists
    MissingColumn,     // a declared column the table does not have
};

// The one error of the database layer. what() is a message in the system's
// Portuguese naming the file or column when known; the engine's own codes,
// SQLSTATE and text stay available for logs and decisions.
class DatabaseError : public ProgramError {
  public:
    DatabaseError(DbFailure failure, const std::string &message, std::vector<long> codes = {},
                  std::string sqlState = {}, std::string engineText = {});

    DbFailure failure() const { return failure_; }
    // The engine's error codes in the order it reported them (empty for the
    // layer's own checks).
    const std::vector<long> &codes() const { return codes_; }
    const std::string &sqlState() const { return sqlState_; }
    const std::string &engineText() const { return engineText_; }
    bool hasCode(long code) const;

  private:
    DbFailure failure_;
    std::vector<long> codes_;
    std::string sqlState_;
    std::string engineText_;
};

} // namespace db
