// Whole logger.bin files: the bundled example and large varied inputs, for
// the generator tool, the tests and the benchmark.
#pragma once

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <vector>

#include "record_builder.hpp"

namespace logger2csv::builder {

inline std::vector<std::uint8_t> example_file() {
  std::vector<std::uint8_t> file;
  // Three samples over one minute.
  append(file, make_block({.count = 3, .samples = {16, -2, 127}}));
  // An erased block between recordings: skipped.
  append(file, filled_block(0xFF));
  // Over midnight: 23:59:50 to 00:00:09 is 20 seconds, 2.5 s per sample.
  append(file, make_block({.header = "LoggeNIGHT-01",
                           .start = stamp(0x14, 0x01, 0x13, 0x23, 0x59, 0x50),
                           .stop = stamp(0x14, 0x01, 0x14, 0x00, 0x00, 0x09),
                           .count = 8,
                           .samples = {-128, -90, -45, -1, 0, 45, 90, 127}}));
  // One second, eight samples: elapsed times on exact halves round up.
  append(file, make_block({.header = "LoggeEIGHTHS1",
                           .start = stamp(0x14, 0x02, 0x01, 0x12, 0x00, 0x00),
                           .stop = stamp(0x14, 0x02, 0x01, 0x12, 0x00, 0x00),
                           .count = 8,
                           .samples = {1, 2, 3, 4, 5, 6, 7, 8}}));
  // A header that is not a recording's ("logge" in lower case): skipped.
  append(file, make_block({.header = "loggeABCDEFGH", .count = 3, .samples = {1, 2, 3}}));
  // No samples: a console line and no rows.
  append(file, make_block({.header = "LoggeEMPTY-01",
                           .start = stamp(0x14, 0x02, 0x02, 0x08, 0x00, 0x00),
                           .stop = stamp(0x14, 0x02, 0x02, 0x08, 0x00, 0x00),
                           .count = 0}));
  // Four wave periods, 200 samples over 100 seconds.
  recording_fields wave{.header = "LoggeWAVE-200",
                        .start = stamp(0x14, 0x02, 0x03, 0x10, 0x15, 0x00),
                        .stop = stamp(0x14, 0x02, 0x03, 0x10, 0x16, 0x39),
                        .count = 200};
  for (int i = 0; i < 200; ++i)
    wave.samples.push_back(static_cast<int>(std::lround(100 * std::sin(i * std::numbers::pi / 25))));
  append(file, make_block(wave));
  return file;
}

// `count` full recordings (224 samples) with varied, valid stamps; the same
// bytes for the same `seed` on every platform.
inline std::vector<std::uint8_t> random_recordings(std::size_t count, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  std::vector<std::uint8_t> file;
  for (std::size_t n = 0; n < count; ++n) {
    char header[header_text_length + 1] = "Logge";
    std::snprintf(header + header_prefix.size(), sizeof header - header_prefix.size(), "%08lu",
                  static_cast<unsigned long>(n % 100000000));
    const int start = pick(0, 86399);
    const int stop = (start + pick(0, 7200)) % 86400;
    const auto year = to_bcd(pick(0, 99)), month = to_bcd(pick(1, 12)), day = to_bcd(pick(1, 28));
    recording_fields fields{
        .header = header,
        .start = stamp(year, month, day, to_bcd(start / 3600), to_bcd(start / 60 % 60), to_bcd(start % 60)),
        .stop = stamp(year, month, day, to_bcd(stop / 3600), to_bcd(stop / 60 % 60), to_bcd(stop % 60)),
        .count = static_cast<std::uint8_t>(samples_capacity)};
    for (std::size_t i = 0; i < samples_capacity; ++i) fields.samples.push_back(pick(-128, 127));
    append(file, make_block(fields));
  }
  return file;
}

// `count` recordings whose header passes the validity test and whose every
// other byte is random: stamps that are not BCD, any count, any samples.
inline std::vector<std::uint8_t> noisy_recordings(std::size_t count, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  auto byte = [&rng](int low) { return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(low, 255)(rng)); };
  std::vector<std::uint8_t> file;
  for (std::size_t n = 0; n < count; ++n) {
    block b;
    std::copy(header_prefix.begin(), header_prefix.end(), b.begin());
    for (std::size_t i = header_prefix.size(); i < header_text_length; ++i) b[i] = byte(1);
    b[header_text_length] = 0;
    for (std::size_t i = header_text_length + 1; i < block_size; ++i) b[i] = byte(0);
    append(file, b);
  }
  return file;
}

}  // namespace logger2csv::builder
