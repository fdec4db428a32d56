// Tests of the random numbers: clock seeding with the accumulator, the generator step, and the
// range rules of randomBetween.
#include "runtime/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace vexlo {
namespace {

// A seed whose next generator step yields `value` (0 to 32767): the state after the step is
// value << 16, so the seed undoes the step (the multiplier is odd, hence invertible mod 2^32).
std::uint32_t seedYielding(std::uint32_t value) {
  constexpr std::uint32_t a = 214013u;
  std::uint32_t inverse = a;
  for (int i = 0; i < 5; ++i) inverse *= 2u - a * inverse;
  return ((value << 16) - 2531011u) * inverse;
}

RandomSource seededWith(std::uint32_t seed) {
  RandomSource source;
  reseedRandom(source, static_cast<std::int32_t>(seed));
  return source;
}

TEST(Random, ClockSeedingReproducesTheWorkedValues) {
  struct Case {
    std::int32_t lower, upper, expected;
  };
  const MillisecondClock clock = [] { return 5u; };
  RandomSource source;

  // First seeding at 5 ms: seed 5, accumulator 105, step value 54.
  for (const Case& c : {Case{1, 10, 5}, Case{1, 3, 1}}) {
    RandomSource s = source;
    reseedRandom(s, clock);
    EXPECT_EQ(s.randomState, 5u);
    EXPECT_EQ(s.seedAccumulator, 105u);
    EXPECT_EQ(randomBetween(s, c.lower, c.upper), c.expected);
  }
  // Second seeding at the same reading: seed 110, accumulator 315, step value 397.
  reseedRandom(source, clock);
  for (const Case& c : {Case{1, 10, 8}, Case{1, 3, 2}}) {
    RandomSource s = source;
    reseedRandom(s, clock);
    EXPECT_EQ(s.randomState, 110u);
    EXPECT_EQ(s.seedAccumulator, 315u);
    EXPECT_EQ(randomBetween(s, c.lower, c.upper), c.expected);
  }
}

TEST(Random, AccumulatorWrapsAndGrowsByAtMost355) {
  RandomSource source;
  source.seedAccumulator = 0xFFFFFFF0u;
  reseedRandom(source, [] { return 0x1Fu; });  // seed wraps to 0x0F
  EXPECT_EQ(source.randomState, 0x0Fu);
  EXPECT_EQ(source.seedAccumulator, 0xFFFFFFF0u + 0x0Fu + 100u);
  source.seedAccumulator = 0;
  reseedRandom(source, [] { return 0xFFu; });
  EXPECT_EQ(source.seedAccumulator, 355u);
}

TEST(Random, RangeRules) {
  const std::optional<std::int32_t> none;
  struct Case {
    const char* what;
    std::optional<std::int32_t> lower, upper;
    std::uint32_t stepValue;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"both ends come out (low)", 1, 10, 0, 1},
      {"both ends come out (high)", 1, 10, 9, 10},
      {"bounds in the other order", 1, 0, 1, 1},
      {"bounds in the other order, even value", 1, 0, 2, 0},
      {"negative bound counts as 0", 1, -5, 3, 1},
      {"5 and 2", 5, 2, 7, 5},
      {"5 and 2, bottom", 5, 2, 4, 2},
      {"large range stops at lower + 32767", 1, 100000, 32767, 32768},
      {"the whole range gives the step value", 0, INT32_MAX, 32767, 32767},
      {"the whole range gives the step value (0)", 0, INT32_MAX, 0, 0},
      {"absent bounds: 0 to 2147483647", none, none, 12345, 12345},
      {"absent upper bound", 7, none, 100, 107},
      {"absent lower bound", none, 3, 10, 2},
  };
  for (const Case& c : cases) {
    RandomSource source = seededWith(seedYielding(c.stepValue));
    EXPECT_EQ(randomBetween(source, c.lower, c.upper), c.expected) << c.what;
  }
}

TEST(Random, EqualBoundsTakeNoStep) {
  const struct {
    std::int32_t lower, upper, expected;
  } cases[] = {{1, 1, 1}, {-1, -5, 0}, {0, -3, 0}, {INT32_MAX, INT32_MAX, INT32_MAX}};
  for (const auto& c : cases) {
    RandomSource source = seededWith(1234);
    EXPECT_EQ(randomBetween(source, c.lower, c.upper), c.expected);
    EXPECT_EQ(source.randomState, 1234u);
  }
}

TEST(Random, UnseededSourceStartsFromOne) {
  RandomSource fresh;
  RandomSource one = seededWith(1);
  EXPECT_EQ(randomBetween(fresh, 0, 32767), randomBetween(one, 0, 32767));
  EXPECT_EQ(fresh.randomState, 1u * 214013u + 2531011u);
}

}  // namespace
}  // namespace vexlo
