#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform {

// The unsigned number held in `width` bytes (at most 8) from `at`, most significant first, as
// the icon and binary property-list formats store theirs; the caller has checked the bounds.
constexpr std::uint64_t readBigEndian(std::string_view bytes, std::size_t at, std::size_t width) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

}  // namespace platform
