// The sprite layouts, the drawer lookup, the table-driven sprite objects and
// the rules every drawer keeps (clipping, the stream cursor, the row, no
// write outside the screen area).

#include "render/object_drawers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>

#include "render/sprite_layouts.h"
#include "support/drawer_scene.h"

namespace kestrova {
namespace {

using testing::CharacterRect;
using testing::DrawerScene;
using testing::Rect;

// ---- Layouts ----

struct LayoutCase {
  SpriteShape shape;
  int row;
  int byte;
  std::int64_t fromStart;  // expected address minus the start
};

TEST(SpriteLayouts, AddressOfEveryByteFollowsTheLayout) {
  constexpr std::uint32_t kP = 0xC000;
  const LayoutCase cases[] = {
      // Paired serpentine, W = 3: rows 0..2 read P, P-2, P-4 / P-10, P-8, P-6 / P-12, P-14, P-16.
      {{SpriteLayout::kPairedSerpentine, 3, 4, kP}, 0, 0, 0},
      {{SpriteLayout::kPairedSerpentine, 3, 4, kP}, 0, 1, -2},
      {{SpriteLayout::kPairedSerpentine, 3, 4, kP}, 0, 2, -4},
      {{SpriteLayout::kPairedSerpentine, 3, 4, kP}, 1, 0, -10},
      {{SpriteLayout::kPairedSerpentine, 3, 4, kP}, 1, 1, -8},
      {{SpriteLayout::kPairedSerpentine, 3, 4, kP}, 1, 2, -6},
      {{SpriteLayout::kPairedSerpentine, 3, 4, kP}, 2, 0, -12},
      {{SpriteLayout::kPairedSerpentine, 3, 4, kP}, 2, 1, -14},
      {{SpriteLayout::kPairedSerpentine, 3, 4, kP}, 2, 2, -16},
      {{SpriteLayout::kPairedSerpentine, 3, 4, kP}, 3, 0, -22},
      // Paired serpentine, W = 2: after an even row 6, after an odd row 2.
      {{SpriteLayout::kPairedSerpentine, 2, 4, kP}, 1, 0, -6},
      {{SpriteLayout::kPairedSerpentine, 2, 4, kP}, 1, 1, -4},
      {{SpriteLayout::kPairedSerpentine, 2, 4, kP}, 2, 0, -8},
      // Plain serpentine, W = 3: P, P-1, P-2 / P-5, P-4, P-3 / P-6, P-7, P-8.
      {{SpriteLayout::kPlainSerpentine, 3, 4, kP}, 0, 2, -2},
      {{SpriteLayout::kPlainSerpentine, 3, 4, kP}, 1, 0, -5},
      {{SpriteLayout::kPlainSerpentine, 3, 4, kP}, 1, 2, -3},
      {{SpriteLayout::kPlainSerpentine, 3, 4, kP}, 2, 0, -6},
      {{SpriteLayout::kPlainSerpentine, 3, 4, kP}, 2, 2, -8},
      // Linear: the stride, or the width when none is given.
      {{SpriteLayout::kLinear, 5, 4, kP, 6}, 0, 4, 4},
      {{SpriteLayout::kLinear, 5, 4, kP, 6}, 2, 1, -11},
      {{SpriteLayout::kLinear, 4, 4, kP}, 3, 0, -12},
      // Strip: one byte per row, every other address.
      {{SpriteLayout::kStrip, 1, 4, kP}, 0, 0, 0},
      {{SpriteLayout::kStrip, 1, 4, kP}, 3, 0, -6},
      // Truck: bytes 0, 3, 2, 5, 4, 7, 6 of each 8-byte row.
      {{SpriteLayout::kTruck, 7, 4, kP}, 0, 1, 3},
      {{SpriteLayout::kTruck, 7, 4, kP}, 0, 2, 2},
      {{SpriteLayout::kTruck, 7, 4, kP}, 0, 6, 6},
      {{SpriteLayout::kTruck, 7, 4, kP}, 0, 5, 7},
      {{SpriteLayout::kTruck, 7, 4, kP}, 1, 0, -8},
      {{SpriteLayout::kTruck, 7, 4, kP}, 2, 3, -11},
  };
  for (const LayoutCase& c : cases) {
    EXPECT_EQ(static_cast<std::int64_t>(SpriteByteAddress(c.shape, c.row, c.byte)), kP + c.fromStart)
        << "layout " << static_cast<int>(c.shape.layout) << " W " << c.shape.width << " row " << c.row << " byte "
        << c.byte;
  }
}

// ---- Lookup ----

TEST(ObjectDrawers, EveryObjectCodeHasADrawerAndNoOtherCodeHasOne) {
  const std::set<int> objectCodes = {4,  5,   6,   8,   9,   13,  14,  15,  16,  17,  18,  19, 23,
                                     25, 26,  27,  28,  29,  30,  31,  32,  33,  35,  36,  37, 38,
                                     40, 129, 130, 131, 135, 138, 139, 140, 148, 149, 150, 152};
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(FindObjectDrawer(static_cast<std::uint8_t>(code)) != nullptr, objectCodes.count(code) == 1) << code;
  }
}

// ---- Simple sprites ----

struct SpriteCase {
  const char* name;
  std::uint8_t code;
  std::uint8_t operand;
  int width;
  int height;
  std::uint32_t bottomLeft;  // the byte drawn at the anchor on the bottom line
  std::uint32_t topLeft;     // the byte drawn at the anchor on the top line
  std::uint32_t tile;        // 0: no CellGrid entries
  std::uint32_t colourAddress;
  std::uint8_t stored;
  std::uint8_t attribute;
  bool preview = false;
  int currentCode = -1;
};

constexpr int kRow = 100;

// Graphic bytes all set, so every byte a sprite reads shows where it lands;
// two marked bytes show which addresses the corners came from.
void PrepareSprite(DrawerScene& scene, std::uint32_t bottomLeft, std::uint32_t topLeft) {
  scene.Fill(0xB000, 0xDFFF, 0xFF);
  scene.Poke(bottomLeft, 0x81);
  scene.Poke(topLeft, 0x42);
}

void ExpectSprite(const DrawerScene& scene, int column, int width, int height, std::uint32_t tile,
                  std::optional<std::uint8_t> attribute, const std::string& name) {
  SCOPED_TRACE(name);
  const DrawerScene::Box box = Rect(kRow - height + 1, kRow, column, column + width - 1);
  EXPECT_EQ(scene.PixelBox(), box);
  EXPECT_EQ(scene.Pixels(kRow, column), 0x81);
  EXPECT_EQ(scene.Pixels(kRow - height + 1, column), 0x42);
  if (tile != 0) {
    EXPECT_EQ(scene.TileBox(), box);
    EXPECT_EQ(
        scene.Find([&](int r, int c) { return scene.Tile(r, c) == tile && scene.Owner(r, c) == DrawerScene::kRecord; }),
        box);
  } else {
    EXPECT_EQ(scene.TileBox().count, 0);
  }
  if (attribute) {
    const DrawerScene::Box cells = CharacterRect(box.top, box.bottom, box.left, box.right);
    EXPECT_EQ(scene.ColourBox(), cells);
    EXPECT_EQ(scene.Find([&](int r, int c) { return scene.Colour(r, c) == *attribute; }), cells);
  } else {
    EXPECT_EQ(scene.ColourBox().count, 0);
  }
  EXPECT_EQ(scene.state.walk.streamCursor, static_cast<std::int32_t>(DrawerScene::kRecord + 2));
  EXPECT_EQ(scene.state.walk.currentRow, kRow);
}

TEST(ObjectDrawers, SimpleSpritesStandOnTheRowAtTheOperandColumn) {
  const SpriteCase cases[] = {
      {"road marking", 0x04, 7, 2, 18, 0xC88E, 0xC848, 4, 0x900D, 0x4D, 0x4D},
      {"single grenade", 0x0F, 7, 2, 16, 0xCF76, 0xCF38, 15, 0x8EC5, 0x4D, 0x4D},
      {"triple grenade", 0x10, 7, 3, 22, 0xCFFA, 0xCF78, 16, 0x8EDC, 0x4D, 0x4D},
      {"quintuple grenade", 0x11, 7, 3, 22, 0xD07E, 0xCFFC, 17, 0x8EF3, 0x4D, 0x4D},
      {"left mortar", 0x12, 7, 2, 16, 0xD0BE, 0xD080, 18, 0x8E7C, 0x4D, 0x4D},
      {"right mortar", 0x13, 7, 2, 16, 0xD0FE, 0xD0C0, 19, 0x8E8B, 0x4D, 0x4D},
      {"trench left", 0x23, 7, 2, 12, 0xCABE, 0xCA90, 35, 0x8174, 0x4D, 0x4D},
      {"trench middle", 0x24, 7, 4, 12, 0xCB1E, 0xCAC0, 36, 0x8183, 0x4D, 0x4D},
      {"trench right", 0x25, 7, 2, 12, 0xCB4E, 0xCB20, 37, 0x8174, 0x4D, 0x4D},
      {"bunker, first image", 0x81, 14, 6, 64, 0xD942, 0xD644, 129, 0x8701, 0x4D, 0x4D},
      {"bunker, second image", 0x81, 15, 6, 64, 0xDC42, 0xD944, 129, 0x8701, 0x4D, 0x4D},
      {"boulder", 0x87, 7, 3, 22, 0xD222, 0xD1A0, 135, 0x9046, 0x4D, 0x4D},
      {"sandbags left", 0x8A, 7, 2, 18, 0xD26A, 0xD224, 138, 0x8F1F, 0x4D, 0x4D},
      {"sandbags middle", 0x8B, 7, 3, 18, 0xD2D6, 0xD26C, 139, 0x8F2E, 0x4D, 0x4D},
      {"sandbags right", 0x8C, 7, 2, 18, 0xD31E, 0xD2D8, 140, 0x8F2E, 0x4D, 0x4D},
      {"barracks", 0x95, 7, 5, 66, 0xD612, 0xD380, 149, 0x8905, 0x4D, 0x4D},
      {"tunnel", 0x96, 7, 8, 50, 0xCF36, 0xCC18, 0, 0x891C, 0x4D, 0x4D},
      {"cave top edge", 0x1D, 7, 6, 8, 0xC712, 0xC6E8, 29, 0x8348, 0x05, 0x35},
      {"cave main", 0x1E, 7, 6, 40, 0xC6E2, 0xC5F8, 30, 0x8330, 0x05, 0x35},
      {"open cave main in the map", 0x1E, 0, 6, 40, 0xC5F2, 0xC508, 30, 0x8330, 0x05, 0x35},
      {"cave main with operand 0 as a preview", 0x1E, 0, 6, 40, 0xC6E2, 0xC5F8, 30, 0x8330, 0x05, 0x35, true},
      {"cave bottom edge", 0x1F, 7, 6, 8, 0xC742, 0xC718, 31, 0x8348, 0x05, 0x35},
      {"ink plus yellow paper wraps as a byte", 0x1F, 7, 6, 8, 0xC742, 0xC718, 31, 0x8348, 0xE5, 0x15},
      // Family drawers take the member the current code names.
      {"triple grenade drawer, current code quintuple", 0x10, 7, 3, 22, 0xD07E, 0xCFFC, 17, 0x8EF3, 0x4D, 0x4D, false,
       0x11},
      {"left mortar drawer, current code right mortar", 0x12, 7, 2, 16, 0xD0FE, 0xD0C0, 19, 0x8E8B, 0x4D, 0x4D, false,
       0x13},
      {"trench left drawer, current code trench right", 0x23, 7, 2, 12, 0xCB4E, 0xCB20, 37, 0x8174, 0x4D, 0x4D, false,
       0x25},
      {"cave top drawer, current code cave bottom", 0x1D, 7, 6, 8, 0xC742, 0xC718, 31, 0x8348, 0x05, 0x35, false, 0x1F},
      {"family drawer, current code of another object", 0x10, 7, 3, 22, 0xCFFA, 0xCF78, 16, 0x8EDC, 0x4D, 0x4D, false,
       0x81},
      {"single drawer ignores the current code", 0x81, 3, 6, 64, 0xD942, 0xD644, 129, 0x8701, 0x4D, 0x4D, false, 0x11},
  };
  for (const SpriteCase& c : cases) {
    DrawerScene scene;
    PrepareSprite(scene, c.bottomLeft, c.topLeft);
    scene.Poke(c.colourAddress, c.stored);
    scene.state.walk.previewMode = c.preview;
    scene.Draw(c.code, c.operand, kRow, DrawerScene::kRecord, c.currentCode);
    ExpectSprite(scene, c.operand, c.width, c.height, c.tile, c.attribute, c.name);
  }
}

// ---- Vehicles and markers at fixed columns ----

struct FixedCase {
  const char* name;
  std::uint8_t code;
  std::uint8_t operand;
  bool preview;
  int column;
  int width;
  int height;
  std::uint32_t bottomLeft;
  std::uint32_t topLeft;
  std::uint32_t tile;
  std::uint32_t colourAddress;  // 0: a constant or no colour
  std::optional<std::uint8_t> attribute;
};

TEST(ObjectDrawers, VehiclesAndMarkersStandAtTheirColumns) {
  const FixedCase cases[] = {
      {"truck", 0x1A, 5, false, 24, 7, 32, 0xC840, 0xC748, 26, 0x862D, 0x35},
      {"truck preview", 0x1A, 5, true, 0, 7, 32, 0xC840, 0xC748, 26, 0x862D, 0x35},
      {"motorbike", 0x1B, 5, false, 13, 5, 22, 0xCA8A, 0xCA0C, 27, 0, std::nullopt},
      {"motorbike preview", 0x1B, 5, true, 0, 5, 22, 0xCA8A, 0xCA0C, 27, 0, std::nullopt},
      {"jeep", 0x1C, 0x25, false, 10, 4, 32, 0xC9FC, 0xC980, 28, 0x8400, 0x35},
      {"jeep preview at its operand", 0x1C, 0x25, true, 5, 4, 32, 0xC9FC, 0xC980, 28, 0x8400, 0x35},
      {"rocket-launcher marker", 0x28, 1, false, 3, 3, 20, 0xBC3B, 0xBC00, 40, 0, 0x32},
      {"rocket-launcher end marker", 0x28, 0, true, 3, 3, 20, 0xBC3B, 0xBC00, 40, 0, 0x32},
  };
  for (const FixedCase& c : cases) {
    DrawerScene scene;
    PrepareSprite(scene, c.bottomLeft, c.topLeft);
    if (c.colourAddress != 0) scene.Poke(c.colourAddress, 0x05);
    scene.state.walk.previewMode = c.preview;
    scene.Draw(c.code, c.operand, kRow);
    ExpectSprite(scene, c.column, c.width, c.height, c.tile, c.attribute, c.name);
  }
}

TEST(ObjectDrawers, RocketMarkerUsesThePreviewColumn) {
  DrawerScene scene;
  PrepareSprite(scene, 0xBC3B, 0xBC00);
  scene.state.walk.previewColumns.rocketMarker = 0;
  scene.Draw(0x28, 1, kRow);
  ExpectSprite(scene, 0, 3, 20, 40, 0x32, "marker in preview column 0");
}

TEST(ObjectDrawers, TruckRowsTakeTheirBytesOutOfOrder) {
  DrawerScene scene;
  for (std::uint32_t i = 0; i < 16; ++i) scene.Poke(0xC838 + i, static_cast<std::uint8_t>(0x10 + i));
  scene.Draw(0x1A, 0, kRow);
  // Row 0 from P = 0xC840 (values 0x18..0x1F), row 1 from P - 8.
  const std::uint8_t row0[] = {0x18, 0x1B, 0x1A, 0x1D, 0x1C, 0x1F, 0x1E};
  const std::uint8_t row1[] = {0x10, 0x13, 0x12, 0x15, 0x14, 0x17, 0x16};
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(scene.Pixels(kRow, 24 + k), row0[k]) << k;
    EXPECT_EQ(scene.Pixels(kRow - 1, 24 + k), row1[k]) << k;
  }
}

