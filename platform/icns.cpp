#include "platform/icns.h"

#include <algorithm>
#include <cstdint>

#include "platform/big_endian.h"

namespace platform {
namespace {

constexpr std::string_view kFamilyMagic = "icns";
constexpr size_t kHeaderSize = 8;  // a four-character type, then a big-endian length
constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";
constexpr size_t kPngHeaderEnd = 24;  // signature, IHDR length and type, width, height

std::uint32_t bigEndian32(std::string_view bytes, size_t at) {
  return static_cast<std::uint32_t>(readBigEndian(bytes, at, 4));
}

bool isPng(std::string_view data) {
  return data.size() >= kPngHeaderEnd && data.starts_with(kPngSignature) &&
         data.substr(12, 4) == "IHDR";
}

// A PNG dimension, held to a size no icon reaches so that it always fits an int.
int pngDimension(std::string_view data, size_t at) {
  return static_cast<int>(std::min<std::uint32_t>(bigEndian32(data, at), 1U << 16));
}

int side(const IcnsPicture& picture) {
  return std::max(picture.width, picture.height);
}

}  // namespace

std::vector<IcnsPicture> icnsPngPictures(std::string_view contents) {
  std::vector<IcnsPicture> pictures;
  if (contents.size() < kHeaderSize || !contents.starts_with(kFamilyMagic)) return pictures;
  const std::uint32_t declared = bigEndian32(contents, 4);
  if (declared < kHeaderSize) return pictures;
  // A declared length beyond what was read ends the entries where the bytes end.
  const std::string_view family = contents.substr(0, declared);
  for (size_t at = kHeaderSize; family.size() >= at + kHeaderSize;) {
    const std::uint32_t length = bigEndian32(family, at + 4);
    if (length < kHeaderSize || length > family.size() - at) break;
    const std::string_view data = family.substr(at + kHeaderSize, length - kHeaderSize);
    if (isPng(data)) pictures.push_back({pngDimension(data, 16), pngDimension(data, 20), data});
    at += length;
  }
  return pictures;
}

const IcnsPicture* icnsPictureFor(const std::vector<IcnsPicture>& pictures, int pixels) {
  const IcnsPicture* best = nullptr;
  for (const IcnsPicture& picture : pictures) {
    if (best == nullptr) {
      best = &picture;
      continue;
    }
    const int candidate = side(picture);
    const int current = side(*best);
    const bool better = candidate >= pixels ? current < pixels || candidate < current
                                            : current < pixels && candidate > current;
    if (better) best = &picture;
  }
  return best;
}

}  // namespace platform
