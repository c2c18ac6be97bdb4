#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

// Date-times: days since 30/12/1899 with the time of day as the fraction;
// 0 means "not set". Calendar arithmetic goes through std::chrono.
using TDateTime = double;

inline constexpr TDateTime kDataNaoInformada = 0.0;

struct DateTimeParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Encoding. The "try" forms answer false for an invalid date or time (year
// 1 to 9999, real calendar days, hours 0-23, minutes and seconds 0-59,
// milliseconds 0-999); the others raise EQuibException.
bool tryEncodeDate(int year, int month, int day, TDateTime &result);
bool tryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime &result);
bool tryEncodeDateTime(const DateTimeParts &parts, TDateTime &result);
TDateTime encodeDate(int year, int month, int day);
TDateTime encodeTime(int hour, int minute, int second, int millisecond = 0);
TDateTime encodeDateTime(const DateTimeParts &parts);

// Decoding, rounded to the millisecond.
DateTimeParts decodeDateTime(TDateTime value);

TDateTime dateOf(TDateTime value);
TDateTime timeOf(TDateTime value);
TDateTime incMinutes(TDateTime value, std::int64_t minutes);

// ---- Clock -----------------------------------------------------------------

using ClockSource = std::function<std::chrono::system_clock::time_point()>;

// Replaces the clock (tests); resetClock() returns to the system clock.
void setClock(ClockSource clock);
void resetClock();
std::chrono::system_clock::time_point currentTimePoint();

// ---- Waiting -----------------------------------------------------------------

// Every timed wait of the program (polls, retries) sleeps through here, so
// tests replace it beside the clock. Set it before threads that sleep start.
using SleepFunction = std::function<void(std::chrono::milliseconds)>;

// Replaces the sleep (tests); resetSleep() returns to std::this_thread::sleep_for.
void setSleep(SleepFunction sleep);
void resetSleep();
void sleepFor(std::chrono::milliseconds duration);

// A moment as the computer's local date-time, or as UTC.
TDateTime toLocalDateTime(std::chrono::system_clock::time_point moment);
TDateTime toUtcDateTime(std::chrono::system_clock::time_point moment);

// Now, from the clock, in local time.
TDateTime nowLocal();

// The computer's UTC offset in minutes east of UTC (-180 in Brasília) at a
// moment (by default now), from localtime_r.
int localUtcOffsetMinutes(std::chrono::system_clock::time_point moment);
int localUtcOffsetMinutes();
