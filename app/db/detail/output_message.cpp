#include "app/db/detail/messages.h"

#include <ibase.h>

#include <cstring>

namespace db::detail {

namespace {

// Days from the engine's day 0 (17/11/1858) to the program's (30/12/1899).
constexpr int kEngineDaysBeforeDateTime = 15018;
constexpr double kTimeUnitsPerDay = 86400.0 * ISC_TIME_SECONDS_PRECISION;

template <class T> T read(const unsigned char *data)
{
    T v;
    std::memcpy(&v, data, sizeof v);
    return v;
}

Value scaled(std::int64_t units, int scale)
{
    if (scale == 0)
        return Value(units);
    // NUMERIC/DECIMAL: scales down to -4 fit the program's Decimal exactly;
    // beyond that the value is rounded to 4 places through its text.
    std::string digits = std::to_string(units < 0 ? -units : units);
    const std::size_t places = static_cast<std::size_t>(-scale);
    if (digits.size() <= places)
        digits.insert(0, places - digits.size() + 1, '0');
    digits.insert(digits.size() - places, ".");
    return Value(*Decimal::parse((units < 0 ? "-" : "") + digits));
}

std::string trimRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

OutputMessage::OutputMessage(Firebird::IMessageMetadata *described)
{
    engineCall({}, [&](Firebird::ThrowStatusWrapper *st) {
        const unsigned n = described->getCount(st);
        for (unsigned i = 0; i < n; ++i)
            names_.emplace_back(described->getAlias(st, i));
        described->addRef();
        metadata_.reset(described);
        buffer_.assign(described->getMessageLength(st), 0);
    });
}

std::vector<Value> OutputMessage::row(Transaction &transaction, const ErrorContext &context)
{
    std::vector<Value> values;
    engineCall(context, [&](Firebird::ThrowStatusWrapper *st) {
        Firebird::IMessageMetadata *m = metadata_.get();
        for (unsigned i = 0; i < names_.size(); ++i) {
            if (read<short>(&buffer_[m->getNullOffset(st, i)]) != 0) {
                values.emplace_back();
                continue;
            }
            const unsigned char *data = &buffer_[m->getOffset(st, i)];
            const unsigned type = m->getType(st, i) & ~1u;
            const int scale = m->getScale(st, i);
            const unsigned charSet = m->getCharSet(st, i);
            auto text = [&](std::string bytes) {
                return Value(charSet == kCharSetNone ? fromWindows1252(bytes) : std::move(bytes));
            };
            switch (type) {
            case SQL_VARYING:
                values.push_back(
                    text(std::string(reinterpret_cast<const char *>(data) + 2, read<unsigned short>(data))));
                break;
            case SQL_TEXT: {
                // CHAR columns come padded with blanks to their byte length;
                // OCTETS (RDB$DB_KEY) are raw bytes.
                std::string bytes(reinterpret_cast<const char *>(data), m->getLength(st, i));
                values.push_back(charSet == kCharSetOctets ? Value(std::move(bytes))
                                                           : text(trimRight(bytes)));
                break;
            }
            case SQL_SHORT:
                values.push_back(scaled(read<short>(data), scale));
                break;
            case SQL_LONG:
                values.push_back(scaled(read<int>(data), scale));
                break;
            case SQL_INT64:
                values.push_back(scaled(read<std::int64_t>(data), scale));
                break;
            case SQL_FLOAT:
                values.push_back(Value::ofFloat(read<float>(data)));
                break;
            case SQL_DOUBLE:
                values.push_back(Value::ofFloat(read<double>(data)));
                break;
            case SQL_BOOLEAN:
                values.push_back(Value::ofBoolean(data[0] != 0));
                break;
            case SQL_TYPE_DATE:
                values.push_back(Value::ofDateTime(read<ISC_DATE>(data) - kEngineDaysBeforeDateTime));
                break;
            case SQL_TYPE_TIME:
                values.push_back(Value::ofDateTime(read<ISC_TIME>(data) / kTimeUnitsPerDay));
                break;
            case SQL_TIMESTAMP: {
                const auto stamp = read<ISC_TIMESTAMP>(data);
                values.push_back(Value::ofDateTime(stamp.timestamp_date - kEngineDaysBeforeDateTime +
                                                   stamp.timestamp_time / kTimeUnitsPerDay));
                break;
            }
            case SQL_BLOB: {
                const unsigned blobCharSet = m->getSubType(st, i) == isc_blob_text ? charSet : kCharSetOctets;
                std::string bytes = readBlob(transaction, read<ISC_QUAD>(data), context);
                values.push_back(
                    Value(blobCharSet == kCharSetNone ? fromWindows1252(bytes) : std::move(bytes)));
                break;
            }
            default:
                throw DatabaseError(DbFailure::Other, "Tipo de coluna não suportado (" +
                                                          std::to_string(type) + "): " + names_[i]);
            }
        }
    });
    return values;
}

} // namespace db::detail
