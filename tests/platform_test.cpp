#include "platform.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "converter_harness.hpp"
#include "recording.hpp"

namespace {

namespace fs = std::filesystem;
using namespace logger2csv;
using namespace logger2csv::testing_support;

using reads = std::vector<std::pair<read_result, std::size_t>>;

// Every read of the file into a buffer of one block, with the bytes it got.
reads reads_of(const fs::path& file) {
  file_handle input;
  if (!open_input(file.string().c_str(), input)) return {};
  std::array<std::uint8_t, block_size> block{};
  reads results;
  read_outcome got;
  do {
    got = read_fully(input, block);
    results.emplace_back(got.result, got.bytes);
  } while (got.result == read_result::full);
  EXPECT_TRUE(close_file(input));
  return results;
}

TEST(Platform, ReadsFillTheBufferUntilTheEnd) {
  using enum read_result;
  const std::pair<std::size_t, reads> cases[] = {
      {0, {{end, 0}}},
      {255, {{end, 255}}},
      {256, {{full, 256}, {end, 0}}},
      {300, {{full, 256}, {end, 44}}},
      {512, {{full, 256}, {full, 256}, {end, 0}}},
      {767, {{full, 256}, {full, 256}, {end, 255}}},
  };
  temp_dir dir;
  for (const auto& [size, expected] : cases) {
    write_file(dir.path / "logger.bin", std::string(size, 'L'));
    EXPECT_EQ(reads_of(dir.path / "logger.bin"), expected) << size;
  }
  fs::create_directory(dir.path / "folder");
#ifdef _WIN32
  EXPECT_EQ(reads_of(dir.path / "folder"), reads{});  // not opened as a file
#else
  EXPECT_EQ(reads_of(dir.path / "folder"), (reads{{error, 0}}));  // opened, but not readable
#endif
  EXPECT_EQ(reads_of(dir.path / "missing"), reads{});
}

TEST(Platform, OutputIsEmptiedOnlyOnceItIsHeld) {
  temp_dir dir;
  const fs::path csv = dir.path / "logger.csv";
  write_file(csv, "earlier rows\r\n");
  file_handle first, second;
  ASSERT_TRUE(open_output(csv.string().c_str(), first));
  EXPECT_EQ(fs::file_size(csv), 0u);  // sizes only: Windows lets nobody read it now
  ASSERT_TRUE(write_all(first, std::string_view("row\r\n")));
  EXPECT_FALSE(open_output(csv.string().c_str(), second));  // held by the first
  EXPECT_EQ(fs::file_size(csv), 5u);
  file_handle reader;
  EXPECT_FALSE(open_input(csv.string().c_str(), reader));  // no reader while it is written either
  EXPECT_TRUE(close_file(first));
  EXPECT_EQ(read_file(csv), "row\r\n");
  ASSERT_TRUE(open_output(csv.string().c_str(), second));
  EXPECT_TRUE(close_file(second));
}

TEST(Platform, InputMayBeSharedByReaders) {
  temp_dir dir;
  const fs::path bin = dir.path / "logger.bin";
  write_file(bin, std::string(block_size, 'L'));
  file_handle first, second, writer;
  ASSERT_TRUE(open_input(bin.string().c_str(), first));
  EXPECT_TRUE(open_input(bin.string().c_str(), second));
  EXPECT_FALSE(open_output(bin.string().c_str(), writer));  // and a writer is kept out
  EXPECT_EQ(read_file(bin), std::string(block_size, 'L'));
  EXPECT_TRUE(close_file(first));
  EXPECT_TRUE(close_file(second));
}

}  // namespace
