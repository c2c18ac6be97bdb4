#include "foundation/fiscal/random_source.h"

#include <random>
#include <utility>

namespace {

std::int64_t drawFromDefaultEngine(std::int64_t limit)
{
    static std::mt19937_64 engine{std::random_device{}()};
    std::uniform_int_distribution<std::int64_t> distribution(0, limit - 1);
    return distribution(engine);
}

RandomDraw &currentDraw()
{
    static RandomDraw draw;
    return draw;
}

} // namespace

void setRandomDraw(RandomDraw draw)
{
    currentDraw() = std::move(draw);
}

void resetRandomDraw()
{
    currentDraw() = nullptr;
}

std::int64_t randomBelow(std::int64_t limit)
{
    if (limit <= 0)
        return 0;
    const RandomDraw &draw = currentDraw();
    return draw ? draw(limit) : drawFromDefaultEngine(limit);
}
