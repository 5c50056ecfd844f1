// End to end: the built converter, run in a temporary directory on logger.bin
// files made here, with whole outputs compared byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "converter_harness.hpp"
#include "logger_files.hpp"

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
const std::string worked_line = "LoggeABCDEFGH,14/1/13 9:30:5,14/1/13 9:31:4\n";
const std::string worked_console = console_text(worked_line);
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
      {"worked example", bytes_of({worked_example}), worked_line, worked_csv},
      {"trailing 44 bytes ignored", bytes_of({worked_example}, 44, 'L'), worked_line, worked_csv},
      {"trailing piece of a recording ignored",
       bytes_of({worked_example}) + std::string(last_piece.begin(), last_piece.end() - 1), worked_line, worked_csv},
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
       worked_csv + "14/1/13 23:59:50,0.00,-128\r\n14/1/13 23:59:50,5.00,-1\r\n"
                    "14/1/13 23:59:50,10.00,0\r\n14/1/13 23:59:50,15.00,127\r\n"},
      {"exact and near ties",
       bytes_of(
           {ticking("LoggeEIGHTHS1", 0x00, 8), ticking("LoggeTWENTY4S", 0x00, 24), ticking("LoggeFORTY-43", 0x42, 40)}),
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
    EXPECT_EQ(run.out, console_text(f.console));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(read_file(dir.path / "logger.csv"), f.csv);
    EXPECT_EQ(read_file(dir.path / "logger.bin"), f.bin);
  }
}

// The bytes of logger.bin and logger.csv, or a note for what is not a regular
// file.
std::pair<std::string, std::string> files_in(const temp_dir& dir) {
  const auto bytes = [&](const char* name) {
    const fs::path file = dir.path / name;
    return fs::is_regular_file(file) ? read_file(file) : std::string("(not a regular file)");
  };
  return {bytes("logger.bin"), bytes("logger.csv")};
}

// An opening failure: its message alone on standard output and status 1.
void expect_opening_failure(const run_result& run, const std::string& message) {
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, console_text(message));
  EXPECT_EQ(run.err, "");
}

// ... and the files left as they were.
void expect_opening_failure(const temp_dir& dir, const std::string& message) {
  const auto before = files_in(dir);
  expect_opening_failure(run_converter(dir.path), message);
  EXPECT_EQ(files_in(dir), before);
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
  held_file reader(dir.path / "logger.bin", hold::sharing_reads);
  ASSERT_TRUE(reader.held());
  expect_worked_example_converted(dir, run_converter(dir.path));
}

TEST(Converter, FilesHeldByOtherProgramsAreOpeningFailures) {
  struct held_case {
    const char* name;
    hold how;
    const char* message;
  };
  const held_case cases[] = {
      {"logger.bin", hold::exclusively, "bin file open error\n"},    // a program writing the input
      {"logger.csv", hold::exclusively, "csv file open error\n"},    // another converter
      {"logger.csv", hold::sharing_reads, "csv file open error\n"},  // even a reader of the output
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.how == hold::exclusively ? " exclusively" : " sharing reads"));
    temp_dir dir;
    write_file(dir.path / "logger.bin", bytes_of({worked_example}));
    write_file(dir.path / "logger.csv", "another converter's rows\r\n");
    const auto before = files_in(dir);
    {
      held_file other(dir.path / c.name, c.how);
      ASSERT_TRUE(other.held());
      expect_opening_failure(run_converter(dir.path), c.message);
    }
    EXPECT_EQ(files_in(dir), before);  // read once released: Windows lets nobody read an exclusively held file
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
  using link_maker = void (*)(const fs::path&, const fs::path&);
  const std::pair<const char*, link_maker> links[] = {
      {"symbolic link", [](const fs::path& to, const fs::path& link) { fs::create_symlink(to, link); }},
      {"hard link", [](const fs::path& to, const fs::path& link) { fs::create_hard_link(to, link); }},
  };
  for (const auto& [kind, make_link] : links) {
    SCOPED_TRACE(kind);
    temp_dir dir;
    write_file(dir.path / "logger.bin", bytes_of({worked_example}));
    try {
      make_link(dir.path / "logger.bin", dir.path / "logger.csv");
    } catch (const fs::filesystem_error& e) {
      std::cout << "skipped, no " << kind << " here: " << e.what() << "\n";
      continue;
    }
    expect_opening_failure(dir, "csv file open error\n");
    EXPECT_EQ(read_file(dir.path / "logger.bin"), bytes_of({worked_example}));
  }
}

