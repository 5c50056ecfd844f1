// The harness on POSIX systems: fork and exec, pipes, pseudo-terminals and
// flock().
#include "converter_harness.hpp"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>

namespace logger2csv::testing_support {

namespace fs = std::filesystem;

namespace {

// Reads until end of file, or, with `one_line`, until the first line feed.
// A terminal's master side reports EIO once the other side is closed.
std::string drain(int fd, bool one_line) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
    if (one_line && text.find('\n') != std::string::npos) break;
  }
  return text;
}

// Opens a pseudo-terminal; returns the master and sets `follower` to the
// other side, in raw mode so the bytes arrive as written.
int open_terminal(int& follower) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
    throw std::runtime_error("no pseudo-terminal here");
  follower = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
  termios settings{};
  if (follower < 0 || ::tcgetattr(follower, &settings) != 0) throw std::runtime_error("no pseudo-terminal here");
  ::cfmakeraw(&settings);
  ::tcsetattr(follower, TCSANOW, &settings);
  return master;
}

}  // namespace

run_result run_converter(const fs::path& dir, const std::vector<std::string>& args, console mode) {
  int out_pipe[2], err_pipe[2];
  int out_read, out_write;
  if (mode == console::terminal) {
    out_read = open_terminal(out_write);
  } else {
    if (::pipe(out_pipe) != 0) throw std::runtime_error("pipe failed");
    out_read = out_pipe[0];
    out_write = out_pipe[1];
  }
  if (::pipe(err_pipe) != 0) throw std::runtime_error("pipe failed");

  std::vector<std::string> argv_text{LOGGER2CSV_EXE};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    // The converter must cope with a vanished reader by itself, so it starts
    // with the default SIGPIPE action whatever the test runner has set.
    std::signal(SIGPIPE, SIG_DFL);
    const int null_in = ::open("/dev/null", O_RDONLY);
    if (::chdir(dir.c_str()) != 0 || null_in < 0 || ::dup2(null_in, 0) < 0 || ::dup2(out_write, 1) < 0 ||
        ::dup2(err_pipe[1], 2) < 0)
      ::_exit(127);
    ::close(out_read);
    ::close(err_pipe[0]);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out_write);
  ::close(err_pipe[1]);

  run_result result;
  result.out = drain(out_read, mode == console::pipe_closed_after_a_line);
  ::close(out_read);
  result.err = drain(err_pipe[0], false);
  ::close(err_pipe[0]);
  int status = 0;
  rusage usage{};
  while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.peak_memory_kib = static_cast<std::size_t>(usage.ru_maxrss);  // KiB on Linux
  return result;
}

held_file::held_file(const fs::path& file, hold how) : native_(::open(file.c_str(), O_RDONLY | O_CLOEXEC)) {
  const int operation = how == hold::sharing_reads ? LOCK_SH : LOCK_EX;
  if (native_ >= 0 && ::flock(static_cast<int>(native_), operation | LOCK_NB) != 0) {
    ::close(static_cast<int>(native_));
    native_ = -1;
  }
}

held_file::~held_file() {
  if (held()) ::close(static_cast<int>(native_));
}

bool held_file::held() const { return native_ >= 0; }

}  // namespace logger2csv::testing_support
