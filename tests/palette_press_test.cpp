// The object palette through the Editor: presses on every slot, the
// options read at the press, the drop target following the pointer, and
// the drop with its refusals.
#include <gtest/gtest.h>

#include "demo/demo_game.h"
#include "edit/palette_tables.h"
#include "support/edit_fixture.h"
#include "support/editor_state_access.h"

namespace kestrova {
namespace {

using testing::EditFixture;
using testing::Stream;
using Bytes = std::vector<std::uint8_t>;

// Window client coordinates of map pixel (x, y): the map view is at (0, 96).
constexpr int WindowX(int mapX) { return mapX; }
constexpr int WindowY(int mapY) { return mapY + 96; }
// A strip position inside slot s.
constexpr int SlotX(int slot) { return 32 * slot + 9; }

// Level 1: the spawn point, a band of 32 rows (0x9238) holding a tree at
// column 7 (0x923A, drawn at the band's top), a band of 52 rows (0x923C),
// a tunnel group (0x923E..0x924B) and a band above it; level 2 after it.
const Bytes kLevels = Stream({{0x22, 0x00, 0x00, 0x0F, 0x83, 0x07, 0x00, 0x19},
                              {0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x0C, 0x08, 0x1F},
                              {0x00, 0x30, 0x22, 0x01},
                              {0x00, 0x05, 0x22, 0x01, 0xFF}});

class PalettePress : public ::testing::Test {
 protected:
  // The demo game with our own levels, so that the drawers have graphics.
  void Load(const Bytes& stream) {
    SnapshotImage image = MakeDemoSnapshot(DemoMachine::Spectrum48K);
    for (std::uint32_t a = kLevelAreaStart; a <= kLevelAreaLast; ++a) image.Write(a, testing::kFreeFiller);
    for (std::size_t i = 0; i < stream.size(); ++i)
      image.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), stream[i]);
    f.LoadImage(std::move(image));
  }
  void SetUp() override { Load(kLevels); }

  Bytes LevelArea() const { return f.Bytes(kLevelAreaStart, kLevelAreaLength); }
  // A map pixel whose cell holds `tile`, searched bottom-up.
  std::pair<int, int> PixelOfTile(std::uint32_t tile) const {
    for (int y = 382; y >= 0; y -= 2) {
      for (int x = 0; x < 512; x += 16) {
        const std::uint32_t cell =
            f.editor.Tables().rowStart[static_cast<std::size_t>(y / 2)] + static_cast<std::uint32_t>(x / 16);
        if (f.editor.Grid().tileId[cell] == tile) return {x + 4, y};
      }
    }
    ADD_FAILURE() << "no tile " << tile;
    return {0, 0};
  }

  EditFixture f;
};

TEST_F(PalettePress, EverySlotsTagAtProgramStart) {
  const int expected[32] = {0,  1,  2,  6,  7,  8,  13, 12, 3,  4,  5,  9,  10, 11, 20, 21,
                            22, 25, 24, 26, 14, 30, 37, 35, 23, 41, 41, 38, 33, 47, 48, 48};
  const std::vector<Pixel> map = f.editor.MapView().Pixels();
  const Bytes before = LevelArea();
  for (int slot = 0; slot < 32; ++slot) {
    for (int x : {32 * slot, 32 * slot + 31}) {
      f.editor.PressPalette(MouseButton::Left, x, 300, 60);
      ASSERT_EQ(f.editor.PaletteTag(), expected[slot]) << "slot " << slot;
      const DragPictureRow* row = DragPictureOfTag(expected[slot]);
      EXPECT_EQ(f.editor.DragBitmap().Width(), row->width) << slot;
      EXPECT_EQ(f.editor.DragBitmap().Height(), row->height) << slot;
      EXPECT_TRUE(f.editor.View().visible.dragPicture);
      EXPECT_EQ(f.editor.DragPictureLeft(), 300);
      EXPECT_EQ(f.editor.DragPictureTop(), 60);
      EXPECT_EQ(f.editor.Pointer().paletteDragFlag, 1);
      // The map view never shows a preview: the press ends with the map drawn again.
      EXPECT_EQ(f.editor.MapView().Pixels(), map) << slot;
      EXPECT_EQ(f.editor.MapBitmap().Height(), 192);
      f.editor.ReleasePalette();
    }
  }
  EXPECT_EQ(LevelArea(), before);
}

