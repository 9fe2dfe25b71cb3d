#include "platform/plist/property_list.h"

#include <gtest/gtest.h>
#include <locale.h>

#include "tests/unit/test_support.h"

using platform::parsePropertyList;
using enum platform::PropertyListFailure;
using namespace std::string_literals;

namespace {

// "refused", "top: " and the kind of a top level that is no dictionary, or each entry's key, kind
// and value.
std::string outcome(std::string_view bytes) {
  const auto load = parsePropertyList(bytes);
  if (!load.root) return load.failure == notADictionary ? "top: " + load.detail : "refused";
  std::ostringstream out;
  out << "a dictionary";
  for (const auto& [key, entry] : load.root->entries) {
    out << " " << key << "=(" << describeKind(entry);
    std::visit(
        [&out](const auto& held) {
          if constexpr (requires { out << held; }) out << " " << held;
        },
        entry.value);
    out << ")";
  }
  return out.str();
}

std::string inDict(const std::string& value) {
  return "<dict><key>k</key>" + value + "</dict>";
}

}  // namespace

// Each byte of an ASCII text as one UTF-16 unit, "~" as an unpaired low surrogate.
std::string utf16(const std::string& text, bool bigEndian) {
  std::string units;
  for (const char c : text) {
    const std::string unit = c == '~' ? std::string{'\xDC', '\0'} : std::string{'\0', c};
    units += bigEndian ? unit : std::string{unit[1], unit[0]};
  }
  return units;
}

TEST(PropertyList, ReadsEncodingsLineEndsAndNumbersAsWritten) {
  const std::string body = inDict("<string>a\r\nb\rc&#13;</string>"), lf = "a\nb\nc\r";
  const auto declaring = [&body](const std::string& encoding) {
    return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?><plist>" + body + "</plist>";
  };
  // The mark or the bytes say the encoding; a declaration naming another is not read.
  const std::string utf16Text = declaring("UTF-16"), taken = "a dictionary k=(a string " + lf + ")";
  const std::string lone = "<plist>" + inDict("<string>x~</string>") + "</plist>";
  const std::string fffd = "a dictionary k=(a string x\xEF\xBF\xBD)";
  const std::pair<std::string, std::string> cases[] = {
      {"\xEF\xBB\xBF" + utf16Text, taken},
      {"\xFE\xFF" + utf16(utf16Text, true), taken},
      {utf16(utf16Text, false), taken},
      {"\xFF\xFE" + utf16(declaring("utf-8"), false), taken},
      {"\xFF\xFE" + utf16(lone, false), fffd},
      {"\xFF\xFE" + utf16(utf16Text, false) + "x", "refused"},
      {std::string("\xFF\xFE\0\0", 4) + utf16(utf16Text, false), "refused"},  // UTF-32
      {binaryDictionary("\x62\0k\xD8\x00"s, "\x62\0x\xDC\0"s),
       "a dictionary k\xEF\xBF\xBD=(a string x\xEF\xBF\xBD)"},
  };
  for (const auto& c : cases) EXPECT_EQ(outcome(c.first), c.second) << &c - cases;
  const std::pair<std::string, std::string> numbers[] = {
      {"<integer> -1 </integer>", "an integer -1"},
      {"<integer>+7</integer>", "an integer 7"},
      {"<integer>010</integer>", "an integer 10"},
      {"<integer>-0XdeadBEEF</integer>", "an integer -3735928559"},
      {"<integer>-9223372036854775808</integer>", "an integer -9223372036854775808"},
      {"<integer>18446744073709551615</integer>", "an integer 18446744073709551615"},
      {"<integer>18446744073709551616</integer>", "an integer"},
      {"<integer>-9223372036854775809</integer>", "an integer"},
      {"<real>-2e3</real>", "a real number -2000"},
      {"<real>.5</real>", "a real number 0.5"},
      {"<real>1.</real>", "a real number 1"},
      // As XML reads them: references replaced, CDATA as written, comments left out.
      {"<integer>&#49;&#x30;</integer>", "an integer 10"},
      {"<integer><![CDATA[ 1]]>2<!-- 3 --></integer>", "an integer 12"},
      {"<real>&#x2D;<![CDATA[.5]]></real>", "a real number -0.5"},
  };
  for (const auto& [value, kind] : numbers)
    EXPECT_EQ(outcome(xmlPlist(inDict(value))), "a dictionary k=(" + kind + ")");
  for (const std::string refused :
       {"0x", "0xG", "1abc", "", "- 1", "1.5", "&#49", "&#0;", "&one;", "<![CDATA[&#49;]]>"})
    EXPECT_EQ(outcome(xmlPlist(inDict("<integer>" + refused + "</integer>"))), "refused");
  for (const std::string refused : {"1.0junk", "0x1p0", "1,5", "1e", ""})
    EXPECT_EQ(outcome(xmlPlist(inDict("<real>" + refused + "</real>"))), "refused");
  EXPECT_EQ(outcome(xmlPlist(inDict("<integer/>"))), "refused");
  const std::string int16 = "\x14" + std::string(8, '\0');
  const std::pair<std::string, std::string> binary[] = {
      {int16 + std::string(8, '\xFF'), "an integer 18446744073709551615"},
      {std::string("\x14") + std::string(16, '\xFF'), "an integer -1"},
      {"\x14" + std::string(7, '\0') + "\x01" + std::string(7, '\0') + "\x01", "an integer"},
      {"\x13" + std::string(8, '\xFF'), "an integer -1"},
  };
  for (const auto& [object, kind] : binary)
    EXPECT_EQ(outcome(binaryDictionary("\x51k", object)), "a dictionary k=(" + kind + ")");
}

