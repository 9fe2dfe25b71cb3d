// The switch reader on an arbitrary file: true exactly when the parsed entry converts to true.
#include <cstddef>
#include <cstdint>

#include "config/patch_data_switch.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const bool enabled = config::readApplicationRunningPromptSwitch(inputFile(bytes));
  const platform::PropertyListLoad load = platform::parsePropertyList(bytes);
  const platform::PropertyValue* entry =
      load.root ? load.root->find("ApplicationRunningPrompt") : nullptr;
  require(enabled == (entry != nullptr && config::switchValue(*entry) == true));
  return 0;
}
