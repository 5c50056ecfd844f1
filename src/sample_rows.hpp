// The rows of logger.csv for one recording.
//
// A recording holds no time per sample: its samples are taken to be spread
// evenly between the start and stop times of day, the stop second counted in.
// Each row is
//
//   start stamp text,elapsed seconds with two decimals,signed sample\r\n
//
// with CR LF on every platform, so that logger.csv is the same file wherever
// it is made. Elapsed time is a running sum of sample_interval from 0.0.
#pragma once

#include <cstddef>
#include <span>

#include "recording.hpp"
#include "two_decimals.hpp"

namespace logger2csv {

// Seconds from the start to the stop time of day, the stop second included:
// equal times give 1. Hours, minutes and seconds are BCD-decoded at face value
// and the dates take no part. A negative result gets one day added, once; a
// sum below -86400 (only from bytes that are not BCD) stays negative.
double recording_duration(recording record) noexcept;

// recording_duration divided by the stated sample count. Requires a count > 0.
double sample_interval(recording record) noexcept;

// Rows written for a recording: its sample count, but never more than the
// samples the block holds. The interval still uses the stated count.
std::size_t row_count(recording record) noexcept;

inline constexpr std::size_t sample_max_chars = 4;  // "-128"
inline constexpr std::size_t row_end_chars = 2;     // CR LF
inline constexpr std::size_t row_max_chars =
    stamp_text_max_chars + 1 + two_decimals_max_chars + 1 + sample_max_chars + row_end_chars;
inline constexpr std::size_t rows_max_chars = samples_capacity * row_max_chars;

// Writes all row_count() rows of the recording into `out` and returns the end.
// Writes nothing for a count of 0.
char* write_sample_rows(std::span<char, rows_max_chars> out, recording record) noexcept;

}  // namespace logger2csv
