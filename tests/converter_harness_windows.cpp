// The harness on Windows: CreateProcess with anonymous pipes, and share modes.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <psapi.h>  // after windows.h, which it needs

#include <stdexcept>

#include "converter_harness.hpp"

namespace logger2csv::testing_support {

namespace fs = std::filesystem;

namespace {

// Owns a HANDLE for the length of one run.
struct handle_guard {
  HANDLE handle = nullptr;
  ~handle_guard() { close(); }
  void close() {
    if (handle && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    handle = nullptr;
  }
};

// An anonymous pipe whose write end the child inherits.
void make_pipe(handle_guard& read_end, handle_guard& write_end) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  if (!::CreatePipe(&read_end.handle, &write_end.handle, &inheritable, 0) ||
      !::SetHandleInformation(read_end.handle, HANDLE_FLAG_INHERIT, 0))
    throw std::runtime_error("CreatePipe failed");
}

// Reads until the writer has gone, or, with `one_line`, until the first line
// feed.
std::string drain(HANDLE pipe, bool one_line) {
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    text.append(buffer, got);
    if (one_line && text.find('\n') != std::string::npos) break;
  }
  return text;
}

// The program and its arguments, each quoted; the tests' arguments hold no
// quotes or backslashes that would need escaping.
std::wstring command_line(const std::vector<std::string>& args) {
  std::wstring line = L"\"" + fs::path(LOGGER2CSV_EXE).wstring() + L"\"";
  for (const auto& arg : args) {
    if (arg.find_first_of("\"\\") != std::string::npos) throw std::runtime_error("argument needs escaping: " + arg);
    line += L" \"" + fs::path(arg).wstring() + L"\"";
  }
  return line;
}

}  // namespace

run_result run_converter(const fs::path& dir, const std::vector<std::string>& args, console mode) {
  if (mode == console::terminal) throw std::runtime_error("this harness has no console to give the converter");
  handle_guard out_read, out_write, err_read, err_write, null_in;
  make_pipe(out_read, out_write);
  make_pipe(err_read, err_write);
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  null_in.handle =
      ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr);
  if (null_in.handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open NUL");

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = null_in.handle;
  startup.hStdOutput = out_write.handle;
  startup.hStdError = err_write.handle;
  std::wstring line = command_line(args);
  const std::wstring program = fs::path(LOGGER2CSV_EXE).wstring();
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, dir.c_str(), &startup,
                        &process))
    throw std::runtime_error("CreateProcess failed for " + std::string(LOGGER2CSV_EXE));
  handle_guard process_handle{process.hProcess}, thread_handle{process.hThread};
  out_write.close();
  err_write.close();
  null_in.close();

  run_result result;
  result.out = drain(out_read.handle, mode == console::pipe_closed_after_a_line);
  out_read.close();
  result.err = drain(err_read.handle, false);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  // Exceptions such as an access violation end a process with codes like
  // 0xC0000005: not a normal exit.
  result.exit_status = code <= 255 ? static_cast<int>(code) : -1;
  PROCESS_MEMORY_COUNTERS memory{};
  if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
    result.peak_memory_kib = memory.PeakWorkingSetSize / 1024;
  return result;
}

held_file::held_file(const fs::path& file, hold how) {
  const DWORD share = how == hold::sharing_reads ? FILE_SHARE_READ : 0;
  const HANDLE handle =
      ::CreateFileW(file.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  native_ = handle == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(handle);
}

held_file::~held_file() {
  if (held()) ::CloseHandle(reinterpret_cast<HANDLE>(native_));
}

bool held_file::held() const { return native_ != -1; }

}  // namespace logger2csv::testing_support
