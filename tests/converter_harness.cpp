// The harness's parts that are the same on every platform.
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "converter_harness.hpp"

namespace logger2csv::testing_support {

namespace fs = std::filesystem;

temp_dir::temp_dir() {
  static std::mt19937_64 names{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = fs::temp_directory_path() / ("logger2csv-test-" + std::to_string(names()));
    if (fs::create_directory(path)) return;  // false: taken, try another name
  }
  throw std::runtime_error("cannot make a temporary directory");
}

temp_dir::~temp_dir() {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

std::string console_text(std::string_view lines) {
#ifdef _WIN32
  std::string text;
  for (const char c : lines) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
#else
  return std::string(lines);
#endif
}

std::string read_file(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace logger2csv::testing_support
