// Conversions between numbers and GBK texts: reading a decimal number (full-width forms included),
// writing integers, writing reals with 13 significant digits, and the two real-to-integer cuts.
// Stateless; safe from any thread.
#include "runtime/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace vexlo {

namespace {

// The working copy that textToNumber parses: full-width GBK forms become their ASCII bytes, other
// double-byte characters stay as they are, and a lead byte that ends the text is left out.
std::string halfWidthCopy(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out.push_back(text[i]);
      continue;
    }
    if (i + 1 == text.size()) break;
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    ++i;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      out.push_back(' ');
    } else if (lead == 0xA1 && trail == 0xAB) {
      out.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      out.push_back('*');
    } else {
      out.push_back(static_cast<char>(lead));
      out.push_back(static_cast<char>(trail));
    }
  }
  return out;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Exponents far beyond any double are held at this size, so no count can wrap.
constexpr std::int64_t kExponentCap = 1'000'000'000;

// The exact decimal digits of a finite, non-zero magnitude, and the power of ten of the first one.
struct ExactDigits {
  std::string digits;
  int exponent = 0;
};

ExactDigits exactDigits(double magnitude) {
  // A double has at most 767 significant decimal digits; printed with this precision the expansion
  // is exact (the tail is zeros).
  std::array<char, 1024> buffer{};
  const auto printed = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                     std::chars_format::scientific, 780);
  const std::string_view text(buffer.data(), static_cast<std::size_t>(printed.ptr - buffer.data()));
  const std::size_t e = text.find('e');
  ExactDigits result;
  result.digits.push_back(text[0]);
  result.digits.append(text.substr(2, e - 2));
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                  result.exponent);
  return result;
}

// Rounds a digit string to `keep` digits, rounding up when the next digit is 5 or more; a carry out
// of the first digit raises the exponent.
void roundDigits(ExactDigits& value, std::size_t keep) {
  if (value.digits.size() <= keep) return;
  const bool up = value.digits[keep] >= '5';
  value.digits.resize(keep);
  if (!up) return;
  for (std::size_t i = keep; i-- > 0;) {
    if (value.digits[i] != '9') {
      ++value.digits[i];
      return;
    }
    value.digits[i] = '0';
  }
  value.digits.insert(value.digits.begin(), '1');
  value.digits.pop_back();
  ++value.exponent;
}

void trimTrailingZeros(std::string& digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

// The 64-bit integer of a real already cut to a whole number, as its low 32 bits read as signed;
// 0 when it lies outside the 64-bit range.
std::int32_t lowBits(double whole) {
  constexpr double kTwo63 = 9223372036854775808.0;
  if (!(whole >= -kTwo63 && whole < kTwo63)) return 0;
  const auto wide = static_cast<std::uint64_t>(static_cast<std::int64_t>(whole));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
}

}  // namespace

double textToNumber(std::string_view text) {
  const std::string work = halfWidthCopy(text);
  const std::size_t n = work.size();
  std::size_t i = 0;
  while (i < n && (work[i] == ' ' || (work[i] >= 0x09 && work[i] <= 0x0D))) ++i;
  bool negative = false;
  if (i < n && (work[i] == '+' || work[i] == '-')) negative = work[i++] == '-';

  // Significant digits without leading zeros, and the power of ten of the place just before the
  // first of them: the value is 0.DIGITS times 10 to that power.
  std::string digits;
  std::int64_t pointExponent = 0;
  bool anyDigit = false;
  bool afterPoint = false;
  for (; i < n; ++i) {
    const char c = work[i];
    if (c == '.' && !afterPoint) {
      afterPoint = true;
    } else if (isDigit(c)) {
      anyDigit = true;
      if (digits.empty() && c == '0') {
        if (afterPoint) --pointExponent;
      } else {
        digits.push_back(c);
        if (!afterPoint) ++pointExponent;
      }
    } else {
      break;
    }
  }
  if (!anyDigit) return 0.0;

  if (i < n && (work[i] == 'e' || work[i] == 'E' || work[i] == 'd' || work[i] == 'D')) {
    std::size_t j = i + 1;
    bool exponentNegative = false;
    if (j < n && (work[j] == '+' || work[j] == '-')) exponentNegative = work[j++] == '-';
    if (j < n && isDigit(work[j])) {
      std::int64_t exponent = 0;
      for (; j < n && isDigit(work[j]); ++j) {
        if (exponent < kExponentCap) exponent = exponent * 10 + (work[j] - '0');
      }
      pointExponent += exponentNegative ? -exponent : exponent;
    }
  }

  const double sign = negative ? -1.0 : 1.0;
  trimTrailingZeros(digits);
  if (digits.empty()) return sign * 0.0;
  // Beyond these powers every value overflows or rounds to zero.
  if (pointExponent > 400) return sign * std::numeric_limits<double>::infinity();
  if (pointExponent < -400) return sign * 0.0;

  const std::string normalised = "0." + digits + "e" + std::to_string(pointExponent);
  double magnitude = 0.0;
  const auto parsed =
      std::from_chars(normalised.data(), normalised.data() + normalised.size(), magnitude);
  if (parsed.ec == std::errc::result_out_of_range) {
    magnitude = pointExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return sign * magnitude;
}

std::string integerToText(std::int32_t value) { return std::to_string(value); }

std::string realToText(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-1.#QNAN" : "1.#QNAN";
  if (std::isinf(value)) return value < 0 ? "-1.#INF" : "1.#INF";
  if (value == 0.0) return "0";

  ExactDigits rounded = exactDigits(std::fabs(value));
  roundDigits(rounded, 17);
  roundDigits(rounded, 13);
  trimTrailingZeros(rounded.digits);
  const std::string& d = rounded.digits;
  const int x = rounded.exponent;

  std::string out = value < 0 ? "-" : "";
  if (x >= -4 && x <= 12) {
    if (x < 0) {
      out += "0.";
      out.append(static_cast<std::size_t>(-x - 1), '0');
      out += d;
    } else {
      const auto wholeDigits = static_cast<std::size_t>(x) + 1;
      if (d.size() <= wholeDigits) {
        out += d;
        out.append(wholeDigits - d.size(), '0');
      } else {
        out.append(d, 0, wholeDigits);
        out += '.';
        out.append(d, wholeDigits);
      }
    }
    return out;
  }

  out += d[0];
  if (d.size() > 1) {
    out += '.';
    out.append(d, 1);
  }
  out += x < 0 ? "e-" : "e+";
  const std::string exponent = std::to_string(x < 0 ? -x : x);
  if (exponent.size() < 3) out.append(3 - exponent.size(), '0');
  out += exponent;
  return out;
}

std::int32_t floorToInteger(double value) {
  if (!std::isfinite(value)) return 0;
  const double whole = std::trunc(value);
  if (value >= 0 && value - whole > 0.999999999999) return lowBits(whole + 1);
  return lowBits(std::floor(value));
}

std::int32_t truncateToInteger(double value) {
  if (!std::isfinite(value)) return 0;
  return lowBits(std::trunc(value));
}

}  // namespace vexlo
