#pragma once

namespace Firebird {
class ITransaction;
}

namespace db {

class Database;

// A read-write transaction with the shell's settings: read committed,
// record versions, no wait on locked rows (a locked row is an immediate
// DbFailure::LockConflict). Started on construction; the retaining forms of
// commit and rollback keep it open (the data modules work that way), the
// plain forms end it. Destroying an active transaction rolls it back, so
// nothing half-done is ever kept. The database must outlive it.
class Transaction {
  public:
    explicit Transaction(Database &database);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void start(); // after commit() or rollback()
    void commit();
    void rollback();
    void commitRetaining();
    // Undoes what came after the last commit and stays open.
    void rollbackRetaining();
    bool active() const { return handle_ != nullptr; }

    Database &database() const { return database_; }
    // For the layer's own classes; raises DatabaseError when not active.
    Firebird::ITransaction *handle() const;

  private:
    Database &database_;
    Firebird::ITransaction *handle_ = nullptr;
};

} // namespace db
