#include "platform/plist/binary_plist_check.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/big_endian.h"
#include "platform/plist/plist_limits.h"
#include "platform/plist/xml_encoding.h"

namespace platform {
namespace {

constexpr std::uint64_t kHeaderSize = 8;  // "bplist00"
constexpr std::uint64_t kTrailerSize = 32;
// libplist builds a copy of a shared object for every reference to it. A file without sharing
// expands to at most one node per byte; this much more leaves room for modest sharing.
constexpr std::uint64_t kSharingAllowance = 1 << 16;

bool isPowerOfTwoWidth(std::uint64_t width) {
  return width == 1 || width == 2 || width == 4 || width == 8;
}

struct Object {
  bool container = false;
  std::uint64_t refsAt = 0;
  std::uint64_t refCount = 0;
  std::uint64_t keyCount = 0;  // a dictionary's first references name its keys
};

// Where an object's payload starts and how many units it holds.
struct Payload {
  std::uint64_t at = 0;
  std::uint64_t count = 0;
};

// Reads the trailer with the checks libplist makes. Offsets and references may take any width up
// to 8 bytes (libplist itself writes 3-byte references); libplist reads wider ones short.
std::optional<BinaryPlistTrailer> readTrailer(std::string_view bytes) {
  if (bytes.size() < kHeaderSize + kTrailerSize) return std::nullopt;
  const std::uint64_t at = bytes.size() - kTrailerSize;
  BinaryPlistTrailer trailer;
  trailer.offsetWidth = readBigEndian(bytes, at + 6, 1);
  trailer.refWidth = readBigEndian(bytes, at + 7, 1);
  trailer.count = readBigEndian(bytes, at + 8, 8);
  trailer.root = readBigEndian(bytes, at + 16, 8);
  trailer.table = readBigEndian(bytes, at + 24, 8);
  const bool sound = trailer.offsetWidth >= 1 && trailer.offsetWidth <= 8 &&
                     trailer.refWidth >= 1 && trailer.refWidth <= 8 && trailer.count > 0 &&
                     trailer.root < trailer.count && trailer.table >= kHeaderSize &&
                     trailer.table < at &&
                     trailer.count <= (at - trailer.table) / trailer.offsetWidth;
  if (!sound) return std::nullopt;
  return trailer;
}

class ObjectTable {
 public:
  ObjectTable(std::string_view bytes, const BinaryPlistTrailer& trailer)
      : bytes_(bytes), trailer_(trailer) {}

  std::uint64_t root() const { return trailer_.root; }

  // Where the object's references lie, or nothing when libplist could read past its bounds.
  std::optional<Object> object(std::uint64_t index) const {
    const std::uint64_t at = offset(index);
    if (at >= trailer_.table) return std::nullopt;
    const unsigned marker = byteAt(at);
    const unsigned type = marker & 0xF0, low = marker & 0x0F;
    if (type == 0x10 && low == 4) return integer16(at);
    if (type != 0xA0 && type != 0xC0 && type != 0xD0) return Object{};
    const std::optional<Payload> refs = payload(at);
    const std::uint64_t perEntry = type == 0xD0 ? 2 : 1;
    if (!refs || refs->count > (trailer_.table - refs->at) / trailer_.refWidth / perEntry) {
      return std::nullopt;
    }
    return Object{true, refs->at, refs->count * perEntry, type == 0xD0 ? refs->count : 0};
  }

  // libplist 2.2 stops the program on a failed assertion when it hands out a dictionary key
  // holding a NUL character, which only a binary string can; such a key, or one whose text lies
  // out of bounds, is refused.
  bool keyIsSafe(std::uint64_t index) const {
    const std::uint64_t at = offset(index);
    if (at >= trailer_.table) return false;
    const unsigned type = byteAt(at) & 0xF0;
    if (type != 0x50 && type != 0x60) return true;    // libplist refuses a key that is no string
    const std::uint64_t unit = type == 0x60 ? 2 : 1;  // ASCII or UTF-16
    const std::optional<Payload> text = payload(at);
    if (!text || text->count > (trailer_.table - text->at) / unit) return false;
    for (std::uint64_t i = 0; i < text->count; ++i) {
      if (read(text->at + i * unit, unit) == 0) return false;
    }
    return true;
  }

