#pragma once

#include <optional>
#include <vector>

namespace platform::gtk {

// A rectangle in the desktop's logical pixels.
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

constexpr int kStackMargin = 12;  // from the work area's top and right edges
constexpr int kStackGap = 8;      // between two balloons

// Where a balloon of `width` by `height` goes beside those already `shown`: the first free place
// in a column that starts at the work area's top-right corner and runs down, then in the columns
// to its left, keeping the margins and the gaps. Nothing when no place inside `area` is free.
std::optional<Box> firstFreePlace(const Box& area, int width, int height,
                                  const std::vector<Box>& shown);

}  // namespace platform::gtk
