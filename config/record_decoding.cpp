#include "config/record_decoding.h"

#include <variant>

namespace config {

std::optional<std::string> decodeTextIfPresent(const platform::PropertyDictionary& container,
                                               std::string_view key) {
  const platform::PropertyValue* value = container.find(key);
  if (value == nullptr) return std::nullopt;
  if (const auto* text = std::get_if<std::string>(&value->value)) return *text;
  throw DecodingError("key \"" + std::string(key) + "\" holds " +
                      std::string(platform::describeKind(*value)) + ", expected a string");
}

}  // namespace config
