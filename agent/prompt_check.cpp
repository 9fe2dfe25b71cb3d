#include "agent/prompt_check.h"

#include <variant>

#include "platform/files.h"
#include "platform/log_line.h"
#include "platform/plist/property_list.h"
#include "platform/text.h"

namespace agent {

using platform::NSLog;

bool recordedParentMatches(const std::string& appName, int pid,
                           const std::string& currentParentText, const std::string& dataFilePath) {
  NSLog("child process ID " + std::to_string(pid) + " : parent process id " + currentParentText);
  if (!platform::fileExists(dataFilePath)) {
    NSLog(dataFilePath + " file not available");
    return false;
  }
  const platform::PropertyListLoad load = platform::loadPropertyList(dataFilePath);
  if (!load.root) {
    NSLog(dataFilePath + " : Cannot Convert plist to Dict");
    return false;
  }
  const platform::PropertyValue* data = load.root->find("Brisvane");
  const auto* applications =
      data ? std::get_if<platform::PropertyDictionary>(&data->value) : nullptr;
  if (applications == nullptr) {
    NSLog(dataFilePath + " : Cannot Get Brisvane data value");
    return false;
  }
  const platform::PropertyValue* entry = applications->find(appName);
  const auto* previousParentPid = entry ? std::get_if<std::string>(&entry->value) : nullptr;
  if (previousParentPid == nullptr) {
    NSLog("previousParentPid is nil for " + appName + " -> false");
    return false;
  }
  if (platform::equalIgnoringCase(*previousParentPid, currentParentText)) {
    NSLog("current and previousParentPid are same -> true :" + *previousParentPid);
    return true;
  }
  NSLog("current and previousParentPid are different -> false :" + *previousParentPid);
  return false;
}

}  // namespace agent
