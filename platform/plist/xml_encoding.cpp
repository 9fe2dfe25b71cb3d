#include "platform/plist/xml_encoding.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {
namespace {

using namespace std::string_view_literals;

enum class Form { utf8, utf16le, utf16be };

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&lower](char x, char y) { return lower(x) == lower(y); });
}

// The name in the XML declaration's encoding="...", if it has one.
std::optional<std::string_view> declaredEncoding(std::string_view text) {
  if (!text.starts_with("<?xml")) return std::nullopt;
  const std::string_view declaration = text.substr(0, text.find("?>"));
  const std::size_t name = declaration.find("encoding");
  const std::size_t open = declaration.find_first_of("\"'", name);
  if (name == std::string_view::npos || open == std::string_view::npos) return std::nullopt;
  const std::size_t close = declaration.find(declaration[open], open + 1);
  if (close == std::string_view::npos) return std::nullopt;
  return declaration.substr(open + 1, close - open - 1);
}

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string utf16ToUtf8(std::string_view units, bool bigEndian, bool* sawNul) {
  const auto unit = [&](std::size_t i) -> std::uint32_t {
    const std::uint32_t first = static_cast<unsigned char>(units[2 * i]);
    const std::uint32_t second = static_cast<unsigned char>(units[2 * i + 1]);
    return bigEndian ? (first << 8 | second) : (second << 8 | first);
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
  Form form = Form::utf8;
  std::size_t mark = 0;
  if (text.starts_with("\xEF\xBB\xBF")) {
    mark = 3;
  } else if (text.starts_with("\xFF\xFE") || text.starts_with("<\0?\0"sv)) {
    form = Form::utf16le, mark = text[0] == '<' ? 0 : 2;
  } else if (text.starts_with("\xFE\xFF") || text.starts_with("\0<\0?"sv)) {
    form = Form::utf16be, mark = text[0] == '\0' ? 0 : 2;
  }
  if (form != Form::utf8) {
    bool sawNul = false;
    if (text.size() % 2 != 0) return false;
    std::string converted =
        utf16ToUtf8(std::string_view(text).substr(mark), form == Form::utf16be, &sawNul);
    if (sawNul) return false;  // XML allows no NUL character, and libplist would stop there
    text.swap(converted);
  } else {
    text.erase(0, mark);
  }
  if (mark != 0 || form != Form::utf8) {
    const std::optional<std::string_view> name = declaredEncoding(text);
    const bool consistent =
        !name || (form == Form::utf8 ? equalsIgnoringAsciiCase(*name, "utf-8")
                                     : equalsIgnoringAsciiCase(*name, "utf-16") ||
                                           equalsIgnoringAsciiCase(*name, "utf-16le") ||
                                           equalsIgnoringAsciiCase(*name, "utf-16be"));
    if (!consistent) return false;
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
