#pragma once

#include "app/db/credentials.h"

#include <string>
#include <string_view>

namespace Firebird {
class IAttachment;
}

namespace db {

// One connection to a database file, addressed as stored ("host:path", see
// database_address.h). The connection character set is always UTF8: the
// engine converts to and from the database's own (WIN1252), and texts inside
// the program stay UTF-8. Move-only; detaches when destroyed (open
// transactions must be finished first). Failures raise DatabaseError with a
// message naming the address.
class Database {
  public:
    // Creates a new database file (WIN1252, dialect 3, page size 8192) and
    // stays attached to it. An existing file is never overwritten: that is
    // DbFailure::AlreadyExists.
    static Database create(std::string_view address, const Credentials &credentials = Credentials::shell());
    static Database attach(std::string_view address, const Credentials &credentials = Credentials::shell());

    Database(Database &&other) noexcept;
    Database &operator=(Database &&other) noexcept;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    void detach();
    bool attached() const { return attachment_ != nullptr; }
    const std::string &address() const { return address_; }

    // For the layer's own classes.
    Firebird::IAttachment *attachment() const;

  private:
    Database(std::string address, Firebird::IAttachment *attachment);
    std::string address_;
    Firebird::IAttachment *attachment_ = nullptr;
};

} // namespace db
