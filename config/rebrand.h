#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/plist/property_value.h"

namespace config {

// The agent's rebrand property list. Both fields are text, "IS_REBRANDED" included.
struct Rebrand {
  struct CodingKeys {
    static constexpr std::string_view isRebranded = "IS_REBRANDED";
    static constexpr std::string_view productName = "PRODUCT_NAME";
  };

  std::optional<std::string> isRebranded;
  std::optional<std::string> productName;

  // Each key in turn as text-if-present; throws DecodingError at the first that is not text.
  static Rebrand decode(const platform::PropertyDictionary& container);

  bool operator==(const Rebrand&) const = default;
};

// The record from the file at the path; nothing when no item is there, or, after a line
// "rebrandData error " + description, when it cannot be read or decoded.
std::optional<Rebrand> readRebrandDetails(const std::string& path);

// From "rebrand.plist" in the agent's system-data folder, read anew on every call.
std::optional<Rebrand> getRebrandDetails(const std::string& systemDataFolder);

}  // namespace config
