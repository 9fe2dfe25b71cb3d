#include "platform/plist/xml_plist_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/plist/plist_limits.h"
#include "platform/text.h"

namespace platform {
namespace {

// libplist 2.2 files the keys of a large XML dictionary in a hash table of 4096 chains and
// looks each new key up first; keys made to share one chain cost it time quadratic in their
// number. Far more keys than any agent file holds stay cheap even then.
constexpr std::size_t kMaxXmlDictionaryEntries = 10000;
constexpr std::size_t kNotADictionary = static_cast<std::size_t>(-1);

bool isXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trimSpace(std::string_view text) {
  while (!text.empty() && isXmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isXmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

int digitValue(char c, unsigned base) {
  if (isDigit(c)) return c - '0';
  const char32_t lower = asciiLower(static_cast<unsigned char>(c));
  return base == 16 && lower >= 'a' && lower <= 'f' ? static_cast<int>(lower - 'a') + 10 : -1;
}

// The character a reference between '&' and ';' stands for: one of XML's five entities or a
// character number; nothing for any other, which a property list cannot declare.
std::optional<char32_t> referencedCharacter(std::string_view name) {
  static constexpr std::pair<std::string_view, char32_t> kEntities[] = {
      {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
  for (const auto& [entity, character] : kEntities) {
    if (name == entity) return character;
  }
  if (!name.starts_with('#') || name.size() < 2) return std::nullopt;
  const unsigned base = name[1] == 'x' ? 16 : 10;
  name.remove_prefix(base == 16 ? 2 : 1);
  if (name.empty()) return std::nullopt;
  char32_t code = 0;
  for (const char c : name) {
    const int digit = digitValue(c, base);
    if (digit < 0 || code > 0x10FFFF) return std::nullopt;
    code = code * base + static_cast<unsigned>(digit);
  }
  const bool isXmlChar = code == '\t' || code == '\n' || code == '\r' ||
                         (code >= 0x20 && code < 0xD800) || (code >= 0xE000 && code < 0xFFFE) ||
                         (code >= 0x10000 && code <= 0x10FFFF);
  if (!isXmlChar) return std::nullopt;
  return code;
}

// The text of an element's content as XML reads it, from what the scanner took: comments left
// out, CDATA sections as written, references replaced; nothing when a reference is not one.
std::optional<std::string> characterData(std::string_view content) {
  std::string text;
  while (!content.empty()) {
    if (content.starts_with("<!--")) {
      content.remove_prefix(content.find("-->", 4) + 3);
    } else if (content.starts_with("<![CDATA[")) {
      const std::size_t end = content.find("]]>", 9);
      text.append(content.substr(9, end - 9));
      content.remove_prefix(end + 3);
    } else if (content.front() == '&') {
      const std::size_t end = content.find(';');
      const std::optional<char32_t> character =
          end == std::string_view::npos ? std::nullopt
                                        : referencedCharacter(content.substr(1, end - 1));
      if (!character) return std::nullopt;
      appendUtf8(text, *character);
      content.remove_prefix(end + 1);
    } else {
      text += content.front();
      content.remove_prefix(1);
    }
  }
  return text;
}

// An <integer>'s value by the rule in plist_limits.h, or nothing when no reader takes its text.
std::optional<PropertyValue> readInteger(std::string_view text) {
  text = trimSpace(text);
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && asciiLower(static_cast<unsigned char>(text[1])) == 'x')
    base = 16, text.remove_prefix(2);
  if (text.empty()) return std::nullopt;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t magnitude = 0;
  bool beyond = false;
  for (const char c : text) {
    const int digit = digitValue(c, base);
    if (digit < 0) return std::nullopt;
    beyond = beyond || magnitude > (kMax - static_cast<unsigned>(digit)) / base;
    magnitude = magnitude * base + static_cast<unsigned>(digit);
  }
  constexpr std::uint64_t kSignedMax = std::numeric_limits<std::int64_t>::max();
  if (beyond || (negative && magnitude > kSignedMax + 1))
    return PropertyValue{OtherValue{"an integer"}};
  if (negative) return PropertyValue{static_cast<std::int64_t>(0 - magnitude)};
  if (magnitude > kSignedMax) return PropertyValue{magnitude};
  return PropertyValue{static_cast<std::int64_t>(magnitude)};
}

std::size_t countDigits(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && isDigit(text[pos])) ++pos;
  return pos - start;
}

// Decimal with optional fraction and exponent, or the words writers use for infinity and
// not-a-number; no hexadecimal and nothing trailing.
bool isPlainReal(std::string_view text) {
  text = trimSpace(text);
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (equalIgnoringAsciiCase(text, "nan") || equalIgnoringAsciiCase(text, "inf") ||
      equalIgnoringAsciiCase(text, "infinity")) {
    return true;
  }
  std::size_t pos = 0;
  std::size_t digits = countDigits(text, pos);
  if (pos < text.size() && text[pos] == '.') digits += countDigits(text, ++pos);
  if (digits == 0) return false;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
    if (countDigits(text, pos) == 0) return false;
  }
  return pos == text.size();
}

// Walks the text token by token exactly as libplist 2.2's XML reader does (its quote skipping
// in tags, comments, CDATA and DOCTYPE included), so that no container can hide from the count.
// Whatever its reader would stop at is refused here, which is always safe.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  bool run() {
    for (;;) {
      skipSpace();
      if (atEnd()) return true;
      if (peek() != '<' || ++pos_ == text_.size()) return false;
      const bool ok = peek() == '?'   ? findText("?>", true) && advance(2)
                      : peek() == '!' ? declaration()
                                      : element();
      if (!ok) return false;
    }
  }

