// The walk over a level, the land-space drawer with its look-back, the
// labels and the title banner.
#include <gtest/gtest.h>

#include <random>

#include "render/glyph_labels.h"
#include "render/level_drawers.h"
#include "render/palette_colours.h"
#include "render/renderer.h"
#include "support/level_image.h"

namespace kestrova {
namespace {

using testing::GlyphByte;

class RendererTest : public ::testing::Test {
 protected:
  SnapshotImage image;
  EditorState state;
  CellGrid grid;
  ScreenTables tables = BuildScreenTables();
  TFastDIB map{256, 192};

  RenderTarget Target() { return RenderTarget{image, state.place, state.walk, grid, tables, map}; }

  // The refresh's first steps for the level [start, end].
  void Render(const std::vector<std::uint8_t>& stream, std::uint32_t end, std::int32_t scroll = 0) {
    image = testing::LevelImage(stream);
    state = testing::LevelState(kLevelAreaStart, end, scroll);
    ClearCellGrid(grid);
    ClearMapScreen(image);
    RenderTarget target = Target();
    DrawLevel(target);
  }

  std::uint32_t Cell(int row, int column) const {
    return tables.rowStart[static_cast<std::size_t>(row)] + static_cast<std::uint32_t>(column);
  }
  std::uint8_t Byte(int row, int column) const { return image.Read(kScreenAreaStart + Cell(row, column)); }
  std::uint8_t Attribute(int row, int column) const {
    return image.Read(kScreenAreaStart + tables.attrOffset[Cell(row, column)]);
  }
  std::uint32_t Tile(int row, int column) const { return grid.tileId[Cell(row, column)]; }
  std::uint32_t Owner(int row, int column) const { return grid.ownerPos[Cell(row, column)]; }
  std::uint32_t Land(int row, int column) const { return grid.landPos[Cell(row, column)]; }

  // The byte glyph row i (top first) of the label character puts on screen.
  static std::uint8_t GlyphRow(char c, int i) { return GlyphByte(GlyphAddress(c) + static_cast<std::uint32_t>(i)); }

