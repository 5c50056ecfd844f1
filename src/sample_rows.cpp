#include "sample_rows.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace logger2csv {

namespace {

constexpr double seconds_per_minute = 60;
constexpr double seconds_per_day = 86400;

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

std::size_t row_count(recording record) noexcept { return std::min<std::size_t>(sample_count(record), samples_capacity); }

char* write_sample_rows(std::span<char, rows_max_chars> out, recording record) noexcept {
  char* end = out.data();
  const std::size_t rows = row_count(record);
  if (rows == 0) return end;

  char stamp[stamp_text_max_chars];
  const auto stamp_length = static_cast<std::size_t>(write_stamp_text(stamp, start_stamp(record)) - stamp);
  const double interval = sample_interval(record);
  double elapsed = 0.0;
  for (std::size_t i = 0; i < rows; ++i) {
    std::memcpy(end, stamp, stamp_length);
    end += stamp_length;
    *end++ = ',';
    end = write_two_decimals(end, elapsed);
    *end++ = ',';
    end = std::to_chars(end, end + sample_max_chars, sample_value(record, i)).ptr;
    *end++ = '\r';
    *end++ = '\n';
    elapsed += interval;
  }
  return end;
}

}  // namespace logger2csv
