#include "app/db/detail/messages.h"

#include "app/db/database.h"
#include "app/db/transaction.h"

#include <algorithm>

namespace db::detail {

namespace {

constexpr unsigned kSegment = 32768;

} // namespace

std::string readBlob(Transaction &transaction, const ISC_QUAD &id, const ErrorContext &context)
{
    return engineCall(context, [&](Firebird::ThrowStatusWrapper *st) {
        ISC_QUAD blobId = id;
        Ref<Firebird::IBlob> blob(
            transaction.database().attachment()->openBlob(st, transaction.handle(), &blobId, 0, nullptr));
        std::string bytes;
        char segment[kSegment];
        for (;;) {
            unsigned got = 0;
            const int result = blob->getSegment(st, sizeof segment, segment, &got);
            if (result == Firebird::IStatus::RESULT_NO_DATA)
                break;
            bytes.append(segment, got);
        }
        blob->close(st);
        blob.detach(); // close() released it
        return bytes;
    });
}

ISC_QUAD writeBlob(Transaction &transaction, std::string_view bytes, const ErrorContext &context)
{
    return engineCall(context, [&](Firebird::ThrowStatusWrapper *st) {
        ISC_QUAD id{};
        Ref<Firebird::IBlob> blob(
            transaction.database().attachment()->createBlob(st, transaction.handle(), &id, 0, nullptr));
        for (std::size_t at = 0; at < bytes.size(); at += kSegment) {
            const auto length = static_cast<unsigned>(std::min<std::size_t>(kSegment, bytes.size() - at));
            blob->putSegment(st, length, bytes.data() + at);
        }
        blob->close(st);
        blob.detach();
        return id;
    });
}

} // namespace db::detail
