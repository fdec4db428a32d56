// The pseudo-random numbers that pick a question: a linear congruential generator seeded from a
// millisecond clock plus an accumulator, so two seedings at the same clock reading differ.
// A RandomSource is not thread-safe; the plugin keeps one for the process.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace vexlo {

struct RandomSource {
  std::uint32_t seedAccumulator = 0;  // raised by every clock seeding, never reset
  std::uint32_t randomState = 1;      // the generator's state
};

// A millisecond count since system start, reduced modulo 2^32.
using MillisecondClock = std::function<std::uint32_t()>;

// Seeds the generator: with a seed, the state becomes that seed; without one, from `clock` plus the
// accumulator, which then grows by 100 to 355.
void reseedRandom(RandomSource& source, const MillisecondClock& clock);
void reseedRandom(RandomSource& source, std::int32_t seed);

// Returns a number in the closed range between the two bounds (either order; negative bounds count
// as 0; absent lower is 0, absent upper 2147483647). Equal bounds give that bound without a
// generator step; otherwise one step, so results above lower + 32767 never come out.
std::int32_t randomBetween(RandomSource& source, std::optional<std::int32_t> lower,
                           std::optional<std::int32_t> upper);

}  // namespace vexlo
