#include "foundation/dates/date_time.h"

#include <cmath>
#include <ctime>
#include <thread>
#include <utility>

#include "foundation/base/quib_exception.h"

namespace {

using namespace std::chrono;

constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};
constexpr std::int64_t kMsPerDay = 86'400'000;

ClockSource &clockSource()
{
    static ClockSource source;
    return source;
}

SleepFunction &sleepFunction()
{
    static SleepFunction sleep;
    return sleep;
}

TDateTime fromTm(const std::tm &tm, int millisecond)
{
    DateTimeParts parts{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                        tm.tm_hour,        tm.tm_min,     tm.tm_sec > 59 ? 59 : tm.tm_sec,
                        millisecond};
    return encodeDateTime(parts);
}

std::pair<std::time_t, int> splitSeconds(system_clock::time_point moment)
{
    const auto secs = floor<seconds>(moment);
    const auto ms = duration_cast<milliseconds>(moment - secs).count();
    return {system_clock::to_time_t(time_point_cast<system_clock::duration>(secs)), static_cast<int>(ms)};
}

} // namespace

bool tryEncodeDate(int y, int m, int d, TDateTime &result)
{
    if (y < 1 || y > 9999)
        return false;
    const year_month_day date{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
    if (m < 1 || d < 1 || !date.ok())
        return false;
    result = static_cast<TDateTime>((sys_days{date} - kEpoch).count());
    return true;
}

bool tryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime &result)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return false;
    const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    result = static_cast<TDateTime>(ms) / kMsPerDay;
    return true;
}

bool tryEncodeDateTime(const DateTimeParts &p, TDateTime &result)
{
    TDateTime date;
    TDateTime time;
    if (!tryEncodeDate(p.year, p.month, p.day, date) ||
        !tryEncodeTime(p.hour, p.minute, p.second, p.millisecond, time))
        return false;
    result = date >= 0 ? date + time : date - time;
    return true;
}

TDateTime encodeDate(int year, int month, int day)
{
    TDateTime result;
    if (!tryEncodeDate(year, month, day, result))
        throw EQuibException("Data inválida: " + std::to_string(day) + "/" + std::to_string(month) + "/" +
                             std::to_string(year));
    return result;
}

TDateTime encodeTime(int hour, int minute, int second, int millisecond)
{
    TDateTime result;
    if (!tryEncodeTime(hour, minute, second, millisecond, result))
        throw EQuibException("Hora inválida: " + std::to_string(hour) + ":" + std::to_string(minute) + ":" +
                             std::to_string(second));
    return result;
}

TDateTime encodeDateTime(const DateTimeParts &parts)
{
    TDateTime result;
    if (!tryEncodeDateTime(parts, result))
        throw EQuibException("Data e hora inválidas");
    return result;
}

DateTimeParts decodeDateTime(TDateTime value)
{
    std::int64_t days = static_cast<std::int64_t>(std::trunc(value));
    std::int64_t ms = std::llround(std::fabs(value - static_cast<TDateTime>(days)) * kMsPerDay);
    if (ms >= kMsPerDay) {
        days += value < 0 ? -1 : 1;
        ms -= kMsPerDay;
    }
    const year_month_day date{kEpoch + sys_days::duration{days}};
    DateTimeParts parts;
    parts.year = static_cast<int>(date.year());
    parts.month = static_cast<int>(static_cast<unsigned>(date.month()));
    parts.day = static_cast<int>(static_cast<unsigned>(date.day()));
    parts.millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    parts.second = static_cast<int>(ms % 60);
    ms /= 60;
    parts.minute = static_cast<int>(ms % 60);
    parts.hour = static_cast<int>(ms / 60);
    return parts;
}

TDateTime dateOf(TDateTime value)
{
    return std::trunc(value);
}

TDateTime timeOf(TDateTime value)
{
    return std::fabs(value - std::trunc(value));
}

TDateTime incMinutes(TDateTime value, std::int64_t minutes)
{
    return value + static_cast<TDateTime>(minutes) / 1440.0;
}

void setClock(ClockSource clock)
{
    clockSource() = std::move(clock);
}

void resetClock()
{
    clockSource() = nullptr;
}

system_clock::time_point currentTimePoint()
{
    const auto &source = clockSource();
    return source ? source() : system_clock::now();
}

void setSleep(SleepFunction sleep)
{
    sleepFunction() = std::move(sleep);
}

void resetSleep()
{
    sleepFunction() = nullptr;
}

void sleepFor(milliseconds duration)
{
    const auto &sleep = sleepFunction();
    if (sleep)
        sleep(duration);
    else
        std::this_thread::sleep_for(duration);
}

TDateTime toLocalDateTime(system_clock::time_point moment)
{
    const auto [t, ms] = splitSeconds(moment);
    std::tm tm{};
    tzset(); // follow a time-zone change made while the program runs
    localtime_r(&t, &tm);
    return fromTm(tm, ms);
}

TDateTime toUtcDateTime(system_clock::time_point moment)
{
    const auto [t, ms] = splitSeconds(moment);
    std::tm tm{};
    gmtime_r(&t, &tm);
    return fromTm(tm, ms);
}

TDateTime nowLocal()
{
    return toLocalDateTime(currentTimePoint());
}

int localUtcOffsetMinutes(system_clock::time_point moment)
{
    const auto [t, ms] = splitSeconds(moment);
    (void)ms;
    std::tm tm{};
    tzset(); // follow a time-zone change made while the program runs
    localtime_r(&t, &tm);
    return static_cast<int>(tm.tm_gmtoff / 60);
}

int localUtcOffsetMinutes()
{
    return localUtcOffsetMinutes(currentTimePoint());
}
