#pragma once

// Input and output message buffers of a prepared statement: parameters are
// all sent as text (the engine converts them to the column's type), results
// are read in their own types. Implemented in input_message.cpp,
// output_message.cpp, text_blob.cpp and windows_1252.cpp.

#include "app/db/detail/engine_call.h"
#include "app/db/value.h"

#include <span>
#include <string>
#include <vector>

namespace db {
class Transaction;
}

namespace db::detail {

// Character-set numbers of the engine that the layer cares about.
inline constexpr unsigned kCharSetNone = 0;
inline constexpr unsigned kCharSetOctets = 1;
inline constexpr unsigned kCharSetUtf8 = 4;

class InputMessage {
  public:
    InputMessage(Firebird::IMessageMetadata *described, const ErrorContext &context);
    unsigned count() const { return static_cast<unsigned>(slots_.size()); }
    // Fills the buffer; raises DatabaseError for a text longer than its
    // column or a character a NONE column cannot hold, before anything
    // reaches the engine. `names` names the parameters' columns when known.
    void fill(Transaction &transaction, std::span<const Value> values, std::span<const std::string> names);
    Firebird::IMessageMetadata *metadata() const { return metadata_.get(); }
    unsigned char *buffer() { return buffer_.empty() ? nullptr : buffer_.data(); }

  private:
    struct Slot {
        bool blob = false;
        unsigned charSet = kCharSetUtf8;
        unsigned maxChars = 0; // 0: not a text column
        unsigned maxBytes = 0;
        std::string column;
    };
    std::vector<Slot> slots_;
    Ref<Firebird::IMessageMetadata> metadata_;
    std::vector<unsigned char> buffer_;
    ErrorContext context_;
};

class OutputMessage {
  public:
    explicit OutputMessage(Firebird::IMessageMetadata *described);
    unsigned count() const { return static_cast<unsigned>(names_.size()); }
    const std::vector<std::string> &names() const { return names_; }
    Firebird::IMessageMetadata *metadata() const { return metadata_.get(); }
    unsigned char *buffer() { return buffer_.empty() ? nullptr : buffer_.data(); }
    // The values of the row now in the buffer (blobs read whole).
    std::vector<Value> row(Transaction &transaction, const ErrorContext &context);

  private:
    Ref<Firebird::IMessageMetadata> metadata_;
    std::vector<std::string> names_;
    std::vector<unsigned char> buffer_;
};

// Text blobs: the whole content of a blob, and a new blob holding a text.
std::string readBlob(Transaction &transaction, const ISC_QUAD &id, const ErrorContext &context);
ISC_QUAD writeBlob(Transaction &transaction, std::string_view bytes, const ErrorContext &context);

// Windows-1252 bytes of a UTF-8 text for a NONE column; raises
// DatabaseError (CannotStoreChar) for a character that page cannot hold.
std::string toWindows1252(std::string_view utf8, const ErrorContext &context);
std::string fromWindows1252(std::string_view bytes);

} // namespace db::detail
