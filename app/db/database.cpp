#include "app/db/database.h"

#include "app/db/database_address.h"
#include "app/db/detail/engine_call.h"

#include <ibase.h>

#include <utility>

namespace db {

namespace {

using detail::engineCall;
using detail::master;

enum class Purpose { Create, Attach };

Firebird::IAttachment *connect(Purpose purpose, std::string_view address, const Credentials &credentials)
{
    const ResolvedAddress target = resolveAddress(address);
    const detail::ErrorContext context{std::string(address), {}};
    return engineCall(context, [&](Firebird::ThrowStatusWrapper *st) {
        Firebird::IUtil *util = master()->getUtilInterface();
        detail::Ref<Firebird::IXpbBuilder> dpb(
            util->getXpbBuilder(st, Firebird::IXpbBuilder::DPB, nullptr, 0));
        dpb->insertString(st, isc_dpb_user_name, credentials.user.c_str());
        dpb->insertString(st, isc_dpb_password, credentials.password.c_str());
        dpb->insertString(st, isc_dpb_lc_ctype, "UTF8");
        if (target.inProcess) // never fall through to a network connection
            dpb->insertString(st, isc_dpb_config, "Providers = Engine12");
        if (purpose == Purpose::Create) {
            dpb->insertInt(st, isc_dpb_page_size, 8192);
            dpb->insertInt(st, isc_dpb_sql_dialect, 3);
            dpb->insertString(st, isc_dpb_set_db_charset, "WIN1252");
        }
        detail::Ref<Firebird::IProvider> provider(master()->getDispatcher());
        const unsigned length = dpb->getBufferLength(st);
        const unsigned char *buffer = dpb->getBuffer(st);
        return purpose == Purpose::Create ? provider->createDatabase(st, target.name.c_str(), length, buffer)
                                          : provider->attachDatabase(st, target.name.c_str(), length, buffer);
    });
}

} // namespace

Database::Database(std::string address, Firebird::IAttachment *attachment)
    : address_(std::move(address)), attachment_(attachment)
{
}

Database Database::create(std::string_view address, const Credentials &credentials)
{
    return Database(std::string(address), connect(Purpose::Create, address, credentials));
}

Database Database::attach(std::string_view address, const Credentials &credentials)
{
    return Database(std::string(address), connect(Purpose::Attach, address, credentials));
}

Database::Database(Database &&other) noexcept
    : address_(std::move(other.address_)), attachment_(std::exchange(other.attachment_, nullptr))
{
}

Database &Database::operator=(Database &&other) noexcept
{
    if (this != &other) {
        try {
            detach();
        } catch (...) {
        }
        address_ = std::move(other.address_);
        attachment_ = std::exchange(other.attachment_, nullptr);
    }
    return *this;
}

Database::~Database()
{
    try {
        detach();
    } catch (...) {
        // A connection that cannot say goodbye (a server gone) is dropped.
    }
}

void Database::detach()
{
    if (!attachment_)
        return;
    Firebird::IAttachment *a = std::exchange(attachment_, nullptr);
    try {
        engineCall({address_, {}}, [&](Firebird::ThrowStatusWrapper *st) { a->detach(st); });
    } catch (...) {
        a->release();
        throw;
    }
}

Firebird::IAttachment *Database::attachment() const
{
    if (!attachment_)
        throw DatabaseError(DbFailure::Other, "O banco de dados não está conectado: " + address_);
    return attachment_;
}

} // namespace db