TEST(ObjectDrawers, MotorbikeInATunnelLeavesTheTileToTheTunnel) {
  struct Case {
    std::uint8_t codeBack;
    std::uint8_t operandBack;
    bool ownTile;
  };
  const Case cases[] = {{0x96, 12, false}, {0x96, 11, true}, {0x95, 12, true}, {0x00, 0, true}};
  for (const Case& c : cases) {
    DrawerScene scene;
    scene.Fill(0xC900, 0xCAFF, 0xFF);
    scene.Poke(DrawerScene::kRecord - 8, c.codeBack);
    scene.Poke(DrawerScene::kRecord - 7, c.operandBack);
    scene.Draw(0x1B, 0, kRow);
    SCOPED_TRACE(::testing::PrintToString(c.codeBack) + " " + ::testing::PrintToString(c.operandBack));
    EXPECT_EQ(scene.PixelBox(), Rect(kRow - 21, kRow, 13, 17));
    EXPECT_EQ(scene.TileBox(), c.ownTile ? Rect(kRow - 21, kRow, 13, 17) : DrawerScene::Box{});
    EXPECT_EQ(scene.ColourBox().count, 0);
  }
}

// ---- Prisoner of war ----

TEST(ObjectDrawers, PrisonerOfWarDrawsThreeFiguresAtThePreviewColumns) {
  struct Figure {
    int column;
    std::uint32_t tile;
    std::uint8_t bottomLeft;
    std::uint8_t attribute;
  };
  struct Case {
    std::array<int, 3> columns;
    std::array<Figure, 3> figures;
  };
  const Case cases[] = {
      {{15, 12, 18}, {{{15, 21, 0x81, 0x31}, {12, 32, 0x82, 0x32}, {18, 22, 0x82, 0x33}}}},
      {{3, 0, 6}, {{{3, 21, 0x81, 0x31}, {0, 32, 0x82, 0x32}, {6, 22, 0x82, 0x33}}}},
  };
  for (const Case& c : cases) {
    DrawerScene scene;
    scene.Fill(0xB000, 0xB141, 0xFF);
    scene.Poke(0xB041, 0x81);  // guard
    scene.Poke(0xB141, 0x82);  // prisoner, also the second guard
    scene.Poke(0xB000, 0x41);  // top-left bytes: 3 x 22 plain serpentine ends 65 below the start
    scene.Poke(0xB100, 0x42);
    scene.Poke(0x827D, 0x01);
    scene.Poke(0x8274, 0x02);
    scene.Poke(0x8286, 0x03);
    scene.state.walk.previewColumns.prisonerFigures = c.columns;
    scene.Draw(0x20, 0, kRow);
    for (const Figure& f : c.figures) {
      SCOPED_TRACE(f.column);
      EXPECT_EQ(scene.Find([&](int r, int col) { return scene.Tile(r, col) == f.tile; }),
                Rect(kRow - 21, kRow, f.column, f.column + 2));
      EXPECT_EQ(scene.Pixels(kRow, f.column), f.bottomLeft);
      EXPECT_EQ(scene.Pixels(kRow - 21, f.column), f.bottomLeft == 0x81 ? 0x41 : 0x42);
      EXPECT_EQ(scene.Colour(kRow, f.column + 2), f.attribute);
      EXPECT_EQ(scene.Owner(kRow, f.column), DrawerScene::kRecord);
    }
    EXPECT_EQ(scene.TileBox().count, 3 * 3 * 22);
  }
}

