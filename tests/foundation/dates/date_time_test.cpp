#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"

namespace {

using namespace std::chrono;

// Sets TZ for one test and restores it, with the clock.
class TimeZoneFixture : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const char *tz = std::getenv("TZ");
        hadTz_ = tz != nullptr;
        if (hadTz_)
            oldTz_ = tz;
    }
    void TearDown() override
    {
        if (hadTz_)
            setenv("TZ", oldTz_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
        resetClock();
    }
    static void useZone(const char *tz)
    {
        setenv("TZ", tz, 1);
        tzset();
    }
    static void fixClock(sys_seconds moment)
    {
        setClock([moment] { return system_clock::time_point(moment); });
    }

  private:
    bool hadTz_ = false;
    std::string oldTz_;
};

TEST(DateTime, EncodesDaysSince1899)
{
    EXPECT_EQ(encodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(encodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(encodeDate(2019, 5, 2), 43587.0);
    EXPECT_EQ(encodeDate(1899, 12, 29), -1.0);
    EXPECT_DOUBLE_EQ(encodeDateTime({2019, 5, 2, 18, 0, 0, 0}), 43587.75);

    TDateTime out;
    EXPECT_FALSE(tryEncodeDate(2019, 2, 29, out));
    EXPECT_TRUE(tryEncodeDate(2020, 2, 29, out));
    EXPECT_FALSE(tryEncodeDate(0, 1, 1, out));
    EXPECT_FALSE(tryEncodeDate(2020, 13, 1, out));
    EXPECT_FALSE(tryEncodeTime(24, 0, 0, 0, out));
    EXPECT_FALSE(tryEncodeTime(10, 60, 0, 0, out));
    EXPECT_THROW(encodeDate(2019, 2, 30), EQuibException);
}

TEST(DateTime, DecodesToTheMillisecond)
{
    const TDateTime value = encodeDateTime({2024, 2, 29, 23, 59, 59, 999});
    const DateTimeParts parts = decodeDateTime(value);
    EXPECT_EQ(parts.year, 2024);
    EXPECT_EQ(parts.month, 2);
    EXPECT_EQ(parts.day, 29);
    EXPECT_EQ(parts.hour, 23);
    EXPECT_EQ(parts.minute, 59);
    EXPECT_EQ(parts.second, 59);
    EXPECT_EQ(parts.millisecond, 999);
    // A value a hair below midnight rounds to the next day.
    const DateTimeParts next = decodeDateTime(encodeDate(2024, 3, 1) - 1e-10);
    EXPECT_EQ(next.day, 1);
    EXPECT_EQ(next.hour, 0);
    EXPECT_DOUBLE_EQ(dateOf(43587.75), 43587.0);
    EXPECT_DOUBLE_EQ(timeOf(43587.75), 0.75);
    EXPECT_DOUBLE_EQ(incMinutes(43587.75, 180), 43587.875);
}

TEST_F(TimeZoneFixture, ClockAndLocalOffsetAreInjectable)
{
    useZone("America/Sao_Paulo");
    // 2019-01-15 12:00 UTC, during the last Brazilian daylight saving (-02:00).
    fixClock(sys_days{2019y / January / 15} + 12h);
    EXPECT_EQ(localUtcOffsetMinutes(), -120);
    EXPECT_DOUBLE_EQ(nowLocal(), encodeDateTime({2019, 1, 15, 10, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(toUtcDateTime(currentTimePoint()), encodeDateTime({2019, 1, 15, 12, 0, 0, 0}));

    fixClock(sys_days{2023y / July / 1});
    EXPECT_EQ(localUtcOffsetMinutes(), -180);
    useZone("UTC");
    EXPECT_EQ(localUtcOffsetMinutes(), 0);
}

} // namespace
