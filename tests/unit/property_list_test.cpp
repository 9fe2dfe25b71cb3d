#include "platform/property_list.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <limits>

#include "tests/unit/plist_fixtures.h"
#include "tests/unit/test_support.h"

using platform::parsePropertyList;
using platform::PropertyListFailure;
using platform::PropertyValue;

namespace {

// The value under "k", or a value of kind "refused" when the list did not load.
PropertyValue entryOf(const std::string& bytes, const char* key = "k") {
  const auto load = parsePropertyList(bytes);
  const PropertyValue* value = load.root ? load.root->find(key) : nullptr;
  return value ? *value : PropertyValue{platform::OtherValue{"refused"}};
}

std::string inDict(const std::string& value) {
  return xmlPlist("<dict><key>k</key>" + value + "</dict>");
}

}  // namespace

TEST(PropertyList, KeepsKindsApartInBothEncodings) {
  const std::string body =
      "<dict><key>b</key><true/><key>i</key><integer>-42</integer><key>r</key><real>1.5</real>"
      "<key>s</key><string>50% &lt;off&gt;</string><key>d</key><dict><key>k</key><false/></dict>"
      "<key>a</key><array/></dict>";
  for (const Encoding encoding : {Encoding::xml, Encoding::binary}) {
    const std::string bytes = plistIn(encoding, body);
    EXPECT_EQ(std::get<bool>(entryOf(bytes, "b").value), true);
    EXPECT_EQ(std::get<std::int64_t>(entryOf(bytes, "i").value), -42);
    EXPECT_EQ(std::get<double>(entryOf(bytes, "r").value), 1.5);
    EXPECT_EQ(std::get<std::string>(entryOf(bytes, "s").value), "50% <off>");
    const auto nested = std::get<platform::PropertyDictionary>(entryOf(bytes, "d").value);
    EXPECT_EQ(std::get<bool>(nested.find("k")->value), false);
    EXPECT_EQ(describeKind(entryOf(bytes, "a")), "an array");
  }
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
  const std::string int16 = "\x14" + std::string(8, '\0');
  const auto notAList = PropertyListFailure::notAPropertyList;
  const auto notADict = PropertyListFailure::notADictionary;
  const struct {
    std::string bytes;
    PropertyListFailure failure;
    std::string detail = "";
  } cases[] = {
      {"", notAList},
      {"plain text, long enough", notAList},
      {xmlPlist("<dict><key>k</key><true/>"), notAList},
      {plistIn(Encoding::binary, "<string>x</string>"), notADict, "a string"},
      {xmlPlist(nestedXml(512)), notADict, "an array"},
      {nestedXml(513), notAList},
      {nestedXml(100000), notAList},
      {hiddenCloses, notAList},
      {quotedCloses, notAList},
      {xmlPlist(keys + "<key>one too many</key><true/></dict>"), notAList},
      {nestedBinary(512), notADict, "an array"},
      {nestedBinary(513), notAList},
      {nestedBinary(100000), notAList},
      {nestedBinary(100, 2), notAList},  // 2^100 copies once libplist expands the sharing
      {binaryFromObjects({"\xA1" + reference(0)}), notAList},
      // libplist keeps the low half of a 16-byte integer: only the signed 64-bit range is taken.
      {binaryFromObjects({int16 + std::string(8, '\x01')}), notADict, "an integer"},
      {binaryFromObjects({int16 + std::string(8, '\xFF')}), notAList},
  };
  for (const auto& c : cases) {
    const auto load = parsePropertyList(c.bytes);
    EXPECT_FALSE(load.root);
    EXPECT_EQ(load.failure, c.failure) << c.bytes.substr(0, 80);
    EXPECT_EQ(load.detail, c.detail) << c.bytes.substr(0, 80);
  }
}

