// The rebrand reader on an arbitrary file.
#include <cstddef>
#include <cstdint>

#include "config/rebrand.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  checkRecordReader<config::Rebrand>({reinterpret_cast<const char*>(data), size},
                                     config::readRebrandDetails);
  return 0;
}
