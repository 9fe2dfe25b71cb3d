#include <gtest/gtest.h>

#include "platform/icns.h"

namespace {

using platform::IcnsPicture;

std::string bigEndian(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

// The start of a PNG file: what the reader looks at, then some image data.
std::string png(std::uint32_t width, std::uint32_t height) {
  return std::string("\x89PNG\r\n\x1a\n", 8) + bigEndian(13) + "IHDR" + bigEndian(width) +
         bigEndian(height) + "pixels";
}

std::string entry(const std::string& type, const std::string& data) {
  return type + bigEndian(static_cast<std::uint32_t>(8 + data.size())) + data;
}

std::string family(const std::string& entries) {
  return "icns" + bigEndian(static_cast<std::uint32_t>(8 + entries.size())) + entries;
}

std::vector<int> widths(const std::vector<IcnsPicture>& pictures) {
  std::vector<int> result;
  for (const IcnsPicture& picture : pictures) result.push_back(picture.width);
  return result;
}

TEST(IcnsPngPictures, PngEntriesInFileOrderAsViewsOfTheContents) {
  const std::string contents =
      family(entry("ic07", png(128, 128)) + entry("it32", std::string(40, '\0')) +
             entry("icp4", png(16, 16)) + entry("ic10", png(1024, 512)));
  const auto pictures = platform::icnsPngPictures(contents);
  EXPECT_EQ(widths(pictures), (std::vector<int>{128, 16, 1024}));
  ASSERT_EQ(pictures.size(), 3U);
  EXPECT_EQ(pictures[2].height, 512);
  EXPECT_EQ(pictures[1].png, png(16, 16));
  EXPECT_TRUE(pictures[1].png.data() > contents.data() &&
              pictures[1].png.data() < contents.data() + contents.size());
}

TEST(IcnsPngPictures, StopsAtTheFirstBrokenEntryAndRefusesOtherFiles) {
  const std::string good = entry("icp5", png(32, 32));
  EXPECT_TRUE(platform::icnsPngPictures(png(32, 32)).empty());
  EXPECT_TRUE(platform::icnsPngPictures("icns").empty());
  EXPECT_TRUE(platform::icnsPngPictures("icns" + bigEndian(4) + good).empty());
  // An entry shorter than its own header, or longer than what is left.
  EXPECT_EQ(widths(platform::icnsPngPictures(family(good + "icp6" + bigEndian(7) + good))),
            std::vector<int>{32});
  EXPECT_EQ(widths(platform::icnsPngPictures(family(good + "icp6" + bigEndian(900) + good))),
            std::vector<int>{32});
  // The declared length of the family ends it, whichever of it and the bytes ends first.
  const std::string two = family(good + entry("icp6", png(64, 64)));
  EXPECT_EQ(widths(platform::icnsPngPictures(two.substr(0, two.size() - 3))), std::vector<int>{32});
  EXPECT_EQ(widths(platform::icnsPngPictures(family(good) + entry("icp6", png(64, 64)))),
            std::vector<int>{32});
  // A PNG entry too short to hold its size, and sizes no int could hold.
  EXPECT_TRUE(platform::icnsPngPictures(family(entry("icp6", png(64, 64).substr(0, 20)))).empty());
  EXPECT_EQ(platform::icnsPngPictures(family(entry("ic10", png(0xFFFFFFFF, 1))))[0].width, 1 << 16);
}

TEST(IcnsPictureFor, SmallestThatCoversElseLargest) {
  auto picture = [](int width, int height) { return IcnsPicture{width, height, {}}; };
  const std::vector<IcnsPicture> pictures = {picture(256, 256), picture(32, 32), picture(128, 64),
                                             picture(64, 64)};
  EXPECT_EQ(platform::icnsPictureFor(pictures, 64)->width, 64);
  EXPECT_EQ(platform::icnsPictureFor(pictures, 100)->width, 128);  // covers by its width
  EXPECT_EQ(platform::icnsPictureFor(pictures, 129)->width, 256);
  EXPECT_EQ(platform::icnsPictureFor(pictures, 16)->width, 32);
  EXPECT_EQ(platform::icnsPictureFor(pictures, 1000)->width, 256);
  EXPECT_EQ(platform::icnsPictureFor({}, 64), nullptr);
}

}  // namespace
