// End to end: the built converter, run in a temporary directory on logger.bin
// files made here, with whole outputs compared byte for byte.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "converter_harness.hpp"
#include "record_builder.hpp"

namespace {

namespace fs = std::filesystem;
using namespace logger2csv;
using namespace logger2csv::builder;
using namespace logger2csv::testing_support;

std::string bytes_of(const std::vector<block>& blocks, std::size_t trailing = 0, std::uint8_t trailing_byte = 0) {
  std::string file;
  for (const auto& b : blocks) file.append(b.begin(), b.end());
  return file.append(trailing, static_cast<char>(trailing_byte));
}

const block worked_example = make_block({.count = 3, .samples = {0x10, -2, 0x7F}});
const std::string worked_console = "LoggeABCDEFGH,14/1/13 9:30:5,14/1/13 9:31:4\n";
const std::string worked_csv = "14/1/13 9:30:5,0.00,16\r\n14/1/13 9:30:5,20.00,-2\r\n14/1/13 9:30:5,40.00,127\r\n";

struct fixture {
  const char* name;
  std::string bin;
  std::string console;
  std::string csv;
};

std::string full_recording_rows() {
  std::string rows;
  for (int i = 0; i < 224; ++i)
    rows += "14/1/13 0:0:0," + std::to_string(i) + ".00," + std::to_string(static_cast<std::int8_t>(i)) + "\r\n";
  return rows;
}

// Samples 0, 1, 2, ... count - 1.
std::vector<int> counting_samples(int count) {
  std::vector<int> samples;
  for (int i = 0; i < count; ++i) samples.push_back(i);
  return samples;
}

// From 12:00:00 to 12:00:`stop_seconds`, samples 0, 1, 2, ...
block ticking(std::string_view header, std::uint8_t stop_seconds, std::uint8_t count) {
  return make_block({.header = header,
                     .start = stamp(0x14, 0x02, 0x01, 0x12, 0x00, 0x00),
                     .stop = stamp(0x14, 0x02, 0x01, 0x12, 0x00, stop_seconds),
                     .count = count,
                     .samples = counting_samples(count)});
}

std::vector<fixture> fixtures() {
  const block last_piece = make_block({.header = "LoggeTRAILING", .count = 1});
  return {
      {"empty file", "", "", ""},
      {"worked example", bytes_of({worked_example}), worked_console, worked_csv},
      {"trailing 44 bytes ignored", bytes_of({worked_example}, 44, 'L'), worked_console, worked_csv},
      {"trailing piece of a recording ignored",
       bytes_of({worked_example}) + std::string(last_piece.begin(), last_piece.end() - 1), worked_console, worked_csv},
      {"blocks that are not recordings skipped",
       bytes_of({filled_block(0), make_block({.header = "loggeABCDEFGH", .count = 1}),
                 make_block({.header = "LoggeABCDEFG", .count = 1}),
                 make_block({.header = "LoggeFIRST-01", .count = 3, .samples = {0x10, -2, 0x7F}}), filled_block(0xFF),
                 make_block({.header = "LoggeSECOND-2", .count = 0}),
                 make_block({.header = "LoggeABCDEFGHI", .count = 1}),
                 make_block({.header = "LoggeTHIRD-03",
                             .start = stamp(0x14, 0x01, 0x13, 0x23, 0x59, 0x50),
                             .stop = stamp(0x14, 0x01, 0x14, 0x00, 0x00, 0x09),
                             .count = 4,
                             .samples = {-128, -1, 0, 127}})}),
       "LoggeFIRST-01,14/1/13 9:30:5,14/1/13 9:31:4\n"
       "LoggeSECOND-2,14/1/13 9:30:5,14/1/13 9:31:4\n"
       "LoggeTHIRD-03,14/1/13 23:59:50,14/1/14 0:0:9\n",
       worked_csv +
           "14/1/13 23:59:50,0.00,-128\r\n14/1/13 23:59:50,5.00,-1\r\n"
           "14/1/13 23:59:50,10.00,0\r\n14/1/13 23:59:50,15.00,127\r\n"},
      {"exact and near ties",
       bytes_of({ticking("LoggeEIGHTHS1", 0x00, 8), ticking("LoggeTWENTY4S", 0x00, 24),
                 ticking("LoggeFORTY-43", 0x42, 40)}),
       "LoggeEIGHTHS1,14/2/1 12:0:0,14/2/1 12:0:0\n"
       "LoggeTWENTY4S,14/2/1 12:0:0,14/2/1 12:0:0\n"
       "LoggeFORTY-43,14/2/1 12:0:0,14/2/1 12:0:42\n",
       // Eighths: exact halves round up. 1/24 summed: the sixteenth row is
       // 0.62499999999999989, so 0.62 (15/24 would give 0.63). 43/40 = 1.075 is
       // the double 1.07499999999999996, whose 17 digits 1.0750000000000000
       // round up to 1.08.
       "14/2/1 12:0:0,0.00,0\r\n14/2/1 12:0:0,0.13,1\r\n14/2/1 12:0:0,0.25,2\r\n14/2/1 12:0:0,0.38,3\r\n"
       "14/2/1 12:0:0,0.50,4\r\n14/2/1 12:0:0,0.63,5\r\n14/2/1 12:0:0,0.75,6\r\n14/2/1 12:0:0,0.88,7\r\n"
       "14/2/1 12:0:0,0.00,0\r\n14/2/1 12:0:0,0.04,1\r\n14/2/1 12:0:0,0.08,2\r\n14/2/1 12:0:0,0.13,3\r\n"
       "14/2/1 12:0:0,0.17,4\r\n14/2/1 12:0:0,0.21,5\r\n14/2/1 12:0:0,0.25,6\r\n14/2/1 12:0:0,0.29,7\r\n"
       "14/2/1 12:0:0,0.33,8\r\n14/2/1 12:0:0,0.38,9\r\n14/2/1 12:0:0,0.42,10\r\n14/2/1 12:0:0,0.46,11\r\n"
       "14/2/1 12:0:0,0.50,12\r\n14/2/1 12:0:0,0.54,13\r\n14/2/1 12:0:0,0.58,14\r\n14/2/1 12:0:0,0.62,15\r\n"
       "14/2/1 12:0:0,0.67,16\r\n14/2/1 12:0:0,0.71,17\r\n14/2/1 12:0:0,0.75,18\r\n14/2/1 12:0:0,0.79,19\r\n"
       "14/2/1 12:0:0,0.83,20\r\n14/2/1 12:0:0,0.87,21\r\n14/2/1 12:0:0,0.92,22\r\n14/2/1 12:0:0,0.96,23\r\n"
       "14/2/1 12:0:0,0.00,0\r\n14/2/1 12:0:0,1.08,1\r\n14/2/1 12:0:0,2.15,2\r\n14/2/1 12:0:0,3.22,3\r\n"
       "14/2/1 12:0:0,4.30,4\r\n14/2/1 12:0:0,5.38,5\r\n14/2/1 12:0:0,6.45,6\r\n14/2/1 12:0:0,7.53,7\r\n"
       "14/2/1 12:0:0,8.60,8\r\n14/2/1 12:0:0,9.67,9\r\n14/2/1 12:0:0,10.75,10\r\n14/2/1 12:0:0,11.82,11\r\n"
       "14/2/1 12:0:0,12.90,12\r\n14/2/1 12:0:0,13.97,13\r\n14/2/1 12:0:0,15.05,14\r\n14/2/1 12:0:0,16.12,15\r\n"
       "14/2/1 12:0:0,17.20,16\r\n14/2/1 12:0:0,18.27,17\r\n14/2/1 12:0:0,19.35,18\r\n14/2/1 12:0:0,20.42,19\r\n"
       "14/2/1 12:0:0,21.50,20\r\n14/2/1 12:0:0,22.57,21\r\n14/2/1 12:0:0,23.65,22\r\n14/2/1 12:0:0,24.72,23\r\n"
       "14/2/1 12:0:0,25.80,24\r\n14/2/1 12:0:0,26.87,25\r\n14/2/1 12:0:0,27.95,26\r\n14/2/1 12:0:0,29.02,27\r\n"
       "14/2/1 12:0:0,30.10,28\r\n14/2/1 12:0:0,31.17,29\r\n14/2/1 12:0:0,32.25,30\r\n14/2/1 12:0:0,33.32,31\r\n"
       "14/2/1 12:0:0,34.40,32\r\n14/2/1 12:0:0,35.47,33\r\n14/2/1 12:0:0,36.55,34\r\n14/2/1 12:0:0,37.63,35\r\n"
       "14/2/1 12:0:0,38.70,36\r\n14/2/1 12:0:0,39.78,37\r\n14/2/1 12:0:0,40.85,38\r\n14/2/1 12:0:0,41.93,39\r\n"},
      {"count above the block's samples",
       bytes_of({make_block({.start = stamp(0x14, 0x01, 0x13, 0, 0, 0),
                             .stop = stamp(0x14, 0x01, 0x13, 0, 0x04, 0x14),
                             .count = 255,
                             .samples = counting_samples(224)})}),
       "LoggeABCDEFGH,14/1/13 0:0:0,14/1/13 0:4:14\n", full_recording_rows()},
      {"stamps that are not BCD",
       bytes_of({make_block({.header = "Logge\x80\xff\x01\x7f\x1b[0m",
                             .start = stamp(0x1A, 0x80, 0xFF, 0xFF, 0x00, 0x00),
                             .stop = stamp(0x00, 0x00, 0x00, 0x00, 0x00, 0x00),
                             .count = 3,
                             .samples = {-128, -1, 0}})}),
       "Logge\x80\xff\x01\x7f\x1b[0m,1a/80/ff ff:0:0,0/0/0 0:0:0\n",
       "1a/80/ff ff:0:0,0.00,-128\r\n1a/80/ff ff:0:0,-169199.67,-1\r\n1a/80/ff ff:0:0,-338399.33,0\r\n"},
  };
}

TEST(Converter, FixturesGiveTheirWholeOutputs) {
  for (const auto& f : fixtures()) {
    SCOPED_TRACE(f.name);
    temp_dir dir;
    write_file(dir.path / "logger.bin", f.bin);
    write_file(dir.path / "logger.csv", std::string(10000, 'x'));  // a longer file from before: emptied
    const run_result run = run_converter(dir.path);
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_EQ(run.out, f.console);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(read_file(dir.path / "logger.csv"), f.csv);
    EXPECT_EQ(read_file(dir.path / "logger.bin"), f.bin);
  }
}

struct held_file {
  int fd;
  held_file(const fs::path& file, int lock_operation) : fd(::open(file.c_str(), O_RDONLY)) {
    if (fd < 0 || ::flock(fd, lock_operation | LOCK_NB) != 0) ADD_FAILURE() << "cannot hold " << file;
  }
  ~held_file() { ::close(fd); }
};

// An opening failure: its message alone on standard output, status 1, and the
// files as they were.
void expect_opening_failure(const temp_dir& dir, const std::string& message) {
  const auto before = [&](const char* name) {
    const fs::path file = dir.path / name;
    return fs::is_regular_file(file) ? read_file(file) : std::string("(not a regular file)");
  };
  const std::string bin = before("logger.bin"), csv = before("logger.csv");
  const run_result run = run_converter(dir.path);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, message);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(before("logger.bin"), bin);
  EXPECT_EQ(before("logger.csv"), csv);
}

