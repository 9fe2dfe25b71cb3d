// The Optional rendering of arbitrary bytes: one line with no control characters, from which
// the text comes back unchanged, so a log line can neither break nor be forged by a stored value.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/optional_text.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

std::optional<char> simpleEscape(char c) {
  switch (c) {
    case '"':
    case '\\':
    case '\'':
      return c;
    case 'n':
      return '\n';
    case 't':
      return '\t';
    case 'r':
      return '\r';
    case '0':
      return '\0';
    default:
      return std::nullopt;
  }
}

// Reads back the escapes the rendering writes; nothing when the quoted text is malformed.
std::optional<std::string> unescape(std::string_view quoted) {
  std::string text;
  for (std::size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] == '"') return std::nullopt;
    if (quoted[i] != '\\') {
      text += quoted[i];
    } else if (++i == quoted.size()) {
      return std::nullopt;
    } else if (const std::optional<char> c = simpleEscape(quoted[i])) {
      text += *c;
    } else if (quoted.substr(i).starts_with("u{") && quoted.find('}', i) != quoted.npos) {
      const std::size_t end = quoted.find('}', i);
      text +=
          static_cast<char>(std::stoi(std::string(quoted.substr(i + 2, end - i - 2)), nullptr, 16));
      i = end;
    } else {
      return std::nullopt;
    }
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string rendered = config::renderOptional(text);
  for (const char c : rendered) require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  require(rendered.starts_with("Optional(\"") && rendered.ends_with("\")"));
  require(unescape(std::string_view(rendered).substr(10, rendered.size() - 12)) == text);
  return 0;
}
