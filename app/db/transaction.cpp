#include "app/db/transaction.h"

#include "app/db/database.h"
#include "app/db/detail/engine_call.h"

#include <ibase.h>

#include <utility>

namespace db {

namespace {

// clang-format off
constexpr unsigned char kParameters[] = {
    isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait,
};
// clang-format on

} // namespace

Transaction::Transaction(Database &database) : database_(database)
{
    start();
}

Transaction::~Transaction()
{
    try {
        if (active())
            rollback();
    } catch (...) {
        if (handle_)
            handle_->release();
    }
}

void Transaction::start()
{
    if (active())
        return;
    handle_ = detail::engineCall({database_.address(), {}}, [&](Firebird::ThrowStatusWrapper *st) {
        return database_.attachment()->startTransaction(st, sizeof kParameters, kParameters);
    });
}

Firebird::ITransaction *Transaction::handle() const
{
    if (!handle_)
        throw DatabaseError(DbFailure::Other, "A transação não está ativa: " + database_.address());
    return handle_;
}

void Transaction::commit()
{
    detail::engineCall({database_.address(), {}},
                       [&](Firebird::ThrowStatusWrapper *st) { handle()->commit(st); });
    handle_ = nullptr; // released by a successful commit
}

void Transaction::rollback()
{
    detail::engineCall({database_.address(), {}},
                       [&](Firebird::ThrowStatusWrapper *st) { handle()->rollback(st); });
    handle_ = nullptr;
}

void Transaction::commitRetaining()
{
    detail::engineCall({database_.address(), {}},
                       [&](Firebird::ThrowStatusWrapper *st) { handle()->commitRetaining(st); });
}

void Transaction::rollbackRetaining()
{
    detail::engineCall({database_.address(), {}},
                       [&](Firebird::ThrowStatusWrapper *st) { handle()->rollbackRetaining(st); });
}

} // namespace db
