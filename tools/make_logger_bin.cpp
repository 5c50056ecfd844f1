// Makes logger.bin files.
//
//   make_logger_bin example FILE               the bundled example
//   make_logger_bin random FILE COUNT SEED     COUNT full recordings (224
//                                              samples) with varied, valid
//                                              stamps, the same for one SEED
//   make_logger_bin noise FILE COUNT SEED      COUNT blocks with valid headers
//                                              and random bytes elsewhere
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "logger_files.hpp"

using namespace logger2csv;
using namespace logger2csv::builder;

namespace {

int usage() {
  std::fputs(
      "usage: make_logger_bin example FILE\n"
      "       make_logger_bin random FILE COUNT SEED\n"
      "       make_logger_bin noise FILE COUNT SEED\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::uint8_t> file;
  if (argc == 3 && std::strcmp(argv[1], "example") == 0) {
    file = example_file();
  } else if (argc == 5 && std::strcmp(argv[1], "random") == 0) {
    file = random_recordings(std::strtoull(argv[3], nullptr, 10), std::strtoull(argv[4], nullptr, 10));
  } else if (argc == 5 && std::strcmp(argv[1], "noise") == 0) {
    file = noisy_recordings(std::strtoull(argv[3], nullptr, 10), std::strtoull(argv[4], nullptr, 10));
  } else {
    return usage();
  }
  std::FILE* out = std::fopen(argv[2], "wb");
  if (!out) {
    std::perror(argv[2]);
    return 1;
  }
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  if (std::fclose(out) != 0 || !written) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
