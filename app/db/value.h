#pragma once

#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace db {

// One field or parameter value: null, a whole number, a fixed-point number
// (NUMERIC/DECIMAL columns), a floating number, a text (UTF-8; text blobs
// too), a date-time or a boolean. The as...() readers convert between kinds
// the way screens need them: null reads as 0, the empty text or false; a text
// that does not hold the number or date asked for raises ConversionError.
class Value {
  public:
    enum class Kind : std::uint8_t { Null, Integer, Number, Float, Text, DateTime, Boolean };

    Value() = default;
    Value(int v) : kind_(Kind::Integer), integer_(v) {}
    Value(std::int64_t v) : kind_(Kind::Integer), integer_(v) {}
    Value(Decimal v) : kind_(Kind::Number), number_(v) {}
    Value(std::string v) : kind_(Kind::Text), text_(std::move(v)) {}
    Value(std::string_view v) : kind_(Kind::Text), text_(v) {}
    Value(const char *v) : kind_(Kind::Text), text_(v) {}
    static Value ofFloat(double v);
    static Value ofDateTime(TDateTime v);
    static Value ofBoolean(bool v);

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }

    // Texts: numbers with "." as decimal point, date-times as
    // "yyyy-mm-dd hh:nn:ss" (the time left out at midnight), booleans as
    // "TRUE"/"FALSE", null as "".
    std::string asString() const;
    std::int64_t asInt64() const;
    int asInteger() const;
    Decimal asDecimal() const;
    double asFloat() const;
    TDateTime asDateTime() const;
    bool asBoolean() const;

    // Same kind and content (the memory table's locate and the data set's
    // change tracking).
    bool operator==(const Value &other) const;

  private:
    Kind kind_ = Kind::Null;
    std::int64_t integer_ = 0;
    Decimal number_;
    double float_ = 0;
    std::string text_;
};

// Case-insensitive comparison of field names (ASCII letters).
bool sameFieldName(std::string_view a, std::string_view b);

} // namespace db
