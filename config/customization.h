#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/plist/property_value.h"

namespace config {

// The agent's replacement for the balloon's default sentence.
struct ApplicationRunningPromptCustomization {
  struct CodingKeys {
    static constexpr std::string_view successNotificationMessage = "successNotificationMessage";
  };

  std::optional<std::string> successNotificationMessage;

  // The key as text-if-present; throws DecodingError when it is there but not text.
  static ApplicationRunningPromptCustomization decode(
      const platform::PropertyDictionary& container);

  bool operator==(const ApplicationRunningPromptCustomization&) const = default;
};

// "ApplicationRunningPromptCustomization(successNotificationMessage: nil)", or the message as
// Optional("...").
std::string describe(const ApplicationRunningPromptCustomization& customization);

// The record from the file at the path; nothing when no item is there, or, after a line
// "DevarozAdododazUpdatePromptCustomization error " + description, when it cannot be read or
// decoded.
std::optional<ApplicationRunningPromptCustomization> readCustomizationData(const std::string& path);

// From "ApplicationRunningPromptCustomization.plist" in the agent's data folder, read anew on
// every call.
std::optional<ApplicationRunningPromptCustomization> getCustomizationData(
    const std::string& dataFolder);

}  // namespace config