void expect_worked_example_converted(const temp_dir& dir, const run_result& run) {
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, worked_console);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(read_file(dir.path / "logger.csv"), worked_csv);
}

TEST(Converter, MissingInputCreatesNoOutput) {
  temp_dir dir;
  expect_opening_failure(dir, "bin file open error\n");
  EXPECT_FALSE(fs::exists(dir.path / "logger.csv"));
}

TEST(Converter, MissingInputLeavesAnEarlierOutputAlone) {
  temp_dir dir;
  write_file(dir.path / "logger.csv", worked_csv);
  expect_opening_failure(dir, "bin file open error\n");
}

TEST(Converter, InputSharedWithAnotherReaderConverts) {
  temp_dir dir;
  write_file(dir.path / "logger.bin", bytes_of({worked_example}));
  held_file reader(dir.path / "logger.bin", LOCK_SH);
  expect_worked_example_converted(dir, run_converter(dir.path));
}

TEST(Converter, FilesHeldByOtherProgramsAreOpeningFailures) {
  struct held_case {
    const char* name;
    int lock_operation;
    const char* message;
  };
  const held_case cases[] = {
      {"logger.bin", LOCK_EX, "bin file open error\n"},  // a program writing the input
      {"logger.csv", LOCK_EX, "csv file open error\n"},  // another converter
      {"logger.csv", LOCK_SH, "csv file open error\n"},  // even a reader of the output
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.lock_operation == LOCK_EX ? " exclusive" : " shared"));
    temp_dir dir;
    write_file(dir.path / "logger.bin", bytes_of({worked_example}));
    write_file(dir.path / "logger.csv", "another converter's rows\r\n");
    {
      held_file other(dir.path / c.name, c.lock_operation);
      expect_opening_failure(dir, c.message);
    }
    expect_worked_example_converted(dir, run_converter(dir.path));  // once released, it converts
  }
}

