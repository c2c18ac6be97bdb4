#include "foundation/numbers/decimal.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "foundation/numbers/decimal_text.h"

namespace {

using Wide = __int128;

constexpr std::int64_t kPow10[] = {1LL,
                                   10LL,
                                   100LL,
                                   1000LL,
                                   10000LL,
                                   100000LL,
                                   1000000LL,
                                   10000000LL,
                                   100000000LL,
                                   1000000000LL,
                                   10000000000LL,
                                   100000000000LL,
                                   1000000000000LL,
                                   10000000000000LL,
                                   100000000000000LL,
                                   1000000000000000LL,
                                   10000000000000000LL,
                                   100000000000000000LL,
                                   1000000000000000000LL};

std::int64_t narrow(Wide value)
{
    if (value > std::numeric_limits<std::int64_t>::max() || value < std::numeric_limits<std::int64_t>::min())
        throw std::overflow_error("Valor decimal fora do limite");
    return static_cast<std::int64_t>(value);
}

// numerator / denominator rounded half away from zero (denominator > 0).
Wide divideRounded(Wide numerator, Wide denominator)
{
    Wide quotient = numerator / denominator;
    const Wide remainder = numerator % denominator;
    const Wide twice = (remainder < 0 ? -remainder : remainder) * 2;
    if (twice >= denominator)
        quotient += numerator < 0 ? -1 : 1;
    return quotient;
}

std::optional<Decimal> fromDecimalText(const DecimalText &text)
{
    const FixedDigits fixed = roundToPlaces(text, Decimal::kPlaces);
    if (fixed.integerDigits.size() > 15)
        return std::nullopt;
    Wide units = 0;
    for (const char c : fixed.integerDigits + fixed.fraction)
        units = units * 10 + (c - '0');
    if (fixed.negative)
        units = -units;
    if (units > std::numeric_limits<std::int64_t>::max() || units < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return Decimal::fromUnits(static_cast<std::int64_t>(units));
}

} // namespace

Decimal Decimal::fromInt64(std::int64_t whole)
{
    return fromUnits(narrow(static_cast<Wide>(whole) * kScale));
}

std::optional<Decimal> Decimal::parse(std::string_view text)
{
    const auto parsed = parseDecimalText(text);
    if (!parsed)
        return std::nullopt;
    return fromDecimalText(*parsed);
}

Decimal Decimal::fromDouble(double value)
{
    const auto result = fromDecimalText(shortestDecimalText(value));
    if (!result)
        throw std::overflow_error("Valor decimal fora do limite");
    return *result;
}

double Decimal::toDouble() const
{
    // Through the exact text, so the nearest double is chosen.
    const std::string text = toString();
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string Decimal::toString() const
{
    std::string text = toString(kPlaces);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string Decimal::toString(int places) const
{
    if (places < 0)
        places = 0;
    const Decimal value = rounded(places);
    // The magnitude fits 64 unsigned bits even for the most negative value,
    // and the digits go through a stack buffer (one allocation per text).
    const auto units = static_cast<std::uint64_t>(value.units_);
    const std::uint64_t magnitude = value.units_ < 0 ? 0 - units : units;
    const std::uint64_t whole = magnitude / static_cast<std::uint64_t>(kScale);
    std::uint64_t fraction = magnitude % static_cast<std::uint64_t>(kScale);

    char buffer[32];
    char *fim = buffer;
    if (value.units_ < 0)
        *fim++ = '-';
    fim = std::to_chars(fim, buffer + sizeof buffer, whole).ptr;
    std::string text(buffer, fim);
    if (places > 0) {
        char digits[kPlaces];
        for (int i = kPlaces - 1; i >= 0; --i) {
            digits[i] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        text.reserve(text.size() + 1 + static_cast<std::size_t>(places));
        text += '.';
        text.append(digits, static_cast<std::size_t>(std::min(places, kPlaces)));
        if (places > kPlaces)
            text.append(static_cast<std::size_t>(places - kPlaces), '0');
    }
    return text;
}

Decimal Decimal::rounded(int places) const
{
    if (places >= kPlaces)
        return *this;
    if (places < -14)
        places = -14;
    const std::int64_t step = kPow10[kPlaces - places];
    return fromUnits(narrow(divideRounded(units_, step) * step));
}

Decimal Decimal::truncated(int places) const
{
    if (places >= kPlaces)
        return *this;
    if (places < -14)
        places = -14;
    const std::int64_t step = kPow10[kPlaces - places];
    return fromUnits(units_ / step * step);
}

Decimal Decimal::abs() const
{
    return units_ < 0 ? -*this : *this;
}

Decimal Decimal::operator-() const
{
    return fromUnits(narrow(-static_cast<Wide>(units_)));
}

Decimal &Decimal::operator+=(Decimal other)
{
    units_ = narrow(static_cast<Wide>(units_) + other.units_);
    return *this;
}

Decimal &Decimal::operator-=(Decimal other)
{
    units_ = narrow(static_cast<Wide>(units_) - other.units_);
    return *this;
}

Decimal &Decimal::operator*=(Decimal other)
{
    units_ = narrow(divideRounded(static_cast<Wide>(units_) * other.units_, kScale));
    return *this;
}

Decimal &Decimal::operator/=(Decimal other)
{
    if (other.units_ == 0)
        throw std::domain_error("Divisão por zero");
    Wide numerator = static_cast<Wide>(units_) * kScale;
    Wide denominator = other.units_;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    units_ = narrow(divideRounded(numerator, denominator));
    return *this;
}
