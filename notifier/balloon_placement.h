#pragma once

#include <vector>

namespace notifier {

// A rectangle in the desktop's logical pixels.
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

constexpr int kBalloonMargin = 12;  // from the work area's edges
constexpr int kBalloonGap = 8;      // between two balloons

// Balloons gather in the work area's top-right corner: how far a balloon's outer edge is from the
// area's right and top edges, the margins of an overlay anchored there.
struct CornerGaps {
  int right = kBalloonMargin;
  int top = kBalloonMargin;
};

// Where a balloon of `width` by `height` goes beside those already `shown`: the first free place
// in a column that starts at the corner and runs down, then in the columns to its left, keeping
// the margins and the gaps. The corner itself when no place inside `area` is free.
Box balloonPlace(const Box& area, int width, int height, const std::vector<Box>& shown);

CornerGaps cornerGaps(const Box& area, const Box& place);

// Where a window now at `origin` inside the outer `frame` must go for the frame's outer edge to
// keep `gaps` in `area`.
Point windowOrigin(const Box& area, const CornerGaps& gaps, const Point& origin, const Box& frame);

}  // namespace notifier