std::size_t count_lines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

void make_random_input(const fs::path& dir, std::size_t recordings) {
  const std::vector<std::uint8_t> bytes = random_recordings(recordings, 7);
  write_file(dir / "logger.bin", std::string(bytes.begin(), bytes.end()));
}

// Puts the same random logger.bin of `recordings` in `dir` and in
// `reference`, and returns the converter's run in `reference`: what a run in
// `dir` should give when nothing goes wrong.
run_result reference_run(const fs::path& dir, const fs::path& reference, std::size_t recordings) {
  make_random_input(dir, recordings);
  fs::copy_file(dir / "logger.bin", reference / "logger.bin");
  run_result complete = run_converter(reference);
  EXPECT_EQ(complete.exit_status, 0);
  EXPECT_EQ(count_lines(complete.out), recordings);
  return complete;
}

// A full disk is simulated with Linux's /dev/full, which Windows lacks.
TEST(Converter, FullDiskIsAWriteError) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // Rows are written in batches of many recordings; with enough of them the
  // first failed write must stop the run well before the end.
  constexpr std::size_t recordings = 400;
  temp_dir full_disk, roomy;
  const run_result complete = reference_run(full_disk.path, roomy.path, recordings);

  fs::create_symlink("/dev/full", full_disk.path / "logger.csv");
  const run_result run = run_converter(full_disk.path);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.err, "");
  const std::string error = "csv file write error\n";
  ASSERT_TRUE(run.out.ends_with(error)) << run.out;
  const std::string lines = run.out.substr(0, run.out.size() - error.size());
  EXPECT_TRUE(complete.out.starts_with(lines));  // the console as far as it got
  EXPECT_GT(count_lines(lines), 0u);
  EXPECT_LT(count_lines(lines), recordings / 2);
}

TEST(Converter, FullDiskWithNothingToWriteSucceeds) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  temp_dir dir;
  write_file(dir.path / "logger.bin", bytes_of({make_block({.count = 0})}));
  fs::create_symlink("/dev/full", dir.path / "logger.csv");
  const run_result run = run_converter(dir.path);
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, worked_console);
}

TEST(Converter, InputThatIsADirectory) {
  temp_dir dir;
  fs::create_directory(dir.path / "logger.bin");
  write_file(dir.path / "logger.csv", "from an earlier run\r\n");
#ifdef _WIN32
  expect_opening_failure(dir, "bin file open error\n");  // Windows opens no directory as a file
#else
  const run_result run = run_converter(dir.path);  // opens, but every read fails
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, "bin file read error\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(read_file(dir.path / "logger.csv"), "");
#endif
}

TEST(Converter, ArgumentsAreIgnored) {
  temp_dir dir;
  write_file(dir.path / "logger.bin", bytes_of({worked_example}));
  expect_worked_example_converted(dir, run_converter(dir.path, {"--help", "-o", "other.csv", "other.bin"}));
  EXPECT_FALSE(fs::exists(dir.path / "other.csv"));
}

TEST(Converter, ShortAndPartialFilesConvertTheirWholeRecordings) {
  // Two recordings cut short at sizes around every field and block boundary.
  const block second = ticking("LoggeSECOND-2", 0x00, 8);
  const std::string file = bytes_of({worked_example, second});
  const std::string second_line = "LoggeSECOND-2,14/2/1 12:0:0,14/2/1 12:0:0\n";
  const std::string second_csv =
      "14/2/1 12:0:0,0.00,0\r\n14/2/1 12:0:0,0.13,1\r\n14/2/1 12:0:0,0.25,2\r\n14/2/1 12:0:0,0.38,3\r\n"
      "14/2/1 12:0:0,0.50,4\r\n14/2/1 12:0:0,0.63,5\r\n14/2/1 12:0:0,0.75,6\r\n14/2/1 12:0:0,0.88,7\r\n";
  for (const std::size_t size :
       {0u, 1u, 5u, 13u, 14u, 17u, 31u, 32u, 33u, 255u, 256u, 257u, 269u, 270u, 288u, 511u, 512u}) {
    SCOPED_TRACE(std::to_string(size) + " bytes");
    temp_dir dir;
    write_file(dir.path / "logger.bin", file.substr(0, size));
    const run_result run = run_converter(dir.path);
    const std::size_t whole = size / block_size;
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_EQ(run.out, console_text(std::string(whole > 0 ? worked_line : "") + (whole > 1 ? second_line : "")));
    EXPECT_EQ(read_file(dir.path / "logger.csv"),
              std::string(whole > 0 ? worked_csv : "") + (whole > 1 ? second_csv : ""));
  }
}

