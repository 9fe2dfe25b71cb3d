#pragma once

#include <optional>
#include <string>

#include "platform/plist/property_value.h"

namespace config {

// A boolean, or a number whose value is exactly 1 or exactly 0; anything else is no switch value.
std::optional<bool> switchValue(const platform::PropertyValue& value);

// The "ApplicationRunningPrompt" entry of the patch-data file at the path, with its log lines;
// false on every failure.
bool readApplicationRunningPromptSwitch(const std::string& path);

// From "zelpatch_data.plist" in the agent's data folder, read anew on every call.
bool checkIfApplicationRunningPromptEnabled(const std::string& dataFolder);

}  // namespace config
