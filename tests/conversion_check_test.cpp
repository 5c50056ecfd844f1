// The converter's promises (fuzz/conversion_check.hpp) on the inputs the
// fuzzer starts from, on every input it once failed on, and on generated and
// cut-short files.
#include "conversion_check.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "converter_harness.hpp"
#include "logger_files.hpp"

namespace {

namespace fs = std::filesystem;
using namespace logger2csv;
using logger2csv::checking::check_conversion;

std::vector<std::uint8_t> bytes_of(const fs::path& file) {
  const std::string text = testing_support::read_file(file);
  return {text.begin(), text.end()};
}

TEST(ConversionCheck, HoldsOnTheFuzzersSeedsAndRegressions) {
  std::size_t files = 0;
  for (const char* folder : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(FUZZ_INPUTS_DIR) / folder;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (!entry.is_regular_file() || entry.path().filename() == "README.md") continue;
      ++files;
      EXPECT_EQ(check_conversion(bytes_of(entry.path())), "") << entry.path();
    }
  }
  EXPECT_GE(files, 5u) << "the seed corpus is missing";
}

TEST(ConversionCheck, HoldsOnGeneratedFiles) {
  const std::pair<const char*, std::vector<std::uint8_t>> files[] = {
      {"example", builder::example_file()},
      {"random recordings", builder::random_recordings(100, 5)},
      {"noise", builder::noisy_recordings(2000, 5)},
  };
  for (const auto& [name, file] : files) EXPECT_EQ(check_conversion(file), "") << name;
}

TEST(ConversionCheck, HoldsOnEveryCutOfTheExample) {
  const std::vector<std::uint8_t> example = builder::example_file();
  for (std::size_t size = 0; size <= example.size(); ++size)
    ASSERT_EQ(check_conversion({example.data(), size}), "") << size << " bytes";
}

}  // namespace
