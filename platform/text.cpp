#include "platform/text.h"

#include <locale.h>
#include <wctype.h>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at `pos` and advances past it. An ill-formed sequence yields
// U+FFFD and advances past its maximal valid prefix, as Unicode recommends.
char32_t decodeNext(std::string_view bytes, size_t& pos) {
  const auto byteAt = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byteAt(pos++);
  if (lead < 0x80) return lead;
  int length;
  char32_t value;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return kReplacement;
  }
  for (int i = 1; i < length; ++i) {
    if (pos >= bytes.size() || byteAt(pos) < low || byteAt(pos) > high) return kReplacement;
    value = (value << 6) | (byteAt(pos++) & 0x3F);
    low = 0x80, high = 0xBF;
  }
  return value;
}

// A private UTF-8 locale object: the process locale stays untouched.
locale_t caseMappingLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  return locale;
}

char32_t foldCase(char32_t c) {
  // ASCII folds alike in every locale, and the texts compared are nearly always ASCII digits:
  // the UTF-8 locale's tables are loaded only for a character beyond it.
  if (c < 0x80) return asciiLower(c);
  const locale_t locale = caseMappingLocale();
  if (locale == nullptr) return asciiLower(c);
  const auto wide = static_cast<wint_t>(c);
  return static_cast<char32_t>(towlower_l(towupper_l(wide, locale), locale));
}

}  // namespace

std::string repairUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  size_t pos = 0;
  while (pos < bytes.size()) appendUtf8(out, decodeNext(bytes, pos));
  return out;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (foldCase(decodeNext(a, i)) != foldCase(decodeNext(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

}  // namespace platform
