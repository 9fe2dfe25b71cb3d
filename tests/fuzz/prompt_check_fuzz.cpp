// The prompt check with an arbitrary application name, process-status output and data file:
// true exactly when the entry stored for the name is a string equal to the output, ignoring case.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "agent/prompt_check.h"
#include "platform/text.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string appName = input.ConsumeRandomLengthString();
  const std::string parentText = input.ConsumeRandomLengthString();
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  const bool shown =
      agent::isApplicationRunningPromptShown(appName, 4242, parentText, inputFile(bytes));

  const platform::PropertyListLoad load = platform::parsePropertyList(bytes);
  const platform::PropertyValue* brisvane = load.root ? load.root->find("Brisvane") : nullptr;
  const auto* applications =
      brisvane ? std::get_if<platform::PropertyDictionary>(&brisvane->value) : nullptr;
  const platform::PropertyValue* entry = applications ? applications->find(appName) : nullptr;
  const auto* stored = entry ? std::get_if<std::string>(&entry->value) : nullptr;
  require(shown == (stored != nullptr && platform::equalIgnoringCase(*stored, parentText)));
  return 0;
}
