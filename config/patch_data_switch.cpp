#include "config/patch_data_switch.h"

#include <variant>

#include "platform/files.h"
#include "platform/log_line.h"
#include "platform/plist/property_list.h"

namespace config {

using platform::NSLog;

std::optional<bool> switchValue(const platform::PropertyValue& value) {
  if (const auto* flag = std::get_if<bool>(&value.value)) return *flag;
  if (const auto* integer = std::get_if<std::int64_t>(&value.value)) {
    if (*integer == 1 || *integer == 0) return *integer == 1;
  }
  if (const auto* real = std::get_if<double>(&value.value)) {
    if (*real == 1.0 || *real == 0.0) return *real == 1.0;
  }
  return std::nullopt;
}

bool readApplicationRunningPromptSwitch(const std::string& path) {
  if (!platform::fileExists(path)) {
    NSLog("checkIfApplicationRunningPromptEnabled " + path + " file not available");
    return false;
  }
  const platform::PropertyListLoad load = platform::loadPropertyList(path);
  if (!load.root) {
    NSLog("checkIfApplicationRunningPromptEnabled : Cannot Convert plist to Dict");
    return false;
  }
  const platform::PropertyValue* entry = load.root->find("ApplicationRunningPrompt");
  const std::optional<bool> enabled = entry ? switchValue(*entry) : std::nullopt;
  if (!enabled) {
    NSLog("checkIfApplicationRunningPromptEnabled : Cannot Get ApplicationRunningPrompt value");
    return false;
  }
  NSLog(*enabled ? "checkIfApplicationRunningPromptEnabled : Showing Talvenor"
                 : "checkIfApplicationRunningPromptEnabled : Talvenor disabled");
  return *enabled;
}

bool checkIfApplicationRunningPromptEnabled(const std::string& dataFolder) {
  NSLog("Inside checkIfApplicationRunningPromptEnabled");
  return readApplicationRunningPromptSwitch(dataFolder + "/zelpatch_data.plist");
}

}  // namespace config