 private:
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return text_[pos_]; }
  bool startsWith(std::string_view prefix) const { return text_.substr(pos_).starts_with(prefix); }
  bool advance(std::size_t count) {
    pos_ += count;
    return true;
  }
  void skipSpace() {
    while (!atEnd() && isXmlSpace(peek())) ++pos_;
  }

  // From an opening double quote to its closing one.
  bool skipQuoted() {
    pos_ = std::min(text_.find('"', pos_ + 1), text_.size());
    return !atEnd();
  }

  bool findText(std::string_view needle, bool skipQuotes) {
    for (; pos_ + needle.size() <= text_.size(); ++pos_) {
      if (startsWith(needle)) return true;
      if (skipQuotes && peek() == '"' && !skipQuoted()) return false;
    }
    return false;
  }

  bool findAny(std::string_view stops, bool skipQuotes) {
    for (; !atEnd(); ++pos_) {
      if (skipQuotes && peek() == '"' && !skipQuoted()) return false;
      if (stops.find(peek()) != std::string_view::npos) return true;
    }
    return false;
  }

  // After "<!": a comment or a DOCTYPE, its internal subset included.
  bool declaration() {
    if (startsWith("!--")) return advance(3) && findText("-->", false) && advance(3);
    if (!startsWith("!DOCTYPE")) return false;
    pos_ += 8;
    while (!atEnd()) {
      if (!findAny(" \t\r\n[>", true)) return false;
      if (peek() == '[') return findText("]>", true) && advance(2);
      if (peek() == '>') return advance(1);
      skipSpace();
    }
    return true;
  }

