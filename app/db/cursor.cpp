#include "app/db/cursor.h"

#include "app/db/detail/messages.h"
#include "app/db/transaction.h"

#include <utility>

namespace db {

using detail::engineCall;

Cursor::Cursor(Transaction &transaction, Firebird::IResultSet *rows,
               std::unique_ptr<detail::OutputMessage> message, std::string context)
    : transaction_(&transaction), rows_(rows), message_(std::move(message)), context_(std::move(context))
{
}

Cursor::Cursor(Cursor &&o) noexcept
    : transaction_(o.transaction_), rows_(std::exchange(o.rows_, nullptr)), message_(std::move(o.message_)),
      context_(std::move(o.context_)), row_(std::move(o.row_))
{
}

Cursor::~Cursor()
{
    try {
        close();
    } catch (...) {
    }
}

void Cursor::close()
{
    if (!rows_)
        return;
    Firebird::IResultSet *rows = std::exchange(rows_, nullptr);
    try {
        engineCall({context_, {}}, [&](Firebird::ThrowStatusWrapper *st) { rows->close(st); });
    } catch (...) {
        rows->release();
        throw;
    }
}

bool Cursor::next()
{
    if (!rows_)
        return false;
    const bool got = engineCall({context_, {}}, [&](Firebird::ThrowStatusWrapper *st) {
        return rows_->fetchNext(st, message_->buffer()) == Firebird::IStatus::RESULT_OK;
    });
    if (!got) {
        row_.clear();
        close();
        return false;
    }
    row_ = message_->row(*transaction_, {context_, {}});
    return true;
}

const std::vector<std::string> &Cursor::names() const
{
    return message_->names();
}

int Cursor::indexOf(std::string_view name) const
{
    const auto &n = names();
    for (std::size_t i = 0; i < n.size(); ++i)
        if (sameFieldName(n[i], name))
            return static_cast<int>(i);
    return -1;
}

const Value &Cursor::field(std::string_view name) const
{
    const int i = indexOf(name);
    if (i < 0)
        throw DatabaseError(DbFailure::MissingColumn,
                            "Campo não encontrado na consulta: " + std::string(name));
    if (row_.empty())
        throw DatabaseError(DbFailure::Other,
                            "Não há registro atual para ler o campo " + std::string(name) + ".");
    return row_[static_cast<std::size_t>(i)];
}

} // namespace db