  // By the rule in plist_limits.h: 1, 2 and 4 bytes unsigned, 8 and 16 bytes signed.
  std::optional<PropertyValue> exactValue(std::uint64_t index) const {
    const std::uint64_t at = offset(index);
    if (at >= trailer_.table) return std::nullopt;
    const unsigned type = byteAt(at) & 0xF0, width = 1u << (byteAt(at) & 0x0F);
    if (type == 0x10 && isPowerOfTwoWidth(width) && width < trailer_.table - at) {
      return PropertyValue{static_cast<std::int64_t>(read(at + 1, width))};
    }
    if (type == 0x10 && width == 16 && width < trailer_.table - at) {
      const std::uint64_t high = read(at + 1, 8), low = read(at + 9, 8);
      const bool signedLow = low >> 63 != 0;
      if (high == 0 && signedLow) return PropertyValue{low};
      if ((high == 0 && !signedLow) || (high == ~std::uint64_t{0} && signedLow)) {
        return PropertyValue{static_cast<std::int64_t>(low)};
      }
      return PropertyValue{OtherValue{"an integer"}};
    }
    const std::optional<Payload> text = type == 0x60 ? payload(at) : std::nullopt;
    if (!text || text->count > (trailer_.table - text->at) / 2) return std::nullopt;
    return PropertyValue{utf16ToUtf8(bytes_.substr(text->at, text->count * 2), true)};
  }

  // The object index of a container's reference, or nothing when it names no object.
  std::optional<std::uint64_t> reference(const Object& container, std::uint64_t i) const {
    const std::uint64_t index = read(container.refsAt + i * trailer_.refWidth, trailer_.refWidth);
    if (index >= trailer_.count) return std::nullopt;
    return index;
  }

 private:
  unsigned byteAt(std::uint64_t at) const { return static_cast<unsigned char>(bytes_[at]); }

  std::uint64_t read(std::uint64_t at, std::uint64_t width) const {
    return readBigEndian(bytes_, at, width);
  }

  std::uint64_t offset(std::uint64_t index) const {
    return read(trailer_.table + index * trailer_.offsetWidth, trailer_.offsetWidth);
  }

  // The size in the marker's low half, or, when that is 15, in the integer object after it.
  std::optional<Payload> payload(std::uint64_t at) const {
    const unsigned low = byteAt(at) & 0x0F;
    if (low != 0x0F) return Payload{at + 1, low};
    if (at + 1 >= trailer_.table || (byteAt(at + 1) & 0xF0) != 0x10) return std::nullopt;
    const std::uint64_t width = std::uint64_t{1} << (byteAt(at + 1) & 0x0F);
    if (!isPowerOfTwoWidth(width) || width > trailer_.table - (at + 2)) return std::nullopt;
    return Payload{at + 2 + width, read(at + 2, width)};
  }

  std::optional<Object> integer16(std::uint64_t at) const {
    if (trailer_.table - at < 17) return std::nullopt;
    return Object{};
  }

  std::string_view bytes_;
  BinaryPlistTrailer trailer_;
};

}  // namespace

bool binaryPlistIsSafe(std::string_view bytes) {
  const std::optional<BinaryPlistTrailer> trailer = readTrailer(bytes);
  if (!trailer) return false;
  const ObjectTable table(bytes, *trailer);

  // Visits objects in the order libplist's recursion would, with an explicit stack of open
  // containers, counting every visit of a shared object again as libplist copies it again.
  struct Frame {
    Object container;
    std::uint64_t next = 0;
  };
  std::vector<Frame> open;
  const std::uint64_t budget = bytes.size() + kSharingAllowance;
  std::uint64_t visits = 0;
  const auto visit = [&](std::uint64_t index) {
    const std::optional<Object> object = table.object(index);
    if (!object || ++visits > budget) return false;
    if (!object->container) return true;
    if (open.size() == kMaxPropertyListNesting) return false;
    open.push_back({*object});
    return true;
  };

  if (!visit(table.root())) return false;
  while (!open.empty()) {
    Frame& top = open.back();
    if (top.next == top.container.refCount) {
      open.pop_back();
      continue;
    }
    const bool isKey = top.next < top.container.keyCount;
    const std::optional<std::uint64_t> child = table.reference(top.container, top.next++);
    if (!child || (isKey && !table.keyIsSafe(*child)) || !visit(*child)) return false;
  }
  return true;
}

}  // namespace platform

namespace platform {

// Nothing is found in bytes whose trailer fails, as the table then holds no object.
BinaryPlistObjects::BinaryPlistObjects(std::string_view bytes)
    : bytes_(bytes), trailer_(readTrailer(bytes).value_or(BinaryPlistTrailer{})) {}

std::optional<std::uint64_t> BinaryPlistObjects::dictionaryEntry(std::uint64_t dictionary,
                                                                 std::uint64_t i,
                                                                 bool value) const {
  const ObjectTable table(bytes_, trailer_);
  const std::optional<Object> object = table.object(dictionary);
  if (!object || i >= object->keyCount) return std::nullopt;
  return table.reference(*object, value ? object->keyCount + i : i);
}

std::optional<PropertyValue> BinaryPlistObjects::exactValue(std::uint64_t index) const {
  return ObjectTable(bytes_, trailer_).exactValue(index);
}

}  // namespace platform
