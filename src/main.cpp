// logger2csv: converts the data logger's record file logger.bin in the
// current directory into logger.csv, one row per sample, and prints one
// summary line per recording on standard output.
//
// Exit status 0 after a complete run; 1, with one of the messages below on
// standard output, when a file cannot be opened, read or written. Arguments
// are ignored.
#include <cstdio>
#include <string_view>

#include "platform.hpp"
#include "recording.hpp"
#include "sample_rows.hpp"

using namespace logger2csv;

namespace {

constexpr char input_name[] = "logger.bin";
constexpr char output_name[] = "logger.csv";

// Standard output is written without checks: the console lines are a
// courtesy, and logger.csv must be completed even when nobody reads them.
void print(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

int fail(const char* message) {
  std::fputs(message, stdout);
  return 1;
}

void print_summary(recording record, header_style style) {
  char line[summary_text_max_chars];
  print({line, write_summary_text(line, record, style)});
}

}  // namespace

int main() {
  ignore_broken_pipe();
  file_handle input, output;
  if (!open_input(input_name, input)) return fail("bin file open error\n");
  if (!open_output(output_name, output)) {
    close_file(input);
    return fail("csv file open error\n");
  }

  const header_style style = stdout_is_terminal() ? header_style::terminal_safe : header_style::raw;
  static std::uint8_t block[block_size];
  static char rows[rows_max_chars];
  read_result result;
  while ((result = read_block(input, block)) == read_result::block) {
    if (!is_recording(block)) continue;
    print_summary(block, style);
    const bool written = write_all(output, {rows, write_sample_rows(rows, block)});
    print("\n");
    if (!written) {
      close_file(output);
      close_file(input);
      return fail("csv file write error\n");
    }
  }

  const bool closed = close_file(output);
  close_file(input);
  if (result == read_result::error) return fail("bin file read error\n");
  if (!closed) return fail("csv file write error\n");
  return 0;
}
