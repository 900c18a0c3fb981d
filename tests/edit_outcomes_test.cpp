// Every editing handler says why it changed nothing, and then changes
// nothing: not the image, not the bytes free, not the history.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/edit_fixture.h"
#include "support/editor_state_access.h"

namespace kestrova {
namespace {

using testing::EditFixture;
using testing::Stream;
using Bytes = std::vector<std::uint8_t>;

const Bytes kFortress = {0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x16, 0x22, 0x01};
const Bytes kOneLevel = {0x83, 0x05, 0x00, 0x0A, 0x22, 0x01, 0xFF};
// Level 1 closes with a tunnel's last 4 pairs only; level 2 holds a log
// crossing record without the rest of its group.
const Bytes kBrokenGroups =
    Stream({{0x09, 0x0B, 0x83, 0x05, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x0C, 0x08, 0x1F, 0x22, 0x01},
            {0x98, 0x08, 0x00, 0x02, 0x22, 0x01, 0xFF}});

constexpr int kX = 100;  // a map pixel of column 6, row 100
constexpr int kY = 200;

// Right-presses a cell holding `tile` of record `owner` and runs the popup
// item with this caption.
Outcome RunItem(EditFixture& f, std::uint32_t tile, std::uint32_t owner, const std::string& caption) {
  f.PressOn(MouseButton::Right, tile, owner, owner);
  for (const MenuItem& item : f.editor.Popup()) {
    if (item.caption == caption) return f.editor.RunMenuCommand(item);
  }
  ADD_FAILURE() << "no item " << caption;
  return Outcome::Done();
}

// A palette pick of `tag` dropped on a cell holding `tile` of `owner`.
Outcome DropOn(EditFixture& f, int tag, std::uint32_t tile, std::uint32_t owner = 0x9238) {
  f.PutTile(kX, kY, tile, owner);
  return f.editor.DropObject(tag, kX, kY);
}

// The game's bytes: everything above the screen, where the map is drawn.
Bytes GameBytes(const Editor& editor) {
  Bytes bytes;
  for (std::uint32_t a = 0x5B00; a <= 0xFFFF; ++a) bytes.push_back(editor.Image().Read(a));
  return bytes;
}

struct Refusal {
  const char* name;
  Bytes stream;
  std::function<Outcome(EditFixture&)> act;
  std::string reason;
};

TEST(EditOutcomes, EachRefusalSaysWhyAndChangesNothing) {
  const Refusal cases[] = {
      {"drop without room", kOneLevel,
       [](EditFixture& f) {
         testing::WritableState(f.editor).place.bytesFree = 6;
         return DropOn(f, 40, 131);
       },
       "Tunnel without Motorbike needs 14 bytes; 6 are free"},
      {"drop of a pair with one byte free", kOneLevel,
       [](EditFixture& f) {
         testing::WritableState(f.editor).place.bytesFree = 1;
         return DropOn(f, 1, 131);
       },
       "Tree needs 2 bytes; 1 is free"},
      {"drop beside no record", kOneLevel, [](EditFixture& f) { return DropOn(f, 1, 0, 0); },
       "there is no record under the pointer"},
      {"fortress with the level table full", kOneLevel,
       [](EditFixture& f) {
         f.editor.Levels()[kLevelTableSize - 1] = 0x9300;
         return DropOn(f, 48, 131);
       },
       "a fortress adds a level, and the level table is full"},
      {"pair dropped on a tunnel", kOneLevel, [](EditFixture& f) { return DropOn(f, 1, 115); },
       "Tree cannot go on a fortress, tunnel or log crossing"},
      {"drop outside the map", kOneLevel, [](EditFixture& f) { return f.editor.DropObject(1, 512, 0); },
       "the drop is outside the map"},
      {"insert of no object", kOneLevel,
       [](EditFixture& f) {
         testing::WritableState(f.editor).pointer.recordUnderPointer = 0x9236;
         return f.editor.InsertObject(50);
       },
       "no object is inserted by number 50"},
      {"insert at no record", kOneLevel,
       [](EditFixture& f) {
         testing::WritableState(f.editor).pointer.recordUnderPointer = 0;
         return f.editor.InsertObject(1);
       },
       "there is no record of this level under the pointer"},
      {"delete of another level's record", kBrokenGroups,
       [](EditFixture& f) {
         f.editor.ChooseLevel(1);
         testing::WritableState(f.editor).pointer.recordUnderPointer = 0x9238;
         return f.editor.DeletePlain();
       },
       "nothing to delete here"},
      {"delete that would empty level 1",
       {0x83, 0x05, 0x22, 0x01, 0xFF},
       [](EditFixture& f) { return RunItem(f, 131, 0x9236, "Delete Tree"); },
       "level 1 must keep a record in front of its end"},
      {"tunnel cut short by a wipe", kBrokenGroups,
       [](EditFixture& f) { return RunItem(f, 115, 0x923A, "Delete Tunnel"); }, "the tunnel here is not whole"},
      {"crossing record alone", kBrokenGroups,
       [](EditFixture& f) {
         f.editor.ChooseLevel(1);
         return RunItem(f, 152, 0x9244, "Delete River Crossing");
       },
       "the log crossing here is not whole"},
      {"fortress closing the last level", Stream({{0x83, 0x05}, kFortress, {0xFF}}),
       [](EditFixture& f) {
         testing::WritableState(f.editor).pointer.recordUnderPointer = 0x923C;
         return f.editor.DeleteFortress();
       },
       "the fortress closes the last level and cannot go"},
      {"disabled popup item", Stream({{0x83, 0x05}, kFortress, {0xFF}}),
       [](EditFixture& f) { return RunItem(f, 33, 0x923C, "Delete Fortress"); },
       "\"Delete Fortress\" cannot be used here"},
      {"change with no record", kOneLevel,
       [](EditFixture& f) {
         testing::WritableState(f.editor).pointer.recordUnderPointer = 0;
         return f.editor.ChangeValue();
       },
       "there is no record under the pointer"},
      {"colour of no number", kOneLevel,
       [](EditFixture& f) {
         testing::WritableState(f.editor).pointer.attributeAddress = 0x900D;
         return f.editor.SetAttribute(18);
       },
       "no colour has the number 18"},
      {"wipe after the last level", kOneLevel,
       [](EditFixture& f) {
         f.editor.ClickWipeAllAfter();
         return f.editor.WipeLevels();
       },
       "level 1 is the last: nothing comes after it"},
      {"wipe of a level of one pair",
       {0x83, 0x05, 0x22, 0x01, 0xFF},
       [](EditFixture& f) {
         f.editor.ClickWipeCurrentLevel();
         return f.editor.WipeLevels();
       },
       "the level holds fewer than 4 pairs"},
  };
  for (const Refusal& c : cases) {
    EditFixture f;
    f.LoadStream(c.stream);
    const Bytes game = GameBytes(f.editor);
    const std::int32_t bytesFree = f.editor.Place().bytesFree;
    const unsigned refusals = f.editor.View().lastRefusal.count;
    const Outcome outcome = c.act(f);
    ASSERT_FALSE(outcome.Ok()) << c.name;
    EXPECT_EQ(outcome.ErrorMessage(), c.reason) << c.name;
    EXPECT_EQ(f.editor.View().lastRefusal.reason, c.reason) << c.name;
    EXPECT_EQ(f.editor.View().lastRefusal.count, refusals + 1) << c.name;
    EXPECT_EQ(GameBytes(f.editor), game) << c.name;
    EXPECT_FALSE(f.editor.CanUndo()) << c.name;
    if (c.reason.find(" free") == std::string::npos) {
      EXPECT_EQ(f.editor.Place().bytesFree, bytesFree) << c.name;
    }
  }
}

TEST(EditOutcomes, WhatIsDoneLeavesNoRefusal) {
  EditFixture f;
  f.LoadStream(kOneLevel);
  EXPECT_TRUE(DropOn(f, 1, 131).Ok());
  EXPECT_TRUE(RunItem(f, 131, 0x9236, "Delete Tree").Ok());
  EXPECT_EQ(f.editor.View().lastRefusal.count, 0u);
  EXPECT_TRUE(f.editor.CanUndo());
}

}  // namespace
}  // namespace kestrova