TEST(Converter, OutputThatCannotBeOpenedForWriting) {
  temp_dir dir;
  write_file(dir.path / "logger.bin", bytes_of({worked_example}));
  fs::create_directory(dir.path / "logger.csv");
  expect_opening_failure(dir, "csv file open error\n");
  EXPECT_TRUE(fs::is_directory(dir.path / "logger.csv"));
}

TEST(Converter, OutputLinkedToTheInputNeverEmptiesIt) {
  temp_dir dir;
  write_file(dir.path / "logger.bin", bytes_of({worked_example}));
  fs::create_symlink("logger.bin", dir.path / "logger.csv");
  expect_opening_failure(dir, "csv file open error\n");
  EXPECT_EQ(read_file(dir.path / "logger.bin"), bytes_of({worked_example}));
}

TEST(Converter, FullDiskIsAWriteError) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  temp_dir dir;
  write_file(dir.path / "logger.bin", bytes_of({worked_example, worked_example}));
  fs::create_symlink("/dev/full", dir.path / "logger.csv");
  const run_result run = run_converter(dir.path);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, worked_console + "csv file write error\n");  // stops at the first failed write
  EXPECT_EQ(run.err, "");
}

TEST(Converter, FullDiskWithNothingToWriteSucceeds) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  temp_dir dir;
  write_file(dir.path / "logger.bin", bytes_of({make_block({.count = 0})}));
  fs::create_symlink("/dev/full", dir.path / "logger.csv");
  const run_result run = run_converter(dir.path);
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, "LoggeABCDEFGH,14/1/13 9:30:5,14/1/13 9:31:4\n");
}

