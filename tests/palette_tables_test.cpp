#include "edit/palette_tables.h"

#include <set>

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(PaletteTables, EverySlotHasExactlyOnePicture) {
  for (int slot = 0; slot < kPaletteSlots; ++slot) {
    int covering = 0;
    for (const PalettePicture& picture : kPalettePictures) {
      if (slot >= picture.firstSlot && slot <= picture.lastSlot) ++covering;
    }
    EXPECT_EQ(covering, 1) << slot;
  }
  EXPECT_EQ(PictureOfSlot(25), PictureOfSlot(26));
  EXPECT_EQ(PictureOfSlot(30), PictureOfSlot(31));
  EXPECT_EQ(PictureOfSlot(32), nullptr);
  EXPECT_EQ(PictureOfSlot(-1), nullptr);
}

TEST(PaletteTables, GroupsCoverTheSlotsInOrder) {
  int next = 0;
  for (const PaletteGroup& group : kPaletteGroups) {
    EXPECT_EQ(group.firstSlot, next);
    next = group.lastSlot + 1;
  }
  EXPECT_EQ(next, kPaletteSlots);
}

// Every insertion tag has one drag picture, and it belongs to a slot that
// can issue it: the slot's own tag, or a slot whose tab decides.
TEST(PaletteTables, EveryTagHasOneDragPictureOfItsSlot) {
  std::set<int> tags;
  for (const DragPictureRow& row : kDragPictures) {
    EXPECT_TRUE(tags.insert(row.tag).second) << row.tag;
    const PalettePicture* picture = PictureOfSlot(row.slot);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->firstSlot, row.slot) << row.tag;
    if (!picture->tab) {
      EXPECT_EQ(picture->tag, row.tag);
    }
    EXPECT_EQ(row.width % 2, 0);
    EXPECT_EQ(row.height % 2, 0);
    EXPECT_EQ(DragPictureOfTag(row.tag), &row);
  }
  EXPECT_EQ(tags.size(), 50u);
  EXPECT_EQ(*tags.begin(), 0);
  EXPECT_EQ(*tags.rbegin(), 49);
  for (const PalettePicture& picture : kPalettePictures) {
    EXPECT_EQ(!picture.tab, picture.tag != kNoTag) << picture.firstSlot;
  }
}

}  // namespace
}  // namespace kestrova