// ---- Clipping ----

TEST(ObjectDrawers, RowsOutsideTheScreenAreCountedButNotDrawn) {
  struct Case {
    int row;
    int top;
    int bottom;
    std::uint32_t markedAddress;  // the sprite byte that lands at (marked row, column 7)
    int markedRow;
  };
  // Boulder, 3 x 22 paired serpentine from 0xD222.
  const Case cases[] = {
      {5, 0, 5, 0xD222 - 34, 0},          // row index 5 on screen row 0
      {200, 179, 191, 0xD222 - 58, 191},  // row index 9 on screen row 191
      {-1, 192, -1, 0, 0},
      {213, 192, -1, 0, 0},
  };
  for (const Case& c : cases) {
    DrawerScene scene;
    scene.Fill(0xD100, 0xD2FF, 0xFF);
    if (c.markedAddress != 0) scene.Poke(c.markedAddress, 0x5A);
    scene.Draw(0x87, 7, c.row);
    SCOPED_TRACE(c.row);
    if (c.bottom < 0) {
      EXPECT_EQ(scene.TileBox(), DrawerScene::Box{});
      EXPECT_EQ(scene.PixelBox(), DrawerScene::Box{});
    } else {
      EXPECT_EQ(scene.TileBox(), Rect(c.top, c.bottom, 7, 9));
      EXPECT_EQ(scene.Pixels(c.markedRow, 7), 0x5A);
    }
    EXPECT_EQ(scene.state.walk.currentRow, c.row);
    EXPECT_EQ(scene.state.walk.streamCursor, static_cast<std::int32_t>(DrawerScene::kRecord + 2));
  }
}

