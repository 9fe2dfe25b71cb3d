// The loader on arbitrary bytes: it must neither crash nor hand libplist anything that makes it
// crash, recurse too deep, hang or allocate without bound.
#include <cstddef>
#include <cstdint>

#include "platform/plist/property_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const platform::PropertyListLoad load =
      platform::parsePropertyList({reinterpret_cast<const char*>(data), size});
  // The readers print the top level's kind when it is not a dictionary.
  if (!load.root && load.failure == platform::PropertyListFailure::notADictionary &&
      load.detail.empty()) {
    __builtin_trap();
  }
  return 0;
}
