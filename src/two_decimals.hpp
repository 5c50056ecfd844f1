// Fixed-point text with exactly two decimals, rounded the way logger.csv has
// always been written: the value is first rounded to 17 significant decimal
// digits (ties to even at the 17th digit), and that digit string is then
// rounded at the second decimal with a following digit of 5 or more rounding
// up, that is away from zero. So an exact half rounds away from zero
// (0.125 -> "0.13") and so does a value whose 17 digits end in a half
// (0.104999999999999996... has the digits 0.10500000000000000 -> "0.11").
// For |value| < 1e13 the tie rule at the 17th digit never shows in the output.
//
// Text: an optional '-' (whenever the sign bit is set, so -0.001 and -0.0 give
// "-0.00"), at least one integer digit, '.', two digits; digits past the 17th
// significant one are zeros. Infinities and NaNs give "inf", "-inf", "nan",
// "-nan".
#pragma once

#include <cstddef>
#include <limits>

namespace logger2csv {

// Sign, every integer digit of the largest double, point, two decimals.
inline constexpr std::size_t two_decimals_max_chars = 1 + (std::numeric_limits<double>::max_exponent10 + 1) + 1 + 2;

// Writes `value` as described above into `out`, at most two_decimals_max_chars
// characters, and returns the end. Exact integer arithmetic; falls back to
// write_two_decimals_slow only for values within a hair of a rounding tie,
// magnitudes of 2^43 and more, infinities and NaNs.
char* write_two_decimals(char* out, double value) noexcept;

// The same text made the slow, literal way: 17 significant digits from an
// exactly rounded conversion, then rounding of that digit string.
char* write_two_decimals_slow(char* out, double value) noexcept;

}  // namespace logger2csv
