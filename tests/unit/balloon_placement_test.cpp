#include <gtest/gtest.h>

#include <tuple>

#include "notifier/balloon_placement.h"

// A balloon of 300 x 100 beside those shown; its window, now elsewhere in a frame 3 pixels wider
// on the left, 5 on the right and 24 on top, moves so that the frame's outer corner is the place's.
TEST(BalloonPlacement, DownFromTheCornerThenInColumnsLeftOfTheWidestAndTheFrameAroundIt) {
  using notifier::Box;
  const std::tuple<const char*, Box, std::vector<Box>, int, int> rows[] = {
      {"first", {0, 0, 1280, 800}, {}, 968, 12},
      {"next row", {0, 0, 1280, 800}, {{968, 12, 300, 100}}, 968, 120},
      {"a freed place", {0, 0, 1280, 800}, {{968, 120, 300, 100}}, 968, 12},
      {"new column", {0, 0, 1280, 240}, {{968, 12, 300, 100}, {868, 120, 400, 100}}, 560, 12},
      {"itself widest", {0, 0, 1280, 240}, {{1068, 12, 200, 100}, {1068, 120, 200, 100}}, 660, 12},
      {"work area off the origin", {100, 30, 1180, 770}, {{968, 42, 300, 100}}, 968, 150},
      {"none free: the corner", {0, 0, 400, 800}, {{88, 12, 300, 700}}, 88, 12},
  };
  for (const auto& [what, area, shown, x, y] : rows) {
    const Box place = notifier::balloonPlace(area, 300, 100, shown);
    const notifier::Point origin = notifier::windowOrigin(area, notifier::cornerGaps(area, place),
                                                          {40, 50}, {37, 26, 308, 126});
    EXPECT_EQ((std::tuple{x, y, 300, 100, x - 5, y + 24}),
              (std::tuple{place.x, place.y, place.width, place.height, origin.x, origin.y}))
        << what;
  }
}
