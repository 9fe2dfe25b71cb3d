#include "platform/plist/binary_plist_check.h"

#include <cstdint>
#include <optional>
#include <vector>

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

class ObjectTable {
 public:
  explicit ObjectTable(std::string_view bytes) : bytes_(bytes) {}

  // Reads the trailer with the checks libplist makes. Offsets and references may take any width
  // up to 8 bytes (libplist itself writes 3-byte references); libplist reads wider ones short.
  bool open() {
    if (bytes_.size() < kHeaderSize + kTrailerSize) return false;
    const std::uint64_t trailer = bytes_.size() - kTrailerSize;
    offsetWidth_ = byteAt(trailer + 6);
    refWidth_ = byteAt(trailer + 7);
    count_ = read(trailer + 8, 8);
    root_ = read(trailer + 16, 8);
    table_ = read(trailer + 24, 8);
    return offsetWidth_ >= 1 && offsetWidth_ <= 8 && refWidth_ >= 1 && refWidth_ <= 8 &&
           count_ > 0 && root_ < count_ && table_ >= kHeaderSize && table_ < trailer &&
           count_ <= (trailer - table_) / offsetWidth_;
  }

  std::uint64_t root() const { return root_; }

  // Where the object's references lie, or nothing when libplist could read past its bounds.
  std::optional<Object> object(std::uint64_t index) const {
    const std::uint64_t at = offset(index);
    if (at >= table_) return std::nullopt;
    const unsigned marker = byteAt(at);
    const unsigned type = marker & 0xF0, low = marker & 0x0F;
    if (type == 0x10 && low == 4) return integer16(at);
    if (type != 0xA0 && type != 0xC0 && type != 0xD0) return Object{};
    const std::optional<Payload> refs = payload(at);
    const std::uint64_t perEntry = type == 0xD0 ? 2 : 1;
    if (!refs || refs->count > (table_ - refs->at) / refWidth_ / perEntry) return std::nullopt;
    return Object{true, refs->at, refs->count * perEntry, type == 0xD0 ? refs->count : 0};
  }

  // libplist 2.2 stops the program on a failed assertion when it hands out a dictionary key
  // holding a NUL character, which only a binary string can; such a key, or one whose text lies
  // out of bounds, is refused.
  bool keyIsSafe(std::uint64_t index) const {
    const std::uint64_t at = offset(index);
    if (at >= table_) return false;
    const unsigned type = byteAt(at) & 0xF0;
    if (type != 0x50 && type != 0x60) return true;    // libplist refuses a key that is no string
    const std::uint64_t unit = type == 0x60 ? 2 : 1;  // ASCII or UTF-16
    const std::optional<Payload> text = payload(at);
    if (!text || text->count > (table_ - text->at) / unit) return false;
    for (std::uint64_t i = 0; i < text->count; ++i) {
      if (read(text->at + i * unit, unit) == 0) return false;
    }
    return true;
  }

  // By the rule in plist_limits.h: 1, 2 and 4 bytes unsigned, 8 and 16 bytes signed.
  std::optional<PropertyValue> exactValue(std::uint64_t index) const {
    const std::uint64_t at = offset(index);
    if (at >= table_) return std::nullopt;
    const unsigned type = byteAt(at) & 0xF0, width = 1u << (byteAt(at) & 0x0F);
    if (type == 0x10 && isPowerOfTwoWidth(width) && width < table_ - at) {
      return PropertyValue{static_cast<std::int64_t>(read(at + 1, width))};
    }
    if (type == 0x10 && width == 16 && width < table_ - at) {
      const std::uint64_t high = read(at + 1, 8), low = read(at + 9, 8);
      const bool signedLow = low >> 63 != 0;
      if (high == 0 && signedLow) return PropertyValue{low};
      if ((high == 0 && !signedLow) || (high == ~std::uint64_t{0} && signedLow)) {
        return PropertyValue{static_cast<std::int64_t>(low)};
      }
      return PropertyValue{OtherValue{"an integer"}};
    }
    const std::optional<Payload> text = type == 0x60 ? payload(at) : std::nullopt;
    if (!text || text->count > (table_ - text->at) / 2) return std::nullopt;
    return PropertyValue{utf16ToUtf8(bytes_.substr(text->at, text->count * 2), true)};
  }

  // The object index of a container's reference, or nothing when it names no object.
  std::optional<std::uint64_t> reference(const Object& container, std::uint64_t i) const {
    const std::uint64_t index = read(container.refsAt + i * refWidth_, refWidth_);
    if (index >= count_) return std::nullopt;
    return index;
  }

 private:
  unsigned byteAt(std::uint64_t at) const { return static_cast<unsigned char>(bytes_[at]); }

  std::uint64_t read(std::uint64_t at, std::uint64_t width) const {
    std::uint64_t value = 0;
    for (std::uint64_t i = 0; i < width; ++i) value = (value << 8) | byteAt(at + i);
    return value;
  }

  std::uint64_t offset(std::uint64_t index) const {
    return read(table_ + index * offsetWidth_, offsetWidth_);
  }

  // The size in the marker's low half, or, when that is 15, in the integer object after it.
  std::optional<Payload> payload(std::uint64_t at) const {
    const unsigned low = byteAt(at) & 0x0F;
    if (low != 0x0F) return Payload{at + 1, low};
    if (at + 1 >= table_ || (byteAt(at + 1) & 0xF0) != 0x10) return std::nullopt;
    const std::uint64_t width = std::uint64_t{1} << (byteAt(at + 1) & 0x0F);
    if (!isPowerOfTwoWidth(width) || width > table_ - (at + 2)) return std::nullopt;
    return Payload{at + 2 + width, read(at + 2, width)};
  }

  std::optional<Object> integer16(std::uint64_t at) const {
    if (table_ - at < 17) return std::nullopt;
    return Object{};
  }

  std::string_view bytes_;
  std::uint64_t offsetWidth_ = 0, refWidth_ = 0, count_ = 0, root_ = 0, table_ = 0;
};

}  // namespace

bool binaryPlistIsSafe(std::string_view bytes) {
  ObjectTable table(bytes);
  if (!table.open()) return false;

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

std::uint64_t BinaryPlistObjects::root() const {
  ObjectTable table(bytes_);
  table.open();
  return table.root();
}

std::optional<std::uint64_t> BinaryPlistObjects::dictionaryEntry(std::uint64_t dictionary,
                                                                 std::uint64_t i,
                                                                 bool value) const {
  ObjectTable table(bytes_);
  if (!table.open()) return std::nullopt;
  const std::optional<Object> object = table.object(dictionary);
  if (!object || i >= object->keyCount) return std::nullopt;
  return table.reference(*object, value ? object->keyCount + i : i);
}

std::optional<PropertyValue> BinaryPlistObjects::exactValue(std::uint64_t index) const {
  ObjectTable table(bytes_);
  if (!table.open()) return std::nullopt;
  return table.exactValue(index);
}

}  // namespace platform
