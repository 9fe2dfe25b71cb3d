#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/record_decoding.h"
#include "platform/log_line.h"
#include "platform/plist/property_value.h"

namespace config {

// The top-level dictionary of the file at the path. Nothing, silently, when no item is there;
// nothing after a line of `errorPrefix` and a description when it does not load.
std::optional<platform::PropertyDictionary> loadRecordContainer(const std::string& path,
                                                                std::string_view errorPrefix);

// The record decoded from the file at the path, or nothing, with the same lines; a failed decode
// logs `errorPrefix` and its description.
template <typename Record>
std::optional<Record> readRecord(const std::string& path, std::string_view errorPrefix) {
  const std::optional<platform::PropertyDictionary> container =
      loadRecordContainer(path, errorPrefix);
  if (!container) return std::nullopt;
  try {
    return Record::decode(*container);
  } catch (const DecodingError& error) {
    platform::NSLog(std::string(errorPrefix) + error.what());
    return std::nullopt;
  }
}

}  // namespace config