  // True when `text` stands in columns 0.. with its bottom line on `bottom`,
  // for the rows given.
  void ExpectLabel(std::string_view text, int bottom, int firstRow = 0) const {
    for (std::size_t column = 0; column < text.size(); ++column) {
      for (int r = 0; r < 8; ++r) {
        const int row = bottom - r;
        if (row < firstRow || row > 191) continue;
        EXPECT_EQ(Byte(row, static_cast<int>(column)), GlyphRow(text[column], 7 - r))
            << text << " column " << column << " row " << row;
        EXPECT_EQ(Attribute(row, static_cast<int>(column)), 0x32);
      }
    }
  }
};

TEST_F(RendererTest, AFullWindowOfLandSpaceEndsTheWalk) {
  Render({0x00, 95, 0x22, 0x05, 0x22, 0x01, 0xFF}, 0x923A);
  EXPECT_EQ(state.walk.currentRow, -1);
  EXPECT_EQ(state.walk.streamCursor, 0x9238);  // the spawn point after it was not reached
  EXPECT_EQ(state.walk.walkStart, 0x9236u);
  for (int row = 0; row < 192; ++row) {
    for (int column : {0, 17, 31}) {
      ASSERT_EQ(Land(row, column), 0x9236u) << row;
      ASSERT_EQ(Owner(row, column), 0x9236u) << row;
      ASSERT_EQ(Tile(row, column), 0u);
    }
  }
  for (int row = 8; row < 192; ++row) ASSERT_EQ(Byte(row, 0), 0) << row;
}

TEST_F(RendererTest, ScrolledWindowSkipsTheRowsBelowIt) {
  Render({0x00, 95, 0x00, 9, 0x22, 0x01, 0xFF}, 0x923A, 192);
  // The first 192 rows lie below the window; the next band starts at row 191.
  EXPECT_EQ(Land(191, 0), 0x9238u);
  EXPECT_EQ(Land(172, 31), 0x9238u);
  EXPECT_EQ(Land(171, 0), 0u);
  // The end record's label sits 8 rows above the row it is reached on, with no tiles.
  ExpectLabel(kEndOfLevelText, 171 - 8);
  EXPECT_EQ(Tile(163, 0), 0u);
  EXPECT_EQ(Owner(163, 0), 0u);
}

TEST_F(RendererTest, AnObjectBelowTheWindowShowsTheRowsThatReachIntoIt) {
  // 4 rows of land space, scrolled by 8: the spawn point's bottom line is row 195.
  Render({0x00, 1, 0x22, 0x05, 0x22, 0x01, 0xFF}, 0x923A, 8);
  ExpectLabel(kSpawnPointText, 195);
  EXPECT_EQ(Byte(188, 0), GlyphRow('S', 0));
  EXPECT_EQ(Byte(191, 0), GlyphRow('S', 3));
  EXPECT_EQ(Tile(191, 10), 34u);
  EXPECT_EQ(Owner(191, 10), 0x9238u);
  EXPECT_EQ(Tile(191, 11), 0u);
  EXPECT_EQ(Tile(187, 0), 0u);  // the END OF LEVEL label has no tiles
  ExpectLabel(kEndOfLevelText, 187);
}

TEST_F(RendererTest, LevelOnesSpawnPointCannotBeSelected) {
  Render({0x22, 0x00, 0x22, 0x01, 0xFF}, 0x9238);
  ExpectLabel(kSpawnPointText, 191);
  for (int row = 184; row < 192; ++row) EXPECT_EQ(Tile(row, 3), 0u) << row;
  ExpectLabel(kEndOfLevelText, 183);
}

TEST_F(RendererTest, APreviewOfTheEndRecordShowsTheSpawnPoint) {
  image = testing::LevelImage({});
  image.Write(0x992A, 0x22);
  state = testing::LevelState(kLevelAreaStart, 0x9238);
  state.walk.previewMode = true;
  state.walk.streamCursor = 0x992A;
  state.walk.currentRow = 7;
  ClearMapScreen(image);
  ScreenCanvas canvas(image, grid, tables);
  DrawContext context{canvas, state.place, state.walk, nullptr};
  DrawSpawnPoint(context);
  ExpectLabel(kSpawnPointText, 7);
  EXPECT_EQ(Tile(7, 0), 34u);
  EXPECT_EQ(Owner(7, 0), 0x992Au);
  EXPECT_EQ(state.walk.streamCursor, 0x992C);
}

TEST_F(RendererTest, AlarmLabelByOperandAndPlace) {
  struct Case {
    std::uint8_t on;
    int row;
    std::string_view text;
    int bottom;
  };
  for (const Case c : {Case{1, 191, "ALARM~~ON# ", 184}, Case{0, 150, "ALARM~~OFF#", 150},
                       Case{2, 100, "ALARM~~OFF ", 100}, Case{0, 5, "ALARM~~OFF#", 5}}) {
    image = testing::LevelImage({0x27, c.on});
    state = testing::LevelState(kLevelAreaStart, 0x9238);
    state.walk.currentRow = c.row;
    ClearMapScreen(image);
    ClearCellGrid(grid);
    ScreenCanvas canvas(image, grid, tables);
    DrawContext context{canvas, state.place, state.walk, nullptr};
    DrawAlarmSwitch(context);
    ExpectLabel(c.text, c.bottom, 1);
    EXPECT_EQ(state.walk.currentRow, c.row);  // moved for this object only
    EXPECT_EQ(Tile(c.bottom, 10), 39u);
    EXPECT_EQ(Owner(c.bottom, 0), 0x9236u);
    EXPECT_EQ(Tile(c.bottom, 11), 0u);
    if (c.row == 5) {
      EXPECT_EQ(Byte(0, 0), 0);  // row 0 is left alone
      EXPECT_EQ(Tile(0, 0), 0u);
    }
  }
}

// The look-back of a land-space record at 0x9250 with operand d, drawn on
// row 191 with crossing column L.
struct LookBackCase {
  const char* name;
  std::uint8_t c2, c6, c10;
  std::uint8_t d;
  int crossingColumn;
  std::uint32_t owner;                     // record address
  std::vector<std::array<int, 3>> probes;  // band row v, column, tile
};

TEST_F(RendererTest, LandSpaceMarksTunnelsAndCrossingsFoundByTheLookBack) {
  constexpr std::uint32_t kRecord = 0x9250;
  const std::vector<LookBackCase> cases = {
      {"tunnel 1 back", 0x96, 0, 0, 5, 8, kRecord - 2, {{0, 12, 150}, {11, 19, 150}, {0, 11, 114}, {11, 20, 114}}},
      {"tunnel 3 back", 0, 0x96, 0, 5, 8, kRecord - 6, {{0, 15, 150}, {5, 0, 114}}},
      {"tunnel 3 back, band 12", 0, 0x96, 0, 12, 8, kRecord - 6, {{0, 15, 116}, {25, 0, 116}}},
      {"tunnel 5 back, motorbike", 0x1B, 0, 0x96, 5, 8, kRecord - 10, {{0, 15, 116}, {11, 31, 116}}},
      {"tunnel 5 back alone", 0x04, 0, 0x96, 5, 8, kRecord, {{0, 15, 0}, {11, 31, 0}}},
      {"crossing at 8",
       0x98,
       0,
       0,
       5,
       8,
       kRecord - 2,
       {{0, 7, 13}, {0, 8, 152}, {11, 11, 152}, {0, 12, 147}, {11, 15, 147}, {0, 16, 13}, {11, 31, 13}}},
      {"crossing 3 back at 16",
       0,
       0x98,
       0,
       5,
       16,
       kRecord - 6,
       {{5, 0, 13}, {6, 0, 25}, {11, 31, 25}, {11, 16, 152}, {6, 23, 147}, {0, 24, 13}}},
      {"crossing 5 back at 8",
       0,
       0,
       0x98,
       10,
       8,
       kRecord - 10,
       {{7, 0, 13}, {8, 0, 14}, {21, 31, 14}, {21, 8, 152}, {21, 15, 147}}},
      {"crossings 1 and 5 back", 0x98, 0, 0x98, 10, 8, kRecord - 10, {{8, 0, 14}, {0, 0, 13}}},
      {"tunnel and crossing", 0x96, 0x98, 0, 5, 16, kRecord - 6, {{0, 12, 13}, {11, 12, 25}, {0, 16, 152}}},
      {"crossing at another column", 0, 0x98, 0, 5, 3, kRecord - 6, {{0, 3, 13}, {11, 0, 13}, {11, 8, 13}}},
  };
  for (const LookBackCase& c : cases) {
    image = testing::LevelImage({});
    image.Write(kRecord - 10, c.c10);
    image.Write(kRecord - 6, c.c6);
    image.Write(kRecord - 2, c.c2);
    image.Write(kRecord, 0x00);
    image.Write(kRecord + 1, c.d);
    state = testing::LevelState(kLevelAreaStart, 0x98CE);
    state.walk.streamCursor = kRecord;
    state.walk.currentRow = 191;
    state.walk.crossingColumn = c.crossingColumn;
    ClearCellGrid(grid);
    ScreenCanvas canvas(image, grid, tables);
    DrawContext context{canvas, state.place, state.walk, nullptr};
    DrawLandSpace(context);
    EXPECT_EQ(state.walk.currentRow, 191 - (2 * c.d + 2)) << c.name;
    EXPECT_EQ(state.walk.streamCursor, static_cast<std::int32_t>(kRecord + 2)) << c.name;
    for (const auto& [v, column, tile] : c.probes) {
      EXPECT_EQ(Tile(191 - v, column), static_cast<std::uint32_t>(tile))
          << c.name << " v " << v << " column " << column;
      EXPECT_EQ(Owner(191 - v, column), c.owner) << c.name << " v " << v;
      EXPECT_EQ(Land(191 - v, column), kRecord) << c.name;
    }
    const int above = 191 - (2 * c.d + 2);
    EXPECT_EQ(Tile(above, 12), 0u) << c.name;  // the marking ends with the band
    EXPECT_EQ(Land(above, 12), 0u) << c.name;
  }
}

TEST_F(RendererTest, ABandReachingAboveTheWindowStopsTheRowAtMinusOne) {
  Render({0x00, 10, 0x00, 200, 0x22, 0x01, 0xFF}, 0x923A);
  EXPECT_EQ(state.walk.currentRow, -1);
  EXPECT_EQ(Land(0, 5), 0x9238u);
  EXPECT_EQ(Land(169, 5), 0x9238u);
  EXPECT_EQ(Land(170, 5), 0x9236u);
}

TEST_F(RendererTest, TheBannerIsSetOverTheTopRowAndLeavesTheGridAlone) {
  // 184 rows of land space put the spawn point's bottom line on row 7.
  Render({0x00, 91, 0x22, 0x05, 0x22, 0x01, 0xFF}, 0x923A);
  for (std::size_t column = 0; column < 32; ++column) {
    for (int row = 0; row < 8; ++row) {
      ASSERT_EQ(Byte(row, static_cast<int>(column)), GlyphRow(kBannerText[column], row)) << column << "," << row;
    }
    EXPECT_EQ(image.Read(0x5800 + static_cast<std::uint32_t>(column)), 0x17);
  }
  EXPECT_EQ(kBannerText.substr(6, 4), "XEV'");
  EXPECT_EQ(GlyphAddress('\''), 0x7F00u);
  EXPECT_EQ(Tile(7, 0), 34u);  // hidden under the banner, still in the grid
  EXPECT_EQ(image.Read(0x5820), 0x30);

  // The whole-level picture has no banner.
  image = testing::LevelImage({0x00, 91, 0x22, 0x05, 0x22, 0x01, 0xFF});
  state = testing::LevelState(kLevelAreaStart, 0x923A);
  state.walk.wholeLevelMode = true;
  ClearCellGrid(grid);
  ClearMapScreen(image);
  RenderTarget target = Target();
  DrawLevel(target);
  ExpectLabel(kSpawnPointText, 7);
  EXPECT_EQ(image.Read(0x5800 + 20), 0x30);
}

TEST_F(RendererTest, ARecordWithoutADrawerIsSkipped) {
  Render({0x00, 3, 0x07, 0x99, 0x00, 3, 0x22, 0x01, 0xFF}, 0x923C);
  EXPECT_EQ(Land(191, 0), 0x9236u);
  EXPECT_EQ(Land(183, 0), 0x923Au);
  EXPECT_EQ(state.walk.streamCursor, 0x923E);
}

TEST_F(RendererTest, AtLeastOneRecordIsDrawn) {
  Render({0x00, 3, 0x00, 3}, 0x9000);
  EXPECT_EQ(Land(191, 0), 0x9236u);
  EXPECT_EQ(Land(183, 0), 0u);
  EXPECT_EQ(state.walk.streamCursor, 0x9238);
}

TEST_F(RendererTest, LandSpaceLinesMarkBandTopsFromRowEightDown) {
  // Tops at 184 (line on 183), at 8 (line on 7) and at 6 (no line).
  const std::vector<std::uint8_t> stream = {0x00, 3, 0x00, 87, 0x00, 0, 0x22, 0x01, 0xFF};
  image = testing::LevelImage(stream);
  state = testing::LevelState(kLevelAreaStart, 0x923C);
  TFastDIB view(512, 384);
  RenderTarget target = Target();
  RenderMapView(target, view, false);
  const TFastDIB plain = view;
  const auto redRow = [&](int row) {
    for (int x = 0; x < 256; ++x) {
      if (map.PixelAtTop(x, row) != kPaletteRed) return false;
    }
    return true;
  };
  RenderMapView(target, view, true);
  for (int row = 0; row < 192; ++row) EXPECT_EQ(redRow(row), row == 183 || row == 7) << row;
  EXPECT_EQ(view.PixelAtTop(511, 367), kPaletteRed);  // row 183 doubled
  EXPECT_EQ(view.PixelAtTop(0, 366), kPaletteRed);
  RenderMapView(target, view, false);
  EXPECT_EQ(view.Pixels(), plain.Pixels());
  // None while the whole level is drawn.
  std::vector<int> lines;
  state.walk.wholeLevelMode = true;
  DrawLevel(target, &lines);
  EXPECT_TRUE(lines.empty());
}

// Whatever the level area and the state hold, the walk ends and writes only
// the screen area and the grid.
TEST_F(RendererTest, AnyStreamStaysInsideTheScreenArea) {
  std::mt19937 random(1234);
  const std::int32_t scrolls[] = {0, 1, 191, 500, 1000000, 0x7FFFFFFF};
  const std::uint32_t ends[] = {0x9236, 0x98CE, 0xFFFF, 0xFFFFFFFF, 0x4000};
  for (int round = 0; round < 200; ++round) {
    std::vector<std::uint8_t> stream(1689);
    for (auto& byte : stream) {
      const auto value = static_cast<std::uint8_t>(random());
      // Mostly known codes, so the drawers run with odd operands.
      const std::uint8_t codes[] = {0x00, 0x22, 0x27, 0x96, 0x98, 0x1B, value};
      byte = (random() & 1) ? codes[random() % 7] : value;
    }
    image = testing::LevelImage(stream);
    for (std::uint32_t a = 0x5B00; a < 0x9236; a += 97) image.Write(a, static_cast<std::uint8_t>(a));
    const SnapshotImage before = image;
    state = testing::LevelState(kLevelAreaStart + (random() % 64), ends[random() % 5], scrolls[random() % 6]);
    state.walk.crossingColumn = static_cast<int>(random() % 40) - 4;
    state.walk.previewMode = (random() % 4) == 0;
    state.walk.wholeLevelMode = (random() % 4) == 0;
    TFastDIB view(512, 384);
    RenderTarget target = Target();
    RenderMapView(target, view, true);
    for (std::size_t offset = 0; offset < image.Size(); ++offset) {
      const bool screen = offset >= ImageOffsetOf(0x4000) && offset < ImageOffsetOf(0x5B00);
      if (!screen) {
        ASSERT_EQ(image.Bytes()[offset], before.Bytes()[offset]) << "round " << round << " offset " << offset;
      }
    }
  }
}

}  // namespace
}  // namespace kestrova
