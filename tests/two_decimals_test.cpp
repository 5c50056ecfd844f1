#include "two_decimals.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

using namespace logger2csv;

std::string fast(double value) {
  char buffer[two_decimals_max_chars];
  return {buffer, write_two_decimals(buffer, value)};
}

std::string slow(double value) {
  char buffer[two_decimals_max_chars];
  return {buffer, write_two_decimals_slow(buffer, value)};
}

// The reference: the exact decimal expansion of the double, by schoolbook
// arithmetic on a digit string, then the two roundings done by hand.
// Slow and independent of the library's conversions.

// digits *= factor, digits being a decimal string, most significant first.
void multiply(std::string& digits, std::uint64_t factor) {
  std::uint64_t carry = 0;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    const std::uint64_t product = static_cast<std::uint64_t>(*it - '0') * factor + carry;
    *it = static_cast<char>('0' + product % 10);
    carry = product / 10;
  }
  for (; carry != 0; carry /= 10) digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
}

// Adds one unit at digits[position], carrying leftwards; may grow the string
// at the front, and returns how many digits it grew by.
std::size_t increment_at(std::string& digits, std::size_t position) {
  for (std::size_t i = position + 1; i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return 0;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
  return 1;
}

// |value| == digits * 10^-fraction_digits exactly.
void exact_decimal(double value, std::string& digits, std::size_t& fraction_digits) {
  int exponent = 0;
  const double significand = std::frexp(std::fabs(value), &exponent);  // in [0.5, 1)
  auto integer = static_cast<std::uint64_t>(std::ldexp(significand, 53));
  exponent -= 53;
  digits = std::to_string(integer);
  fraction_digits = 0;
  // Whole steps of 2^16 or 5^16 keep the products far inside 64 bits.
  for (; exponent >= 16; exponent -= 16) multiply(digits, std::uint64_t{1} << 16);
  for (; exponent > 0; --exponent) multiply(digits, 2);
  // m * 2^-k == m * 5^k * 10^-k
  for (; exponent <= -16; exponent += 16, fraction_digits += 16) multiply(digits, 152587890625ULL);
  for (; exponent < 0; ++exponent, ++fraction_digits) multiply(digits, 5);
}

std::string reference(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  std::string digits;
  std::size_t fraction_digits = 0;
  exact_decimal(value, digits, fraction_digits);
  // Give the string a digit at 10^-3 and at least one integer digit.
  while (fraction_digits < 3) digits += '0', ++fraction_digits;
  while (digits.size() <= fraction_digits) digits.insert(digits.begin(), '0');

  // Round to 17 significant digits, ties to even.
  const std::size_t first = digits.find_first_not_of('0');
  if (first != std::string::npos && digits.size() - first > 17) {
    const std::size_t last_kept = first + 16;
    const std::string rest = digits.substr(last_kept + 1);
    const bool over_half = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    const bool half = rest[0] == '5' && !over_half && rest.find_first_not_of('0', 1) == std::string::npos;
    const bool odd = (digits[last_kept] - '0') % 2 == 1;
    for (std::size_t i = last_kept + 1; i < digits.size(); ++i) digits[i] = '0';
    if (over_half || (half && odd)) increment_at(digits, last_kept);
  }

  // Round the digit string at the second decimal, 5 or more going up.
  const std::size_t thousandths = digits.size() - fraction_digits + 2;
  std::string hundredths = digits.substr(0, thousandths);
  if (digits[thousandths] >= '5') increment_at(hundredths, hundredths.size() - 1);
  const std::size_t integer_end = hundredths.size() - 2;
  std::size_t integer_begin = hundredths.find_first_not_of('0');
  if (integer_begin == std::string::npos || integer_begin >= integer_end) integer_begin = integer_end - 1;
  std::string text = std::signbit(value) ? "-" : "";
  text.append(hundredths, integer_begin, integer_end - integer_begin);
  text += '.';
  text.append(hundredths, integer_end);
  return text;
}

struct known_case {
  double value;
  const char* text;
};

// Each case is checked against the reference too, so the table also tests it.
const known_case known_cases[] = {
    {0.0, "0.00"},
    {-0.0, "-0.00"},
    {1.0, "1.00"},
    {0.125, "0.13"},  // exact halves round away from zero
    {0.375, "0.38"},
    {0.625, "0.63"},
    {0.875, "0.88"},
    {-0.125, "-0.13"},
    {2.5, "2.50"},
    {0.104999999999999996, "0.11"},  // 17 digits 0.10500000000000000
    {0.995, "1.00"},                 // 0.99499999999999999556: 17 digits end ...500, carries into the units
    {2.675, "2.67"},                 // 2.67499999999999982: 17 digits still below the half
    {1.005, "1.00"},                 // 1.00499999999999989
    {99.995, "100.00"},              // 99.99500000000000455: just over the half
    {0.005, "0.01"},                 // 0.00500000000000000010
    {0.015, "0.01"},                 // 0.0149999999999999994
    {0.0049999, "0.00"},
    {-0.001, "-0.00"},  // negative, rounding to zero: keeps its sign
    {-0.005, "-0.01"},
    {-17.5, "-17.50"},
    {604066.0, "604066.00"},
    {0.1 + 0.2, "0.30"},
    {1e15 + 0.25, "1000000000000000.20"},             // a tie at the 17th digit goes to even
    {1e15 + 0.75, "1000000000000000.80"},             // and here up, to even
    {123456789012345678.0, "123456789012345680.00"},  // digits past the 17th are zeros
    {1e20, "100000000000000000000.00"},
    {std::numeric_limits<double>::denorm_min(), "0.00"},
    {-std::numeric_limits<double>::denorm_min(), "-0.00"},
    {std::numeric_limits<double>::infinity(), "inf"},
    {-std::numeric_limits<double>::infinity(), "-inf"},
    {std::numeric_limits<double>::quiet_NaN(), "nan"},
};

TEST(TwoDecimals, KnownCases) {
  for (const auto& c : known_cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(fast(c.value), c.text);
    EXPECT_EQ(slow(c.value), c.text);
    EXPECT_EQ(reference(c.value), c.text);
  }
}

TEST(TwoDecimals, LargestValueFillsTheStatedMaximum) {
  const double largest = -std::numeric_limits<double>::max();
  const std::string text = "-17976931348623157" + std::string(309 - 17, '0') + ".00";
  EXPECT_EQ(text.size(), two_decimals_max_chars);
  EXPECT_EQ(fast(largest), text);
  EXPECT_EQ(reference(largest), text);
}

// Compares fast path, slow path and reference on one value, counting the
// disagreements in `reported` and showing the first few.
void compare(double value, int& reported) {
  const std::string expected = reference(value);
  const std::string got_fast = fast(value), got_slow = slow(value);
  if (got_fast == expected && got_slow == expected) return;
  if (reported++ < 10)
    ADD_FAILURE() << std::hexfloat << value << std::defaultfloat << " reference " << expected << " fast " << got_fast
                  << " slow " << got_slow;
}

// Values in the neighbourhood of x, a few units in the last place either side.
template <typename F>
void around(double x, F&& check) {
  double below = x, above = x;
  check(x);
  for (int i = 0; i < 3; ++i) {
    below = std::nextafter(below, -INFINITY);
    above = std::nextafter(above, INFINITY);
    check(below);
    check(above);
  }
}

TEST(TwoDecimals, AgreesWithReferenceOnRandomValues) {
  std::mt19937_64 rng(20261211);
  int reported = 0;
  long checked = 0;
  auto check = [&](double v) {
    compare(v, reported);
    compare(-v, reported);
    checked += 2;
  };

  // Elapsed times as the converter makes them: running sums of duration/count.
  std::uniform_int_distribution<int> duration(-600000, 604066), count(1, 255);
  for (int r = 0; r < 400; ++r) {
    const double interval = duration(rng) / static_cast<double>(count(rng));
    double elapsed = 0.0;
    for (int i = 0; i < 224; ++i, elapsed += interval) check(elapsed);
  }
  // Short recordings over many sample counts: multiples of 1/count are ties or
  // near ties whenever count divides into eighths or two-hundredths.
  for (int d = 1; d <= 30; ++d)
    for (int c = 1; c <= 255; ++c) {
      const double interval = d / static_cast<double>(c);
      double elapsed = 0.0;
      for (int i = 0; i < 16; ++i, elapsed += interval) check(elapsed);
    }
  // Near ties k/8 and k/200 and their neighbours.
  std::uniform_int_distribution<long> numerator(0, 80000000);
  for (int i = 0; i < 10000; ++i) {
    around(static_cast<double>(numerator(rng)) / 8, check);
    around(static_cast<double>(numerator(rng)) / 200, check);
  }
  // Random bit patterns from about 1e-4 to 1e17, every exponent alike.
  std::uniform_int_distribution<std::uint64_t> bits(std::bit_cast<std::uint64_t>(1e-4),
                                                    std::bit_cast<std::uint64_t>(1e17));
  for (int i = 0; i < 30000; ++i) check(std::bit_cast<double>(bits(rng)));
  // And a few from the whole range of finite doubles.
  std::uniform_int_distribution<std::uint64_t> any(0, std::bit_cast<std::uint64_t>(DBL_MAX));
  for (int i = 0; i < 300; ++i) check(std::bit_cast<double>(any(rng)));

  EXPECT_GE(checked, 100000);
  EXPECT_EQ(reported, 0);
}

}  // namespace
