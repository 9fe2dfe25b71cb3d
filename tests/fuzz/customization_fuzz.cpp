// The prompt-customisation reader on an arbitrary file.
#include <cstddef>
#include <cstdint>

#include "config/customization.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  checkRecordReader<config::ApplicationRunningPromptCustomization>(
      {reinterpret_cast<const char*>(data), size}, config::readCustomizationData);
  return 0;
}