  // After "<": a start, empty or end tag, and for a scalar element its text and end tag.
  bool element() {
    const std::size_t nameStart = pos_;
    if (!findAny(" \r\n\t<>", false)) return false;
    std::string_view name = text_.substr(nameStart, pos_ - nameStart);
    const bool nameRanToEnd = peek() == '>';
    if (!nameRanToEnd && !findAny("<>", true)) return false;
    if (peek() != '>') return false;
    const bool empty = text_[pos_ - 1] == '/';
    if (empty && nameRanToEnd) name.remove_suffix(1);
    ++pos_;

    if (name == "plist" || name == "/plist") return true;
    if (name == "dict" || name == "array") {
      if (open_.size() == kMaxPropertyListNesting) return false;  // an empty one is a level too
      // libplist takes the first container as the parent of what follows, even an empty one.
      if (!empty || !sawNode_) open_.push_back(name == "dict" ? 0 : kNotADictionary);
      sawNode_ = true;
      return true;
    }
    if (name == "/dict" || name == "/array") {
      if (!open_.empty()) open_.pop_back();
      return true;
    }
    sawNode_ = true;
    if (name == "key" && !open_.empty() && open_.back() != kNotADictionary &&
        ++open_.back() > kMaxXmlDictionaryEntries) {
      return false;
    }
    if (name == "real" || name == "integer") {
      return !empty && scalarText(name) && number(name == "integer");
    }
    if (name == "key" || name == "string") return empty || scalarText(name, false);
    if (name == "true" || name == "false" || name == "data" || name == "date") {
      return empty || scalarText(name);
    }
    return false;
  }

  // The text up to the element's end tag, with the comments and CDATA sections libplist allows
  // there; sets lastText_.
  bool scalarText(std::string_view name, bool skipLeading = true) {
    if (skipLeading) skipSpace();
    const std::size_t textStart = pos_;
    for (;;) {
      pos_ = std::min(text_.find('<', pos_), text_.size());
      if (atEnd() || ++pos_ == text_.size()) return false;
      if (peek() == '/') break;
      if (peek() != '!' || ++pos_ + 1 >= text_.size()) return false;
      if (startsWith("--")) {
        if (!(advance(2) && findText("-->", false) && advance(3))) return false;
      } else if (startsWith("[CDATA[") && pos_ + 9 < text_.size()) {
        if (!(advance(7) && findText("]]>", false) && advance(3))) return false;
      } else {
        return false;
      }
    }
    lastText_ = text_.substr(textStart, pos_ - 1 - textStart);
    ++pos_;
    if (text_.size() - pos_ <= name.size() || !startsWith(name)) return false;
    pos_ += name.size();
    skipSpace();
    if (atEnd() || peek() != '>') return false;
    ++pos_;
    return true;
  }

 public:
  // The number elements' text to give libplist instead, in the order of the text.
  struct Rewrite {
    std::string_view content;
    std::string text;
  };
  std::vector<Rewrite> rewrites_;
  std::vector<PropertyValue> integers_;

 private:
  // An <integer> or <real> whose text, read as XML reads it, is a number by the rules. libplist
  // gets an integer's index in integers_, and a real's text without markup when it had some.
  bool number(bool integer) {
    const std::optional<std::string> text = characterData(lastText_);
    if (!text) return false;
    if (!integer) {
      if (!isPlainReal(*text)) return false;
      if (*text != lastText_) rewrites_.push_back({lastText_, std::string(trimSpace(*text))});
      return true;
    }
    std::optional<PropertyValue> value = readInteger(*text);
    if (!value) return false;
    rewrites_.push_back({lastText_, std::to_string(integers_.size())});
    integers_.push_back(std::move(*value));
    return true;
  }

  std::string_view text_, lastText_;
  std::size_t pos_ = 0;
  // One entry per open container: the keys seen in a dictionary, or kNotADictionary.
  std::vector<std::size_t> open_;
  bool sawNode_ = false;
};

}  // namespace

bool checkXmlPlist(std::string& text, std::vector<PropertyValue>& integers) {
  Scanner scanner(text);
  if (!scanner.run()) return false;
  integers = std::move(scanner.integers_);
  if (scanner.rewrites_.empty()) return true;
  std::string rewritten;
  rewritten.reserve(text.size());
  std::size_t copied = 0;
  for (const auto& [content, replacement] : scanner.rewrites_) {
    const auto at = static_cast<std::size_t>(content.data() - text.data());
    rewritten.append(text, copied, at - copied).append(replacement);
    copied = at + content.size();
  }
  rewritten.append(text, copied);
  text.swap(rewritten);
  return true;
}

}  // namespace platform
