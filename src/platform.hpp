// The converter's only contact with the operating system: the two files, held
// against other processes for the whole run, and a few facts about standard
// output. Everything else in the program is pure computation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace logger2csv {

// An open file of this layer: the system's own handle, nothing more.
struct file_handle {
#ifdef _WIN32
  void* handle = nullptr;  // a Windows HANDLE
#else
  int fd = -1;
#endif
};

// Opens the input for reading, held so that other processes may read it but
// not write it (Windows: sharing for reading only; POSIX: a shared advisory
// lock). False if the file cannot be opened or held.
bool open_input(const char* name, file_handle& file) noexcept;

// Opens the output for writing, created if absent, held against any other
// access (Windows: no sharing; POSIX: an exclusive advisory lock), and only
// then emptied, so a file that is held elsewhere keeps its bytes. False if any
// step fails.
bool open_output(const char* name, file_handle& file) noexcept;

enum class read_result { full, end, error };

struct read_outcome {
  read_result result;
  std::size_t bytes;  // bytes that arrived, whatever the result
};

// Reads until `buffer` is full, the file ends, or the system reports an error.
read_outcome read_fully(file_handle file, std::span<std::uint8_t> buffer) noexcept;

// Writes all of `bytes`; false on any failure.
bool write_all(file_handle file, std::span<const char> bytes) noexcept;

// Closes the file (releasing its lock); false if the system reports a failure.
bool close_file(file_handle file) noexcept;

// Lets writes to a standard output whose reader has gone fail quietly instead
// of ending the process, so the output file is still completed. (Windows
// already behaves so.)
void ignore_broken_pipe() noexcept;

// True when standard output is a terminal (Windows: a console).
bool stdout_is_terminal() noexcept;

}  // namespace logger2csv
