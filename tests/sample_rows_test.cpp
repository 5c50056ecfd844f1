#include "sample_rows.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record_builder.hpp"

namespace {

using namespace logger2csv;
using namespace logger2csv::builder;

// A recording between two stamps; samples not given read as the fill byte 0xA5 (-91).
block timed(stamp_bytes start, stamp_bytes stop, std::uint8_t count, std::vector<int> samples = {}) {
  return make_block({.start = start, .stop = stop, .count = count, .samples = std::move(samples)});
}

stamp_bytes at(std::uint8_t hours, std::uint8_t minutes, std::uint8_t seconds) {
  return stamp(0x14, 0x01, 0x13, hours, minutes, seconds);
}

std::string rows(const block& b) {
  static char buffer[rows_max_chars];
  return {buffer, write_sample_rows(buffer, b)};
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  for (std::size_t begin = 0, end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2)
    result.push_back(text.substr(begin, end - begin));
  return result;
}

TEST(SampleRows, DurationCountsTheStopSecondAndWrapsOnce) {
  struct duration_case {
    stamp_bytes start, stop;
    double seconds;
  };
  const duration_case cases[] = {
      {at(0x09, 0x30, 0x05), at(0x09, 0x31, 0x04), 60},
      {at(0x12, 0x00, 0x00), at(0x12, 0x00, 0x00), 1},      // equal times: one second
      {at(0x10, 0x00, 0x01), at(0x10, 0x00, 0x00), 0},      // one second back: zero, no wrap
      {at(0x10, 0x00, 0x02), at(0x10, 0x00, 0x00), 86399},  // two back: wraps to the next day
      {at(0x23, 0x59, 0x50), at(0x00, 0x00, 0x09), 20},     // over midnight
      {at(0x00, 0x00, 0x00), at(0x23, 0x59, 0x59), 86400},
      {stamp(0x14, 0x01, 0x13, 0x08, 0, 0), stamp(0x15, 0x12, 0x31, 0x09, 0, 0), 3601},  // dates take no part
      {at(0x00, 0x00, 0x00), at(0x0A, 0x0A, 0x0A), 10 * 3600 + 10 * 60 + 11},            // non-BCD at face value
      {at(0xFF, 0x00, 0x00), at(0x00, 0x00, 0x00), -165 * 3600 + 1 + 86400},             // stays negative
  };
  for (const auto& c : cases) EXPECT_EQ(recording_duration(timed(c.start, c.stop, 1)), c.seconds) << c.seconds;
}

TEST(SampleRows, IntervalUsesTheStatedCountEvenPastTheBlock) {
  EXPECT_EQ(sample_interval(timed(at(9, 0x30, 5), at(9, 0x31, 4), 3)), 20.0);
  EXPECT_EQ(sample_interval(timed(at(0, 0, 0), at(0, 4, 0x14), 255)), 1.0);
  EXPECT_EQ(row_count(timed(at(0, 0, 0), at(0, 4, 0x14), 255)), samples_capacity);
  EXPECT_EQ(row_count(timed(at(0, 0, 0), at(0, 4, 0x14), 224)), 224u);
  EXPECT_EQ(row_count(timed(at(0, 0, 0), at(0, 4, 0x14), 0)), 0u);
}

TEST(SampleRows, WholeRowsOfSmallRecordings) {
  const std::pair<block, std::string> cases[] = {
      {timed(at(0x09, 0x30, 0x05), at(0x09, 0x31, 0x04), 3, {0x10, -2, 0x7F}),
       "14/1/13 9:30:5,0.00,16\r\n14/1/13 9:30:5,20.00,-2\r\n14/1/13 9:30:5,40.00,127\r\n"},
      {timed(at(0x12, 0, 0), at(0x12, 0, 0), 4, {0, -128, -1, 1}),
       "14/1/13 12:0:0,0.00,0\r\n14/1/13 12:0:0,0.25,-128\r\n14/1/13 12:0:0,0.50,-1\r\n14/1/13 12:0:0,0.75,1\r\n"},
      {timed(at(0x12, 0, 0), at(0x12, 0, 0), 8, {1, 2, 3, 4, 5, 6, 7, 8}),
       "14/1/13 12:0:0,0.00,1\r\n14/1/13 12:0:0,0.13,2\r\n14/1/13 12:0:0,0.25,3\r\n14/1/13 12:0:0,0.38,4\r\n"
       "14/1/13 12:0:0,0.50,5\r\n14/1/13 12:0:0,0.63,6\r\n14/1/13 12:0:0,0.75,7\r\n14/1/13 12:0:0,0.88,8\r\n"},
      {timed(at(0x10, 0, 1), at(0x10, 0, 0), 2, {5, 6}), "14/1/13 10:0:1,0.00,5\r\n14/1/13 10:0:1,0.00,6\r\n"},
      {timed(at(0xFF, 0, 0), at(0, 0, 0), 2, {5, 6}), "14/1/13 ff:0:0,0.00,5\r\n14/1/13 ff:0:0,-253799.50,6\r\n"},
      {timed(at(0x12, 0, 0), at(0x12, 0, 0), 0, {1, 2}), ""},
  };
  for (const auto& [b, text] : cases) EXPECT_EQ(rows(b), text);
}

TEST(SampleRows, ElapsedIsARunningSum) {
  // One second over 48 samples: six additions of 1/48 give 0.12499999999999999,
  // while 6 * (1/48) would be exactly 0.125 and print 0.13.
  EXPECT_EQ(lines(rows(timed(at(0, 0, 0), at(0, 0, 0), 48)))[6], "14/1/13 0:0:0,0.12,-91");
  // Three seconds over 200: the seventh sum has the 17 digits 0.10500000000000000.
  EXPECT_EQ(lines(rows(timed(at(0, 0, 0), at(0, 0, 2), 200)))[7], "14/1/13 0:0:0,0.11,-91");
}

TEST(SampleRows, CountPastTheBlockWritesTheSamplesItHolds) {
  std::vector<int> samples;
  for (int i = 0; i < 224; ++i) samples.push_back(i - 100);
  const auto all = lines(rows(timed(at(0, 0, 0), at(0, 4, 0x14), 255, samples)));
  ASSERT_EQ(all.size(), samples_capacity);
  EXPECT_EQ(all.front(), "14/1/13 0:0:0,0.00,-100");
  EXPECT_EQ(all.back(), "14/1/13 0:0:0,223.00,123");
}

TEST(SampleRows, BytesOutsideTheFieldsReadChangeNothing) {
  const recording_fields fields{
      .start = at(0x23, 0x59, 0x50), .stop = at(0, 0, 9), .count = 5, .samples = {1, 2, 3, 4, 5}};
  recording_fields other = fields;
  other.fill = 0x5A;  // bytes 14-16 and the samples past the count
  other.start[4] = 0x99;
  other.stop[4] = 0x77;
  const block a = make_block(fields), b = make_block(other);
  ASSERT_NE(a, b);
  EXPECT_EQ(rows(a), rows(b));
  EXPECT_EQ(rows(a),
            "14/1/13 23:59:50,0.00,1\r\n14/1/13 23:59:50,4.00,2\r\n14/1/13 23:59:50,8.00,3\r\n"
            "14/1/13 23:59:50,12.00,4\r\n14/1/13 23:59:50,16.00,5\r\n");
}

}  // namespace
