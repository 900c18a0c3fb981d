// The whole-level pass and its scaling into the level overview.
#include "render/overview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "render/palette_colours.h"
#include "support/level_image.h"

namespace kestrova {
namespace {

TEST(OverviewScaler, AveragesEachSpanAndRounds) {
  TFastDIB picture(4, 4);
  picture.Fill(0);
  // Bottom-left 2 x 2 block: 0x10, 0x20, 0x30, 0x41 of blue and 0xFF red in one pixel.
  picture.SetPixel(0, 0, 0xFF0010);
  picture.SetPixel(1, 0, 0x000020);
  picture.SetPixel(0, 1, 0x000030);
  picture.SetPixel(1, 1, 0x000041);
  picture.SetPixel(3, 3, 0x00FF00);
  TFastDIB small(2, 2);
  ScalePicture(picture, small);
  EXPECT_EQ(small.PixelAt(0, 0), 0x400028u);  // red 255 / 4 = 63.75 -> 64; blue 161 / 4 = 40.25 -> 40
  EXPECT_EQ(small.PixelAt(1, 1), 0x004000u);
  EXPECT_EQ(small.PixelAt(1, 0), 0u);
}

TEST(OverviewScaler, AShortPictureIsStretchedAndAnEmptyOneIsBlack) {
  TFastDIB picture(4, 2);
  picture.Fill(0x0000FF);
  picture.Row(1)[0] = 0xFF0000;
  TFastDIB tall(2, 4);
  ScalePicture(picture, tall);
  EXPECT_EQ(tall.PixelAt(0, 0), 0x0000FFu);
  EXPECT_EQ(tall.PixelAt(0, 1), 0x0000FFu);
  EXPECT_EQ(tall.PixelAt(0, 2), 0x800080u);  // (red + blue) / 2, rounded
  EXPECT_EQ(tall.PixelAt(0, 3), 0x800080u);
  TFastDIB none(256, 0);
  tall.Fill(0xFFFFFF);
  ScalePicture(none, tall);
  for (Pixel p : tall.Pixels()) EXPECT_EQ(p, 0u);
}

// Each output pixel against the mean of its spans summed pixel by pixel,
// for four-pixel and other column spans, spans of one row shared by
// several output rows, of up to 64 rows and of more (the sums change form
// there), a source narrower than the output and an empty one.
TEST(OverviewScaler, EveryPixelIsTheRoundedMeanOfItsSpans) {
  struct Case {
    int sourceWidth, sourceHeight, width, height;
  };
  const Case cases[] = {{256, 1920, 64, 384}, {256, 192, 64, 384}, {256, 391, 64, 384}, {256, 64 * 384, 64, 384},
                        {256, 30000, 64, 96}, {96, 100, 24, 10},   {52, 50, 13, 7},     {8, 5, 2, 3},
                        {100, 300, 7, 50},    {3, 10, 5, 4},       {256, 0, 64, 8}};
  std::mt19937 random(5);
  const auto spans = [](int source, int count) {
    std::vector<std::pair<int, int>> result;
    const std::uint64_t step = (static_cast<std::uint64_t>(source) << 16) / static_cast<std::uint64_t>(count);
    for (int j = 0; j < count; ++j) {
      const int first = static_cast<int>((j * step) >> 16);
      const int last = j + 1 == count ? source : static_cast<int>(((j + 1) * step) >> 16);
      result.emplace_back(first, std::max(last, first + 1));
    }
    return result;
  };
  for (const Case& c : cases) {
    TFastDIB picture(c.sourceWidth, c.sourceHeight);
    // Mostly bright, so that the largest sums are reached.
    for (int r = 0; r < c.sourceHeight; ++r) {
      for (int x = 0; x < c.sourceWidth; ++x)
        picture.Row(r)[x] = random() % 4 == 0 ? random() & 0xFFFFFF : 0xFFFFFF - (random() & 0x030303);
    }
    TFastDIB scaled(c.width, c.height), direct(c.width, c.height);
    ScalePicture(picture, scaled);
    OverviewScaler straight(c.sourceWidth, c.sourceHeight, direct);
    for (int r = 0; r < c.sourceHeight; ++r) straight.AddRow(r, picture.Row(r));
    straight.Finish(direct);
    EXPECT_EQ(direct.Pixels(), scaled.Pixels()) << c.sourceWidth << "x" << c.sourceHeight;
    const auto columns = spans(c.sourceWidth, c.width), rows = spans(c.sourceHeight, c.height);
    for (int j = 0; j < c.height; ++j) {
      for (int i = 0; i < c.width; ++i) {
        const int left = std::min(columns[static_cast<std::size_t>(i)].first, c.sourceWidth);
        const int right = std::min(columns[static_cast<std::size_t>(i)].second, c.sourceWidth);
        const int bottom = rows[static_cast<std::size_t>(j)].first;
        const int top = std::min(rows[static_cast<std::size_t>(j)].second, c.sourceHeight);
        std::uint64_t sums[3] = {}, count = 0;
        for (int r = bottom; r < top; ++r) {
          for (int x = left; x < right; ++x, ++count) {
            for (int colour = 0; colour < 3; ++colour) sums[colour] += (picture.Row(r)[x] >> (16 - 8 * colour)) & 0xFF;
          }
        }
        Pixel expected = 0;
        for (int colour = 0; count > 0 && colour < 3; ++colour) {
          expected |= static_cast<Pixel>((sums[colour] + count / 2) / count) << (16 - 8 * colour);
        }
        ASSERT_EQ(scaled.PixelAt(i, j), expected) << c.sourceWidth << "x" << c.sourceHeight << " at " << i << ", " << j;
      }
    }
  }
}

class WholeLevelTest : public ::testing::Test {
 protected:
  SnapshotImage image;
  EditorState state;
  CellGrid grid;
  ScreenTables tables = BuildScreenTables();
  TFastDIB map{256, 192};
  RenderTarget Target() { return RenderTarget{image, state.place, state.walk, grid, tables, map}; }

