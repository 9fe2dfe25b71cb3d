#include "notifier/balloon_placement.h"

#include <algorithm>
#include <optional>

namespace notifier {
namespace {

// Closer than the gap, overlapping included.
bool crowds(const Box& a, const Box& b) {
  return a.x < b.x + b.width + kBalloonGap && b.x < a.x + a.width + kBalloonGap &&
         a.y < b.y + b.height + kBalloonGap && b.y < a.y + a.height + kBalloonGap;
}

std::optional<Box> firstFreePlace(const Box& area, const Box& corner,
                                  const std::vector<Box>& shown) {
  const int left = area.x + kBalloonMargin;
  const int bottom = area.y + area.height - kBalloonMargin;
  // A balloon may start at the column's top or just below one already there.
  std::vector<int> tops{corner.y};
  for (const Box& box : shown) tops.push_back(box.y + box.height + kBalloonGap);
  std::sort(tops.begin(), tops.end());

  for (int right = corner.x + corner.width; right - corner.width >= left;) {
    for (const int y : tops) {
      if (y < corner.y) continue;
      if (y + corner.height > bottom) break;
      const Box place{right - corner.width, y, corner.width, corner.height};
      if (std::none_of(shown.begin(), shown.end(),
                       [&](const Box& box) { return crowds(place, box); }))
        return place;
    }
    // The next column starts left of the widest balloon of this one.
    int columnWidth = corner.width;
    for (const Box& box : shown)
      if (box.x + box.width == right) columnWidth = std::max(columnWidth, box.width);
    right -= columnWidth + kBalloonGap;
  }
  return std::nullopt;
}

}  // namespace

Box balloonPlace(const Box& area, int width, int height, const std::vector<Box>& shown) {
  const CornerGaps gaps;
  const Box corner{area.x + area.width - gaps.right - width, area.y + gaps.top, width, height};
  return firstFreePlace(area, corner, shown).value_or(corner);
}

CornerGaps cornerGaps(const Box& area, const Box& place) {
  return {area.x + area.width - place.x - place.width, place.y - area.y};
}

Point windowOrigin(const Box& area, const CornerGaps& gaps, const Point& origin, const Box& frame) {
  // The frame's outer edge is what must sit at the margin; the window moves within it.
  return {area.x + area.width - gaps.right - frame.width + (origin.x - frame.x),
          area.y + gaps.top + (origin.y - frame.y)};
}

}  // namespace notifier
