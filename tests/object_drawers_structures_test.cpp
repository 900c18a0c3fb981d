// Walls, bridges, the fortress gates and the road edgings.

#include <gtest/gtest.h>

#include "support/drawer_scene.h"

namespace kestrova {
namespace {

using testing::CharacterRect;
using testing::DrawerScene;
using testing::Rect;

constexpr int kRow = 100;

// ---- Wall ----

void PrepareWall(DrawerScene& scene) {
  scene.Fill(0xCB50, 0xCC17, 0xFF);
  for (std::uint32_t i = 0; i < 8; ++i) scene.Poke(0xCC10 + i, static_cast<std::uint8_t>(0x01 + i));
  scene.Poke(0x893A, 0x4D);
}

TEST(WallDrawer, ThreeCopiesEndingAtTheOperandColumn) {
  DrawerScene scene;
  PrepareWall(scene);
  scene.Draw(0x09, 14, kRow);
  EXPECT_EQ(scene.PixelBox(), Rect(kRow - 49, kRow, 3, 14));
  EXPECT_EQ(scene.TileBox().count, 0);
  // Row 0 from P = 0xCC14 (0x05..0x08), row 1 from P - 4 (0x01..0x04); the right-hand column takes P + 3.
  for (int copy = 0; copy < 3; ++copy) {
    const int right = 14 - 4 * copy;
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(scene.Pixels(kRow, right - j), 0x08 - j) << right - j;
      EXPECT_EQ(scene.Pixels(kRow - 1, right - j), 0x04 - j) << right - j;
    }
  }
  EXPECT_EQ(scene.ColourBox(), CharacterRect(kRow - 49, kRow, 3, 14));
  EXPECT_EQ(scene.Colour(kRow, 3), 0x31);
}

TEST(WallDrawer, ColouredFromTheGameOnlyDirectlyBeforeATunnel) {
  struct Case {
    std::uint32_t tunnelAt;  // offset of a tunnel code from the wall record, 0: none
    std::uint8_t colour;
  };
  for (const Case& c : {Case{0, 0x31}, Case{2, 0x4D}, Case{4, 0x4D}, Case{6, 0x31}, Case{3, 0x31}}) {
    DrawerScene scene;
    PrepareWall(scene);
    if (c.tunnelAt != 0) scene.Poke(DrawerScene::kRecord + c.tunnelAt, 0x96);
    scene.Draw(0x09, 14, kRow);
    EXPECT_EQ(scene.Colour(kRow, 14), c.colour) << c.tunnelAt;
    EXPECT_EQ(scene.Colour(kRow - 49, 3), c.colour) << c.tunnelAt;
  }
}

TEST(WallDrawer, ColumnsLeftOfZeroAreSkipped) {
  DrawerScene scene;
  PrepareWall(scene);
  scene.Draw(0x09, 2, kRow);
  EXPECT_EQ(scene.PixelBox(), Rect(kRow - 49, kRow, 0, 2));
  EXPECT_EQ(scene.ColourBox(), CharacterRect(kRow - 49, kRow, 0, 2));
  EXPECT_EQ(scene.Pixels(kRow, 2), 0x08);
  EXPECT_EQ(scene.Pixels(kRow, 0), 0x06);
}

// ---- Road drawn on a bridge ----

TEST(RoadOnBridgeDrawer, ColoursTwentyFiveRowsLeftOfTheOperand) {
  for (int column : {31, 10, 40}) {
    DrawerScene scene;
    scene.Fill(0xB000, 0xDFFF, 0xFF);
    scene.Poke(0x8747, 0x4D);
    scene.Draw(0x17, static_cast<std::uint8_t>(column), kRow);
    const int right = std::min(column, 31);
    const int left = std::max(column - 31, 0);
    EXPECT_EQ(scene.ColourBox(), left <= right ? CharacterRect(kRow - 24, kRow, left, right) : DrawerScene::Box{})
        << column;
    EXPECT_EQ(scene.Colour(kRow - 24, right), 0x4D);
    EXPECT_EQ(scene.PixelBox().count, 0);
    EXPECT_EQ(scene.TileBox().count, 0);
  }
}

// ---- Bridge section ----

void PrepareBridge(DrawerScene& scene) {
  // Row 0: left 0x24, right 0x18; rows 1..11: rails, which keep the colours.
  scene.Poke(0x88FB, 0x24);
  scene.Poke(0x88FC, 0x18);
  for (std::uint32_t r = 1; r < 12; ++r) {
    scene.Poke(0x88FC - 2 * r, r % 2 != 0 ? 0xFF : 0xFE);
    scene.Poke(0x88FB - 2 * r, 0x81);
  }
  scene.Poke(0x8827, 0x4D);
}

TEST(BridgeSectionDrawer, TwelveFullWidthTileRowsOwnedSixRecordsBack) {
  for (int row : {kRow, 5}) {
    DrawerScene scene;
    PrepareBridge(scene);
    scene.Draw(0x08, 31, row);
    const int top = std::max(row - 11, 1);
    EXPECT_EQ(scene.TileBox(), Rect(top, row, 0, 31)) << row;
    EXPECT_EQ(scene.Find([&](int r, int c) {
      return scene.Tile(r, c) == 115 && scene.Owner(r, c) == DrawerScene::kRecord - 12;
    }),
              Rect(top, row, 0, 31));
    if (row == 5) {
      EXPECT_EQ(scene.Pixels(0, 31), 0xFF);  // row 0 takes the graphics but no tiles
    }
  }
}

TEST(BridgeSectionDrawer, PairsOfBytesColouredWhereTheyAreNoRail) {
  constexpr int kBottom = 104;  // row 0 alone in character row 13
  DrawerScene scene;
  PrepareBridge(scene);
  scene.SetPixels(kBottom, 21, 0x81);  // 0x18 ORed gives 0x99: coloured
  scene.SetPixels(kBottom, 31, 0xE7);  // 0x18 ORed gives 0xFF: a rail
  scene.Draw(0x08, 31, kBottom);
  for (int c = 0; c < 32; ++c) {
    const bool right = (31 - c) % 2 == 0;
    if (c != 31 && c != 21) {
      EXPECT_EQ(scene.Pixels(kBottom, c), right ? 0x18 : 0x24) << c;
    }
    EXPECT_EQ(scene.Pixels(kBottom - 1, c), right ? 0xFF : 0x81) << c;
    EXPECT_EQ(scene.Pixels(kBottom - 2, c), right ? 0xFE : 0x81) << c;
    EXPECT_EQ(scene.Colour(kBottom, c), c >= 30 ? DrawerScene::kBackground : 0x4D) << c;
    EXPECT_EQ(scene.Colour(kBottom - 1, c), DrawerScene::kBackground) << c;
  }
  EXPECT_EQ(scene.Pixels(kBottom, 21), 0x99);
  EXPECT_EQ(scene.Pixels(kBottom, 31), 0xFF);
}

TEST(BridgeSectionDrawer, OtherOperandsKeepTheirPairs) {
  constexpr int kBottom = 104;
  {
    DrawerScene scene;
    PrepareBridge(scene);
    scene.Draw(0x08, 20, kBottom);
    EXPECT_EQ(scene.Find([&](int r, int c) { return r == kBottom && scene.Pixels(r, c) != 0; }),
              Rect(kBottom, kBottom, 0, 20));
    EXPECT_EQ(scene.Pixels(kBottom, 20), 0x18);
    EXPECT_EQ(scene.Pixels(kBottom, 0), 0x18);
    EXPECT_EQ(scene.Colour(kBottom, 0), 0x4D);
    EXPECT_EQ(scene.Colour(kBottom, 21), DrawerScene::kBackground);
  }
  {
    // The pair (32, 31): its left byte is drawn; its colour follows a byte that is off the screen.
    DrawerScene scene;
    PrepareBridge(scene);
    scene.Draw(0x08, 32, kBottom);
    EXPECT_EQ(scene.Pixels(kBottom, 31), 0x24);
    EXPECT_EQ(scene.Colour(kBottom, 31), DrawerScene::kBackground);
    EXPECT_EQ(scene.Pixels(kBottom, 30), 0x18);
    EXPECT_EQ(scene.Colour(kBottom, 30), 0x4D);
    EXPECT_EQ(scene.Colour(kBottom, 1), 0x4D);
    EXPECT_EQ(scene.Colour(kBottom, 0), DrawerScene::kBackground);  // beyond the sixteenth pair
  }
}

// ---- Fortress gates ----

TEST(FortressGatesDrawer, FortyEightTileRowsAndFortyFourSetRows) {
  struct Case {
    std::uint8_t operand;
    int row;
    int left;       // first gate column on the screen
    int firstByte;  // index into the gate bytes of that column
  };
  const std::uint8_t gate[] = {0xFF, 0xFF, 0xFF, 0xFE, 0x7F, 0xFF, 0xFF, 0xFF};
  for (const Case& c : {Case{20, kRow, 12, 0}, Case{5, kRow, 0, 3}, Case{20, 10, 12, 0}}) {
    SCOPED_TRACE(::testing::PrintToString(int{c.operand}) + " row " + ::testing::PrintToString(c.row));
    DrawerScene scene;
    scene.Poke(0x819C, 0x01);
    scene.SetPixels(c.row, c.left + 1, 0x80);  // set, not ORed
    scene.Draw(0x21, c.operand, c.row);
    const int tileTop = std::max(c.row - 47, 1);
    EXPECT_EQ(scene.TileBox(), Rect(tileTop, c.row, 0, 31));
    EXPECT_EQ(scene.Find([&](int r, int col) {
      return scene.Tile(r, col) == 33 && scene.Owner(r, col) == DrawerScene::kRecord;
    }),
              Rect(tileTop, c.row, 0, 31));
    const int right = c.operand - 1;
    EXPECT_EQ(scene.PixelBox(), Rect(std::max(c.row - 43, 0), c.row, c.left, right));
    for (int col = c.left; col <= right; ++col) {
      EXPECT_EQ(scene.Pixels(c.row, col), gate[c.firstByte + col - c.left]) << col;
    }
    EXPECT_EQ(scene.ColourBox(), CharacterRect(std::max(c.row - 43, 0), c.row, c.left, right));
    EXPECT_EQ(scene.Colour(c.row, right), 0x31);
  }
}

// ---- Road edgings ----

struct EdgingRow {
  int row;
  std::uint8_t pattern;
};

// Column 15 and 14 of an edging with operand 0 standing on row 100: a run up
// to the character-row boundary, the boundary row, eight cap rows; the next
// column starts 4 rows below the row above the cap (q was 0x0F).
const EdgingRow kColumn15[] = {{101, 0x00}, {100, 0x03}, {99, 0x03}, {98, 0x0F}, {97, 0x0F},
                               {96, 0x0F},  {95, 0x3F},  {94, 0xFF}, {88, 0xFF}, {87, 0x00}};
const EdgingRow kColumn14[] = {{92, 0x00}, {91, 0x03}, {90, 0x03}, {89, 0x0F}, {88, 0x0F},
                               {87, 0x3F}, {86, 0x3F}, {85, 0xFF}, {80, 0xFF}, {79, 0x00}};

TEST(RoadEdgingDrawers, StaircaseOfSixteenColumns) {
  for (const std::uint8_t code : {std::uint8_t{0x05}, std::uint8_t{0x06}}) {
    SCOPED_TRACE(int{code});
    DrawerScene scene;
    scene.Poke(0x8F46, 0x4D);
    scene.Poke(0x8F44, 0x4E);
    scene.Draw(code, 0, kRow);
    for (const EdgingRow& e : kColumn15) EXPECT_EQ(scene.Pixels(e.row, 15), e.pattern) << e.row;
    for (const EdgingRow& e : kColumn14) EXPECT_EQ(scene.Pixels(e.row, 14), e.pattern) << e.row;
    // From column 14 on each column stands 8 rows higher; column 3 starts on row 3 and columns 0..2 lie above the
    // screen.
    EXPECT_EQ(scene.Pixels(83, 13), 0x03);
    EXPECT_EQ(scene.Pixels(84, 13), 0x00);
    EXPECT_EQ(scene.Pixels(3, 3), 0x03);
    EXPECT_EQ(scene.Pixels(0, 3), 0x0F);
    EXPECT_EQ(
        scene.Find([&](int r, int c) { return scene.Tile(r, c) == code && scene.Owner(r, c) == DrawerScene::kRecord; }),
        scene.TileBox());
    EXPECT_EQ(scene.TileBox().left, 3);
    EXPECT_EQ(scene.TileBox().right, 15);
    EXPECT_EQ(scene.Find([&](int r, int c) { return c == 15 && scene.Tile(r, c) != 0; }), Rect(88, 100, 15, 15));
    const std::uint8_t colour = code == 0x05 ? 0x4D : 0x06;
    EXPECT_EQ(scene.Colour(100, 15), colour);  // run and boundary
    EXPECT_EQ(scene.Colour(88, 15), colour);   // cap
  }
}

TEST(RoadEdgingDrawers, BottomEdgingCapAboveA3FRunShowsOnlyItsColour) {
  // On row 102 the run reaches 0x3F: the bottom edging's cap draws no pixels
  // and takes the second colour; the top edging draws its cap as usual.
  struct Case {
    std::uint8_t code;
    std::uint8_t capPixels;
    std::uint8_t capColour;
    std::uint8_t runColour;
  };
  for (const Case& c : {Case{0x05, 0x00, 0x4E, 0x4D}, Case{0x06, 0xFF, 0x06, 0x06}}) {
    SCOPED_TRACE(int{c.code});
    DrawerScene scene;
    scene.Poke(0x8F46, 0x4D);
    scene.Poke(0x8F44, 0x4E);
    scene.Draw(c.code, 0, 102);
    const EdgingRow run[] = {{102, 0x03}, {101, 0x03}, {100, 0x0F}, {99, 0x0F}, {98, 0x3F}, {97, 0x3F}, {96, 0x3F}};
    for (const EdgingRow& e : run) EXPECT_EQ(scene.Pixels(e.row, 15), e.pattern) << e.row;
    for (int row = 88; row <= 95; ++row) {
      EXPECT_EQ(scene.Pixels(row, 15), c.capPixels) << row;
      EXPECT_EQ(scene.Tile(row, 15), c.code) << row;
    }
    EXPECT_EQ(scene.Colour(95, 15), c.capColour);
    EXPECT_EQ(scene.Colour(102, 15), c.runColour);
    // q was 0x3F: the next column starts 6 rows below row 87.
    EXPECT_EQ(scene.Pixels(93, 14), 0x03);
    EXPECT_EQ(scene.Pixels(94, 14), 0x00);
    EXPECT_EQ(scene.Pixels(88, 14), 0x3F);
  }
}

TEST(RoadEdgingDrawers, AnchorRightOfTheScreenSkipsItsColumnButKeepsTheStaircase) {
  DrawerScene shifted;
  DrawerScene reference;
  shifted.Draw(0x05, 17, kRow);   // columns 32 down to 17
  reference.Draw(0x05, 1, kRow);  // columns 16 down to 1
  for (int row = 0; row < 192; ++row) {
    for (int c = 0; c <= 16; ++c) {
      EXPECT_EQ(shifted.Pixels(row, c), 0) << row << "," << c;
      EXPECT_EQ(shifted.Tile(row, c), 0u) << row << "," << c;
    }
    for (int c = 17; c < 32; ++c) {
      EXPECT_EQ(shifted.Pixels(row, c), reference.Pixels(row, c - 16)) << row << "," << c;
      EXPECT_EQ(shifted.Tile(row, c), reference.Tile(row, c - 16)) << row << "," << c;
    }
  }
  DrawerScene right;
  right.Draw(0x06, 16, kRow);
  EXPECT_EQ(right.TileBox().right, 31);
  EXPECT_EQ(right.Pixels(kRow, 31), 0x03);
}

}  // namespace
}  // namespace kestrova