  void Start(const std::vector<std::uint8_t>& stream, std::uint32_t end) {
    image = testing::LevelImage(stream);
    state = testing::LevelState(kLevelAreaStart, end, 77);
  }
};

// Labels in several windows and across a window boundary: the streamed
// overview equals the tall picture scaled, for short and tall levels.
TEST_F(WholeLevelTest, StreamedOverviewEqualsTheScaledTallPicture) {
  const std::vector<std::uint8_t> stream = {0x22, 0x00, 0x00, 90,  0x27, 0x01, 0x00, 0x02, 0x22, 0x09, 0x00, 120,
                                            0x27, 0x00, 0x00, 255, 0x22, 0x04, 0x00, 30,   0x22, 0x01, 0xFF};
  for (int height : {0, 192, 384, 576, 1152, 1920}) {
    Start(stream, 0x9236 + 20);
    TFastDIB picture;
    RenderTarget target = Target();
    ASSERT_TRUE(RenderWholePicture(target, height, picture).Ok());
    ASSERT_EQ(picture.Height(), height);
    TFastDIB expected(64, 384);
    ScalePicture(picture, expected);
    TFastDIB overview(64, 384);
    overview.Fill(0x123456);
    DrawOverview(target, height, overview);
    EXPECT_EQ(overview.Pixels(), expected.Pixels()) << height;
    // The pass puts the view's state back.
    EXPECT_EQ(state.place.scrollOffset, 77);
    EXPECT_FALSE(state.walk.wholeLevelMode);
    EXPECT_EQ(state.walk.conversion.baseRow, 191);
  }
}

TEST_F(WholeLevelTest, TheTallPictureStacksTheWindowsBottomUp) {
  // A spawn point label just above the first window, and the banner nowhere.
  Start({0x00, 95, 0x22, 0x05, 0x22, 0x01, 0xFF}, 0x923A);
  TFastDIB picture;
  RenderTarget target = Target();
  ASSERT_TRUE(RenderWholePicture(target, 384, picture).Ok());
  // Window 1 holds level rows 192..383: the label's bottom line is level row
  // 192, bitmap row index 192, with the label's red ink in its first glyph.
  bool ink = false;
  for (int x = 0; x < 8; ++x) ink = ink || picture.Row(192)[x] == InkOf(0x32);
  EXPECT_TRUE(ink);
  for (int x = 0; x < 256; ++x) EXPECT_EQ(picture.Row(383)[x], PaperOf(0x30)) << x;  // no banner on top
  for (int x = 0; x < 256; ++x) EXPECT_EQ(picture.Row(191)[x], PaperOf(0x30)) << x;
}

TEST_F(WholeLevelTest, AtLeastOneWindowIsRendered) {
  Start({0x27, 0x01, 0x22, 0x01, 0xFF}, 0x9238);
  int windows = 0;
  RenderTarget target = Target();
  RenderWholeLevel(target, 0, [&](int firstRow, const TFastDIB& window) {
    EXPECT_EQ(firstRow, 0);
    EXPECT_EQ(window.Height(), 192);
    ++windows;
  });
  EXPECT_EQ(windows, 1);
  // The alarm was drawn in that window (at 184: it was on the last row).
  EXPECT_EQ(image.Read(kScreenAreaStart + tables.attrOffset[tables.rowStart[184]]), 0x32);
}

TEST_F(WholeLevelTest, AnExtremeLevelNeedsNoTallBitmap) {
  // 840 records of the largest land space: 430,080 rows.
  std::vector<std::uint8_t> stream;
  for (int i = 0; i < 840; ++i) stream.insert(stream.end(), {0x00, 0xFF});
  stream.insert(stream.end(), {0x22, 0x01, 0xFF});
  Start(stream, 0x9236 + 2 * 840);
  const int height = 840 * 512;
  RenderTarget target = Target();
  TFastDIB picture;
  const Outcome refused = RenderWholePicture(target, height, picture);
  ASSERT_FALSE(refused.Ok());
  EXPECT_NE(refused.ErrorMessage().find("430080"), std::string::npos);
  EXPECT_FALSE(picture.HasRows());
  TFastDIB overview(64, 384);
  DrawOverview(target, height, overview);
  EXPECT_EQ(overview.PixelAt(10, 10), PaperOf(0x30));
  EXPECT_EQ(map.Height(), 192);
}

}  // namespace
}  // namespace kestrova
