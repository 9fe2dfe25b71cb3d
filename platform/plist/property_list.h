// The property-list loader: the agent's files in the XML or the binary encoding, as a
// PropertyDictionary (property_value.h). Nothing else of this folder is for callers.
//
// libplist parses, but Debian 12 ships libplist 2.2.0, which must not be given bytes unchecked,
// so every file passes the checks of this folder first:
// - its binary reader and its freeing of a tree recurse without limit, and it copies a shared
//   object once for each reference: deep nesting, cycles and heavy sharing would end the run;
// - it fails an assertion on a binary dictionary key that holds a NUL character;
// - its XML reader takes only UTF-8 with LF line ends, reads integers with base detection and
//   cuts large ones short, and slows down quadratically on keys made to share a hash chain;
// - it drops an unpaired UTF-16 surrogate, and reads <real> by the thread's locale.
// The checks can go, each with its test rows, once the libplist of the oldest supported Debian
// release no longer needs it; plist_limits.h holds the rules that then must still hold.

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/plist/property_value.h"

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