TEST(Converter, InputLargerThan4GiBConvertsToItsEndInConstantMemory) {
  // A sparse file: recordings at the start, zeros (no recordings) for 4 GiB,
  // recordings again, then a piece shorter than a block.
  temp_dir dir;
  const fs::path bin = dir.path / "logger.bin";
  const block last = make_block({.header = "LoggeLAST-4G+", .count = 2, .samples = {-7, 7}});
  write_file(bin, bytes_of({worked_example}));
  const std::uintmax_t tail_offset = (std::uintmax_t{1} << 32) + 3 * block_size;
  try {
    fs::resize_file(bin, tail_offset);
  } catch (const fs::filesystem_error& e) {
    GTEST_SKIP() << "no room for a sparse 4 GiB file: " << e.what();
  }
  {
    std::ofstream tail(bin, std::ios::binary | std::ios::app);
    const std::string bytes = bytes_of({worked_example, last}, 100, 'L');
    ASSERT_TRUE(tail.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush());
  }
  ASSERT_EQ(fs::file_size(bin), tail_offset + 2 * block_size + 100);

  const run_result run = run_converter(dir.path);
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, console_text(worked_line + worked_line + "LoggeLAST-4G+,14/1/13 9:30:5,14/1/13 9:31:4\n"));
  EXPECT_EQ(read_file(dir.path / "logger.csv"),
            worked_csv + worked_csv + "14/1/13 9:30:5,0.00,-7\r\n14/1/13 9:30:5,30.00,7\r\n");
  if (run.peak_memory_kib > 0) {
    EXPECT_LT(run.peak_memory_kib, 16u * 1024) << "KiB at peak";
  }
}

TEST(Converter, ReaderOfTheConsoleGoingAwayDoesNotStopTheConversion) {
  // Far more console text than a pipe holds, so writes fail once the reader
  // has gone: like `logger2csv | head -n 1`.
  constexpr std::size_t recordings = 4000;
  temp_dir full, cut;
  const run_result complete = reference_run(cut.path, full.path, recordings);
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
  write_file(dir.path / "logger.bin",
             bytes_of({make_block({.header = "Logge\x1b]0\x07\x7f\x01\xc3\xa9", .count = 1})}));
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
  EXPECT_EQ(piped.out, console_text("Logge\x1b]0\x07\x7f\x01\xc3\xa9,14/1/13 9:30:5,14/1/13 9:31:4\n"));
  EXPECT_EQ(read_file(dir.path / "logger.csv"), rows);
}

TEST(Converter, BundledExampleIsTheGeneratorsAndConverts) {
  temp_dir dir;
  const std::vector<std::uint8_t> example = example_file();
  write_file(dir.path / "logger.bin", std::string(example.begin(), example.end()));
  EXPECT_TRUE(read_file(dir.path / "logger.bin") == read_file(EXAMPLE_LOGGER_BIN))
      << "examples/logger.bin is not what make_logger_bin example makes";

  const run_result run = run_converter(dir.path);
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, console_text("LoggeABCDEFGH,14/1/13 9:30:5,14/1/13 9:31:4\n"
                                  "LoggeNIGHT-01,14/1/13 23:59:50,14/1/14 0:0:9\n"
                                  "LoggeEIGHTHS1,14/2/1 12:0:0,14/2/1 12:0:0\n"
                                  "LoggeEMPTY-01,14/2/2 8:0:0,14/2/2 8:0:0\n"
                                  "LoggeWAVE-200,14/2/3 10:15:0,14/2/3 10:16:39\n"));
  const std::string csv = read_file(dir.path / "logger.csv");
  EXPECT_EQ(count_lines(csv), 3u + 8u + 8u + 200u);
  EXPECT_EQ(csv.substr(0, worked_csv.size()), worked_csv);
}

}  // namespace
