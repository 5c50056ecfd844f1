#include "recording.hpp"

#include <algorithm>

namespace logger2csv {

bool is_recording(block_bytes block) noexcept {
  const auto header = block.subspan<header_offset, header_text_length + 1>();
  const auto prefix = header.first<header_prefix.size()>();
  const auto text = header.first<header_text_length>();
  return std::equal(prefix.begin(), prefix.end(), header_prefix.begin()) &&
         std::find(text.begin(), text.end(), 0) == text.end() && header[header_text_length] == 0;
}

namespace {

constexpr char hex_digits[] = "0123456789abcdef";

// One byte as lowercase hex without leading zeros: 1 or 2 characters.
char* write_hex_byte(char* out, std::uint8_t byte) noexcept {
  if (byte >= 0x10) *out++ = hex_digits[byte >> 4];
  *out++ = hex_digits[byte & 0x0F];
  return out;
}

}  // namespace

char* write_stamp_text(char* out, time_stamp stamp) noexcept {
  out = write_hex_byte(out, stamp[stamp_year]);
  *out++ = '/';
  out = write_hex_byte(out, stamp[stamp_month]);
  *out++ = '/';
  out = write_hex_byte(out, stamp[stamp_day]);
  *out++ = ' ';
  out = write_hex_byte(out, stamp[stamp_hours]);
  *out++ = ':';
  out = write_hex_byte(out, stamp[stamp_minutes]);
  *out++ = ':';
  return write_hex_byte(out, stamp[stamp_seconds]);
}

char* write_summary_text(char* out, recording record, header_style style) noexcept {
  for (const std::uint8_t byte : record.subspan<header_offset, header_text_length>()) {
    const bool control = byte < 0x20 || byte == 0x7F;
    *out++ = (control && style == header_style::terminal_safe) ? '?' : static_cast<char>(byte);
  }
  *out++ = ',';
  out = write_stamp_text(out, start_stamp(record));
  *out++ = ',';
  return write_stamp_text(out, stop_stamp(record));
}

}  // namespace logger2csv
