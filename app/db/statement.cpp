#include "app/db/statement.h"

#include "app/db/cursor.h"
#include "app/db/database.h"
#include "app/db/detail/messages.h"
#include "app/db/transaction.h"

#include <ibase.h>

namespace db {

using detail::engineCall;

Statement::Statement(Transaction &transaction, std::string sql)
    : transaction_(transaction), sql_(std::move(sql))
{
    const detail::ErrorContext context{transaction_.database().address(), {}};
    engineCall(context, [&](Firebird::ThrowStatusWrapper *st) {
        handle_ = transaction_.database().attachment()->prepare(
            st, transaction_.handle(), 0, sql_.c_str(), SQL_DIALECT_V6,
            Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        detail::Ref<Firebird::IMessageMetadata> in(handle_->getInputMetadata(st));
        detail::Ref<Firebird::IMessageMetadata> out(handle_->getOutputMetadata(st));
        input_ = std::make_unique<detail::InputMessage>(in.get(), context);
        output_ = std::make_unique<detail::OutputMessage>(out.get());
    });
}

Statement::~Statement()
{
    if (handle_) {
        try {
            engineCall({}, [&](Firebird::ThrowStatusWrapper *st) { handle_->free(st); });
        } catch (...) {
            handle_->release();
        }
    }
}

unsigned Statement::parameterCount() const
{
    return input_->count();
}

bool Statement::isSelect() const
{
    return engineCall({}, [&](Firebird::ThrowStatusWrapper *st) {
        const unsigned type = handle_->getType(st);
        return type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
    });
}

std::vector<Value> Statement::execute(const std::vector<Value> &parameters)
{
    const detail::ErrorContext context{transaction_.database().address(), {}};
    input_->fill(transaction_, parameters, parameterNames_);
    engineCall(context, [&](Firebird::ThrowStatusWrapper *st) {
        handle_->execute(st, transaction_.handle(), input_->metadata(), input_->buffer(), output_->metadata(),
                         output_->buffer());
    });
    return output_->count() ? output_->row(transaction_, context) : std::vector<Value>{};
}

Cursor Statement::open(const std::vector<Value> &parameters)
{
    const detail::ErrorContext context{transaction_.database().address(), {}};
    input_->fill(transaction_, parameters, parameterNames_);
    return engineCall(context, [&](Firebird::ThrowStatusWrapper *st) {
        Firebird::IResultSet *rows = handle_->openCursor(st, transaction_.handle(), input_->metadata(),
                                                         input_->buffer(), output_->metadata(), 0);
        return Cursor(transaction_, rows, std::make_unique<detail::OutputMessage>(output_->metadata()),
                      context.file);
    });
}

std::vector<Value> executeSql(Transaction &transaction, std::string sql, const std::vector<Value> &parameters)
{
    Statement statement(transaction, std::move(sql));
    return statement.execute(parameters);
}

} // namespace db
