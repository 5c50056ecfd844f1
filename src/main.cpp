// logger2csv: converts the data logger's record file logger.bin in the
// current directory into logger.csv, one row per sample, and prints one
// summary line per recording on standard output.
//
// Exit status 0 after a complete run; 1, with one of the messages below on
// standard output, when a file cannot be opened, read or written. Arguments
// are ignored.
#include <cstdio>
#include <string_view>

#include "overlapped_writer.hpp"
#include "platform.hpp"
#include "recording.hpp"
#include "sample_rows.hpp"

using namespace logger2csv;

namespace {

constexpr char input_name[] = "logger.bin";
constexpr char output_name[] = "logger.csv";

// logger.bin is read this many blocks at a time, and rows are collected until
// there are at least csv_batch_chars of them before they are written: few
// large system calls, like cat's.
constexpr std::size_t blocks_per_read = 256;
constexpr std::size_t csv_batch_chars = std::size_t{256} * 1024;

// Standard output is written without checks: the console lines are a
// courtesy, and logger.csv must be completed even when nobody reads them.
void print(std::string_view text) { (void)std::fwrite(text.data(), 1, text.size(), stdout); }

int fail(const char* message) {
  (void)std::fputs(message, stdout);  // the exit status tells even when this is lost
  return 1;
}

void print_summary(recording record, header_style style) {
  char line[summary_text_max_chars];
  print({line, write_summary_text(line, record, style)});
}

// Converts all of logger.bin. Returns the failure message, or nullptr when
// every block was read and every row written.
const char* convert(file_handle input, overlapped_writer& writer) {
  const header_style style = stdout_is_terminal() ? header_style::terminal_safe : header_style::raw;
  static std::uint8_t blocks[blocks_per_read * block_size];
  // One batch is filled while the other is written.
  static char batches[2][csv_batch_chars + rows_max_chars];
  char* batch = batches[0];
  std::size_t used = 0;
  read_outcome got;
  do {
    got = read_fully(input, blocks);
    // Whole blocks only: a trailing piece shorter than a block is ignored.
    for (std::size_t at = 0; at + block_size <= got.bytes; at += block_size) {
      const block_bytes block{blocks + at, block_size};
      if (!is_recording(block)) continue;
      print_summary(block, style);
      used = static_cast<std::size_t>(
          write_sample_rows(std::span<char, rows_max_chars>{batch + used, rows_max_chars}, block) - batch);
      print("\n");
      if (used >= csv_batch_chars) {
        if (!hand_over(writer, {batch, used})) return "csv file write error\n";
        batch = batch == batches[0] ? batches[1] : batches[0];
        used = 0;
      }
    }
  } while (got.result == read_result::full);
  if (!hand_over(writer, {batch, used})) return "csv file write error\n";
  return got.result == read_result::error ? "bin file read error\n" : nullptr;
}

}  // namespace

int main() {
  ignore_broken_pipe();
  file_handle input;
  file_handle output;
  if (!open_input(input_name, input)) return fail("bin file open error\n");
  if (!open_output(output_name, output)) {
    close_file(input);
    return fail("csv file open error\n");
  }
  overlapped_writer writer;
  start_writing(writer, output);
  const char* failure = convert(input, writer);
  if (!finish_writing(writer) && !failure) failure = "csv file write error\n";
  const bool closed = close_file(output);
  close_file(input);
  if (!failure && !closed) failure = "csv file write error\n";
  return failure ? fail(failure) : 0;
}
