#include "two_decimals.hpp"

#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace logger2csv {

namespace {

constexpr int significant_digits = 17;

char* write_special(char* out, double value) noexcept {
  if (std::signbit(value)) *out++ = '-';
  const char* text = std::isnan(value) ? "nan" : "inf";
  std::memcpy(out, text, 3);
  return out + 3;
}

constexpr auto two_digit_table = [] {
  std::array<char, 200> table{};
  for (std::size_t i = 0; i < 100; ++i) {
    table[2 * i] = static_cast<char>('0' + i / 10);
    table[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return table;
}();

const char* digit_pair(std::uint32_t below_hundred) noexcept {
  return &two_digit_table[2 * std::size_t{below_hundred}];
}

// `value` in decimal without leading zeros. Values below 10^8, all that
// elapsed times reach, go by digit pairs with no loop over single digits.
char* write_unsigned(char* out, std::uint64_t value) noexcept {
  constexpr std::uint64_t pairs_limit = 100'000'000;
  if (value >= pairs_limit)
    return std::to_chars(out, out + std::numeric_limits<std::uint64_t>::digits10 + 1, value).ptr;
  auto v = static_cast<std::uint32_t>(value);
  const int digits = v < 10         ? 1
                     : v < 100      ? 2
                     : v < 1000     ? 3
                     : v < 10000    ? 4
                     : v < 100000   ? 5
                     : v < 1000000  ? 6
                     : v < 10000000 ? 7
                                    : 8;
  char* p = out + digits;
  while (v >= 100) {
    p -= 2;
    std::memcpy(p, digit_pair(v % 100), 2);
    v /= 100;
  }
  if (v >= 10)
    std::memcpy(p - 2, digit_pair(v), 2);
  else
    p[-1] = static_cast<char>('0' + v);
  return out + digits;
}

// `hundredths` / 100 as "integer.dd", with a leading '-' when `negative`.
char* write_hundredths(char* out, bool negative, std::uint64_t hundredths) noexcept {
  if (negative) *out++ = '-';
  out = write_unsigned(out, hundredths / 100);
  *out++ = '.';
  std::memcpy(out, digit_pair(static_cast<std::uint32_t>(hundredths % 100)), 2);
  return out + 2;
}

}  // namespace

char* write_two_decimals_slow(char* out, double value) noexcept {
  if (!std::isfinite(value)) return write_special(out, value);

  // d.dddddddddddddddde±x: the 17 significant digits and the decimal exponent
  // of the leading one.
  char sci[32];
  const auto converted =
      std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, significant_digits - 1);
  assert(converted.ec == std::errc{});
  char digits[significant_digits];
  digits[0] = sci[0];
  std::memcpy(digits + 1, sci + 2, significant_digits - 1);
  int exponent = 0;
  std::from_chars(sci + significant_digits + 2 + (sci[significant_digits + 2] == '+'), converted.ptr, exponent);

  // Digit i of the string has weight 10^(exponent - i). The kept digits run
  // down to weight 10^-2; the digit of weight 10^-3 decides the rounding.
  // So digits[kept] is the one of weight 10^-3.
  const int kept = exponent + 3;
  const bool round_up = kept >= 0 && kept < significant_digits && digits[kept] >= '5';

  // The hundredths as a decimal digit string after three zeros, which give
  // "0.dd" its digits when the value is small and take a carry out of 9s.
  constexpr int leading_zeros = 3;
  char hundredths[leading_zeros + std::numeric_limits<double>::max_exponent10 + 3];
  int length = 0;
  while (length < leading_zeros) hundredths[length++] = '0';
  for (int i = 0; i < kept; ++i) hundredths[length++] = i < significant_digits ? digits[i] : '0';
  if (round_up) {
    int i = length - 1;
    while (hundredths[i] == '9') hundredths[i--] = '0';
    ++hundredths[i];
  }
  // Drop leading zeros but keep at least three digits: "0.dd".
  int first = 0;
  while (first < length - 3 && hundredths[first] == '0') ++first;

  if (std::signbit(value)) *out++ = '-';
  const int integer_digits = length - first - 2;
  std::memcpy(out, hundredths + first, static_cast<std::size_t>(integer_digits));
  out += integer_digits;
  *out++ = '.';
  std::memcpy(out, hundredths + length - 2, 2);
  return out + 2;
}

// Fast path. With |value| = m * 2^-s (m the 53-bit significand), 100 * |value|
// = q + rem / 2^s exactly. Rounding to 17 significant digits moves |value| by
// at most half a unit of its 17th digit, at most |value| * 5e-17, which is
// m * 5e-15 in units of rem. When rem is farther than that from the half, the
// 17-digit rounding cannot carry the value across x.xx5 and the exact value
// decides; the window used, m / 2^46 + 1, is about three times wider.
// An exact half has at most three decimals, so for |value| < 2^43 (at most 16
// significant digits) the 17-digit rounding leaves it alone and it rounds up.
char* write_two_decimals(char* out, double value) noexcept {
  constexpr int mantissa_bits = std::numeric_limits<double>::digits - 1;                        // 52
  constexpr int exponent_bias = std::numeric_limits<double>::max_exponent - 1 + mantissa_bits;  // 1075
  constexpr int max_fast_shift = 63;                      // 100 * m < 2^60 and rem fit in 64 bits
  constexpr int min_fast_shift = mantissa_bits + 1 - 43;  // |value| < 2^43
  // Below this even the 17-digit rounding stays under 0.005.
  constexpr double below_half_hundredth = 0.004;

  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const double magnitude = std::fabs(value);
  if (magnitude < below_half_hundredth) return write_hundredths(out, negative, 0);

  const int biased_exponent = static_cast<int>((bits >> mantissa_bits) & 0x7FF);
  const int shift = exponent_bias - biased_exponent;
  if (shift < min_fast_shift || shift > max_fast_shift) return write_two_decimals_slow(out, value);

  const std::uint64_t significand =
      (bits & ((std::uint64_t{1} << mantissa_bits) - 1)) | (std::uint64_t{1} << mantissa_bits);
  const std::uint64_t scaled = significand * 100;
  const std::uint64_t whole = scaled >> shift;
  const std::uint64_t rem = scaled & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  const std::uint64_t distance = rem > half ? rem - half : half - rem;
  if (distance == 0) return write_hundredths(out, negative, whole + 1);
  if (distance <= (significand >> 46) + 1) return write_two_decimals_slow(out, value);
  return write_hundredths(out, negative, whole + (rem > half ? 1 : 0));
}

}  // namespace logger2csv
