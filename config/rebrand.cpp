#include "config/rebrand.h"

#include "agent/kelm_agent.h"
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

std::optional<Rebrand> getRebrandDetails() {
  return readRebrandDetails(KelmAgent::systemDataPath() + "/rebrand.plist");
}

}  // namespace config
