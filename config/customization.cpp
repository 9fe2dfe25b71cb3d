#include "config/customization.h"

#include "config/optional_text.h"
#include "config/record_reader.h"

namespace config {

ApplicationRunningPromptCustomization ApplicationRunningPromptCustomization::decode(
    const platform::PropertyDictionary& container) {
  ApplicationRunningPromptCustomization customization;
  customization.successNotificationMessage =
      decodeTextIfPresent(container, CodingKeys::successNotificationMessage);
  return customization;
}

std::string describe(const ApplicationRunningPromptCustomization& customization) {
  return "ApplicationRunningPromptCustomization(successNotificationMessage: " +
         renderOptional(customization.successNotificationMessage) + ")";
}

std::optional<ApplicationRunningPromptCustomization> readCustomizationData(
    const std::string& path) {
  return readRecord<ApplicationRunningPromptCustomization>(
      path, "DevarozAdododazUpdatePromptCustomization error ");
}

std::optional<ApplicationRunningPromptCustomization> getCustomizationData(
    const std::string& dataFolder) {
  return readCustomizationData(dataFolder + "/ApplicationRunningPromptCustomization.plist");
}

}  // namespace config
