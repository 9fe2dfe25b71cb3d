// The readers of the agent's files on a file of arbitrary bytes, the first byte choosing which:
// each must answer as its rule does on the parsed bytes, so reading the file changes nothing.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "agent/prompt_check.h"
#include "config/customization.h"
#include "config/patch_data_switch.h"
#include "config/rebrand.h"
#include "config/record_decoding.h"
#include "platform/plist/property_list.h"
#include "platform/text.h"

namespace {

using platform::PropertyValue;

// Stops the run, as a crash the fuzzer keeps the input of, when a reader broke its promise.
void require(bool promise) {
  if (!promise) __builtin_trap();
}

// One file per fuzzing process, on a memory file system so the disk does not slow the run.
const std::string path = "/dev/shm/talvenor-fuzz-" + std::to_string(getpid()) + ".plist";
[[maybe_unused]] const int removedAtExit = std::atexit([] { unlink(path.c_str()); });

const PropertyValue* find(const platform::PropertyDictionary* dictionary, std::string_view key) {
  return dictionary ? dictionary->find(key) : nullptr;
}

template <typename Record>
std::optional<Record> decoded(const platform::PropertyDictionary* root) {
  try {
    if (root) return Record::decode(*root);
  } catch (const config::DecodingError&) {
  }
  return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int reader = data[0] % 3;
  FuzzedDataProvider input(data + 1, size - 1);
  // The prompt check also takes an application name and the process-status output.
  const std::string appName = reader == 2 ? input.ConsumeRandomLengthString() : "";
  const std::string parentText = reader == 2 ? input.ConsumeRandomLengthString() : "";
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  require(bool(std::ofstream(path, std::ios::binary) << bytes));
  const platform::PropertyListLoad load = platform::parsePropertyList(bytes);
  const platform::PropertyDictionary* root = load.root ? &*load.root : nullptr;
  if (reader == 0) {  // true exactly when the entry converts to true
    const PropertyValue* entry = find(root, "ApplicationRunningPrompt");
    require(config::readApplicationRunningPromptSwitch(path) ==
            (entry != nullptr && config::switchValue(*entry) == true));
  } else if (reader == 1) {  // both records, the same as decoding the parsed bytes
    require(config::readRebrandDetails(path) == decoded<config::Rebrand>(root) &&
            config::readCustomizationData(path) ==
                decoded<config::ApplicationRunningPromptCustomization>(root));
  } else {  // true exactly when the string stored for the name equals the output, ignoring case
    const PropertyValue* brisvane = find(root, "Brisvane");
    const PropertyValue* entry = find(
        brisvane ? std::get_if<platform::PropertyDictionary>(&brisvane->value) : nullptr, appName);
    const auto* stored = entry ? std::get_if<std::string>(&entry->value) : nullptr;
    require(agent::recordedParentMatches(appName, 4242, parentText, path) ==
            (stored != nullptr && platform::equalIgnoringCase(*stored, parentText)));
  }
  return 0;
}
