#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/plist/property_value.h"

namespace platform {

// Whether libplist 2.2 may be given this binary property list: walking the objects it would
// reach, from the root, none lies out of bounds, no array or dictionary is nested deeper than
// kMaxPropertyListNesting (a reference cycle never ends, so it is refused too), and the tree
// libplist would build, copying every shared object, stays within a size in proportion to the
// file.
bool binaryPlistIsSafe(std::string_view bytes);

// Where a binary property list's objects lie, as its trailer says.
struct BinaryPlistTrailer {
  std::uint64_t offsetWidth = 0, refWidth = 0, count = 0, root = 0, table = 0;
};

// The objects of a binary property list that binaryPlistIsSafe took, for what libplist 2.2 reads
// short: it keeps the low half of a 16-byte integer and drops an unpaired UTF-16 surrogate.
class BinaryPlistObjects {
 public:
  explicit BinaryPlistObjects(std::string_view bytes);

  std::uint64_t root() const { return trailer_.root; }
  // The object index of a dictionary's i-th key, or with `value` of its i-th value.
  std::optional<std::uint64_t> dictionaryEntry(std::uint64_t dictionary, std::uint64_t i,
                                               bool value) const;
  // An integer's value or a UTF-16 string's text as written; nothing for other objects.
  std::optional<PropertyValue> exactValue(std::uint64_t index) const;

 private:
  std::string_view bytes_;
  BinaryPlistTrailer trailer_;  // read once: the tree's conversion asks for every object
};

}  // namespace platform
