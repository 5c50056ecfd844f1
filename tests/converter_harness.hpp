// Runs the built converter in a directory of its own and captures what it
// leaves behind, for the end-to-end tests; the same calls on POSIX systems and
// on Windows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace logger2csv::testing_support {

// A fresh empty directory, removed with everything in it at scope exit.
struct temp_dir {
  std::filesystem::path path;
  temp_dir();
  ~temp_dir();
  temp_dir(const temp_dir&) = delete;
  temp_dir& operator=(const temp_dir&) = delete;
};

enum class console {
  pipe,                      // standard output is a pipe read to the end
  pipe_closed_after_a_line,  // the reader goes away after the first line
  terminal,                  // POSIX: a pseudo-terminal in raw mode (no CR added)
};

struct run_result {
  int exit_status = -1;             // -1 when the process did not exit normally
  std::string out;                  // standard output
  std::string err;                  // standard error
  std::size_t peak_memory_kib = 0;  // peak resident memory; 0 where not known
};

// Runs the converter with `dir` as its current directory. Throws
// std::runtime_error when the run cannot be set up, e.g. a `terminal` where
// this harness has none.
run_result run_converter(const std::filesystem::path& dir, const std::vector<std::string>& args = {},
                         console mode = console::pipe);

// Console text as the converter prints `lines` ("\n"-ended): the same on
// POSIX, and with CR LF line ends on Windows, whose console is in text mode.
std::string console_text(std::string_view lines);

std::string read_file(const std::filesystem::path& file);
void write_file(const std::filesystem::path& file, const std::string& bytes);

// Another program's hold on a file, as long as this object lives:
// `sharing_reads` lets others read it (POSIX: a shared flock; Windows: sharing
// for reading only), `exclusively` lets nobody else in (POSIX: an exclusive
// flock; Windows: no sharing). held() is false if the hold was refused.
enum class hold { sharing_reads, exclusively };

struct held_file {
  held_file(const std::filesystem::path& file, hold how);
  ~held_file();
  held_file(const held_file&) = delete;
  held_file& operator=(const held_file&) = delete;
  bool held() const;

 private:
  std::intptr_t native_;  // a descriptor or a HANDLE
};

}  // namespace logger2csv::testing_support
