#include "app/db/detail/messages.h"

#include "app/db/database.h"
#include "app/db/transaction.h"
#include "foundation/text/utf8.h"

#include <ibase.h>

#include <cstring>

namespace db::detail {

namespace {

// Room for the text of any number or date-time.
constexpr unsigned kScalarTextBytes = 64;

bool isText(unsigned type)
{
    return type == SQL_TEXT || type == SQL_VARYING;
}

unsigned bytesPerChar(unsigned charSet)
{
    return charSet == kCharSetUtf8 ? 4 : 1;
}

std::string sqlText(const Value &v)
{
    if (v.kind() == Value::Kind::DateTime) {
        const DateTimeParts p = decodeDateTime(v.asDateTime());
        char text[40];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", p.year, p.month, p.day, p.hour,
                      p.minute, p.second, p.millisecond);
        return text;
    }
    return v.asString();
}

} // namespace

InputMessage::InputMessage(Firebird::IMessageMetadata *described, const ErrorContext &context)
    : context_(context)
{
    engineCall(context, [&](Firebird::ThrowStatusWrapper *st) {
        const unsigned n = described->getCount(st);
        Ref<Firebird::IMetadataBuilder> builder(described->getBuilder(st));
        for (unsigned i = 0; i < n; ++i) {
            Slot slot;
            const unsigned type = described->getType(st, i) & ~1u;
            slot.column = described->getField(st, i);
            if (type == SQL_BLOB) {
                slot.blob = true;
                slot.charSet = described->getSubType(st, i) == isc_blob_text ? described->getCharSet(st, i)
                                                                             : kCharSetOctets;
                builder->setType(st, i, SQL_BLOB + 1);
            } else {
                const unsigned charSet = isText(type) ? described->getCharSet(st, i) : kCharSetUtf8;
                // NONE columns take Windows-1252 bytes, OCTETS (RDB$DB_KEY)
                // raw bytes; every other text goes in the connection's UTF8.
                slot.charSet = charSet == kCharSetNone || charSet == kCharSetOctets ? charSet : kCharSetUtf8;
                slot.maxBytes = isText(type) ? described->getLength(st, i) : kScalarTextBytes;
                if (isText(type))
                    slot.maxChars = slot.maxBytes / bytesPerChar(charSet);
                builder->setType(st, i, SQL_VARYING + 1);
                builder->setCharSet(st, i, slot.charSet);
                builder->setLength(st, i, isText(type) ? slot.maxBytes : kScalarTextBytes);
                builder->setScale(st, i, 0);
            }
            slots_.push_back(std::move(slot));
        }
        metadata_.reset(builder->getMetadata(st));
        buffer_.assign(metadata_->getMessageLength(st), 0);
    });
}

void InputMessage::fill(Transaction &transaction, std::span<const Value> values,
                        std::span<const std::string> names)
{
    if (values.size() != slots_.size())
        throw DatabaseError(DbFailure::Other, "O comando espera " + std::to_string(slots_.size()) +
                                                  " parâmetros e recebeu " + std::to_string(values.size()) +
                                                  ".");
    engineCall(context_, [&](Firebird::ThrowStatusWrapper *st) {
        for (unsigned i = 0; i < slots_.size(); ++i) {
            const Slot &slot = slots_[i];
            ErrorContext here = context_;
            here.column = i < names.size() && !names[i].empty() ? names[i] : slot.column;
            auto *null = reinterpret_cast<short *>(&buffer_[metadata_->getNullOffset(st, i)]);
            unsigned char *data = &buffer_[metadata_->getOffset(st, i)];
            *null = values[i].isNull() ? -1 : 0;
            if (values[i].isNull())
                continue;
            std::string text = sqlText(values[i]);
            if (slot.charSet == kCharSetNone)
                text = toWindows1252(text, here);
            if (slot.blob) {
                const ISC_QUAD id = writeBlob(transaction, text, here);
                std::memcpy(data, &id, sizeof id);
                continue;
            }
            const std::size_t chars = slot.charSet == kCharSetUtf8 ? utf8Length(text) : text.size();
            if (text.size() > slot.maxBytes || (slot.maxChars && chars > slot.maxChars)) {
                const std::string limit = std::to_string(slot.maxChars ? slot.maxChars : slot.maxBytes);
                throw DatabaseError(DbFailure::TextTooLong,
                                    here.column.empty()
                                        ? "Texto maior que o tamanho da coluna (máximo de " + limit +
                                              " caracteres)."
                                        : "Texto maior que o tamanho da coluna " + here.column +
                                              " (máximo de " + limit + " caracteres).");
            }
            const auto length = static_cast<unsigned short>(text.size());
            std::memcpy(data, &length, sizeof length);
            std::memcpy(data + sizeof length, text.data(), text.size());
        }
    });
}

} // namespace db::detail
