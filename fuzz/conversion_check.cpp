#include "conversion_check.hpp"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "recording.hpp"
#include "sample_rows.hpp"
#include "two_decimals.hpp"

namespace logger2csv::checking {

namespace {

bool passes_validity_test(std::span<const std::uint8_t> block) {
  const std::string_view text(reinterpret_cast<const char*>(block.data()), header_text_length);
  return text.starts_with("Logge") && text.find('\0') == std::string_view::npos && block[header_text_length] == 0;
}

std::string stamp_text(std::span<const std::uint8_t> stamp) {
  char text[64];
  std::snprintf(text, sizeof text, "%x/%x/%x %x:%x:%x", stamp[stamp_year], stamp[stamp_month], stamp[stamp_day],
                stamp[stamp_hours], stamp[stamp_minutes], stamp[stamp_seconds]);
  return text;
}

std::string summary_line(std::span<const std::uint8_t> block, header_style style) {
  std::string line;
  for (std::size_t i = 0; i < header_text_length; ++i) {
    const auto byte = static_cast<char>(block[i]);
    const bool control = block[i] < 0x20 || block[i] == 0x7F;
    line += control && style == header_style::terminal_safe ? '?' : byte;
  }
  return line + ',' + stamp_text(block.subspan(start_stamp_offset, time_stamp_size)) + ',' +
         stamp_text(block.subspan(stop_stamp_offset, time_stamp_size));
}

// Seconds from start to stop with the stop second counted in, plus one day
// when negative; BCD nibbles at face value.
double duration_of(std::span<const std::uint8_t> block) {
  const auto face = [](std::uint8_t b) { return (b >> 4) * 10 + (b & 15); };
  const auto seconds_of_day = [&](std::size_t at) {
    return face(block[at + stamp_hours]) * 3600 + face(block[at + stamp_minutes]) * 60 +
           face(block[at + stamp_seconds]);
  };
  const int seconds = seconds_of_day(stop_stamp_offset) - seconds_of_day(start_stamp_offset) + 1;
  return seconds < 0 ? seconds + 86400.0 : seconds;
}

std::string slow_two_decimals(double value) {
  std::vector<char> text(two_decimals_max_chars);
  return {text.data(), write_two_decimals_slow(text.data(), value)};
}

std::string check_rows(std::span<const std::uint8_t> block, std::string_view rows) {
  const unsigned count = block[sample_count_offset];
  const std::size_t expected_rows = std::min<std::size_t>(count, samples_capacity);
  const std::string stamp = stamp_text(block.subspan(start_stamp_offset, time_stamp_size));
  const double interval = count ? duration_of(block) / count : 0;
  double elapsed = 0;
  for (std::size_t i = 0; i < expected_rows; ++i, elapsed += interval) {
    const std::size_t end = rows.find("\r\n");
    if (end == std::string_view::npos) return "row " + std::to_string(i) + " is missing or has no CR LF";
    const std::string_view row = rows.substr(0, end);
    rows.remove_prefix(end + 2);
    const std::string expected = stamp + ',' + slow_two_decimals(elapsed) + ',' +
                                 std::to_string(static_cast<std::int8_t>(block[samples_offset + i]));
    if (row != expected)
      return "row " + std::to_string(i) + " is \"" + std::string(row) + "\", not \"" + expected + "\"";
  }
  if (!rows.empty()) return "text after the last of " + std::to_string(expected_rows) + " rows";
  return "";
}

}  // namespace

std::string check_conversion(std::span<const std::uint8_t> file) {
  std::size_t recordings = 0;
  for (std::size_t at = 0; at + block_size <= file.size(); at += block_size) {
    // A copy of its own, so that any read past the block is a sanitizer error.
    const std::vector<std::uint8_t> copy(file.begin() + static_cast<std::ptrdiff_t>(at),
                                         file.begin() + static_cast<std::ptrdiff_t>(at + block_size));
    const block_bytes block{copy.data(), block_size};
    const std::string where = "block " + std::to_string(at / block_size) + ": ";
    if (is_recording(block) != passes_validity_test(block)) return where + "validity test disagrees";
    if (!is_recording(block)) continue;
    ++recordings;

    for (const header_style style : {header_style::raw, header_style::terminal_safe}) {
      std::vector<char> line(summary_text_max_chars);
      const std::string_view made(line.data(), write_summary_text(line.data(), block, style));
      if (made != summary_line(block, style)) return where + "summary line \"" + std::string(made) + "\"";
    }

    std::vector<char> rows(rows_max_chars);
    const std::string_view made(rows.data(),
                                write_sample_rows(std::span<char, rows_max_chars>{rows.data(), rows_max_chars}, block));
    if (const std::string fault = check_rows(block, made); !fault.empty()) return where + fault;
  }
  return "";
}

}  // namespace logger2csv::checking
