#include "platform/plist/property_list.h"

#include <locale.h>
#include <plist/plist.h>
#include <stdlib.h>
#include <string.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#include "platform/files.h"
#include "platform/plist/binary_plist_check.h"
#include "platform/plist/xml_encoding.h"
#include "platform/plist/xml_plist_check.h"

namespace platform {
namespace {

// libplist takes the length as 32 bits.
constexpr std::size_t kMaxBytes = std::numeric_limits<std::uint32_t>::max();

struct PlistFree {
  void operator()(void* node) const { plist_free(node); }
};
using PlistTree = std::unique_ptr<void, PlistFree>;

struct MallocFree {
  void operator()(void* memory) const { free(memory); }
};

locale_t cLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return locale;
}

PropertyListLoad failed(PropertyListFailure failure, std::string detail = {}) {
  PropertyListLoad load;
  load.failure = failure;
  load.detail = std::move(detail);
  return load;
}

PropertyListLoad unreadable(std::string reason) {
  return failed(PropertyListFailure::unreadable, std::move(reason));
}

// The C library's wording, in English whatever locale the toolkit may have set meanwhile.
std::string systemReason(int error) {
  if (cLocale() == nullptr) return "error " + std::to_string(error);
  return strerror_l(error, cLocale());
}

// Fills `bytes` with the whole file in one buffer, or yields why not.
std::optional<PropertyListLoad> readWholeFile(const std::string& path, std::string& bytes) {
  const FileRead read = readRegularFile(path, kMaxBytes, bytes);
  if (read.error != 0) return unreadable(systemReason(read.error));
  if (read.notRegular) return unreadable("not a regular file");
  if (read.tooLarge) return failed(PropertyListFailure::notAPropertyList);
  return std::nullopt;
}

// libplist's tree; null when libplist rejects the bytes.
PlistTree parse(std::string_view bytes, bool binary) {
  plist_t root = nullptr;  // libplist 2.2 reports a failure only by leaving it unset
  // It reads <real> with atof, which follows the thread's locale: "1.5" would be 1 where the
  // decimal separator is a comma.
  const locale_t previous = uselocale(cLocale());
  // Named readers, because plist_from_memory gained an argument in libplist 2.3; from 2.3 on
  // it would also accept JSON and OpenStep, which no check above has vetted.
  const auto length = static_cast<std::uint32_t>(bytes.size());
  if (binary) {
    plist_from_bin(bytes.data(), length, &root);
  } else {
    plist_from_xml(bytes.data(), length, &root);
  }
  uselocale(previous);
  return PlistTree(root);
}

// What libplist reads short, by the file's encoding: the XML integers its text was rewritten to
// index, or the binary objects the tree mirrors.
struct Exact {
  const std::vector<PropertyValue>* integers = nullptr;
  std::optional<BinaryPlistObjects> objects;
};

PropertyValue convert(plist_t node, const Exact& exact, std::optional<std::uint64_t> object);

PropertyDictionary convertDictionary(plist_t node, const Exact& exact,
                                     std::optional<std::uint64_t> object) {
  PropertyDictionary dictionary;
  dictionary.entries.reserve(plist_dict_get_size(node));
  plist_dict_iter iterator = nullptr;
  plist_dict_new_iter(node, &iterator);
  const std::unique_ptr<void, MallocFree> ownIterator(iterator);
  // libplist keeps a binary dictionary's entries in the file's order, repeated keys included.
  const auto entry = [&](std::uint64_t i, bool value) -> std::optional<std::uint64_t> {
    if (!exact.objects || !object) return std::nullopt;
    return exact.objects->dictionaryEntry(*object, i, value);
  };
  for (std::uint64_t i = 0;; ++i) {
    char* key = nullptr;
    plist_t value = nullptr;
    plist_dict_next_item(node, iterator, &key, &value);
    const std::unique_ptr<char, MallocFree> ownKey(key);
    if (value == nullptr) return dictionary;
    if (key == nullptr) throw std::bad_alloc();
    const std::optional<std::uint64_t> keyObject = entry(i, false);
    std::optional<PropertyValue> exactKey;
    if (keyObject) exactKey = exact.objects->exactValue(*keyObject);
    const auto* keyText = exactKey ? std::get_if<std::string>(&exactKey->value) : nullptr;
    dictionary.entries.push_back(
        {keyText ? std::move(*keyText) : key, convert(value, exact, entry(i, true))});
  }
}

// Recurses only into dictionaries, whose nesting the checks have bounded.
PropertyValue convert(plist_t node, const Exact& exact, std::optional<std::uint64_t> object) {
  const plist_type type = plist_get_node_type(node);
  if ((type == PLIST_UINT || type == PLIST_STRING) && exact.objects && object) {
    if (std::optional<PropertyValue> value = exact.objects->exactValue(*object)) return *value;
  }
  switch (type) {
    case PLIST_BOOLEAN: {
      std::uint8_t value = 0;
      plist_get_bool_val(node, &value);
      return {value != 0};
    }
    case PLIST_UINT: {
      std::uint64_t value = 0;
      plist_get_uint_val(node, &value);
      if (exact.integers) {
        return value < exact.integers->size() ? (*exact.integers)[value]
                                              : PropertyValue{OtherValue{"an integer"}};
      }
      return {static_cast<std::int64_t>(value)};
    }
    case PLIST_REAL: {
      double value = 0;
      plist_get_real_val(node, &value);
      return {value};
    }
    case PLIST_STRING: {
      std::uint64_t length = 0;
      const char* text = plist_get_string_ptr(node, &length);
      return {std::string(text, length)};
    }
    case PLIST_DICT:
      return {convertDictionary(node, exact, object)};
    case PLIST_ARRAY:
      return {OtherValue{"an array"}};
    case PLIST_DATE:
      return {OtherValue{"a date"}};
    case PLIST_DATA:
      return {OtherValue{"data"}};
    case PLIST_UID:
      return {OtherValue{"a UID"}};
    default:
      return {OtherValue{"an unknown value"}};
  }
}

PropertyListLoad fromTree(const PlistTree& tree, const Exact& exact) {
  if (!tree) return failed(PropertyListFailure::notAPropertyList);
  std::optional<std::uint64_t> root;
  if (exact.objects) root = exact.objects->root();
  if (plist_get_node_type(tree.get()) != PLIST_DICT) {
    return failed(PropertyListFailure::notADictionary,
                  std::string(describeKind(convert(tree.get(), exact, root))));
  }
  PropertyListLoad load;
  load.root = convertDictionary(tree.get(), exact, root);
  return load;
}

// Takes the bytes, to release them as soon as they are no longer needed.
PropertyListLoad parseOwned(std::string bytes) {
  if (bytes.size() > kMaxBytes) return failed(PropertyListFailure::notAPropertyList);
  if (bytes.starts_with("bplist00")) {  // libplist's own choice of reader
    if (!binaryPlistIsSafe(bytes)) return failed(PropertyListFailure::notAPropertyList);
    Exact exact;
    exact.objects.emplace(bytes);
    return fromTree(parse(bytes, true), exact);
  }
  std::vector<PropertyValue> integers;
  PlistTree tree;
  if (!toUtf8WithLineFeeds(bytes) || !checkXmlPlist(bytes, integers)) {
    return failed(PropertyListFailure::notAPropertyList);
  }
  tree = parse(bytes, false);
  std::string().swap(bytes);  // released before the tree is copied out
  Exact exact;
  exact.integers = &integers;
  return fromTree(tree, exact);
}

}  // namespace

PropertyListLoad parsePropertyList(std::string_view bytes) {
  try {
    if (bytes.size() > kMaxBytes) return failed(PropertyListFailure::notAPropertyList);
    return parseOwned(std::string(bytes));
  } catch (const std::bad_alloc&) {
    return unreadable("not enough memory");
  }
}

PropertyListLoad loadPropertyList(const std::string& path) {
  try {
    std::string bytes;
    if (std::optional<PropertyListLoad> failure = readWholeFile(path, bytes)) return *failure;
    return parseOwned(std::move(bytes));
  } catch (const std::bad_alloc&) {
    return unreadable("not enough memory");
  }
}

}  // namespace platform
