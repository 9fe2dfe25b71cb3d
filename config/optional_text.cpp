#include "config/optional_text.h"

#include <cstdio>

namespace config {
namespace {

void appendEscaped(std::string& out, char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\'':
      out += "\\'";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\t':
      out += "\\t";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\0':
      out += "\\0";
      return;
    default:
      break;
  }
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x20 || byte == 0x7F) {
    char escape[16];
    std::snprintf(escape, sizeof escape, "\\u{%X}", byte);
    out += escape;
  } else {
    out += c;
  }
}

}  // namespace

std::string renderOptional(const std::optional<std::string>& text) {
  if (!text) return "nil";
  std::string out = "Optional(\"";
  out.reserve(out.size() + text->size() + 2);
  for (const char c : *text) appendEscaped(out, c);
  return out + "\")";
}

}  // namespace config
