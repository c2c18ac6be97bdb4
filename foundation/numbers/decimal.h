#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Fixed-point decimal with 4 places (ten-thousandths in an int64): the amounts,
// quantities and percentages of the document model. Rounding is half away
// from zero and exact (1.005 -> 1.01, 2.675 -> 2.68); nothing goes through a
// binary floating-point rounding. Overflow and division by zero raise
// std::overflow_error / std::domain_error.
class Decimal {
  public:
    static constexpr int kPlaces = 4;
    static constexpr std::int64_t kScale = 10'000;

    constexpr Decimal() = default;
    // Whole numbers convert implicitly: Decimal quantity = 3;
    constexpr Decimal(int whole) : units_(static_cast<std::int64_t>(whole) * kScale) {}
    // A double would silently lose its fraction through the int constructor:
    // use fromDouble, which says what it does.
    Decimal(double) = delete;

    static constexpr Decimal fromUnits(std::int64_t tenThousandths)
    {
        Decimal d;
        d.units_ = tenThousandths;
        return d;
    }
    static Decimal fromInt64(std::int64_t whole);

    // Reads [+|-]digits[.digits][e[+|-]digits] with "." as decimal point, no
    // locale; more than 4 decimals are rounded half away from zero. Nothing
    // when the text is not such a number or does not fit.
    static std::optional<Decimal> parse(std::string_view text);

    // The decimal value the double stands for (its shortest exact text),
    // rounded half away from zero to 4 places: 2.675 gives 2.675. Raises
    // std::domain_error for NaN and infinities, std::overflow_error when too large.
    static Decimal fromDouble(double value);

    constexpr std::int64_t units() const { return units_; }
    double toDouble() const;

    // Shortest text: "12.5", "-0.0001", "3". "." as decimal point.
    std::string toString() const;
    // Exactly `places` decimals (0 or more), rounded half away from zero.
    std::string toString(int places) const;

    // Rounded half away from zero to `places` decimals (4 or more: unchanged;
    // down to -14: tens, hundreds...).
    Decimal rounded(int places) const;
    // Cut (towards zero) to `places` decimals.
    Decimal truncated(int places) const;

    constexpr bool isZero() const { return units_ == 0; }
    constexpr bool isNegative() const { return units_ < 0; }
    Decimal abs() const;

    Decimal operator-() const;
    Decimal &operator+=(Decimal other);
    Decimal &operator-=(Decimal other);
    Decimal &operator*=(Decimal other);
    Decimal &operator/=(Decimal other);
    friend Decimal operator+(Decimal a, Decimal b) { return a += b; }
    friend Decimal operator-(Decimal a, Decimal b) { return a -= b; }
    // Products and quotients are rounded half away from zero to 4 places.
    friend Decimal operator*(Decimal a, Decimal b) { return a *= b; }
    friend Decimal operator/(Decimal a, Decimal b) { return a /= b; }

    friend constexpr bool operator==(Decimal a, Decimal b) = default;
    friend constexpr auto operator<=>(Decimal a, Decimal b) = default;

  private:
    std::int64_t units_ = 0;
};
