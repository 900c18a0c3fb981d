// The log crossing, the water and the two water strips.

#include <gtest/gtest.h>

#include <set>

#include "support/drawer_scene.h"

namespace kestrova {
namespace {

using testing::CharacterRect;
using testing::DrawerScene;
using testing::Rect;

// Columns with pixels on the row.
std::set<int> DrawnColumns(const DrawerScene& scene, int row) {
  std::set<int> columns;
  for (int c = 0; c < 32; ++c) {
    if (scene.Pixels(row, c) != 0) columns.insert(c);
  }
  return columns;
}

std::set<int> Columns(std::initializer_list<std::pair<int, int>> ranges) {
  std::set<int> columns;
  for (auto [first, last] : ranges) {
    for (int c = first; c <= last; ++c) columns.insert(c);
  }
  return columns;
}

// ---- Log crossing ----

TEST(LogCrossingDrawer, TwoLogsSevenColumnsApartSetTheCrossingColumn) {
  for (const std::uint8_t column : {std::uint8_t{8}, std::uint8_t{16}}) {
    SCOPED_TRACE(int{column});
    DrawerScene scene;
    scene.Fill(0xD100, 0xD1A0, 0xFF);
    scene.Poke(0xD1A0, 0x3C);
    scene.Poke(0xD1A0 - 158, 0xC3);
    scene.Poke(0x8987, 0x41);
    scene.Poke(0x8997, 0x42);
    scene.state.walk.crossingColumn = 3;
    scene.Draw(0x98, column, 100);
    EXPECT_EQ(scene.state.walk.crossingColumn, column);
    EXPECT_EQ(scene.TileBox().count, 0);
    const int right = column + 7;
    EXPECT_EQ(scene.Find([&](int r, int c) { return c == column && scene.Pixels(r, c) != 0; }),
              Rect(22, 101, column, column));
    EXPECT_EQ(scene.Find([&](int r, int c) { return c == right && scene.Pixels(r, c) != 0; }),
              Rect(22, 101, right, right));
    EXPECT_EQ(scene.PixelBox().count, 2 * 80);
    EXPECT_EQ(scene.Pixels(101, column), 0x3C);
    EXPECT_EQ(scene.Pixels(22, right), 0xC3);
    EXPECT_EQ(scene.Colour(101, column), 0x41);
    EXPECT_EQ(scene.Colour(22, right), 0x42);
  }
}

// ---- Water ----

struct WaterCase {
  int crossing;
  std::set<int> firstRow;  // columns of the bottom line
  std::set<int> laterRows;
  int pairColumn;  // a column that takes A on the bottom line, and its copy
  int copyColumn;
};

TEST(WaterDrawer, ColumnsFollowTheCrossingColumn) {
  const WaterCase cases[] = {
      {8, Columns({{0, 7}, {16, 31}}), Columns({{0, 7}, {16, 31}}), 31, 6},
      {16, Columns({{0, 15}, {24, 31}}), Columns({{0, 15}, {24, 31}}), 15, 31},
      {0, Columns({{8, 23}}), Columns({{0, 7}, {16, 31}}), 23, -1},
      {4, Columns({{0, 3}, {12, 27}}), Columns({{0, 7}, {16, 31}}), 27, 2},
      {1, Columns({{9, 24}}), Columns({{0, 7}, {16, 31}}), 24, -1},  // column 24 is not above 24: no copy
      {200, {}, Columns({{0, 7}, {16, 31}}), -1, -1},
  };
  constexpr int kRow = 100;
  for (const WaterCase& c : cases) {
    SCOPED_TRACE(c.crossing);
    DrawerScene scene;
    scene.Poke(0x8E0E, 0x4D);
    scene.state.walk.crossingColumn = c.crossing;
    if (c.pairColumn >= 0) scene.SetPixels(kRow + 2, c.pairColumn, 0x01);
    if (c.copyColumn >= 0) scene.SetPixels(kRow + 2, c.copyColumn, 0x01);
    scene.Draw(0x0D, 0xAA, kRow);
    EXPECT_EQ(scene.TileBox().count, 0);
    EXPECT_EQ(DrawnColumns(scene, kRow + 2), c.firstRow);
    EXPECT_EQ(DrawnColumns(scene, kRow + 1), c.laterRows);
    EXPECT_EQ(DrawnColumns(scene, kRow - 49), c.laterRows);
    EXPECT_TRUE(DrawnColumns(scene, kRow - 50).empty());
    EXPECT_EQ(scene.Colour(kRow - 50, 31), 0x4D);  // the character row of the top line
    EXPECT_EQ(scene.Colour(kRow - 56, 31), DrawerScene::kBackground);
    for (int column = 0; column < 32; ++column) {
      if (c.firstRow.count(column) != 0 || c.laterRows.count(column) != 0) continue;
      EXPECT_EQ(scene
                    .Find([&](int r, int col) {
                      return col == column &&
                             (scene.Pixels(r, col) != 0 || scene.Colour(r, col) != DrawerScene::kBackground);
                    })
                    .count,
                0)
          << "column " << column << " lies in the crossing";
    }
    EXPECT_EQ(scene.Pixels(kRow + 3, 31), 0);
    if (c.pairColumn >= 0) {
      EXPECT_EQ(scene.Pixels(kRow + 2, c.pairColumn), 0x93);  // ORed
      EXPECT_EQ(scene.Pixels(kRow + 2, c.pairColumn - 1), 0x89);
      EXPECT_EQ(scene.Colour(kRow + 2, c.pairColumn), 0x4D);
    }
    if (c.copyColumn >= 0) {
      EXPECT_EQ(scene.Pixels(kRow + 2, c.copyColumn), 0x92);  // set
    }
    EXPECT_EQ(scene.Pixels(kRow + 1, 31), 0xDD);
    EXPECT_EQ(scene.Pixels(kRow + 1, 30), 0xE5);
    EXPECT_EQ(scene.Pixels(kRow, 31), 0xFF);
  }
}

// ---- Water strips ----

struct StripCase {
  int row;
  int crossing;
  std::vector<std::pair<int, std::pair<std::uint8_t, std::uint8_t>>> rows;  // screen row: (A, B) at (31, 30)
};

TEST(WaterStripDrawers, SolidRowsToTheCharacterRowThenEdgeRows) {
  const StripCase cases[] = {
      // R + 3 = 104 lies on a character-row boundary: no solid rows, nine edge rows.
      {101,
       8,
       {{104, {0x00, 0x00}}, {103, {0xE5, 0xDD}}, {102, {0x89, 0x92}}, {101, {0x00, 0x00}}, {95, {0x00, 0x00}}}},
      // R + 3 = 103: one solid row.
      {100, 8, {{103, {0xFF, 0xFF}}, {102, {0xE5, 0xDD}}, {101, {0x89, 0x92}}, {100, {0x00, 0x00}}}},
      // R + 3 = 100: four solid rows, 103 up to 100.
      {97, 8, {{103, {0xFF, 0xFF}}, {100, {0xFF, 0xFF}}, {99, {0xE5, 0xDD}}, {98, {0x89, 0x92}}, {97, {0x00, 0x00}}}},
      {97, 16, {{103, {0xFF, 0xFF}}, {99, {0xE5, 0xDD}}, {98, {0x89, 0x92}}}},
  };
  for (const std::uint8_t code : {std::uint8_t{0x19}, std::uint8_t{0x0E}}) {
    for (const StripCase& c : cases) {
      SCOPED_TRACE(::testing::PrintToString(int{code}) + " row " + ::testing::PrintToString(c.row));
      DrawerScene scene;
      scene.Poke(0x8D59, 0x4A);
      scene.Poke(0x8D5E, 0xCD);
      scene.state.walk.crossingColumn = c.crossing;
      scene.SetPixels(97, 31, 0x55);  // ORed edge rows keep it,
      scene.SetPixels(97, 6, 0x55);   // the copies are set
      scene.SetPixels(97, 15, 0x55);
      scene.Draw(code, 0, c.row);
      const int pair = c.crossing == 16 ? 15 : 31;
      const int copy = c.crossing == 16 ? 31 : 6;
      for (const auto& [row, bytes] : c.rows) {
        EXPECT_EQ(scene.Pixels(row, pair), row == 97 ? 0x55 : bytes.first) << row;
        EXPECT_EQ(scene.Pixels(row, pair - 1), bytes.second) << row;
        EXPECT_EQ(scene.Pixels(row, copy), row == 97 && bytes.first != 0 ? 0x55 : bytes.first) << row;
      }
      if (c.crossing == 8) {
        EXPECT_EQ(scene.Pixels(97, 6), 0x00);
      }
      EXPECT_EQ(scene.TileBox().count, 0);
      const std::uint8_t colour = code == 0x19 ? 0x4A : 0xCD;
      EXPECT_EQ(scene.Colour(99, pair), colour);
      EXPECT_EQ(scene.Colour(95, copy), colour);
      EXPECT_EQ(scene.Colour(87, pair), DrawerScene::kBackground);
    }
  }
}

TEST(WaterStripDrawers, StripOneFirstRowFollowsTheCrossingColumn) {
  DrawerScene scene;
  scene.state.walk.crossingColumn = 0;
  scene.Draw(0x19, 0, 101);  // no solid rows: the first row is the first edge row
  EXPECT_EQ(DrawnColumns(scene, 103), Columns({{8, 23}}));
  EXPECT_EQ(scene.Pixels(103, 23), 0xE5);
  EXPECT_EQ(scene.Pixels(103, 22), 0xDD);
  EXPECT_EQ(scene.Pixels(102, 31), 0x89);
  EXPECT_EQ(scene.Pixels(102, 6), 0x89);
}

TEST(WaterStripDrawers, StripTwoRecoloursTheCharacterRowBelowOutsideTheCrossing) {
  struct Case {
    int crossing;
    int keptFirst;
  };
  for (const Case& c : {Case{8, 8}, Case{16, 16}, Case{3, 16}}) {
    SCOPED_TRACE(c.crossing);
    DrawerScene scene;
    scene.Poke(0x8D59, 0x4A);  // ink 2
    scene.Poke(0x8D5E, 0xCD);  // paper 5
    scene.state.walk.crossingColumn = c.crossing;
    scene.Draw(0x0E, 0, 97);  // strip rows 95..103; row 105 is character row 13
    for (int column = 0; column < 32; ++column) {
      const bool kept = column >= c.keptFirst && column < c.keptFirst + 8;
      EXPECT_EQ(scene.Colour(104, column), kept ? DrawerScene::kBackground : 0x2A) << column;
      EXPECT_EQ(scene.Pixels(104, column), 0) << column;
    }
    EXPECT_EQ(scene.Colour(112, 0), DrawerScene::kBackground);
  }
  // Row R + 8 below the screen: only the strip is drawn.
  DrawerScene scene;
  scene.Poke(0x8D5E, 0xCD);
  scene.state.walk.crossingColumn = 8;
  scene.Draw(0x0E, 0, 186);
  EXPECT_EQ(scene
                .Find([&](int r, int c) {
                  return scene.Colour(r, c) != DrawerScene::kBackground && scene.Colour(r, c) != 0xCD;
                })
                .count,
            0);
  EXPECT_EQ(scene.ColourBox(), scene.Find([&](int r, int c) { return scene.Colour(r, c) == 0xCD; }));
  EXPECT_EQ(scene.ColourBox().top, 176);
}

}  // namespace
}  // namespace kestrova
