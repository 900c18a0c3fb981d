// Trees, cliffs, cliff edges and huts.

#include <gtest/gtest.h>

#include "support/drawer_scene.h"

namespace kestrova {
namespace {

using testing::CharacterRect;
using testing::DrawerScene;
using testing::Rect;

DrawerScene::Box TilesOf(const DrawerScene& scene, std::uint32_t tile) {
  return scene.Find(
      [&](int r, int c) { return scene.Tile(r, c) == tile && scene.Owner(r, c) == DrawerScene::kRecord; });
}

// ---- Tree ----

TEST(TreeDrawer, TrunkOfTwentyFourRowsUnderACrownOfSixteen) {
  DrawerScene scene;
  scene.Fill(0xD300, 0xD642, 0xFF);
  scene.Poke(0xD642, 0x18);       // trunk, bottom line
  scene.Poke(0xD642 - 46, 0x3C);  // trunk, row 23
  scene.Poke(0xD37E, 0x99);       // crown, bottom line, left byte
  scene.Poke(0x901F, 0x44);
  scene.Poke(0x903A, 0x46);
  scene.Draw(0x83, 10, 100);
  EXPECT_EQ(TilesOf(scene, 132), Rect(77, 100, 10, 10));
  EXPECT_EQ(TilesOf(scene, 131), Rect(61, 76, 9, 11));
  EXPECT_EQ(scene.PixelBox(), scene.Find([&](int r, int c) { return scene.Tile(r, c) != 0; }));
  EXPECT_EQ(scene.Pixels(100, 10), 0x18);
  EXPECT_EQ(scene.Pixels(77, 10), 0x3C);
  EXPECT_EQ(scene.Pixels(76, 9), 0x99);
  EXPECT_EQ(scene.Colour(100, 10), 0x44);
  EXPECT_EQ(scene.Colour(61, 9), 0x46);
  // Trunk and crown meet inside character row 9; the crown, drawn last, colours it.
  EXPECT_EQ(scene.Colour(77, 10), 0x46);
  EXPECT_EQ(scene.ColourBox().count, CharacterRect(77, 100, 10, 10).count + CharacterRect(61, 76, 9, 11).count -
                                         CharacterRect(72, 79, 10, 10).count);
}

TEST(TreeDrawer, CrownLeftOfColumnZeroIsSkipped) {
  DrawerScene scene;
  scene.Fill(0xD300, 0xD642, 0xFF);
  scene.Draw(0x83, 0, 100);
  EXPECT_EQ(TilesOf(scene, 131), Rect(61, 76, 0, 1));
  EXPECT_EQ(TilesOf(scene, 132), Rect(77, 100, 0, 0));
  EXPECT_EQ(scene.Find([&](int r, int c) { return c > 1 && (scene.Pixels(r, c) != 0 || scene.Tile(r, c) != 0); }).count,
            0);
}

// ---- Cliff ----

void PrepareCliff(DrawerScene& scene) {
  scene.Fill(0xC000, 0xC5FF, 0xFF);
  scene.Poke(0xC1DA, 0x11);  // mirrored, band 1
  scene.Poke(0xC26A, 0x22);  // mirrored, band 3
  scene.Poke(0xC472, 0x33);  // regular, band 1
  scene.Poke(0xC502, 0x44);  // regular, band 3
  for (std::uint32_t i = 0; i < 14; ++i) scene.Poke(0x9124 + i, static_cast<std::uint8_t>(0x40 + i));
}

TEST(CliffDrawer, FourBandsWithATileAndColourPerEightRowSlice) {
  struct Case {
    std::uint8_t operand;
    int column;
    std::uint8_t band1;
    std::uint8_t band3;
  };
  const Case cases[] = {{0x85, 5, 0x11, 0x22}, {0xE5, 5, 0x11, 0x22}, {0x05, 5, 0x33, 0x44}, {0x7E, 30, 0x33, 0x44}};
  constexpr int kBottom = 151;  // slices line up with character rows
  for (const Case& c : cases) {
    SCOPED_TRACE(int{c.operand});
    DrawerScene scene;
    PrepareCliff(scene);
    scene.Draw(0x82, c.operand, kBottom);
    const int right = std::min(c.column + 5, 31);
    for (int g = 0; g < 112; ++g) {
      const int row = kBottom - g;
      const std::uint32_t tile = 100 + static_cast<std::uint32_t>(g / 8);
      EXPECT_EQ(scene.Find([&](int r, int col) { return r == row && scene.Tile(r, col) == tile; }),
                Rect(row, row, c.column, right))
          << g;
      EXPECT_EQ(scene.Colour(row, c.column), 0x40 + 13 - g / 8) << g;  // the byte at 0x9195 - tile
      const bool drawn = g < 40 || (g >= 72 && g < 96);
      EXPECT_EQ(scene.Pixels(row, right) != 0, drawn) << g;
    }
    EXPECT_EQ(scene.TileBox(), Rect(kBottom - 111, kBottom, c.column, right));
    EXPECT_EQ(scene.Pixels(kBottom, c.column), c.band1);
    EXPECT_EQ(scene.Pixels(kBottom - 72, c.column), c.band3);
  }
}

TEST(CliffDrawer, BitsFiveAndSixDoNotChangeTheDrawing) {
  DrawerScene plain;
  DrawerScene flagged;
  PrepareCliff(plain);
  PrepareCliff(flagged);
  plain.Draw(0x82, 0x85, 120);
  flagged.Draw(0x82, 0xE5, 120, DrawerScene::kRecord);
  flagged.Poke(DrawerScene::kRecord + 1, 0x85);  // the record itself differs; nothing else may
  EXPECT_TRUE(std::equal(plain.image.Bytes().begin(), plain.image.Bytes().end(), flagged.image.Bytes().begin()));
  EXPECT_EQ(plain.grid.tileId, flagged.grid.tileId);
}

// ---- Cliff edge ----

TEST(CliffEdgeDrawer, TwoStripsWithAGapStartingFourRowsAboveTheRow) {
  struct Case {
    std::uint8_t operand;
    std::uint32_t low;
    std::uint32_t high;
  };
  const Case cases[] = {{0x03, 0xC352, 0xC2C2}, {0x63, 0xC352, 0xC2C2}, {0x83, 0xC38A, 0xC316}, {0xE3, 0xC38A, 0xC316}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int{c.operand});
    DrawerScene scene;
    scene.Fill(0xC200, 0xC3FF, 0xFF);
    scene.Poke(c.low, 0x5A);
    scene.Poke(c.high, 0xA5);
    scene.Poke(0x9099, 0x41);
    scene.Poke(0x908E, 0x42);
    scene.Draw(0x26, c.operand, 120);
    EXPECT_EQ(TilesOf(scene, 41), Rect(87, 116, 3, 3));
    EXPECT_EQ(TilesOf(scene, 38), Rect(39, 80, 3, 3));
    EXPECT_EQ(scene.TileBox().count, 30 + 42);
    EXPECT_EQ(
        scene.Find([&](int r, int col) { return scene.Pixels(r, col) != 0 && (r > 116 || (r > 80 && r < 87)); }).count,
        0);
    EXPECT_EQ(scene.Pixels(116, 3), 0x5A);
    EXPECT_EQ(scene.Pixels(80, 3), 0xA5);
    EXPECT_EQ(scene.Colour(116, 3), 0x41);
    EXPECT_EQ(scene.Colour(40, 3), 0x42);
    EXPECT_EQ(scene.Colour(120, 3), DrawerScene::kBackground);  // the edge starts 4 rows up, in character row 14
  }
}

// ---- Hut ----

TEST(HutDrawer, SmallAndLargeHuts) {
  struct Case {
    const char* name;
    std::uint8_t operand;
    bool flagBefore;
    int column;
    bool large;
  };
  const Case cases[] = {
      {"small", 0x03, false, 3, false},
      {"large by bit 7", 0x83, false, 3, true},
      {"large by the flag", 0x03, true, 3, true},
      {"large at column 0", 0x80, false, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DrawerScene scene;
    scene.Fill(0xC000, 0xC97F, 0xFF);
    scene.Poke(0xC97A, 0x5A);
    scene.Poke(0xC0EE, 0x81);
    scene.Poke(0xC09E, 0x18);
    scene.Poke(0x832C, 0x01);
    scene.Poke(0x830C, 0x02);
    scene.Poke(0x8318, 0x03);
    scene.state.walk.largeHut = c.flagBefore;
    scene.Draw(0x94, c.operand, 100);
    EXPECT_FALSE(scene.state.walk.largeHut);
    const int body = c.column;
    EXPECT_EQ(scene.Pixels(100, body), 0x5A);
    EXPECT_EQ(scene.Colour(100, body), 0x31);
    if (!c.large) {
      EXPECT_EQ(TilesOf(scene, 148), Rect(61, 100, body, body + 5));
      EXPECT_EQ(scene.TileBox(), Rect(61, 100, body, body + 5));
      EXPECT_EQ(scene.PixelBox(), Rect(61, 100, body, body + 5));
      continue;
    }
    const int left = std::max(body - 1, 0);
    EXPECT_EQ(TilesOf(scene, 151), Rect(61, 100, left, body + 5));
    EXPECT_EQ(TilesOf(scene, 153), Rect(61, 100, body + 6, body + 6));
    EXPECT_EQ(scene.PixelBox(), Rect(61, 100, left, body + 6));
    EXPECT_EQ(scene.Pixels(100, body + 6), 0x18);
    EXPECT_EQ(scene.Colour(100, body + 6), 0x33);
    if (body > 0) {
      EXPECT_EQ(scene.Pixels(100, body - 1), 0x81);
      EXPECT_EQ(scene.Colour(100, body - 1), 0x32);
    }
  }
}

}  // namespace
}  // namespace kestrova
