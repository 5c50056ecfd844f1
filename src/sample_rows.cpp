#include "sample_rows.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>

namespace logger2csv {

namespace {

constexpr double seconds_per_minute = 60;
constexpr double seconds_per_day = 86400;

// The end of a row for each sample byte, ",<signed value>\r\n", padded to a
// fixed size so that every row copies the same number of bytes.
constexpr std::size_t row_end_max_chars = 1 + sample_max_chars + row_end_chars;  // ",-128\r\n"
struct row_end {
  std::array<char, row_end_max_chars> text;
  std::uint8_t length;
};

constexpr auto row_ends = [] {
  std::array<row_end, std::numeric_limits<std::uint8_t>::max() + 1> table{};
  for (std::size_t byte = 0; byte < table.size(); ++byte) {
    const int value = sample_value(static_cast<std::uint8_t>(byte));
    char digits[sample_max_chars];
    std::size_t count = 0;
    for (int rest = value < 0 ? -value : value; count == 0 || rest > 0; rest /= 10)
      digits[count++] = static_cast<char>('0' + rest % 10);
    auto& entry = table[byte];
    std::size_t at = 0;
    entry.text[at++] = ',';
    if (value < 0) entry.text[at++] = '-';
    while (count > 0) entry.text[at++] = digits[--count];
    entry.text[at++] = '\r';
    entry.text[at++] = '\n';
    entry.length = static_cast<std::uint8_t>(at);
  }
  return table;
}();

}  // namespace

double recording_duration(recording record) noexcept {
  const time_stamp start = start_stamp(record);
  const time_stamp stop = stop_stamp(record);
  const int seconds = bcd_value(stop[stamp_seconds]) - bcd_value(start[stamp_seconds]) + 1;
  const int minutes = bcd_value(stop[stamp_minutes]) - bcd_value(start[stamp_minutes]);
  const int hours = bcd_value(stop[stamp_hours]) - bcd_value(start[stamp_hours]);
  double duration = hours * seconds_per_minute * seconds_per_minute + minutes * seconds_per_minute + seconds;
  if (duration < 0) duration += seconds_per_day;
  return duration;
}

double sample_interval(recording record) noexcept { return recording_duration(record) / sample_count(record); }

std::size_t row_count(recording record) noexcept {
  return std::min<std::size_t>(sample_count(record), samples_capacity);
}

char* write_sample_rows(std::span<char, rows_max_chars> out, recording record) noexcept {
  char* end = out.data();
  const std::size_t rows = row_count(record);
  if (rows == 0) return end;

  // Every row starts with the same "stamp,": made once, copied whole (fixed
  // sizes copy fastest), then the row goes on after its real length. The
  // fixed copies stay inside `out`: each row starts with at least
  // row_max_chars left, and its two fixed copies and the number together take
  // at most that.
  char start[stamp_text_max_chars + 1] = {};
  char* start_end = write_stamp_text(start, start_stamp(record));
  *start_end++ = ',';
  const auto start_length = static_cast<std::size_t>(start_end - start);
  const double interval = sample_interval(record);
  double elapsed = 0.0;
  for (std::size_t i = 0; i < rows; ++i) {
    std::memcpy(end, start, sizeof start);
    end = write_two_decimals(end + start_length, elapsed);
    const row_end& sample = row_ends[record[samples_offset + i]];
    std::memcpy(end, sample.text.data(), row_end_max_chars);
    end += sample.length;
    elapsed += interval;
  }
  return end;
}

}  // namespace logger2csv
