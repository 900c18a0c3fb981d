#include "surface/fast_dib.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

// Each pixel holds its own coordinates, y from the top.
TFastDIB Numbered(int width, int height) {
  TFastDIB dib(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) dib.SetPixelTop(x, y, static_cast<Pixel>(y << 12 | x));
  }
  return dib;
}

TEST(FastDib, RowsAreStoredBottomUp) {
  TFastDIB dib = Numbered(3, 4);
  EXPECT_EQ(dib.Row(0)[1], static_cast<Pixel>(3 << 12 | 1));  // row index 0 is the bottom line
  EXPECT_EQ(dib.Row(3)[2], 2u);
  EXPECT_EQ(dib.RowTop(0)[2], 2u);
  EXPECT_EQ(dib.PixelAt(1, 0), dib.PixelAtTop(1, 3));
  // The storage is one block of rows, bottom line first.
  EXPECT_EQ(dib.Pixels()[0], static_cast<Pixel>(3 << 12));
}

TEST(FastDib, OutsideReadsZeroAndWritesNothing) {
  TFastDIB dib(2, 2);
  dib.Fill(0x123456);
  for (auto [x, y] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 2}}) {
    dib.SetPixel(x, y, 0xFFFFFF);
    EXPECT_EQ(dib.PixelAt(x, y), 0u);
  }
  for (Pixel p : dib.Pixels()) EXPECT_EQ(p, 0x123456u);
}

TEST(FastDib, ResizeClearsAndTreatsNegativeSizesAsEmpty) {
  TFastDIB dib(4, 4);
  dib.Fill(7);
  dib.Resize(5, 2);
  EXPECT_EQ(dib.Pixels(), std::vector<Pixel>(10, 0));
  dib.Resize(256, 0);
  EXPECT_FALSE(dib.HasRows());
  EXPECT_EQ(dib.Width(), 256);
  dib.Resize(-3, 5);
  EXPECT_EQ(dib.Width(), 0);
  EXPECT_TRUE(dib.Pixels().empty());
}

TEST(FastDib, LineLeavesOutTheEndPointAndIsClipped) {
  TFastDIB dib(8, 4);
  dib.Line(0, 1, 8, 1, 1);  // the whole width: the end point lies past the last column
  for (int x = 0; x < 8; ++x) EXPECT_EQ(dib.PixelAtTop(x, 1), 1u) << x;
  dib.Line(-5, 2, 3, 2, 2);
  EXPECT_EQ(dib.PixelAtTop(2, 2), 2u);
  EXPECT_EQ(dib.PixelAtTop(3, 2), 0u);  // end point
  dib.Line(0, 0, 3, 3, 3);              // a diagonal
  EXPECT_EQ(dib.PixelAtTop(0, 0), 3u);
  EXPECT_EQ(dib.PixelAtTop(2, 2), 3u);
  EXPECT_EQ(dib.PixelAtTop(3, 3), 0u);
  // Lines far outside end at once; absurd coordinates do not hang.
  const std::vector<Pixel> before = dib.Pixels();
  dib.Line(-100, -100, -1, 50, 9);
  dib.Line(0, 10, 8, 10, 9);
  EXPECT_EQ(dib.Pixels(), before);
  dib.Line(-2000000000, 3, 2000000000, 3, 4);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(dib.PixelAtTop(x, 3), 4u) << x;
}

TEST(FastDib, NearestCopyUsesFixedPointSteps) {
  const TFastDIB source = Numbered(3, 3);
  TFastDIB doubled(6, 6);
  source.CopyNearestTo(doubled);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(doubled.PixelAtTop(x, y), source.PixelAtTop(x / 2, y / 2)) << x << "," << y;
  }
  // 3 -> 2: step 0x18000, so target index 1 takes source index 1 (bottom-up rows).
  TFastDIB smaller(2, 2);
  source.CopyNearestTo(smaller);
  EXPECT_EQ(smaller.PixelAt(1, 1), source.PixelAt(1, 1));
  EXPECT_EQ(smaller.PixelAt(0, 0), source.PixelAt(0, 0));
  // Tall sources do not overflow the steps.
  TFastDIB tall(1, 70000);
  tall.SetPixel(0, 35000, 5);
  TFastDIB two(1, 2);
  tall.CopyNearestTo(two);
  EXPECT_EQ(two.PixelAt(0, 1), 5u);
  // An empty side copies nothing.
  TFastDIB empty;
  empty.CopyNearestTo(two);
  EXPECT_EQ(two.PixelAt(0, 1), 5u);
}

TEST(FastDib, StretchMapsRectangleToRectangle) {
  const TFastDIB source = Numbered(8, 8);
  TFastDIB target(10, 10);
  target.Fill(0xAAAAAA);
  source.StretchRectTo(Rect{2, 4, 2, 2}, target, Rect{1, 1, 4, 4});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(target.PixelAtTop(1 + x, 1 + y), source.PixelAtTop(2 + x / 2, 4 + y / 2)) << x << "," << y;
    }
  }
  EXPECT_EQ(target.PixelAtTop(0, 0), 0xAAAAAAu);
  EXPECT_EQ(target.PixelAtTop(5, 5), 0xAAAAAAu);
  // Partly off the target: clipped; source pixels beyond the source are black.
  source.StretchRectTo(Rect{6, 0, 4, 1}, target, Rect{7, 9, 4, 3});
  EXPECT_EQ(target.PixelAtTop(7, 9), source.PixelAtTop(6, 0));
  EXPECT_EQ(target.PixelAtTop(9, 9), 0u);
}

}  // namespace
}  // namespace kestrova