// Found by fuzzing: libplist 2.2 stops the program on an assertion when it hands out such a key.
TEST(PropertyList, RefusesBinaryKeysHoldingANul) {
  using namespace std::string_literals;
  const auto withKey = [](const std::string& key) {
    return parsePropertyList(
        binaryFromObjects({"\xD1" + reference(1) + reference(2), key, "\x09"}));
  };
  const auto ascii = [](const std::string& text) {
    return static_cast<char>(0x50 + text.size()) + text;
  };
  const auto utf16 = [](const std::string& bytes) {
    return static_cast<char>(0x60 + bytes.size() / 2) + bytes;
  };
  EXPECT_TRUE(withKey(ascii("ab")).root.value().find("ab"));
  EXPECT_TRUE(withKey(utf16("\0a\0b"s)).root.value().find("ab"));
  // The last one gives its length in an integer object, as long texts do.
  for (const std::string& key : {ascii("a\0b"s), utf16("\0a\0\0"s), "\x5F\x10\x02"s + "\0b"s}) {
    EXPECT_EQ(withKey(key).failure, PropertyListFailure::notAPropertyList);
  }
}

TEST(PropertyList, DamagedBinaryIsNeverTakenNorCrashes) {
  const std::string good =
      plistIn(Encoding::binary, "<dict><key>k</key><array><integer>1</integer></array></dict>");
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_EQ(parsePropertyList(good.substr(0, size)).failure,
              PropertyListFailure::notAPropertyList);
  }
  for (std::size_t at = 8; at < good.size(); ++at) {
    for (const char byte : {'\x00', '\x0F', '\x7F', '\xAF', '\xFF'}) {
      std::string damaged = good;
      damaged[at] = byte;
      parsePropertyList(damaged);  // any outcome but a crash
    }
  }
}

TEST(PropertyList, LoadReportsFilesThatCannotBeRead) {
  TempDir dir;
  mkfifo((dir / "fifo").c_str(), 0600);
  const std::pair<std::string, std::string> cases[] = {{dir.path(), "Is a directory"},
                                                       {dir / "none", "No such file or directory"},
                                                       {dir / "fifo", "not a regular file"}};
  for (const auto& [path, reason] : cases) {
    const auto load = platform::loadPropertyList(path);
    EXPECT_EQ(load.failure, PropertyListFailure::unreadable);
    EXPECT_EQ(load.detail, reason);
  }
}

TEST(PropertyList, TakesOnlyPlainDecimalNumbers) {
  const std::pair<std::string, std::int64_t> integers[] = {
      {" -1 ", -1}, {"+7", 7}, {"9223372036854775807", std::numeric_limits<std::int64_t>::max()}};
  const std::pair<std::string, double> reals[] = {{"-2e3", -2000}, {".5", 0.5}, {"1.", 1}};
  for (const auto& [text, value] : integers) {
    EXPECT_EQ(std::get<std::int64_t>(entryOf(inDict("<integer>" + text + "</integer>")).value),
              value);
  }
  for (const auto& [text, value] : reals) {
    EXPECT_EQ(std::get<double>(entryOf(inDict("<real>" + text + "</real>")).value), value);
  }
  for (const std::string refused :
       {"0x10", "010", "1abc", "", "9223372036854775808", "1<!---->2"}) {
    EXPECT_EQ(describeKind(entryOf(inDict("<integer>" + refused + "</integer>"))), "refused");
  }
  for (const std::string refused : {"1.0junk", "0x1p0", "1,5", "1e", ""}) {
    EXPECT_EQ(describeKind(entryOf(inDict("<real>" + refused + "</real>"))), "refused");
  }
  EXPECT_EQ(describeKind(entryOf(inDict("<integer/>"))), "refused");
}

TEST(PropertyList, RealsDoNotFollowTheProcessLocale) {
  TempDir dir;
  setenv("LOCPATH", dir.path().c_str(), 1);
  const std::string build = "localedef -i de_DE -f UTF-8 " + dir.path() + "/de 2>/dev/null";
  const bool german = std::system(build.c_str()) == 0 && setlocale(LC_NUMERIC, "de");
  unsetenv("LOCPATH");
  if (!german) GTEST_SKIP() << "no de_DE locale source";
  const PropertyValue value = entryOf(inDict("<real>1.5</real>"));
  setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(std::get<double>(value.value), 1.5);
}