TEST_F(PalettePress, TheOptionsAtThePressDecideThatPressOnly) {
  f.editor.PressPalette(MouseButton::Left, SlotX(19), 10, 40);
  EXPECT_EQ(f.editor.PaletteTag(), 26);
  EXPECT_EQ(f.editor.DragBitmap().Width(), 96);
  f.editor.ClickOption(OptionId::HutLarge);  // "Large Hut", while the pick is held
  EXPECT_EQ(f.editor.PaletteTag(), 26);
  f.editor.ReleasePalette();
  f.editor.PressPalette(MouseButton::Left, SlotX(19), 10, 40);
  EXPECT_EQ(f.editor.PaletteTag(), 27);
  EXPECT_EQ(f.editor.DragBitmap().Width(), 128);
  EXPECT_EQ(f.editor.DragBitmap().Height(), 80);
  f.editor.ReleasePalette();

  f.editor.ClickOption(OptionId::CliffEdgeChosen);  // "Cliff Edge"
  f.editor.ClickOption(OptionId::CliffEdgeDouble);  // "Double", without soldiers
  f.editor.PressPalette(MouseButton::Left, SlotX(20), 10, 40);
  EXPECT_EQ(f.editor.PaletteTag(), 16);
  EXPECT_EQ(f.editor.DragBitmap().Height(), 144);
  f.editor.ReleasePalette();
  f.editor.ClickOption(OptionId::CaveTop);  // cave "Top", then "Main": no space
  f.editor.ClickOption(OptionId::CaveMain);
  f.editor.PressPalette(MouseButton::Left, SlotX(21), 10, 40);
  EXPECT_EQ(f.editor.PaletteTag(), 31);
  f.editor.ReleasePalette();
  f.editor.ClickOption(OptionId::RoadTopEdging);  // "Top Edging"
  f.editor.PressPalette(MouseButton::Left, SlotX(29), 10, 40);
  EXPECT_EQ(f.editor.PaletteTag(), 44);
  EXPECT_EQ(f.editor.DragBitmap().Width(), 256);
  f.editor.ReleasePalette();
}

TEST_F(PalettePress, APressAndReleaseThatNeverCrossedTheMapInsertsNothing) {
  const Bytes before = LevelArea();
  const int free = f.editor.Place().bytesFree;
  f.editor.PressPalette(MouseButton::Left, SlotX(1), 40, 50);
  EXPECT_EQ(f.editor.Pointer().recordUnderPointer, 0u);
  f.editor.MovePointerOverWindow(40, 60);    // over the strip, not the map
  f.editor.MovePointerOverWindow(600, 200);  // right of the map
  f.editor.ReleasePalette();
  EXPECT_EQ(LevelArea(), before);
  EXPECT_EQ(f.editor.Place().bytesFree, free);
  EXPECT_FALSE(f.editor.View().visible.dragPicture);
  EXPECT_EQ(f.editor.Pointer().paletteDragFlag, 0);
  // The next press starts without a target again, after one that had one.
  f.editor.PressPalette(MouseButton::Left, SlotX(1), 40, 50);
  f.editor.MovePointerOverWindow(WindowX(100), WindowY(370));
  EXPECT_NE(f.editor.Pointer().recordUnderPointer, 0u);
  f.editor.ReleasePalette();
  f.editor.PressPalette(MouseButton::Left, SlotX(1), 40, 50);
  EXPECT_EQ(f.editor.Pointer().recordUnderPointer, 0u);
}

