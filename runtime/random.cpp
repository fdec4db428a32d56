// The pseudo-random numbers that pick a question: clock seeding with the accumulator, the linear
// congruential step, and a draw in a closed range.
#include "runtime/random.h"

namespace vexlo {

namespace {

// One generator step; returns bits 16 to 30 of the new state (0 to 32767).
std::int32_t nextValue(RandomSource& source) {
  source.randomState = source.randomState * 214013u + 2531011u;
  return static_cast<std::int32_t>((source.randomState >> 16) & 0x7FFFu);
}

}  // namespace

void reseedRandom(RandomSource& source, const MillisecondClock& clock) {
  const std::uint32_t seed = clock() + source.seedAccumulator;
  source.seedAccumulator += (seed & 0xFFu) + 100u;
  source.randomState = seed;
}

void reseedRandom(RandomSource& source, std::int32_t seed) {
  source.randomState = static_cast<std::uint32_t>(seed);
}

std::int32_t randomBetween(RandomSource& source, std::optional<std::int32_t> lower,
                           std::optional<std::int32_t> upper) {
  std::int32_t a = lower.value_or(0);
  std::int32_t b = upper.value_or(2147483647);
  if (a < 0) a = 0;
  if (b < 0) b = 0;
  const std::int32_t lo = a < b ? a : b;
  const std::int32_t hi = a < b ? b : a;
  if (lo == hi) return lo;
  std::int32_t span = hi - lo;
  if (span > 2147483646) span = 2147483646;
  return lo + nextValue(source) % (span + 1);
}

}  // namespace vexlo