TEST(Converter, InputThatCannotBeReadIsAReadError) {
  temp_dir dir;
  fs::create_directory(dir.path / "logger.bin");  // opens, but every read fails
  write_file(dir.path / "logger.csv", "from an earlier run\r\n");
  const run_result run = run_converter(dir.path);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, "bin file read error\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(read_file(dir.path / "logger.csv"), "");
}

TEST(Converter, ArgumentsAreIgnored) {
  temp_dir dir;
  write_file(dir.path / "logger.bin", bytes_of({worked_example}));
  expect_worked_example_converted(dir, run_converter(dir.path, {"--help", "-o", "other.csv", "other.bin"}));
  EXPECT_FALSE(fs::exists(dir.path / "other.csv"));
}

std::size_t count_lines(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

void make_random_input(const fs::path& dir, std::size_t recordings) {
  const std::string command = std::string(MAKE_LOGGER_BIN_EXE) + " random '" + (dir / "logger.bin").string() + "' " +
                              std::to_string(recordings) + " 7";
  ASSERT_EQ(std::system(command.c_str()), 0);
  ASSERT_EQ(fs::file_size(dir / "logger.bin"), recordings * block_size);
}

TEST(Converter, ReaderOfTheConsoleGoingAwayDoesNotStopTheConversion) {
  // Far more console text than a pipe holds, so writes fail once the reader
  // has gone: like `logger2csv | head -n 1`.
  constexpr std::size_t recordings = 4000;
  temp_dir full, cut;
  make_random_input(full.path, recordings);
  fs::copy_file(full.path / "logger.bin", cut.path / "logger.bin");

  const run_result complete = run_converter(full.path);
  ASSERT_EQ(complete.exit_status, 0);
  ASSERT_EQ(count_lines(complete.out), recordings);
  const std::string csv = read_file(full.path / "logger.csv");
  ASSERT_EQ(count_lines(csv), recordings * samples_capacity);

  const run_result run = run_converter(cut.path, {}, console::pipe_closed_after_a_line);
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), complete.out.substr(0, complete.out.find('\n')));
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(read_file(cut.path / "logger.csv") == csv) << "logger.csv differs after the console reader left";
}