TEST(ObjectDrawers, BytesRightOfTheLastColumnAreSkipped) {
  for (int column : {30, 31, 32, 200, 255}) {
    DrawerScene scene;
    scene.Fill(0xD100, 0xD2FF, 0xFF);
    scene.Draw(0x87, static_cast<std::uint8_t>(column), kRow);
    const DrawerScene::Box expected = column < 32 ? Rect(kRow - 21, kRow, column, 31) : DrawerScene::Box{};
    EXPECT_EQ(scene.TileBox(), expected) << column;
    EXPECT_EQ(scene.PixelBox(), expected) << column;
    EXPECT_EQ(scene.ColourBox().count, column < 32 ? CharacterRect(kRow - 21, kRow, column, 31).count : 0);
  }
}

// ---- Every drawer, every operand, rows far outside the screen ----

// Every operand on the rows where clipping and character rows change, and
// every row from -50 to 250 for the operands at the column limits and with
// every flag bit: the cross product of the two adds nothing but time (rows
// and columns are clipped independently).
constexpr int kEdgeRows[] = {-50, -9, -1, 0, 1, 2, 7, 8, 100, 183, 184, 188, 189, 190, 191, 192, 250};
constexpr int kEdgeOperands[] = {0, 15, 16, 31, 32, 0x85, 0xFF};

