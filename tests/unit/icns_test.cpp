#include <gtest/gtest.h>

#include "platform/icns.h"
#include "tests/unit/test_support.h"

namespace {

using platform::IcnsPicture;

// The start of a PNG file: what the reader looks at, then some image data.
std::string png(std::uint32_t width, std::uint32_t height) {
  return std::string("\x89PNG\r\n\x1a\n", 8) + bigEndian(13, 4) + "IHDR" + bigEndian(width, 4) +
         bigEndian(height, 4) + "pixels";
}

std::string entry(const std::string& type, const std::string& data) {
  return type + bigEndian(8 + data.size(), 4) + data;
}

// Each picture's size, in file order.
std::string sizes(std::string_view contents) {
  std::string result;
  for (const IcnsPicture& picture : platform::icnsPngPictures(contents))
    result += std::to_string(picture.width) + "x" + std::to_string(picture.height) + " ";
  return result;
}

TEST(IcnsPngPictures, PngEntriesUntilTheFirstBrokenOneAndNoneOfOtherFiles) {
  const std::string good = entry("icp5", png(32, 32)),
                    two = entry("icns", good + entry("icp6", png(64, 64)));
  const std::pair<std::string, std::string> cases[] = {
      {entry("icns", entry("ic07", png(128, 128)) + entry("it32", std::string(40, '\0')) +
                         entry("icp4", png(16, 16)) + entry("ic10", png(1024, 512))),
       "128x128 16x16 1024x512 "},
      {"ICNS" + two.substr(4), ""},
      {"icns", ""},
      {"icns" + bigEndian(4, 4) + good, ""},
      // An entry shorter than its own header, or longer than what is left.
      {entry("icns", good + "icp6" + bigEndian(7, 4) + good), "32x32 "},
      {entry("icns", good + "icp6" + bigEndian(900, 4) + good), "32x32 "},
      // The declared length of the family ends it, whichever of it and the bytes ends first.
      {two.substr(0, two.size() - 3), "32x32 "},
      {entry("icns", good) + entry("icp6", png(64, 64)), "32x32 "},
      // A PNG entry too short to hold its size, and sizes no int could hold.
      {entry("icns", entry("icp6", png(64, 64).substr(0, 20))), ""},
      {entry("icns", entry("ic10", png(0xFFFFFFFF, 1))), "65536x1 "},
  };
  for (const auto& [contents, expected] : cases) EXPECT_EQ(sizes(contents), expected);
}

TEST(IcnsPictureFor, SmallestThatCoversElseLargest) {
  const std::vector<IcnsPicture> pictures = {
      {256, 256, {}}, {32, 32, {}}, {128, 64, {}}, {64, 64, {}}};
  // 128 by 64 covers 100 by its width.
  for (const auto& [pixels, width] :
       {std::pair{64, 64}, {100, 128}, {129, 256}, {16, 32}, {1000, 256}}) {
    EXPECT_EQ(platform::icnsPictureFor(pictures, pixels)->width, width) << pixels;
  }
  EXPECT_EQ(platform::icnsPictureFor({}, 64), nullptr);
}

}  // namespace
