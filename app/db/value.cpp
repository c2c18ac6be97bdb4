#include "app/db/value.h"

#include "foundation/base/quib_exception.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace db {

namespace {

std::string_view trimmed(std::string_view t)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    return t;
}

[[noreturn]] void notA(const char *what, std::string_view text)
{
    throw ConversionError("\"" + std::string(text) + "\" não é " + what);
}

std::string twoDigits(int v)
{
    return std::string{char('0' + v / 10), char('0' + v % 10)};
}

std::string dateTimeText(TDateTime value)
{
    const DateTimeParts p = decodeDateTime(value);
    char year[8];
    std::snprintf(year, sizeof year, "%04d", p.year);
    std::string text = std::string(year) + "-" + twoDigits(p.month) + "-" + twoDigits(p.day);
    if (p.hour || p.minute || p.second || p.millisecond)
        text += " " + twoDigits(p.hour) + ":" + twoDigits(p.minute) + ":" + twoDigits(p.second);
    return text;
}

TDateTime parseDateTime(std::string_view text)
{
    // yyyy-mm-dd[ hh:nn[:ss]]
    auto number = [&](std::size_t pos, std::size_t len) {
        int v = 0;
        if (pos + len > text.size() ||
            std::from_chars(text.data() + pos, text.data() + pos + len, v).ec != std::errc())
            notA("uma data", text);
        return v;
    };
    DateTimeParts p;
    p.year = number(0, 4);
    p.month = number(5, 2);
    p.day = number(8, 2);
    if (text.size() > 10) {
        p.hour = number(11, 2);
        p.minute = number(14, 2);
        if (text.size() > 16)
            p.second = number(17, 2);
    }
    TDateTime result = 0;
    if (!tryEncodeDateTime(p, result))
        notA("uma data", text);
    return result;
}

} // namespace

Value Value::ofFloat(double v)
{
    Value r;
    r.kind_ = Kind::Float;
    r.float_ = v;
    return r;
}

Value Value::ofDateTime(TDateTime v)
{
    Value r = ofFloat(v);
    r.kind_ = Kind::DateTime;
    return r;
}

Value Value::ofBoolean(bool v)
{
    Value r;
    r.kind_ = Kind::Boolean;
    r.integer_ = v ? 1 : 0;
    return r;
}

std::string Value::asString() const
{
    char buffer[64];
    switch (kind_) {
    case Kind::Null:
        return {};
    case Kind::Integer:
        return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, integer_).ptr);
    case Kind::Number:
        return number_.toString();
    case Kind::Float:
        return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, float_).ptr);
    case Kind::Text:
        return text_;
    case Kind::DateTime:
        return dateTimeText(float_);
    case Kind::Boolean:
        return integer_ ? "TRUE" : "FALSE";
    }
    return {};
}

std::int64_t Value::asInt64() const
{
    switch (kind_) {
    case Kind::Null:
        return 0;
    case Kind::Integer:
    case Kind::Boolean:
        return integer_;
    case Kind::Number:
        return number_.units() / Decimal::kScale;
    case Kind::Float:
    case Kind::DateTime:
        return static_cast<std::int64_t>(std::trunc(float_));
    case Kind::Text:
        break;
    }
    const std::string_view t = trimmed(text_);
    if (t.empty())
        return 0;
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size())
        notA("um número inteiro", text_);
    return v;
}

int Value::asInteger() const
{
    return static_cast<int>(asInt64());
}

Decimal Value::asDecimal() const
{
    switch (kind_) {
    case Kind::Null:
        return {};
    case Kind::Integer:
    case Kind::Boolean:
        return Decimal::fromInt64(integer_);
    case Kind::Number:
        return number_;
    case Kind::Float:
    case Kind::DateTime:
        return Decimal::fromDouble(float_);
    case Kind::Text:
        break;
    }
    const std::string_view t = trimmed(text_);
    if (t.empty())
        return {};
    if (auto d = Decimal::parse(t))
        return *d;
    notA("um número", text_);
}

double Value::asFloat() const
{
    switch (kind_) {
    case Kind::Float:
    case Kind::DateTime:
        return float_;
    case Kind::Text: {
        const std::string_view t = trimmed(text_);
        double v = 0;
        if (t.empty())
            return 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (ec != std::errc() || end != t.data() + t.size())
            notA("um número", text_);
        return v;
    }
    case Kind::Number:
        return number_.toDouble();
    default:
        return static_cast<double>(asInt64());
    }
}

TDateTime Value::asDateTime() const
{
    switch (kind_) {
    case Kind::Null:
        return kDataNaoInformada;
    case Kind::Text:
        return trimmed(text_).empty() ? kDataNaoInformada : parseDateTime(trimmed(text_));
    default:
        return asFloat();
    }
}

bool Value::asBoolean() const
{
    if (kind_ == Kind::Text) {
        const std::string_view t = trimmed(text_);
        return sameFieldName(t, "TRUE") || t == "1" || sameFieldName(t, "T") || sameFieldName(t, "S");
    }
    return asInt64() != 0;
}

bool Value::operator==(const Value &o) const
{
    if (kind_ != o.kind_)
        return false;
    switch (kind_) {
    case Kind::Null:
        return true;
    case Kind::Integer:
    case Kind::Boolean:
        return integer_ == o.integer_;
    case Kind::Number:
        return number_.units() == o.number_.units();
    case Kind::Float:
    case Kind::DateTime:
        return float_ == o.float_;
    case Kind::Text:
        return text_ == o.text_;
    }
    return false;
}

bool sameFieldName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto up = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; };
        if (up(a[i]) != up(b[i]))
            return false;
    }
    return true;
}

} // namespace db
