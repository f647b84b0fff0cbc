#include "core/kernel/Random.h"

#include <utility>

namespace {

RandomState state{}; // all zero until the first seeding: every step then returns 0
std::uint32_t seedShown = 0;

constexpr std::uint64_t MultiplierX0 = 5115;
constexpr std::uint64_t MultiplierX1 = 1776;
constexpr std::uint64_t MultiplierX2 = 1492;
constexpr std::uint64_t MultiplierX3 = 2111111111;
constexpr float Scale = 2.3283064365386963e-10f; // 2^-32, exact in single precision

enum Word { X0, X1, X2, X3, Carry };

std::uint32_t step()
{
    const std::uint64_t sum = MultiplierX3 * state[X3] + MultiplierX2 * state[X2] +
                              MultiplierX1 * state[X1] + MultiplierX0 * state[X0] + state[Carry];
    state[X3] = state[X2];
    state[X2] = state[X1];
    state[X1] = state[X0];
    state[X0] = std::uint32_t(sum);
    state[Carry] = std::uint32_t(sum >> 32);
    return state[X0];
}

} // namespace

void SeedRandom(std::uint32_t seed)
{
    seedShown = seed;
    std::uint32_t s = seed == 0 ? 0xFFFFFFFFu : seed; // zero would fill every word with zero
    for (std::uint32_t& word : state) {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        word = s;
    }
    for (int i = 0; i < 19; ++i)
        step();
}

double NextRandom()
{
    return double(step()) * double(Scale);
}

std::int32_t RandomInRange(std::int32_t low, std::int32_t high)
{
    if (low > high)
        std::swap(low, high);
    const double width = double(high) - double(low) + 1.0;
    return std::int32_t(double(low) + double(std::int64_t(NextRandom() * width)));
}

RandomState randomState()
{
    return state;
}

std::uint32_t lastRandomSeed()
{
    return seedShown;
}
