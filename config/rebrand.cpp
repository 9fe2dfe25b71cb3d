#include "config/rebrand.h"

#include "config/record_reader.h"

namespace config {

Rebrand Rebrand::decode(const platform::PropertyDictionary& container) {
  Rebrand rebrand;
  rebrand.isRebranded = decodeTextIfPresent(container, CodingKeys::isRebranded);
  rebrand.productName = decodeTextIfPresent(container, CodingKeys::productName);
  return rebrand;
}

std::optional<Rebrand> readRebrandDetails(const std::string& path) {
  return readRecord<Rebrand>(path, "rebrandData error ");
}

std::optional<Rebrand> getRebrandDetails(const std::string& systemDataFolder) {
  return readRebrandDetails(systemDataFolder + "/rebrand.plist");
}

}  // namespace config
