#include "platform/plist/xml_encoding.h"

#include <cstdint>
#include <string_view>

#include "platform/big_endian.h"
#include "platform/text.h"

namespace platform {

std::string utf16ToUtf8(std::string_view units, bool bigEndian, bool* sawNul) {
  const auto unit = [&](std::size_t i) -> std::uint32_t {
    const auto value = static_cast<std::uint32_t>(readBigEndian(units, 2 * i, 2));
    return bigEndian ? value : (value >> 8 | (value & 0xFF) << 8);
  };
  const std::size_t count = units.size() / 2;
  std::string out;
  out.reserve(count + count / 2);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t code = unit(i);
    if (code == 0 && sawNul != nullptr) *sawNul = true;
    const bool high = code >= 0xD800 && code < 0xDC00, low = code >= 0xDC00 && code < 0xE000;
    if (high && i + 1 < count && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(++i) - 0xDC00);
    } else if (high || low) {
      code = 0xFFFD;  // an unpaired half must not vanish and let the rest match another text
    }
    appendUtf8(out, code);
  }
  return out;
}

bool toUtf8WithLineFeeds(std::string& text) {
  using namespace std::string_view_literals;
  // The byte-order mark, or else the bytes of the leading "<?", say which encoding the text is
  // in; a declaration naming another is not read, as XML readers do when the bytes tell.
  const bool utf16le = text.starts_with("\xFF\xFE") || text.starts_with("<\0?\0"sv);
  const bool utf16be = text.starts_with("\xFE\xFF") || text.starts_with("\0<\0?"sv);
  if (utf16le || utf16be) {
    const std::size_t mark = text[0] == '<' || text[0] == '\0' ? 0 : 2;
    bool sawNul = false;
    if (text.size() % 2 != 0) return false;
    std::string converted = utf16ToUtf8(std::string_view(text).substr(mark), utf16be, &sawNul);
    if (sawNul) return false;  // XML allows no NUL character, and libplist would stop there
    text.swap(converted);
  } else if (text.starts_with("\xEF\xBB\xBF")) {
    text.erase(0, 3);
  }
  // Before anything else, as XML asks; a character reference &#13; still yields a CR.
  if (text.find('\r') == std::string::npos) return true;
  std::size_t out = 0;
  for (std::size_t in = 0; in < text.size(); ++in) {
    if (text[in] != '\r') {
      text[out++] = text[in];
      continue;
    }
    text[out++] = '\n';
    if (in + 1 < text.size() && text[in + 1] == '\n') ++in;
  }
  text.resize(out);
  return true;
}

}  // namespace platform
