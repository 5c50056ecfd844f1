// POSIX files with flock() advisory locks. The locks bind only programs that
// ask for them, which is what two converters in one directory do.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform.hpp"

namespace logger2csv {

namespace {

int open_retrying(const char* name, int flags) noexcept {
  int fd;
  do fd = ::open(name, flags | O_CLOEXEC, 0666);
  while (fd < 0 && errno == EINTR);
  return fd;
}

bool lock(int fd, int operation) noexcept {
  int result;
  do result = ::flock(fd, operation | LOCK_NB);
  while (result < 0 && errno == EINTR);
  return result == 0;
}

// Empties a regular file. Devices and pipes have nothing to empty, as with
// O_TRUNC.
bool truncate_if_regular(int fd) noexcept {
  struct stat status;
  if (::fstat(fd, &status) != 0) return false;
  return !S_ISREG(status.st_mode) || ::ftruncate(fd, 0) == 0;
}

}  // namespace

bool open_input(const char* name, file_handle& file) noexcept {
  const int fd = open_retrying(name, O_RDONLY);
  if (fd < 0) return false;
  if (!lock(fd, LOCK_SH)) {
    ::close(fd);
    return false;
  }
  file.fd = fd;
  return true;
}

bool open_output(const char* name, file_handle& file) noexcept {
  // No O_TRUNC: the file is emptied only once the lock is held.
  const int fd = open_retrying(name, O_WRONLY | O_CREAT);
  if (fd < 0) return false;
  if (!lock(fd, LOCK_EX) || !truncate_if_regular(fd)) {
    ::close(fd);
    return false;
  }
  file.fd = fd;
  return true;
}

read_outcome read_fully(file_handle file, std::span<std::uint8_t> buffer) noexcept {
  std::size_t filled = 0;
  while (filled < buffer.size()) {
    const ssize_t got = ::read(file.fd, buffer.data() + filled, buffer.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return {read_result::error, filled};
    }
    if (got == 0) return {read_result::end, filled};
    filled += static_cast<std::size_t>(got);
  }
  return {read_result::full, filled};
}

bool write_all(file_handle file, std::span<const char> bytes) noexcept {
  while (!bytes.empty()) {
    const ssize_t put = ::write(file.fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(put));
  }
  return true;
}

bool close_file(file_handle file) noexcept {
  // After EINTR the descriptor is gone on Linux; retrying could close another.
  return ::close(file.fd) == 0 || errno == EINTR;
}

void ignore_broken_pipe() noexcept { (void)std::signal(SIGPIPE, SIG_IGN); }

bool stdout_is_terminal() noexcept { return ::isatty(STDOUT_FILENO) == 1; }

}  // namespace logger2csv
