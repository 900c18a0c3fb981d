// Pointing at a record by its address, and a palette pick dropped at a map
// pixel: what the command line does in place of the mouse.
#include <gtest/gtest.h>

#include "edit/palette_drop.h"
#include "edit/palette_tables.h"
#include "support/random_edits.h"

namespace kestrova::testing {
namespace {

class EditorPoint : public ::testing::Test {
 protected:
  void SetUp() override {
    f.files.files[EditFixture::kPath] = ReadFile(kDemo);
    f.ui.fileAnswers.push_back(EditFixture::kPath);
    f.editor.LoadSnapshot();
    ASSERT_TRUE(f.editor.HasSnapshot());
  }
  std::uint32_t CellIndexOf(MapPixel pixel) const {
    return f.editor.Tables().rowStart[static_cast<std::size_t>(pixel.y / 2)] + static_cast<std::uint32_t>(pixel.x / 16);
  }
  EditFixture f;
};

TEST_F(EditorPoint, EveryRecordThatDrawsIsFoundOnTheMapOfItsLevel) {
  const LevelTable table = f.editor.Levels();
  int found = 0, notDrawn = 0;
  for (int level = 0; level < LevelCount(table); ++level) {
    const std::uint32_t start = table[static_cast<std::size_t>(level)];
    const std::uint32_t end = *LevelEndByBoundsRule(f.editor.Image(), table, level);
    for (std::uint32_t p = start; p <= end; p += 2) {
      const std::optional<MapPixel> pixel = f.editor.ShowRecord(p);
      EXPECT_EQ(f.editor.Place().currentLevelIndex, level) << std::hex << p;
      if (!pixel) {
        ++notDrawn;
        continue;
      }
      ++found;
      const std::uint32_t cell = CellIndexOf(*pixel);
      EXPECT_EQ(f.editor.Grid().ownerPos[cell], p) << std::hex << p;
      // The press there names the same record.
      f.editor.PressMap(MouseButton::Left, pixel->x, pixel->y);
      EXPECT_EQ(f.editor.Pointer().recordUnderPointer, p) << std::hex << p;
      f.editor.ReleaseMap(MouseButton::Left);
    }
  }
  EXPECT_GT(found, 400);
  EXPECT_GT(notDrawn, 0);  // walls, water, the levels' end records
}

TEST_F(EditorPoint, AColumnIsKeptWhereTheRecordDrewOneAndRefusedElsewhere) {
  // $9240 is level 1's first land space: its band covers every column; the
  // tree at $9238 in column 14 covers its own columns only.
  for (int column : {0, 17, 31}) {
    const std::optional<MapPixel> band = f.editor.ShowRecord(0x9240, column);
    ASSERT_TRUE(band) << column;
    EXPECT_EQ(band->x / 16, column);
  }
  EXPECT_TRUE(f.editor.ShowRecord(0x9238, 14));
  EXPECT_FALSE(f.editor.ShowRecord(0x9238, 30));
}

TEST_F(EditorPoint, NoLevelHoldsAddressesOutsideTheLevels) {
  for (std::uint32_t address : {0x4000u, 0x9235u, 0x98CEu, 0xFFFFu})
    EXPECT_FALSE(f.editor.ShowRecord(address)) << address;
}

TEST_F(EditorPoint, ADropIsThePalettesDropAtThatPixel) {
  // The same tree, picked from the strip and carried to the pixel by the
  // pointer, or dropped there at once.
  EditFixture other;
  other.files.files[EditFixture::kPath] = ReadFile(kDemo);
  other.ui.fileAnswers.push_back(EditFixture::kPath);
  other.editor.LoadSnapshot();
  int treeSlot = -1;
  for (int slot = 0; slot < kPaletteSlots && treeSlot < 0; ++slot) {
    if (TagOfSlot(slot, other.editor.Options()) == 1) treeSlot = slot;
  }
  ASSERT_GE(treeSlot, 0);

  const std::optional<MapPixel> pixel = f.editor.ShowRecord(0x9240, 20);
  ASSERT_TRUE(pixel);
  f.editor.DropObject(1, pixel->x, pixel->y);
  ASSERT_TRUE(other.editor.ShowRecord(0x9240, 20));
  other.editor.PressPalette(MouseButton::Left, treeSlot * kPaletteSlotWidth, 10, 40);
  other.editor.MovePointerOverWindow(pixel->x, pixel->y + 96);
  other.editor.ReleasePalette();
  EXPECT_EQ(f.editor.Place().bytesFree, 282);
  EXPECT_EQ(f.editor.Image().Read(0x9240), 0x83);
  EXPECT_EQ(f.editor.Image().Read(0x9241), 20);
  EXPECT_TRUE(std::equal(f.editor.Image().Bytes().begin(), f.editor.Image().Bytes().end(),
                         other.editor.Image().Bytes().begin()));
}

}  // namespace
}  // namespace kestrova::testing

namespace kestrova::testing {
namespace {

TEST_F(EditorPoint, TheDropMarkerShowsTheRowAndColumnTheObjectLandsOn) {
  int treeSlot = -1;
  for (int slot = 0; slot < kPaletteSlots && treeSlot < 0; ++slot) {
    if (TagOfSlot(slot, f.editor.Options()) == 1) treeSlot = slot;
  }
  ASSERT_GE(treeSlot, 0);
  EXPECT_FALSE(f.editor.DropLanding());  // nothing carried
  int landed = 0;
  for (const MapPixel at : {MapPixel{100, 300}, MapPixel{40, 120}, MapPixel{300, 200}, MapPixel{460, 370},
                            MapPixel{200, 40}, MapPixel{20, 250}}) {
    f.editor.PressPalette(MouseButton::Left, treeSlot * kPaletteSlotWidth, 10, 40);
    EXPECT_FALSE(f.editor.DropLanding());  // not over the map yet
    f.editor.MovePointerOverWindow(at.x, at.y + kMapViewTop);
    const std::optional<MapCell> landing = f.editor.DropLanding();
    const std::uint32_t record = f.editor.Pointer().recordUnderPointer;
    f.editor.ReleasePalette();
    EXPECT_FALSE(f.editor.DropLanding());  // released
    if (!landing) continue;
    EXPECT_EQ(landing->column, at.x / 16);
    // The tree now stands where the record under the pointer stood, in that
    // column, with its lowest cell on the marker's row.
    ASSERT_EQ(f.editor.Image().Read(record), 0x83);
    int lowest = -1;
    bool inColumn = false;
    for (int r = 0; r < kWindowRows; ++r) {
      for (int c = 0; c < kScreenColumns; ++c) {
        if (f.editor.Grid().ownerPos[f.editor.Tables().rowStart[static_cast<std::size_t>(r)] +
                                     static_cast<std::uint32_t>(c)] != record)
          continue;
        lowest = r;
        inColumn = inColumn || c == landing->column;
      }
    }
    // A later record may draw over the tree's lowest cells, never one below them.
    EXPECT_LE(lowest, landing->row) << at.x << "," << at.y;
    EXPECT_TRUE(inColumn) << at.x << "," << at.y;
    if (lowest == landing->row) ++landed;
  }
  EXPECT_GE(landed, 4);
}

}  // namespace
}  // namespace kestrova::testing