std::vector<int> RowsFor(int operand) {
  if (std::find(std::begin(kEdgeOperands), std::end(kEdgeOperands), operand) == std::end(kEdgeOperands)) {
    return {std::begin(kEdgeRows), std::end(kEdgeRows)};
  }
  std::vector<int> rows;
  for (int row = -50; row <= 250; ++row) rows.push_back(row);
  return rows;
}

TEST(ObjectDrawers, NoDrawerWritesOutsideTheScreenAreaWhateverItsOperand) {
  DrawerScene scene;
  std::uint32_t seed = 12345;
  for (std::uint32_t a = kRamStart; a <= kRamEnd; ++a) {
    seed = seed * 1103515245u + 12345u;
    scene.image.Write(a, static_cast<std::uint8_t>(seed >> 16));
  }
  // Tunnels around the record, so the look-back and look-ahead rules run.
  scene.Poke(DrawerScene::kRecord - 8, 0x96);
  scene.Poke(DrawerScene::kRecord - 7, 12);
  scene.Poke(DrawerScene::kRecord + 4, 0x96);
  const std::vector<std::uint8_t> header(scene.image.Bytes().begin(), scene.image.Bytes().begin() + kSnaHeaderSize);
  std::vector<std::uint8_t> before(scene.image.Bytes().begin(), scene.image.Bytes().end());
  auto outsideScreenEqual = [&] {
    for (std::uint32_t a = kRamStart; a <= kRamEnd; ++a) {
      if (a >= kScreenAreaStart && a < kScreenAreaStart + kScreenAreaSize) continue;
      if (scene.image.Read(a) != before[ImageOffsetOf(a)]) {
        ADD_FAILURE() << "byte at " << a << " changed";
        return false;
      }
    }
    return std::equal(header.begin(), header.end(), scene.image.Bytes().begin());
  };
  auto draw = [&](int code, std::uint32_t address, int operand, int row) {
    before[ImageOffsetOf(address)] = static_cast<std::uint8_t>(code);
    if (address + 1 <= kRamEnd) before[ImageOffsetOf(address + 1)] = static_cast<std::uint8_t>(operand);
    scene.state.walk.previewMode = (row & 1) != 0;
    scene.state.walk.largeHut = code == 0x94 && (operand & 2) != 0;
    scene.state.walk.crossingColumn = (operand * 7 + row) & 0xFF;
    scene.Draw(static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(operand), row, address);
    return scene.state.walk.streamCursor == static_cast<std::int32_t>(address + 2) &&
           scene.state.walk.currentRow == row && !scene.state.walk.largeHut;
  };
  for (int code = 0; code < 256; ++code) {
    if (FindObjectDrawer(static_cast<std::uint8_t>(code)) == nullptr) continue;
    for (int operand = 0; operand < 256; ++operand) {
      for (int row : RowsFor(operand))
        ASSERT_TRUE(draw(code, DrawerScene::kRecord, operand, row)) << code << " " << operand << " " << row;
    }
    // Records at both ends of the memory: look-backs and operands beyond it read as 0.
    for (std::uint32_t address : {0x4000u, 0xFFFEu, 0xFFFFu}) {
      for (int operand = 0; operand < 256; operand += 7) {
        for (int row : {-50, 0, 100, 191, 250})
          ASSERT_TRUE(draw(code, address, operand, row)) << code << " at " << address;
      }
    }
    ASSERT_TRUE(outsideScreenEqual()) << "code " << code;
  }
  EXPECT_EQ(scene.image.Size(), kSnapshotSize48K);
}

TEST(ObjectDrawers, DrawersOnATruncatedImageStayInsideIt) {
  // An image that ends inside the display file: the drawers find no sprite
  // bytes and most screen bytes are missing; nothing is written past its end.
  DrawerScene scene;
  scene.image = SnapshotImage(std::vector<std::uint8_t>(3000, 0x77));
  for (int code = 0; code < 256; ++code) {
    if (FindObjectDrawer(static_cast<std::uint8_t>(code)) == nullptr) continue;
    for (int operand = 0; operand < 256; operand += 5)
      scene.Draw(static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(operand), 120, 0x4100);
  }
  EXPECT_EQ(scene.image.Size(), 3000u);
  for (std::size_t i = 0; i < kSnaHeaderSize; ++i) EXPECT_EQ(scene.image.ReadOffset(i), 0x77);
}

}  // namespace
}  // namespace kestrova
