// Windows files held by share modes, which the system enforces on every
// program: while the converter runs, others may read logger.bin but not write
// it, and may not touch logger.csv at all.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform.hpp"

namespace logger2csv {

namespace {

HANDLE native(file_handle file) noexcept { return static_cast<HANDLE>(file.handle); }

bool open_file(const char* name, DWORD access, DWORD share, DWORD disposition, DWORD flags,
               file_handle& file) noexcept {
  HANDLE handle = ::CreateFileA(name, access, share, nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  file.handle = handle;
  return true;
}

// The most one ReadFile or WriteFile call is asked to move.
constexpr std::size_t max_transfer = std::numeric_limits<DWORD>::max();

}  // namespace

bool open_input(const char* name, file_handle& file) noexcept {
  return open_file(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, file);
}

bool open_output(const char* name, file_handle& file) noexcept {
  // CREATE_ALWAYS empties an existing file only after the sharing check has
  // passed, so a file held elsewhere keeps its bytes.
  return open_file(name, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, file);
}

read_outcome read_fully(file_handle file, std::span<std::uint8_t> buffer) noexcept {
  std::size_t filled = 0;
  while (filled < buffer.size()) {
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min(buffer.size() - filled, max_transfer));
    if (!::ReadFile(native(file), buffer.data() + filled, wanted, &got, nullptr)) {
      const DWORD error = ::GetLastError();
      const bool at_end = error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE;
      return {at_end ? read_result::end : read_result::error, filled};
    }
    if (got == 0) return {read_result::end, filled};
    filled += got;
  }
  return {read_result::full, filled};
}

bool write_all(file_handle file, std::span<const char> bytes) noexcept {
  while (!bytes.empty()) {
    DWORD put = 0;
    const auto count = static_cast<DWORD>(std::min(bytes.size(), max_transfer));
    if (!::WriteFile(native(file), bytes.data(), count, &put, nullptr) || put == 0) return false;
    bytes = bytes.subspan(put);
  }
  return true;
}

bool close_file(file_handle file) noexcept { return ::CloseHandle(native(file)) != 0; }

// A write to a pipe whose reader has gone fails with an error; there is no
// signal to ignore.
void ignore_broken_pipe() noexcept {}

bool stdout_is_terminal() noexcept {
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

}  // namespace logger2csv
