#include "foundation/numbers/decimal_text.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<DecimalText> parseDecimalText(std::string_view text)
{
    DecimalText result;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        result.negative = text[pos] == '-';
        ++pos;
    }
    bool anyDigit = false;
    while (pos < text.size() && isDigit(text[pos])) {
        result.digits += text[pos++];
        anyDigit = true;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            result.digits += text[pos++];
            --result.exponent;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            negativeExponent = text[pos] == '-';
            ++pos;
        }
        if (pos >= text.size() || !isDigit(text[pos]))
            return std::nullopt;
        long exponent = 0;
        while (pos < text.size() && isDigit(text[pos])) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[pos] - '0');
            ++pos;
        }
        result.exponent += static_cast<int>(negativeExponent ? -exponent : exponent);
    }
    if (pos != text.size())
        return std::nullopt;
    // Leading zeros carry nothing.
    const std::size_t firstNonZero = result.digits.find_first_not_of('0');
    result.digits.erase(0, firstNonZero == std::string::npos ? result.digits.size() : firstNonZero);
    return result;
}

DecimalText shortestDecimalText(double value)
{
    if (!std::isfinite(value))
        throw std::domain_error("Número não finito");
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    (void)ec;
    return *parseDecimalText(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

bool FixedDigits::isZero() const
{
    return integerDigits.empty() && fraction.find_first_not_of('0') == std::string::npos;
}

FixedDigits roundToPlaces(const DecimalText &value, int places)
{
    if (places < 0)
        places = 0;
    // All digits of value × 10^places: the kept part and the first dropped digit.
    const long shift = static_cast<long>(value.exponent) + places; // digits × 10^shift
    std::string kept;
    char firstDropped = '0';
    if (shift >= 0) {
        kept = value.digits;
        if (!kept.empty())
            kept.append(static_cast<std::size_t>(shift), '0');
    } else {
        const long drop = -shift;
        const long size = static_cast<long>(value.digits.size());
        if (drop <= size) {
            kept = value.digits.substr(0, static_cast<std::size_t>(size - drop));
            firstDropped = value.digits[static_cast<std::size_t>(size - drop)];
        }
    }
    if (firstDropped >= '5') {
        // Add one to the kept digits (half away from zero: the sign is applied after).
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<std::size_t>(i)];
    }
    const std::size_t p = places > 0 ? static_cast<std::size_t>(places) : 0;
    if (kept.size() < p)
        kept.insert(0, p - kept.size(), '0');

    FixedDigits out;
    out.integerDigits = kept.substr(0, kept.size() - p);
    out.fraction = kept.substr(kept.size() - p);
    const std::size_t firstNonZero = out.integerDigits.find_first_not_of('0');
    out.integerDigits.erase(0, firstNonZero == std::string::npos ? out.integerDigits.size() : firstNonZero);
    out.negative = value.negative && !out.isZero();
    return out;
}
