#include "config/record_reader.h"

#include "platform/files.h"
#include "platform/plist/property_list.h"

namespace config {
namespace {

std::string describeFailure(const platform::PropertyListLoad& load, const std::string& path) {
  const std::string file = "the file \"" + path + "\"";
  switch (load.failure) {
    case platform::PropertyListFailure::unreadable:
      return "cannot read " + file + ": " + load.detail;
    case platform::PropertyListFailure::notADictionary:
      return "the top level of " + file + " is " + load.detail + ", expected a dictionary";
    case platform::PropertyListFailure::notAPropertyList:
      break;
  }
  return file + " is not a property list in XML or binary encoding";
}

}  // namespace

std::optional<platform::PropertyDictionary> loadRecordContainer(const std::string& path,
                                                                std::string_view errorPrefix) {
  if (!platform::fileExists(path)) return std::nullopt;
  platform::PropertyListLoad load = platform::loadPropertyList(path);
  if (!load.root) platform::NSLog(std::string(errorPrefix) + describeFailure(load, path));
  return std::move(load.root);
}

}  // namespace config
