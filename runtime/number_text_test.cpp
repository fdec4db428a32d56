// Tests of the number conversions: reading numbers from texts (full-width forms, exponents,
// correct rounding, overflow), writing integers and reals, and the two real-to-integer cuts.
#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace vexlo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

TEST(NumberText, TextToNumber) {
  struct Case {
    std::string text;
    double expected;
  };
  const double onePlusUlp = std::nextafter(1.0, 2.0);
  const Case cases[] = {
      {"", 0},
      {"12", 12},
      {" 12", 12},
      {"+5", 5},
      {"-3", -3},
      {"3.75", 3.75},
      {".5", 0.5},
      {"5.", 5},
      {"1e3", 1000},
      {"2D2", 200},
      {"1e", 1},
      {"0x1A", 0},
      {"12abc", 12},
      {"abc", 0},
      {"- 5", 0},
      {"１２", 12},
      {"－５", -5},
      {"三", 0},
      {"1,000", 1},
      {"1e999", kInf},
      // Further forms.
      {"\t\r\n\v\f 7", 7},
      {"　１２", 12},          // ideographic space, then full-width digits
      {"＋３．５Ｅ１", 35},    // full-width sign, point and exponent letter
      {"１，０００", 1},       // the full-width comma stops the number too
      {"2d-2", 0.02},
      {"1E+3", 1000},
      {"1e+", 1},
      {"1ex", 1},
      {"+.5e1", 5},
      {"1.2.3", 1.2},
      {".", 0},
      {"-", 0},
      {"5\xB3", 5},            // a lone lead byte at the end is left out
      {"inf", 0},
      {"nan", 0},
      {"-1e999", -kInf},
      {"1e-999", 0},
      {"1e99999999999999999999", kInf},
      {"0e99999999999999999999", 0},
      {"0." + std::string(500, '0') + "1e501", 1},
      {std::string(400, '9'), kInf},
      // The nearest double, ties to even.
      {"9007199254740993", 9007199254740992.0},
      {"9007199254740995", 9007199254740996.0},
      {"1.00000000000000011102230246251565404236316680908203125", 1.0},
      {"1.00000000000000011102230246251565404236316680908203126", onePlusUlp},
      {"2.2250738585072011e-308", std::nextafter(std::numeric_limits<double>::min(), 0.0)},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"3e-324", std::numeric_limits<double>::denorm_min()},
      {"2e-324", 0},
      {"1.7976931348623158e308", std::numeric_limits<double>::max()},
      {"1.7976931348623159e308", kInf},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(textToNumber(c.text), c.expected) << c.text;
  }
  EXPECT_TRUE(std::signbit(textToNumber("-0")));
}

TEST(NumberText, IntegerToText) {
  EXPECT_EQ(integerToText(0), "0");
  EXPECT_EQ(integerToText(42), "42");
  EXPECT_EQ(integerToText(-7), "-7");
  EXPECT_EQ(integerToText(INT32_MIN), "-2147483648");
  EXPECT_EQ(integerToText(INT32_MAX), "2147483647");
}

TEST(NumberText, RealToText) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {1, "1"},
      {-1, "-1"},
      {10, "10"},
      {100, "100"},
      {0.5, "0.5"},
      {-2.5, "-2.5"},
      {1.0 / 3, "0.3333333333333"},
      {2.0 / 3, "0.6666666666667"},
      {0.1 + 0.2, "0.3"},
      {1e12, "1000000000000"},
      {9999999999999, "9999999999999"},
      {1e13, "1e+013"},
      {1.5e15, "1.5e+015"},
      {1e20, "1e+020"},
      {-1e20, "-1e+020"},
      {0.0001, "0.0001"},
      {0.00001, "1e-005"},
      {1.5e-7, "1.5e-007"},
      {1e100, "1e+100"},
      // Rounding to 17 digits first: ...4999|8 becomes ...5000 and then rounds up.
      {1.234567890123499996, "1.234567890124"},
      {123456.7890123499997, "123456.7890124"},
      // Rounding that carries into the exponent and changes the form.
      {9999999999999.5, "1e+013"},
      {0.000099999999999995, "0.0001"},
      {99999999999994.9, "9.999999999999e+013"},
      {1234567890123.4, "1234567890123"},
      {0.00012345678901234, "0.0001234567890123"},
      {1e-100, "1e-100"},
      {std::numeric_limits<double>::denorm_min(), "4.940656458412e-324"},
      {std::numeric_limits<double>::max(), "1.797693134862e+308"},
      {kInf, "1.#INF"},
      {-kInf, "-1.#INF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(realToText(c.value), c.expected) << c.expected;
  }
  // A missing stored value counts as 0: one more is 1, one less is -1.
  EXPECT_EQ(realToText(textToNumber("") + 1), "1");
  EXPECT_EQ(realToText(textToNumber("") - 1), "-1");
}

TEST(NumberText, FloorToInteger) {
  struct Case {
    double value;
    std::int32_t expected;
  };
  const Case cases[] = {
      {29.0 / 100 * 100, 29},  // 28.999999999999996
      {57.0 / 100 * 100, 57},  // 56.99999999999999
      {7.0 / 100 * 100, 7},    // 7.000000000000001
      {33.33333333333333, 33},
      {2.5, 2},
      {0.4, 0},
      {-0.5, -1},
      {-2.0000000000001, -3},
      {4294967296.0 + 5, 5},
      {kNaN, 0},
      {0.9999999999995, 1},
      {-0.9999999999995, -1},
      {0.999999999999, 0},
      {-3, -3},
      {kInf, 0},
      {-kInf, 0},
      {2147483648.0, INT32_MIN},                          // low 32 bits, read as signed
      {-4294967297.0, -1},
      {4611686018427387904.0 + 2147483648.0, INT32_MIN},  // 2^62 + 2^31 still fits 64 bits
      {9223372036854775808.0, 0},                         // 2^63 does not
      {1e19, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(floorToInteger(c.value), c.expected) << c.value;
  }
}

TEST(NumberText, TruncateToInteger) {
  struct Case {
    double value;
    std::int32_t expected;
  };
  const Case cases[] = {
      {3.9, 3},
      {-3.9, -3},
      {4294967296.0 + 7, 7},
      {0.9999999999995, 0},
      {-0.5, 0},
      {2147483648.5, INT32_MIN},
      {kNaN, 0},
      {kInf, 0},
      {-kInf, 0},
      {9223372036854775808.0, 0},
      {-1e19, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(truncateToInteger(c.value), c.expected) << c.value;
  }
}

}  // namespace
}  // namespace vexlo
