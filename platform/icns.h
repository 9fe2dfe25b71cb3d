#pragma once

#include <string_view>
#include <vector>

namespace platform {

// One picture of an icon family file (.icns) stored as PNG: its size and its bytes, which point
// into the file's contents.
struct IcnsPicture {
  int width = 0;
  int height = 0;
  std::string_view png;
};

// The PNG pictures of an icon family, in file order. Entries in the older pixel formats are
// skipped; reading stops at the first entry that runs past the end. Empty when the contents are
// not an icon family.
std::vector<IcnsPicture> icnsPngPictures(std::string_view contents);

// The picture to draw at `pixels` square: the smallest that covers it, else the largest; null
// when there is none. A picture is never scaled up when a larger one is at hand.
const IcnsPicture* icnsPictureFor(const std::vector<IcnsPicture>& pictures, int pixels);

}  // namespace platform