TEST_F(PalettePress, ATreeDroppedOnBareGroundGoesInFrontOfItsBand) {
  const int free = f.editor.Place().bytesFree;
  f.editor.PressPalette(MouseButton::Left, SlotX(1), 40, 50);
  // Row 185, column 0: bare ground of the band at 0x9238.
  f.editor.MovePointerOverWindow(WindowX(3), WindowY(370));
  EXPECT_EQ(f.editor.Pointer().recordUnderPointer, 0x9238u);
  EXPECT_EQ(f.editor.Pointer().pointerColumn, 0);
  EXPECT_EQ(f.editor.Pointer().pointerRow, 185);
  EXPECT_EQ(f.editor.DragPictureLeft(), 3);
  EXPECT_EQ(f.editor.DragPictureTop(), WindowY(370));
  f.editor.ReleasePalette();
  // Column 0 is clamped to the tree's 1..30.
  EXPECT_EQ(f.Bytes(0x9236, 8), (Bytes{0x22, 0x00, 0x83, 0x01, 0x00, 0x0F, 0x83, 0x07}));
  EXPECT_EQ(f.editor.Place().bytesFree, free - 2);
  EXPECT_FALSE(f.editor.View().visible.dragPicture);
}

TEST_F(PalettePress, DroppedOnATreeItGoesInFrontOfTheTree) {
  const auto [x, y] = PixelOfTile(132);
  f.editor.PressPalette(MouseButton::Left, SlotX(2), 40, 50);  // a boulder
  f.editor.MovePointerOverWindow(WindowX(x), WindowY(y));
  EXPECT_EQ(f.editor.Pointer().recordUnderPointer, 0x923Au);
  f.editor.ReleasePalette();
  EXPECT_EQ(f.Bytes(0x923A, 4), (Bytes{0x87, 0x07, 0x83, 0x07}));
}

TEST_F(PalettePress, TwoByteDropsRefusedOnTunnelCells) {
  for (std::uint32_t tile : {150u, 114u, 115u}) {
    const auto [x, y] = PixelOfTile(tile);
    const Bytes before = LevelArea();
    f.editor.PressPalette(MouseButton::Left, SlotX(1), 40, 50);
    f.editor.MovePointerOverWindow(WindowX(x), WindowY(y));
    EXPECT_NE(f.editor.Pointer().recordUnderPointer, 0u) << tile;
    f.editor.ReleasePalette();
    EXPECT_EQ(LevelArea(), before) << tile;
    EXPECT_FALSE(f.editor.View().visible.dragPicture);
  }
  // Groups are not refused there: a crossing goes in front of the tunnel record.
  const auto [x, y] = PixelOfTile(150);
  f.editor.PressPalette(MouseButton::Left, SlotX(28), 40, 50);
  f.editor.MovePointerOverWindow(WindowX(x), WindowY(y));
  f.editor.ReleasePalette();
  EXPECT_EQ(f.Bytes(0x9242, 4), (Bytes{0x98, 0x08, 0x00, 0x02}));
}

TEST_F(PalettePress, DropsNeedRoomForTheirRecords) {
  struct Case {
    int slot;
    std::int32_t tooFew;  // bytes free that refuse the drop; one more inserts
  };
  for (const Case& c : {Case{1, 1}, Case{21, 3}, Case{25, 17}, Case{28, 13}, Case{29, 33}, Case{30, 9}}) {
    SetUp();
    for (std::int32_t free : {c.tooFew, c.tooFew + 1}) {
      testing::WritableState(f.editor).place.bytesFree = free;
      const Bytes before = LevelArea();
      f.editor.PressPalette(MouseButton::Left, SlotX(c.slot), 40, 50);
      f.editor.MovePointerOverWindow(WindowX(3), WindowY(370));
      f.editor.ReleasePalette();
      EXPECT_EQ(LevelArea() != before, free > c.tooFew) << "slot " << c.slot << ", " << free << " bytes free";
    }
  }
}

TEST_F(PalettePress, NoFortressWhileTheLastLevelEntryIsInUse) {
  f.editor.Levels()[kLevelTableSize - 1] = 0x9300;  // as if 256 levels were there
  const Bytes before = LevelArea();
  f.editor.PressPalette(MouseButton::Left, SlotX(30), 40, 50);
  f.editor.MovePointerOverWindow(WindowX(3), WindowY(370));
  f.editor.ReleasePalette();
  EXPECT_EQ(LevelArea(), before);
  f.editor.Levels()[kLevelTableSize - 1] = 0;
  f.editor.PressPalette(MouseButton::Left, SlotX(31), 40, 50);
  f.editor.MovePointerOverWindow(WindowX(3), WindowY(370));
  f.editor.ReleasePalette();
  EXPECT_EQ(f.Bytes(0x9238, 10), (Bytes{0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x16, 0x22, 0x01}));
}

