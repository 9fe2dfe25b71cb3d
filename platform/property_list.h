#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/property_value.h"

namespace platform {

enum class PropertyListFailure {
  unreadable,        // no permission, a folder at the path, not enough memory
  notAPropertyList,  // neither encoding, damaged, nested too deep, or a number no reader takes
  notADictionary,    // a property list with something else at its top level
};

struct PropertyListLoad {
  std::optional<PropertyDictionary> root;  // present on success
  PropertyListFailure failure = PropertyListFailure::unreadable;
  // For unreadable, the system's reason ("Permission denied"); for notADictionary, the top
  // level's kind ("an array").
  std::string detail;
};

// Reads the whole file and parses it as a property list in the XML or the binary encoding.
PropertyListLoad loadPropertyList(const std::string& path);

PropertyListLoad parsePropertyList(std::string_view bytes);

}  // namespace platform
