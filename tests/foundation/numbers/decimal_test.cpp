#include <limits>
#include <stdexcept>
#include <type_traits>

#include <gtest/gtest.h>

#include "foundation/numbers/decimal.h"

namespace {

Decimal dec(const char *text)
{
    const auto value = Decimal::parse(text);
    if (!value)
        throw std::invalid_argument(text);
    return *value;
}

static_assert(!std::is_convertible_v<double, Decimal>, "a double must not silently become a whole Decimal");
static_assert(std::is_convertible_v<int, Decimal>);

TEST(Decimal, RoundsHalfAwayFromZeroExactly)
{
    struct Case {
        const char *value;
        int places;
        const char *expected;
    };
    const Case cases[] = {
        {"1.005", 2, "1.01"}, {"2.675", 2, "2.68"}, {"-2.675", 2, "-2.68"},  {"1.0049", 2, "1"},
        {"0.5", 0, "1"},      {"-0.5", 0, "-1"},    {"2.4999", 0, "2"},      {"1234.5", -1, "1230"},
        {"1235", -1, "1240"}, {"9.9999", 3, "10"},  {"1.2345", 4, "1.2345"}, {"-0.00005", 4, "-0.0001"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(dec(c.value).rounded(c.places).toString(), c.expected) << c.value << " @" << c.places;
    EXPECT_EQ(dec("1.23456789").toString(), "1.2346");
    EXPECT_EQ(dec("-1.9999").truncated(2).toString(), "-1.99");
}

TEST(Decimal, FromDoubleUsesTheDecimalTheDoubleStandsFor)
{
    // 2.675 is 2.67499999... in binary; the amount is still 2.675.
    EXPECT_EQ(Decimal::fromDouble(2.675).rounded(2).toString(2), "2.68");
    EXPECT_EQ(Decimal::fromDouble(1.005).rounded(2).toString(2), "1.01");
    EXPECT_EQ(Decimal::fromDouble(0.1 + 0.2).toString(), "0.3");
    EXPECT_EQ(Decimal::fromDouble(1e-5).toString(), "0");
    EXPECT_EQ(Decimal::fromDouble(-123456.78905).toString(), "-123456.7891");
    EXPECT_DOUBLE_EQ(dec("2.675").toDouble(), 2.675);
    EXPECT_THROW(Decimal::fromDouble(std::numeric_limits<double>::quiet_NaN()), std::domain_error);
    EXPECT_THROW(Decimal::fromDouble(1e30), std::overflow_error);
}

TEST(Decimal, TextWithoutLocale)
{
    EXPECT_EQ(dec("+12").units(), 120000);
    EXPECT_EQ(dec("-0.5").units(), -5000);
    EXPECT_EQ(dec(".25").units(), 2500);
    EXPECT_EQ(dec("1e2").units(), 1000000);
    EXPECT_EQ(dec("00012.3400").toString(), "12.34");
    for (const char *bad :
         {"", "-", "1,5", "1.2.3", " 1", "1 ", "abc", "inf", "nan", "1e", "99999999999999999"})
        EXPECT_FALSE(Decimal::parse(bad).has_value()) << bad;
    EXPECT_EQ(Decimal(3).toString(2), "3.00");
    EXPECT_EQ(dec("1.5").toString(6), "1.500000");
    EXPECT_EQ(dec("-0.0001").toString(), "-0.0001");
    EXPECT_EQ(Decimal().toString(), "0");
}

TEST(Decimal, ArithmeticAndComparison)
{
    EXPECT_EQ(dec("0.1") + dec("0.2"), dec("0.3"));
    EXPECT_EQ(dec("10") - dec("0.0001"), dec("9.9999"));
    // Products and quotients are rounded half away from zero to 4 places.
    EXPECT_EQ(dec("1.2345") * dec("0.5"), dec("0.6173"));
    EXPECT_EQ(dec("-1.2345") * dec("0.5"), dec("-0.6173"));
    EXPECT_EQ(dec("2") / dec("3"), dec("0.6667"));
    EXPECT_EQ(dec("-2") / dec("3"), dec("-0.6667"));
    EXPECT_EQ(dec("1") / dec("-8"), dec("-0.125"));
    EXPECT_LT(dec("-1"), dec("0.0001"));
    EXPECT_GT(dec("2.5"), Decimal(2));
    EXPECT_EQ(-dec("2.5"), dec("-2.5"));
    EXPECT_EQ(dec("-2.5").abs(), dec("2.5"));
    EXPECT_THROW(dec("1") / Decimal(), std::domain_error);
    EXPECT_THROW(Decimal::fromUnits(std::numeric_limits<std::int64_t>::max()) + dec("1"),
                 std::overflow_error);
    EXPECT_THROW(Decimal::fromInt64(std::numeric_limits<std::int64_t>::max() / 1000), std::overflow_error);
}

} // namespace
