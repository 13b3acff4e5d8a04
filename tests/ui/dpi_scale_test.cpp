// The scale between designed 96-DPI pixels and device pixels.

#include "ui/dpi_scale.h"

#include <gtest/gtest.h>

#include <climits>

namespace ui {
namespace {

TEST(DpiScaleTest, RoundsToTheNearestPixelAndBackWithoutLoss) {
  EXPECT_EQ(DpiScale(144).toDevice(3), 5);    // 4.5
  EXPECT_EQ(DpiScale(144).toDevice(-3), -5);  // halves away from zero, both sides alike
  EXPECT_EQ(DpiScale(120).toDevice(9), 11);   // 11.25
  EXPECT_EQ(DpiScale(144).toLayout(5), 3);    // 3.33
  for (int dpi : {96, 120, 144, 168, 192, 288}) {
    const DpiScale scale(dpi);
    for (int value = -500; value <= 5000; ++value) {
      ASSERT_EQ(scale.toLayout(scale.toDevice(value)), value) << dpi;
    }
  }
}

TEST(DpiScaleTest, RectanglesScaleByTheirEdgesSoNeighboursStayNeighbours) {
  const DpiScale scale(144);
  // Three boxes side by side, each 45 wide: scaled one by one by origin and size they would
  // overlap or leave gaps; by edges each starts where the one before ends.
  const Rect first{0, 0, 45, 21};
  const Rect second{45, 0, 45, 21};
  const Rect third{90, 0, 45, 21};
  const Rect a = scale.toDevice(first);
  const Rect b = scale.toDevice(second);
  const Rect c = scale.toDevice(third);
  EXPECT_EQ(a.right(), b.left);
  EXPECT_EQ(b.right(), c.left);
  EXPECT_EQ(c.right(), 203);  // 135 * 1.5 rounded
  EXPECT_EQ(a.height, 32);    // 31.5
  EXPECT_EQ(scale.toLayout(b), second);
  // A control sized to the client area at 96 DPI fills the scaled client area exactly.
  EXPECT_EQ(DpiScale(192).toDevice(Rect{0, 96, 1042, 43}), (Rect{0, 192, 2084, 86}));
}

TEST(DpiScaleTest, FontsScaleByPointsAndOddDpisAreKeptInRange) {
  EXPECT_EQ(DpiScale().fontPixels(9), 12);
  EXPECT_EQ(DpiScale(144).fontPixels(9), 18);
  EXPECT_EQ(DpiScale(192).fontPixels(11), 29);  // 29.33
  EXPECT_EQ(DpiScale(0).dpi(), kMinimumDpi);     // a platform that answered nothing
  EXPECT_EQ(DpiScale(100000).dpi(), kMaximumDpi);
  // Huge values saturate instead of wrapping round.
  EXPECT_EQ(DpiScale(960).toDevice(INT_MAX), INT32_MAX);
  EXPECT_EQ(DpiScale(960).toDevice(-INT_MAX), -INT32_MAX);
}

}  // namespace
}  // namespace ui
