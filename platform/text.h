#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Decodes bytes as UTF-8, each ill-formed sequence becoming U+FFFD.
std::string repairUtf8(std::string_view bytes);

// Whole-text comparison ignoring letter case, with Unicode case mapping and independent of the
// process locale.
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Inline: the property-list loader, a library below the one text.cpp is built into, uses them.

// The code point as UTF-8; a surrogate or one beyond U+10FFFF is for the caller to rule out.
inline void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// A to Z as a to z, anything else as it is: the same in every locale.
constexpr char32_t asciiLower(char32_t c) {
  return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// Whole-text comparison with asciiLower on both sides, for names the formats spell in ASCII.
inline bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(static_cast<unsigned char>(a[i])) !=
        asciiLower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace platform
