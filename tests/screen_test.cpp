// The screen area as a drawing surface: address tables, clearing, the
// conversion to MapBitmap and the doubled map view.
#include <gtest/gtest.h>

#include "render/cell_grid.h"
#include "render/palette_colours.h"
#include "render/renderer.h"
#include "render/screen_tables.h"
#include "support/level_image.h"

namespace kestrova {
namespace {

constexpr Pixel Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r << 16 | g << 8 | b; }

TEST(ScreenTables, FollowTheInterleavedLayout) {
  const ScreenTables tables = BuildScreenTables();
  struct Case {
    int row;
    std::uint32_t start;
  };
  for (const Case c : {Case{0, 0x0000}, Case{1, 0x0100}, Case{7, 0x0700}, Case{8, 0x0020}, Case{63, 0x07E0},
                       Case{64, 0x0800}, Case{128, 0x1000}, Case{191, 0x17E0}}) {
    EXPECT_EQ(tables.rowStart[static_cast<std::size_t>(c.row)], c.start) << c.row;
  }
  struct AttrCase {
    std::uint32_t d;
    std::uint32_t attr;
  };
  for (const AttrCase c : {AttrCase{0x0000, 0x1800}, AttrCase{0x0100, 0x1800}, AttrCase{0x0820, 0x1920},
                           AttrCase{0x001F, 0x181F}, AttrCase{0x17FF, 0x1AFF}}) {
    EXPECT_EQ(tables.attrOffset[c.d], c.attr) << std::hex << c.d;
  }
  // Every display byte belongs to exactly one (row, column).
  std::vector<int> seen(kDisplayFileSize, 0);
  for (int y = 0; y < kScreenRows; ++y) {
    for (int c = 0; c < kScreenColumns; ++c)
      ++seen[tables.rowStart[static_cast<std::size_t>(y)] + static_cast<std::uint32_t>(c)];
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), static_cast<long>(kDisplayFileSize));
}

TEST(SpectrumPalette, HasTheGamesColours) {
  EXPECT_EQ(kSpectrumPalette[7], Rgb(0xC5, 0xC7, 0xC5));  // normal white is not 0xCA grey
  EXPECT_EQ(kSpectrumPalette[6], Rgb(0xCA, 0xCA, 0x00));
  EXPECT_EQ(kSpectrumPalette[2], Rgb(0xCA, 0x00, 0x00));
  EXPECT_EQ(kSpectrumPalette[9], Rgb(0x00, 0x00, 0xFF));
  EXPECT_EQ(kSpectrumPalette[8], 0u);
  EXPECT_EQ(kSpectrumPalette[15], Rgb(0xFF, 0xFF, 0xFF));
}

class ConvertTest : public ::testing::Test {
 protected:
  SnapshotImage image = testing::LevelImage({});
  EditorState state;
  CellGrid grid;
  ScreenTables tables = BuildScreenTables();
  TFastDIB map{256, 192};
  RenderTarget target{image, state.place, state.walk, grid, tables, map};

  void Put(int row, int column, std::uint8_t bits, std::uint8_t attribute) {
    const std::uint32_t d = tables.rowStart[static_cast<std::size_t>(row)] + static_cast<std::uint32_t>(column);
    image.Write(kScreenAreaStart + d, bits);
    image.Write(kScreenAreaStart + tables.attrOffset[d], attribute);
  }
};

TEST_F(ConvertTest, ClearedScreenIsUniformYellow) {
  for (std::uint32_t a = 0x4000; a < 0x5B00; ++a) image.Write(a, 0xEE);
  ClearMapScreen(image);
  for (std::uint32_t a = 0x4000; a < 0x5800; ++a) ASSERT_EQ(image.Read(a), 0) << a;
  for (std::uint32_t a = 0x5800; a < 0x5B00; ++a) ASSERT_EQ(image.Read(a), 0x30) << a;
  EXPECT_EQ(image.Read(0x5B00), 0);  // nothing beyond the screen area
  ConvertScreen(target);
  for (Pixel p : map.Pixels()) ASSERT_EQ(p, Rgb(0xCA, 0xCA, 0x00));
}

