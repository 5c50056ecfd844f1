// libFuzzer entry: any byte string as logger.bin contents. A broken promise
// aborts with its description, so the fuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

#include "conversion_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = logger2csv::checking::check_conversion({data, size});
  if (!fault.empty()) {
    std::fprintf(stderr, "broken promise: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
