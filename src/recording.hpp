// The record layout of logger.bin and the pieces of text the converter makes
// from a record's header and date-and-time groups.
//
// logger.bin is a plain sequence of fixed-size blocks with no file header,
// trailer or padding; block n occupies bytes [n * block_size, (n + 1) *
// block_size). A block that passes is_recording() is one stretch of logging:
//
//   offset  size  field
//        0    14  header text: 13 non-zero bytes starting "Logge", then a zero
//       14     3  (not used)
//       17     7  start stamp, a time_stamp
//       24     7  stop stamp, a time_stamp
//       31     1  sample count, unsigned, 0..255
//       32   224  samples, one signed byte each; only the first `count` matter
//
// Every field is a single byte or a run of single bytes, so the layout has no
// byte order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace logger2csv {

inline constexpr std::size_t block_size = 256;

inline constexpr std::size_t header_offset = 0;
inline constexpr std::size_t header_text_length = 13;  // then one zero byte
inline constexpr std::string_view header_prefix = "Logge";
inline constexpr std::size_t start_stamp_offset = 17;
inline constexpr std::size_t stop_stamp_offset = 24;
inline constexpr std::size_t time_stamp_size = 7;
inline constexpr std::size_t sample_count_offset = 31;
inline constexpr std::size_t samples_offset = 32;
// The count byte can state up to 255 samples, but the block holds only these.
inline constexpr std::size_t samples_capacity = block_size - samples_offset;

// Bytes of a time_stamp, each packed BCD (tens digit in the high nibble).
// Byte 4 is not used by the converter.
enum stamp_byte : std::size_t {
  stamp_seconds = 0,
  stamp_minutes = 1,
  stamp_hours = 2,  // 24-hour clock
  stamp_day = 3,
  stamp_month = 5,
  stamp_year = 6,  // last two digits
};

using block_bytes = std::span<const std::uint8_t, block_size>;
// A block that has passed is_recording().
using recording = block_bytes;
using time_stamp = std::span<const std::uint8_t, time_stamp_size>;

// True when the block is a recording: bytes 0-4 are "Logge" (case-sensitive),
// bytes 5-12 are non-zero and byte 13 is zero. Nothing past byte 13 is looked at.
bool is_recording(block_bytes block) noexcept;

inline time_stamp start_stamp(recording record) noexcept {
  return record.subspan<start_stamp_offset, time_stamp_size>();
}
inline time_stamp stop_stamp(recording record) noexcept { return record.subspan<stop_stamp_offset, time_stamp_size>(); }
inline unsigned sample_count(recording record) noexcept { return record[sample_count_offset]; }

// A sample byte as the signed two's-complement value it holds: 0xFF -> -1.
constexpr int sample_value(std::uint8_t byte) noexcept { return byte >= 0x80 ? byte - 0x100 : byte; }

// Packed BCD byte to its value, without validation: each nibble counts at face
// value, so 0x59 -> 59, 0x0A -> 10, 0xFF -> 165. Result in 0..165.
constexpr int bcd_value(std::uint8_t byte) noexcept { return (byte >> 4) * 10 + (byte & 0x0F); }

// Stamp text: year/month/day hours:minutes:seconds, each byte's raw value in
// lowercase hexadecimal without leading zeros (so BCD bytes show their decimal
// digits: 14/1/13 9:30:5; a non-BCD byte shows as hex: 1a). Writes at most
// stamp_text_max_chars and returns the end.
inline constexpr std::size_t stamp_text_max_chars = 6 * 2 + 5;
char* write_stamp_text(char* out, time_stamp stamp) noexcept;

// How the header text is shown. `raw` gives its exact bytes; `terminal_safe`
// shows control bytes (0x01-0x1F, 0x7F) as '?', so that a crafted file cannot
// send escape sequences to a terminal.
enum class header_style { raw, terminal_safe };

// The console summary text of a recording, without its line end:
// header text, ',', start stamp text, ',', stop stamp text.
// Writes at most summary_text_max_chars and returns the end.
inline constexpr std::size_t summary_text_max_chars =
    header_text_length + 1 + stamp_text_max_chars + 1 + stamp_text_max_chars;
char* write_summary_text(char* out, recording record, header_style style) noexcept;

}  // namespace logger2csv
