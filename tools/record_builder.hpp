// Builds logger.bin blocks byte by byte, for the example generator and tests.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "recording.hpp"

namespace logger2csv::builder {

using block = std::array<std::uint8_t, block_size>;
using stamp_bytes = std::array<std::uint8_t, time_stamp_size>;

// A time_stamp from its bytes as stored (BCD, so 0x59 for 59). The unused
// byte 4 gets `spare`, which the converter must ignore.
constexpr stamp_bytes stamp(std::uint8_t year, std::uint8_t month, std::uint8_t day, std::uint8_t hours,
                            std::uint8_t minutes, std::uint8_t seconds, std::uint8_t spare = 0x04) {
  stamp_bytes s{};
  s[stamp_seconds] = seconds;
  s[stamp_minutes] = minutes;
  s[stamp_hours] = hours;
  s[stamp_day] = day;
  s[4] = spare;
  s[stamp_month] = month;
  s[stamp_year] = year;
  return s;
}

constexpr std::uint8_t to_bcd(int value) { return static_cast<std::uint8_t>(value / 10 * 16 + value % 10); }

struct recording_fields {
  std::string_view header = "LoggeABCDEFGH";  // copied up to 14 bytes, zero-padded
  stamp_bytes start = stamp(0x14, 0x01, 0x13, 0x09, 0x30, 0x05);
  stamp_bytes stop = stamp(0x14, 0x01, 0x13, 0x09, 0x31, 0x04);
  std::uint8_t count = 0;
  std::vector<int> samples{};  // as signed values; stored as bytes from offset 32
  std::uint8_t fill = 0xA5;    // bytes 14-16 and samples past those given
};

inline block make_block(const recording_fields& fields) {
  block b;
  b.fill(fields.fill);
  std::fill_n(b.begin(), header_text_length + 1, std::uint8_t{0});
  std::copy_n(fields.header.begin(), std::min<std::size_t>(fields.header.size(), header_text_length + 1), b.begin());
  std::copy(fields.start.begin(), fields.start.end(), b.begin() + start_stamp_offset);
  std::copy(fields.stop.begin(), fields.stop.end(), b.begin() + stop_stamp_offset);
  b[sample_count_offset] = fields.count;
  for (std::size_t i = 0; i < fields.samples.size() && i < samples_capacity; ++i)
    b[samples_offset + i] = static_cast<std::uint8_t>(fields.samples[i]);
  return b;
}

// A block of one repeated byte: never a recording.
inline block filled_block(std::uint8_t byte) {
  block b;
  b.fill(byte);
  return b;
}

inline void append(std::vector<std::uint8_t>& file, const block& b) { file.insert(file.end(), b.begin(), b.end()); }

}  // namespace logger2csv::builder
