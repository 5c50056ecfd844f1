// Runs the built converter in a directory of its own and captures what it
// leaves behind, for the end-to-end tests.
#pragma once

#include <filesystem>
#include <string>
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
  terminal,                  // a pseudo-terminal in raw mode (no CR added)
};

struct run_result {
  int exit_status = -1;  // -1 when the process did not exit normally
  std::string out;       // standard output
  std::string err;       // standard error
};

run_result run_converter(const std::filesystem::path& dir, const std::vector<std::string>& args = {},
                         console mode = console::pipe);

std::string read_file(const std::filesystem::path& file);
void write_file(const std::filesystem::path& file, const std::string& bytes);

}  // namespace logger2csv::testing_support
