// Conversions between numbers and GBK texts, with the exact results that reach stored values
// and replies. Reals are IEEE doubles, integers signed 32-bit. No function keeps state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexlo {

// Reads a decimal number from the start of `text`: leading white space (0x09-0x0D, blank), a sign,
// digits with at most one point, an optional exponent (e, E, d or D). Full-width GBK forms of ASCII
// characters, the ideographic space, tilde and stars count as their ASCII equivalents. Parsing stops
// at the first byte that does not fit; no digit gives 0; overflow gives an infinity with its sign.
double textToNumber(std::string_view text);

// Returns the decimal digits of `value`, with "-" for a negative value.
std::string integerToText(std::int32_t value);

// Returns `value` with 13 significant digits (after a first rounding to 17), in plain form for
// decimal exponents -4 to 12 and otherwise as d.ddde+NNN with at least three exponent digits;
// zero gives "0", infinities "1.#INF" and "-1.#INF".
std::string realToText(double value);

// Returns the largest integer not above `value`, except that a non-negative value whose fraction
// exceeds 0.999999999999 rounds up; the low 32 bits of the 64-bit result, read as signed. Not-a-
// number, infinities and values beyond the 64-bit range give 0.
std::int32_t floorToInteger(double value);

// Returns `value` without its fraction (toward zero); the low 32 bits of the 64-bit result, read as
// signed. Not-a-number, infinities and values beyond the 64-bit range give 0.
std::int32_t truncateToInteger(double value);

}  // namespace vexlo
