#include "platform/gtk/balloon_stack.h"

#include <algorithm>

namespace platform::gtk {
namespace {

// Closer than the gap, overlapping included.
bool crowds(const Box& a, const Box& b) {
  return a.x < b.x + b.width + kStackGap && b.x < a.x + a.width + kStackGap &&
         a.y < b.y + b.height + kStackGap && b.y < a.y + a.height + kStackGap;
}

}  // namespace

std::optional<Box> firstFreePlace(const Box& area, int width, int height,
                                  const std::vector<Box>& shown) {
  const int left = area.x + kStackMargin;
  const int top = area.y + kStackMargin;
  const int bottom = area.y + area.height - kStackMargin;
  // A balloon may start at the column's top or just below one already there.
  std::vector<int> tops{top};
  for (const Box& box : shown) tops.push_back(box.y + box.height + kStackGap);
  std::sort(tops.begin(), tops.end());

  for (int right = area.x + area.width - kStackMargin; right - width >= left;) {
    for (const int y : tops) {
      if (y < top) continue;
      if (y + height > bottom) break;
      const Box place{right - width, y, width, height};
      if (std::none_of(shown.begin(), shown.end(),
                       [&](const Box& box) { return crowds(place, box); }))
        return place;
    }
    // The next column starts left of the widest balloon of this one.
    int columnWidth = width;
    for (const Box& box : shown)
      if (box.x + box.width == right) columnWidth = std::max(columnWidth, box.width);
    right -= columnWidth + kStackGap;
  }
  return std::nullopt;
}

}  // namespace platform::gtk
