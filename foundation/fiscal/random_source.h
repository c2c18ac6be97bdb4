#pragma once

#include <cstdint>
#include <functional>

// The program's source of random numbers (numeric codes of access keys).
// By default a std::mt19937_64 seeded once from std::random_device; tests
// put their own draw in place. Not thread-safe.

// Draws a uniform integer from 0 up to, not including, `limit` (> 0).
using RandomDraw = std::function<std::int64_t(std::int64_t limit)>;

// Replaces the draw (tests); resetRandomDraw() returns to the default one.
void setRandomDraw(RandomDraw draw);
void resetRandomDraw();

// A uniform integer in [0, limit); 0 when the limit is not above 0.
std::int64_t randomBelow(std::int64_t limit);
