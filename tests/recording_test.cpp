#include "recording.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "record_builder.hpp"

namespace {

using namespace logger2csv;
using namespace logger2csv::builder;
using namespace std::string_literals;

struct header_case {
  std::string first_bytes;  // laid over a block of `fill`
  std::uint8_t fill;
  bool is_recording;
};

TEST(Recording, ValidityTestLooksAtTheHeaderOnly) {
  const header_case cases[] = {
      {"LoggeABCDEFGH\0"s, 0x00, true},
      {"LoggeABCDEFGH\0"s, 0xFF, true},                 // nothing past byte 13 matters
      {"Logge\x01\x7f\x80\xff !~\x1b\0"s, 0x00, true},  // any non-zero bytes after "Logge"
      {"LoggeABCDEFG\0"s, 0x00, false},                 // 12 characters
      {"LoggeABCDEFGHI\0"s, 0x00, false},               // 14 characters
      {"LoggeABCDEFGHI"s, 0xFF, false},                 // no zero byte in the first 14
      {"LoggeABCDEFGHI"s, 0x00, false},                 // ... even with zeros after them
      {"Logge\0BCDEFGH\0"s, 0x00, false},               // a zero inside the text
      {"loggeABCDEFGH\0"s, 0x00, false},                // case-sensitive
      {"LOGGEABCDEFGH\0"s, 0x00, false},
      {"LoggEABCDEFGH\0"s, 0x00, false},
      {"XLoggeABCDEFG\0"s, 0x00, false},  // the prefix is at offset 0 only
      {""s, 0x00, false},
      {""s, 0xFF, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.first_bytes));
    block b = filled_block(c.fill);
    std::copy(c.first_bytes.begin(), c.first_bytes.end(), b.begin());
    EXPECT_EQ(is_recording(b), c.is_recording);
  }
}

TEST(Recording, BcdValueCountsNibblesAtFaceValue) {
  const std::pair<std::uint8_t, int> cases[] = {
      {0x00, 0}, {0x05, 5}, {0x23, 23}, {0x59, 59}, {0x99, 99}, {0x0A, 10}, {0x1F, 25}, {0xA0, 100}, {0xFF, 165},
  };
  for (const auto& [byte, value] : cases) EXPECT_EQ(bcd_value(byte), value) << int{byte};
}

std::string stamp_text(const stamp_bytes& s) {
  char text[stamp_text_max_chars];
  return {text, write_stamp_text(text, s)};
}

TEST(Recording, StampTextShowsEachByteInHexWithoutLeadingZeros) {
  const std::pair<stamp_bytes, std::string_view> cases[] = {
      {stamp(0x14, 0x01, 0x13, 0x09, 0x30, 0x05), "14/1/13 9:30:5"},
      {stamp(0x00, 0x00, 0x00, 0x00, 0x00, 0x00), "0/0/0 0:0:0"},
      {stamp(0x99, 0x12, 0x31, 0x23, 0x59, 0x59), "99/12/31 23:59:59"},
      {stamp(0x1A, 0x80, 0x0F, 0xAB, 0xC0, 0x7E), "1a/80/f ab:c0:7e"},      // not BCD: hex as it stands
      {stamp(0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF), "ff/ff/ff ff:ff:ff"},     // the longest
      {stamp(0x14, 0x01, 0x13, 0x09, 0x30, 0x05, 0xEE), "14/1/13 9:30:5"},  // byte 4 is never shown
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(stamp_text(bytes), text);
  EXPECT_EQ(stamp_text(cases[4].first).size(), stamp_text_max_chars);
}

std::string summary(const block& b, header_style style) {
  char text[summary_text_max_chars];
  return {text, write_summary_text(text, b, style)};
}

TEST(Recording, SummaryTextShowsControlBytesOnlyToPipesAndFiles) {
  const block worked = make_block({.count = 3});
  EXPECT_EQ(summary(worked, header_style::raw), "LoggeABCDEFGH,14/1/13 9:30:5,14/1/13 9:31:4");
  EXPECT_EQ(summary(worked, header_style::terminal_safe), "LoggeABCDEFGH,14/1/13 9:30:5,14/1/13 9:31:4");

  const block crafted = make_block({.header = "Logge\x1b[J\x07\x7f\x80\xff\x1f"});
  ASSERT_TRUE(is_recording(crafted));
  EXPECT_EQ(summary(crafted, header_style::raw), "Logge\x1b[J\x07\x7f\x80\xff\x1f,14/1/13 9:30:5,14/1/13 9:31:4");
  EXPECT_EQ(summary(crafted, header_style::terminal_safe), "Logge?[J??\x80\xff?,14/1/13 9:30:5,14/1/13 9:31:4");

  const block longest = make_block(
      {.start = stamp(0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF), .stop = stamp(0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF)});
  EXPECT_EQ(summary(longest, header_style::raw).size(), summary_text_max_chars);
}

}  // namespace