TEST(PropertyList, RefusesWhatIsNoDictionaryOrTooDeepForLibplist) {
  std::string hiddenCloses = "<array>", quotedCloses;
  for (int i = 0; i < 600; ++i) hiddenCloses += "<!-- </array> --><array>";
  for (int i = 0; i < 600; ++i) quotedCloses += "<array a=\"</array>\">";
  std::string keys = "<dict>", integers = "<dict><key>k</key><array>";
  for (int i = 0; i < 10000; ++i) keys += "<key>" + std::to_string(i) + "</key><true/>";
  for (int i = 0; i < 70000; ++i) integers += "<integer>" + std::to_string(i) + "</integer>";
  // Far more objects than 2-byte references reach: libplist writes 3-byte ones.
  EXPECT_TRUE(parsePropertyList(plistIn(Encoding::binary, integers + "</array></dict>")).root);
  EXPECT_TRUE(parsePropertyList(xmlPlist(keys + "</dict>")).root);
  // libplist 2.2 fails an assertion on a key holding a NUL.
  const auto withKey = [](const std::string& key) { return binaryDictionary(key, "\x09"); };
  const std::pair<std::string, std::string> cases[] = {
      {"plain text, long enough", "refused"},
      {xmlPlist("<dict><key>k</key><true/>"), "refused"},
      {plistIn(Encoding::binary, "<string>x</string>"), "top: a string"},
      {xmlPlist(nestedXml(512)), "top: an array"},
      {nestedXml(513), "refused"},
      {hiddenCloses, "refused"},
      {quotedCloses, "refused"},
      {xmlPlist(keys + "<key>one too many</key><true/></dict>"), "refused"},
      {nestedBinary(512), "top: an array"},
      {nestedBinary(513), "refused"},
      {nestedBinary(100, 2), "refused"},  // 2^100 copies once libplist expands the sharing
      {binaryFromObjects({"\xA1" + bigEndian(0, 4)}), "refused"},
      {withKey("\x52"s + "ab"), "a dictionary ab=(a boolean 1)"},
      {withKey("\x53"s + "a\0b"s), "refused"},
      {withKey("\x62\0a\0\0"s), "refused"},
      {withKey("\x5F\x10\x02\0b"s), "refused"},  // the length in an integer, as long texts have
  };
  for (const auto& [bytes, expected] : cases)
    EXPECT_EQ(outcome(bytes), expected) << bytes.substr(0, 80);
}

// Damage short of truncation is the fuzz target's.
TEST(PropertyList, TruncatedBinaryIsNeverTaken) {
  const std::string good = plistIn(Encoding::binary, inDict("<array><integer>1</integer></array>"));
  for (std::size_t size = 0; size < good.size(); ++size)
    EXPECT_EQ(outcome(good.substr(0, size)), "refused");
}

TEST(PropertyList, RealsDoNotFollowTheProcessLocale) {
  TempDir dir;
  setenv("LOCPATH", dir.path().c_str(), 1);
  const std::string build = "localedef -i de_DE -f UTF-8 " + dir.path() + "/de 2>/dev/null";
  const bool german = std::system(build.c_str()) == 0 && setlocale(LC_NUMERIC, "de");
  unsetenv("LOCPATH");
  if (!german) GTEST_SKIP() << "no de_DE locale source";
  const std::string loaded = outcome(xmlPlist(inDict("<real>1.5</real>")));
  setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(loaded, "a dictionary k=(a real number 1.5)");
}