TEST_F(PalettePress, TheDragPictureFollowsOnlyOverTheMapColumns) {
  f.editor.PressPalette(MouseButton::Left, SlotX(3), 40, 50);
  f.editor.MovePointerOverWindow(WindowX(100), WindowY(300));
  const std::uint32_t target = f.editor.Pointer().recordUnderPointer;
  EXPECT_EQ(f.editor.DragPictureLeft(), 100);
  // Over the strip's box (below its top): the picture follows, the target stays.
  f.editor.MovePointerOverWindow(200, 60);
  EXPECT_EQ(f.editor.DragPictureTop(), 60);
  EXPECT_EQ(f.editor.Pointer().recordUnderPointer, target);
  // Above the box, right of the map, below it: nothing follows.
  for (auto [x, y] : {std::pair{150, 34}, {512, 200}, {700, 300}, {100, 96 + 384}, {-1, 200}}) {
    f.editor.MovePointerOverWindow(x, y);
    EXPECT_EQ(f.editor.DragPictureLeft(), 200);
    EXPECT_EQ(f.editor.DragPictureTop(), 60);
    EXPECT_EQ(f.editor.Pointer().recordUnderPointer, target);
  }
  // Without a palette drag the pointer is not followed at all.
  f.editor.ReleasePalette();
  f.editor.MovePointerOverWindow(WindowX(3), WindowY(370));
  EXPECT_EQ(f.editor.DragPictureLeft(), 200);
}

TEST_F(PalettePress, TheRightButtonShowsPropertiesAndStartsNoDrag) {
  EXPECT_FALSE(f.editor.PropertiesDialog().visible);
  EXPECT_FALSE(f.editor.PropertiesDialog().pageControlVisible);
  EXPECT_EQ(f.editor.PropertiesDialog().currentTab, PropertiesTab::Wipe);
  f.editor.PressPalette(MouseButton::Right, SlotX(4), 40, 50);
  EXPECT_TRUE(f.editor.PropertiesDialog().visible);
  EXPECT_TRUE(f.editor.PropertiesDialog().pageControlVisible);
  EXPECT_EQ(f.editor.Pointer().paletteDragFlag, 0);
  EXPECT_FALSE(f.editor.View().visible.dragPicture);
  EXPECT_FALSE(f.editor.PaletteTag());
  f.editor.ChooseTab(PropertiesTab::Road);
  f.editor.CloseProperties();
  EXPECT_FALSE(f.editor.PropertiesDialog().visible);
  f.editor.PressPalette(MouseButton::Right, SlotX(4), 40, 50);
  EXPECT_TRUE(f.editor.PropertiesDialog().visible);
  EXPECT_EQ(f.editor.PropertiesDialog().currentTab, PropertiesTab::Road);
  // The middle button does nothing.
  f.editor.PressPalette(MouseButton::Middle, SlotX(4), 40, 50);
  EXPECT_EQ(f.editor.Pointer().paletteDragFlag, 0);
}

TEST_F(PalettePress, TheWipeRadiosSetTheWipeButton) {
  f.editor.ChooseLevel(1);  // the last level
  f.editor.ClickOption(OptionId::WipeAllAfterCurrentLevel);
  EXPECT_TRUE(f.editor.Options().wipe.allAfterCurrentLevel.checked);
  EXPECT_FALSE(f.editor.View().wipeButtonEnabled);
  f.editor.ClickOption(OptionId::WipeCurrentLevel);
  EXPECT_TRUE(f.editor.View().wipeButtonEnabled);
  f.editor.ChooseLevel(0);
  f.editor.ClickOption(OptionId::WipeAllAfterCurrentLevel);
  EXPECT_TRUE(f.editor.View().wipeButtonEnabled);
}

}  // namespace
}  // namespace kestrova