TEST(Converter, ControlBytesOfAHeaderReachATerminalAsQuestionMarks) {
  temp_dir dir;
  write_file(dir.path / "logger.bin", bytes_of({make_block({.header = "Logge\x1b]0\x07\x7f\x01\xc3\xa9", .count = 1})}));
  const std::string rows = "14/1/13 9:30:5,0.00,-91\r\n";
  run_result terminal;
  try {
    terminal = run_converter(dir.path, {}, console::terminal);
  } catch (const std::runtime_error& e) {
    GTEST_SKIP() << e.what();
  }
  EXPECT_EQ(terminal.exit_status, 0);
  EXPECT_EQ(terminal.out, "Logge?]0???\xc3\xa9,14/1/13 9:30:5,14/1/13 9:31:4\n");
  EXPECT_EQ(read_file(dir.path / "logger.csv"), rows);

  const run_result piped = run_converter(dir.path);
  EXPECT_EQ(piped.exit_status, 0);
  EXPECT_EQ(piped.out, "Logge\x1b]0\x07\x7f\x01\xc3\xa9,14/1/13 9:30:5,14/1/13 9:31:4\n");
  EXPECT_EQ(read_file(dir.path / "logger.csv"), rows);
}

TEST(Converter, BundledExampleIsTheGeneratorsAndConverts) {
  temp_dir dir;
  const std::string command = std::string(MAKE_LOGGER_BIN_EXE) + " example '" + (dir.path / "logger.bin").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(read_file(dir.path / "logger.bin") == read_file(EXAMPLE_LOGGER_BIN))
      << "examples/logger.bin is not what make_logger_bin example makes";

  const run_result run = run_converter(dir.path);
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out,
            "LoggeABCDEFGH,14/1/13 9:30:5,14/1/13 9:31:4\n"
            "LoggeNIGHT-01,14/1/13 23:59:50,14/1/14 0:0:9\n"
            "LoggeEIGHTHS1,14/2/1 12:0:0,14/2/1 12:0:0\n"
            "LoggeEMPTY-01,14/2/2 8:0:0,14/2/2 8:0:0\n"
            "LoggeWAVE-200,14/2/3 10:15:0,14/2/3 10:16:39\n");
  const std::string csv = read_file(dir.path / "logger.csv");
  EXPECT_EQ(count_lines(csv), 3u + 8u + 8u + 200u);
  EXPECT_EQ(csv.substr(0, worked_csv.size()), worked_csv);
}

}  // namespace
