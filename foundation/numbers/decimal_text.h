#pragma once

#include <optional>
#include <string>
#include <string_view>

// Exact decimal numbers written as digits, for parsing and rounding numbers
// without ever rounding through binary floating point.

// value = (negative ? -1 : 1) × digits × 10^exponent; digits holds only
// '0'-'9' (possibly empty for zero).
struct DecimalText {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Reads [+|-]digits[.digits][(e|E)[+|-]digits], with "." as the decimal point;
// at least one digit is needed. Nothing else is accepted (no blanks, no
// "inf"/"nan").
std::optional<DecimalText> parseDecimalText(std::string_view text);

// The shortest decimal that reads back as the same double (std::to_chars).
// The value must be finite.
DecimalText shortestDecimalText(double value);

// A number rounded half away from zero to a fixed count of decimals.
struct FixedDigits {
    bool negative = false;     // false when the rounded value is zero
    std::string integerDigits; // without leading zeros; empty for 0
    std::string fraction;      // exactly `places` digits
    bool isZero() const;
};

// `places` below 0 counts as 0.
FixedDigits roundToPlaces(const DecimalText &value, int places);