TEST_F(ConvertTest, InkAndPaperByAttribute) {
  ClearMapScreen(image);
  struct Case {
    std::uint8_t attribute;
    Pixel ink;
    Pixel paper;
  };
  // Bright white ink on bright black; plain white on black; flash (bit 7) ignored.
  const Case cases[] = {{0x47, Rgb(0xFF, 0xFF, 0xFF), 0},
                        {0x07, Rgb(0xC5, 0xC7, 0xC5), 0},
                        {0x87, Rgb(0xC5, 0xC7, 0xC5), 0},
                        {0xF9, Rgb(0x00, 0x00, 0xFF), Rgb(0xFF, 0xFF, 0xFF)},
                        {0x16, Rgb(0xCA, 0xCA, 0x00), Rgb(0xCA, 0x00, 0x00)}};
  for (int i = 0; i < 5; ++i) Put(8 * i, 3, 0x80, cases[i].attribute);
  ConvertScreen(target);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(map.PixelAtTop(24, 8 * i), cases[i].ink) << i;
    for (int x = 25; x < 32; ++x) EXPECT_EQ(map.PixelAtTop(x, 8 * i), cases[i].paper) << i << "," << x;
  }
}

TEST_F(ConvertTest, RowZeroIsAtTheTopAndTheViewDoublesEveryPixel) {
  ClearMapScreen(image);
  Put(0, 0, 0x80, 0x01);     // top left
  Put(191, 31, 0x01, 0x02);  // bottom right
  ConvertScreen(target);
  EXPECT_EQ(map.PixelAtTop(0, 0), kPaletteBlue);
  EXPECT_EQ(map.Row(191)[0], kPaletteBlue);  // bitmap row index 191 - 0
  EXPECT_EQ(map.PixelAtTop(255, 191), kPaletteRed);
  TFastDIB view(512, 384);
  ShowMap(map, view);
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) EXPECT_EQ(view.PixelAtTop(x, y), kPaletteBlue);
  EXPECT_EQ(view.PixelAtTop(2, 0), PaperOf(0x01));
  for (auto [x, y] : {std::pair{510, 382}, {511, 383}}) EXPECT_EQ(view.PixelAtTop(x, y), kPaletteRed);
  EXPECT_EQ(view.PixelAtTop(509, 383), PaperOf(0x02));
  // No view bitmap yet: nothing happens.
  TFastDIB none;
  ShowMap(map, none);
  EXPECT_FALSE(none.HasRows());
}

TEST_F(ConvertTest, BaseRowAndWindowApplyOnlyToPreviewsAndTheWholeLevel) {
  ClearMapScreen(image);
  Put(0, 1, 0xFF, 0x01);
  state.walk.conversion = ConversionParameters{7, 1, 2, 100};
  map.Fill(0x123456);
  ConvertScreen(target);  // normal mode: base forced to 191
  EXPECT_EQ(state.walk.conversion.baseRow, 191);
  EXPECT_EQ(map.Row(191)[8], kPaletteBlue);
  EXPECT_EQ(map.Row(191)[0], 0x123456u);      // column 0 outside the window
  EXPECT_EQ(map.Row(191)[24], 0x123456u);     // column 3 outside the window
  EXPECT_EQ(map.Row(191 - 8)[8], 0x123456u);  // row 8 beyond the last row

  map.Fill(0x123456);
  state.walk.conversion = ConversionParameters{7, 1, 2, 7};
  state.walk.previewMode = true;
  ConvertScreen(target);  // the preview lands at the bottom of the bitmap
  EXPECT_EQ(map.Row(7)[8], kPaletteBlue);
  EXPECT_EQ(map.Row(0)[8], PaperOf(0x01));  // row 7 shares the cell's attribute
  EXPECT_EQ(map.Row(8)[8], 0x123456u);
}

TEST_F(ConvertTest, ANarrowBitmapTakesOnlyThePixelsThatFit) {
  ClearMapScreen(image);
  Put(0, 2, 0xFF, 0x01);
  TFastDIB small(20, 20);  // a drag picture: columns 0..2 are 24 pixels wide
  RenderTarget narrow{image, state.place, state.walk, grid, tables, small};
  state.walk.previewMode = true;
  state.walk.conversion = ConversionParameters{19, 0, 2, 19};
  ConvertScreen(narrow);
  for (int x = 16; x < 20; ++x) EXPECT_EQ(small.PixelAtTop(x, 0), kPaletteBlue) << x;
  EXPECT_EQ(small.PixelAtTop(15, 0), PaperOf(0x30));
}

TEST(CellGrid, ClearingEmptiesAllThreeArrays) {
  CellGrid grid;
  grid.tileId.fill(5);
  grid.ownerPos.fill(6);
  grid.landPos.fill(7);
  ClearCellGrid(grid);
  for (std::uint32_t d = 0; d < kDisplayFileSize; ++d) {
    ASSERT_EQ(grid.tileId[d] | grid.ownerPos[d] | grid.landPos[d], 0u) << d;
  }
}

}  // namespace
}  // namespace kestrova
