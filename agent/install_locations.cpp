#include "agent/install_locations.h"

#include <array>

#include "platform/log_line.h"

namespace agent {

std::string probeBasePath(const ExistenceTest& exists) {
  static constexpr std::array<const char*, 3> kVariants = {
      "/Library/Halvorn/Vantrel_Agent",
      "/Library/Brightmoor_Agent",
      "/Library/Ferrowind_Agent",
  };
  for (const char* variant : kVariants) {
    if (exists(std::string(variant) + "/bin/zelagentservice")) return variant;
  }
  return "/Library/Vantrel_Agent";
}

std::string chooseSystemDataPath(const std::string& basePath, const ExistenceTest& exists) {
  std::string systemData = basePath + "/SystemData";
  if (exists(systemData)) return systemData;
  platform::NSLog("_systemDataPath refers to data folder");
  return basePath + "/data";
}

}  // namespace agent
