#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "edit/insertion.h"
#include "level/game_settings.h"
#include "support/edit_fixture.h"
#include "support/editor_state_access.h"

namespace kestrova {
namespace {

using testing::EditFixture;
using testing::kFreeFiller;
using testing::Stream;
using Bytes = std::vector<std::uint8_t>;

// One level: a tree in column 5, a Land Space of 22 rows, the end record.
const Bytes kOneLevel = {0x83, 0x05, 0x00, 0x0A, 0x22, 0x01, 0xFF};

class InsertObjectTest : public ::testing::Test {
 protected:
  EditFixture f;
  Editor& editor = f.editor;
  const EditorState& state = editor.State();

  void InsertAt(std::uint32_t record, int column, int tag) {
    f.PointAt(record, column);
    editor.InsertObject(tag);
  }
};

TEST_F(InsertObjectTest, OpensTheGapAtTheRecordAndBooksTheBytes) {
  f.LoadStream(kOneLevel);
  ASSERT_EQ(state.place.bytesFree, 1682);
  const Bytes after = f.Bytes(kLevelAreaLast + 1, 0x30);
  const Bytes below = f.Bytes(0x5B00, 0x9236 - 0x5B00);  // between the screen and the area
  editor.TurnWheel(1, true, 4);                          // 40 rows into the level
  InsertAt(0x9238, 7, 1);                                // a tree in front of the land space
  EXPECT_EQ(f.Bytes(0x9236, 10), (Bytes{0x83, 0x05, 0x83, 0x07, 0x00, 0x0A, 0x22, 0x01, 0xFF, kFreeFiller}));
  EXPECT_EQ(state.place.bytesFree, 1680);
  EXPECT_EQ(state.place.levelEnd, 0x923Cu);
  EXPECT_EQ(state.place.scrollOffset, 40);
  EXPECT_EQ(f.Marker(), 0x923Eu);
  EXPECT_EQ(f.Bytes(kLevelAreaLast + 1, 0x30), after);  // nothing past the area is written
  EXPECT_EQ(f.Bytes(0x5B00, 0x9236 - 0x5B00), below);
}

TEST_F(InsertObjectTest, InsertingAtALevelsFirstRecordMovesLaterLevelsUp) {
  // Level 1: tree, end. Level 2 (0x923A): boulder, land space, end.
  f.LoadStream(Stream({{0x83, 0x05, 0x22, 0x01}, {0x87, 0x03, 0x00, 0x04, 0x22, 0x01, 0xFF}}));
  editor.ChooseLevel(1);
  ASSERT_EQ(state.place.levelStart, 0x923Au);
  const int sum = state.place.bytesFree + static_cast<int>(state.place.levelEnd - state.place.levelStart);
  InsertAt(0x923A, 9, 25);  // a bunker first in level 2
  EXPECT_EQ(f.Bytes(0x923A, 4), (Bytes{0x81, 0x09, 0x87, 0x03}));
  EXPECT_EQ(state.place.bytesFree + static_cast<int>(state.place.levelEnd - state.place.levelStart), sum);
  EXPECT_EQ(editor.Levels()[1], 0x923Au);
  EXPECT_EQ(editor.View().chooserIndex, 1);  // the chooser keeps the level
  // A record in level 1 moves level 2's start up.
  editor.ChooseLevel(0);
  InsertAt(0x9236, 9, 2);
  EXPECT_EQ(editor.Levels()[1], 0x923Cu);
  EXPECT_EQ(editor.Levels()[2], 0u);
}

TEST_F(InsertObjectTest, FillsTheAreaToTheLastByte) {
  // A level that leaves exactly 2 bytes free.
  Bytes stream(0x98CA - 0x9236, 0x00);
  for (std::size_t i = 1; i < stream.size(); i += 2) stream[i] = 1;
  stream.insert(stream.end(), {0x22, 0x01, 0xFF});
  f.LoadStream(stream);
  ASSERT_EQ(state.place.bytesFree, 2);
  InsertAt(0x9236, 4, 1);
  EXPECT_EQ(state.place.bytesFree, 0);
  EXPECT_EQ(f.Bytes(0x98CC, 3), (Bytes{0x22, 0x01, 0xFF}));
  EXPECT_EQ(f.At(0x98CF), testing::AfterAreaByte(0x98CF));
  EXPECT_EQ(f.Marker(), 0x98CEu);
}

TEST_F(InsertObjectTest, RefusesWhatTheCallersWouldNotOffer) {
  f.LoadStream(kOneLevel);
  const Bytes before = f.Bytes(0x9236, 0x699);
  InsertAt(0, 5, 1);  // no record under the pointer
  testing::WritableState(editor).place.bytesFree = 1;
  InsertAt(0x9236, 5, 1);   // no room
  InsertAt(0x9236, 5, 50);  // no such tag
  EXPECT_EQ(f.Bytes(0x9236, 0x699), before);
}

// Code and operand of every two-byte tag at the pointer columns 0, 15, 31,
// with its operand limits, by hand from the tag table and the steps.
struct TwoByteCase {
  int tag;
  std::uint8_t code;
  int minimum, maximum;
  std::uint8_t at0, at15, at31;
};

TEST_F(InsertObjectTest, EveryTwoByteTag) {
  const TwoByteCase cases[] = {
      {1, 0x83, 1, 30, 0x01, 0x0F, 0x1E},  {2, 0x87, 0, 29, 0x00, 0x0F, 0x1D},  {3, 0x8A, 0, 30, 0x00, 0x0F, 0x1E},
      {4, 0x8B, 0, 29, 0x00, 0x0F, 0x1D},  {5, 0x8C, 0, 30, 0x00, 0x0F, 0x1E},  {6, 0x0F, 0, 30, 0x00, 0x0F, 0x1E},
      {7, 0x10, 0, 29, 0x00, 0x0F, 0x1D},  {8, 0x11, 0, 29, 0x00, 0x0F, 0x1D},  {9, 0x23, 0, 30, 0x00, 0x0F, 0x1E},
      {10, 0x24, 0, 28, 0x00, 0x0F, 0x1C}, {11, 0x25, 0, 30, 0x00, 0x0F, 0x1E}, {12, 0x12, 0, 30, 0x00, 0x0F, 0x1E},
      {13, 0x13, 0, 30, 0x00, 0x0F, 0x1E}, {14, 0x82, 0, 26, 0x00, 0x0F, 0x1A}, {15, 0x82, 0, 26, 0x80, 0x8F, 0x9A},
      {16, 0x26, 0, 31, 0x00, 0x0F, 0x1F}, {17, 0x26, 0, 31, 0x40, 0x4F, 0x5F}, {18, 0x26, 0, 31, 0x80, 0x8F, 0x9F},
      {19, 0x26, 0, 31, 0xC0, 0xCF, 0xDF}, {20, 0x1A, 0, 0, 0, 0, 0},           {21, 0x1B, 0, 0, 0, 0, 0},
      {22, 0x1C, 0, 0, 0, 0, 0},           {23, 0x20, 0, 0, 0, 0, 0},           {24, 0x95, 0, 0, 0, 0, 0},
      {25, 0x81, 0, 26, 0x00, 0x0F, 0x1A}, {26, 0x94, 0, 26, 0x00, 0x0F, 0x1A}, {27, 0x94, 1, 25, 0x81, 0x8F, 0x99},
      {29, 0x1F, 0, 26, 0x00, 0x0F, 0x1A}, {31, 0x1E, 0, 26, 0x00, 0x0F, 0x1A}, {32, 0x1D, 0, 26, 0x00, 0x0F, 0x1A},
      {35, 0x27, 0, 0, 0x01, 0x01, 0x01},  {36, 0x27, 0, 0, 0, 0, 0},           {37, 0x22, 0, 0, 0, 0, 0},
      {39, 0x28, 1, 255, 0, 0, 0},         {42, 0x26, 0, 31, 0x60, 0x6F, 0x7F}, {43, 0x26, 0, 31, 0xE0, 0xEF, 0xFF},
      {44, 0x06, 0, 31, 0x00, 0x00, 0x10}, {45, 0x05, 0, 31, 0x00, 0x00, 0x10}, {46, 0x04, 0, 30, 0x00, 0x0F, 0x1E},
  };
  f.LoadStream(kOneLevel);
  for (const TwoByteCase& c : cases) {
    int column = 0;
    for (std::uint8_t expected : {c.at0, c.at15, c.at31}) {
      const int free = state.place.bytesFree;
      InsertAt(0x9238, column, c.tag);
      EXPECT_EQ(f.At(0x9238), c.code) << "tag " << c.tag;
      EXPECT_EQ(f.At(0x9239), expected) << "tag " << c.tag << " column " << column;
      EXPECT_EQ(state.pointer.operandMin, c.minimum) << "tag " << c.tag;
      EXPECT_EQ(state.pointer.operandMax, c.maximum) << "tag " << c.tag;
      EXPECT_EQ(state.pointer.pointerColumn, expected) << "tag " << c.tag;  // the field holds the operand written
      EXPECT_EQ(state.place.bytesFree, free - 2);
      editor.DeletePlain();  // the record under the pointer is the new one
      column = column == 0 ? 15 : 31;
    }
  }
  EXPECT_EQ(f.Bytes(0x9236, 7), kOneLevel);
  EXPECT_EQ(state.place.bytesFree, 1682);
}

TEST_F(InsertObjectTest, TopEdgingSnapsToTheHalves) {
  f.LoadStream(kOneLevel);
  for (int column = 0; column < 32; ++column) {
    InsertAt(0x9238, column, 44);
    EXPECT_EQ(f.Bytes(0x9238, 2), (Bytes{0x06, static_cast<std::uint8_t>(column < 16 ? 0x00 : 0x10)})) << column;
    editor.DeletePlain();
  }
}

TEST_F(InsertObjectTest, PointerColumnKeepsTheLastOperandUntilThePointerMoves) {
  f.LoadStream(kOneLevel);
  InsertAt(0x9238, 3, 27);  // large hut: 0x83
  ASSERT_EQ(state.pointer.pointerColumn, 0x83);
  f.PressOn(MouseButton::Right, 0, 0x9238, 0x9238);  // the pointer does not move
  editor.InsertObject(1);                            // a tree from 0x83, clamped to 30
  EXPECT_EQ(f.Bytes(0x9238, 4), (Bytes{0x83, 0x1E, 0x94, 0x83}));
}

TEST_F(InsertObjectTest, TheInsertMenuUsesTheColumnLastPointedAt) {
  f.LoadStream(kOneLevel);
  InsertAt(0x9238, 1, 1);  // an earlier insertion left column 1
  const auto insertTreeAt = [&](int x) {
    editor.MovePointerOverMap(x, 200);
    f.PressOn(MouseButton::Right, 0, 0x9238, 0x9238, x, 200);  // bare ground over the land space
    const MenuItem& insert = editor.Popup().front();
    ASSERT_EQ(insert.caption, "Insert");
    const auto tree = std::ranges::find(insert.children, std::string("Tree"), &MenuItem::caption);
    ASSERT_NE(tree, insert.children.end());
    editor.RunMenuCommand(*tree);
  };
  insertTreeAt(100);
  EXPECT_EQ(f.Bytes(0x9238, 2), (Bytes{0x83, 0x06}));
  insertTreeAt(511);
  EXPECT_EQ(f.Bytes(0x9238, 2), (Bytes{0x83, 0x1E}));  // column 31, clamped to 30
  // The insertion left its operand there; a move outside the view (a held
  // button) is no pointing and keeps it.
  editor.MovePointerOverMap(-40, 200);
  EXPECT_EQ(state.pointer.pointerColumn, 30);
}

struct GroupCase {
  int tag;
  int column;
  Bytes bytes;
};

TEST_F(InsertObjectTest, EveryGroupTagByteForByte) {
  const GroupCase cases[] = {
      {28, 5, {0x1F, 0x05, 0x00, 0x03}},
      {28, 30, {0x1F, 0x1A, 0x00, 0x03}},
      {30, 0, {0x1E, 0x00, 0x00, 0x13}},
      {30, 27, {0x1E, 0x1A, 0x00, 0x13}},
      {33, 3, {0x98, 0x08, 0x00, 0x02, 0x0D, 0x10, 0x00, 0x19, 0x19, 0x10, 0x00, 0x05, 0x0E, 0x10}},
      {34, 3, {0x98, 0x10, 0x00, 0x02, 0x0D, 0x08, 0x00, 0x19, 0x19, 0x08, 0x00, 0x05, 0x0E, 0x08}},
      {40, 3, {0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x0C, 0x08, 0x1F}},
      {41,
       3,
       {0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x01, 0x1B, 0x3C, 0x00, 0x0B, 0x08, 0x1F}},
      {47, 3, {0x05, 0x10, 0x00, 0x32, 0x04, 0x1B, 0x00, 0x0C, 0x05, 0x00, 0x00, 0x0C, 0x04, 0x15, 0x00, 0x06, 0x06,
               0x10, 0x00, 0x12, 0x04, 0x0F, 0x00, 0x18, 0x04, 0x09, 0x00, 0x13, 0x06, 0x00, 0x00, 0x05, 0x04, 0x03}},
      {48, 3, {0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x16, 0x22, 0x01}},
      {49, 3, {0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x1E, 0x22, 0x01}},
  };
  for (const GroupCase& c : cases) {
    f.LoadStream(kOneLevel);
    InsertAt(0x9238, c.column, c.tag);
    EXPECT_EQ(f.Bytes(0x9238, c.bytes.size()), c.bytes) << "tag " << c.tag;
    EXPECT_EQ(f.Bytes(0x9238 + static_cast<std::uint32_t>(c.bytes.size()), 5), (Bytes{0x00, 0x0A, 0x22, 0x01, 0xFF}));
    EXPECT_EQ(state.place.bytesFree, 1682 - static_cast<int>(c.bytes.size())) << "tag " << c.tag;
    EXPECT_EQ(InsertionSize(c.tag), static_cast<int>(c.bytes.size()));
  }
}

TEST_F(InsertObjectTest, CaveGroupsLeaveTheClampedColumn) {
  f.LoadStream(kOneLevel);
  testing::WritableState(editor).pointer.operandMin = 7;
  InsertAt(0x9238, 30, 28);
  EXPECT_EQ(state.pointer.pointerColumn, 26);
  EXPECT_EQ(state.pointer.operandMin, 0);
  EXPECT_EQ(state.pointer.operandMax, 26);
  const int column = state.pointer.pointerColumn;
  InsertAt(0x9238, column, 40);  // other groups leave the field alone
  EXPECT_EQ(state.pointer.pointerColumn, 26);
}

TEST_F(InsertObjectTest, FortressInTheLastLevelEndsTheLevelThere) {
  f.LoadStream(kOneLevel);
  f.editor.Image().Write(kFortressByte, 1);
  editor.ScrollTo(editor.View().scrollMaximum - 10);
  InsertAt(0x9238, 0, 48);
  // Level 1: tree, fortress ending in its end record; level 2: land space, end.
  EXPECT_EQ(f.Bytes(0x9236, 15),
            (Bytes{0x83, 0x05, 0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x16, 0x22, 0x01, 0x00, 0x0A, 0x22}));
  EXPECT_EQ(state.place.levelEnd, 0x9240u);
  EXPECT_EQ(editor.Levels()[1], 0x9242u);
  EXPECT_EQ(editor.View().chooserEntries.size(), 2u);
  EXPECT_EQ(editor.View().chooserEntries[1], "Level 2 $9242 (37442)");
  EXPECT_EQ(editor.View().fortressCaption, "Fortress Byte: 1 (levels 2)");
  EXPECT_EQ(state.place.bytesFree, 1672);
  // The level is now 22 land-space rows shorter: still 192 rows, the thumb
  // stays on the same offset.
  EXPECT_EQ(editor.View().scrollMaximum, 192);
  EXPECT_EQ(editor.View().scrollPosition, 182);
  EXPECT_EQ(state.place.scrollOffset, 10);
}

TEST_F(InsertObjectTest, FortressKeepsTheScrollBarInStepWithTheHeight) {
  // Level 1: land space 100 (202 rows), land space 50 (102 rows): 384 rows.
  // A fortress between them leaves level 1 with 202 rows, raised to 384.
  // Level 2 follows with its own end record.
  f.LoadStream(Stream({{0x00, 100, 0x00, 100, 0x00, 100, 0x22, 0x01}, {0x83, 0x04, 0x22, 0x01, 0xFF}}));
  ASSERT_EQ(editor.View().scrollMaximum, 768);  // 606 rows
  editor.ScrollTo(568);                         // 200 rows into the level
  InsertAt(0x9238, 0, 49);
  EXPECT_EQ(state.place.levelEnd, 0x9240u);
  EXPECT_EQ(editor.View().scrollMaximum, 384);
  EXPECT_EQ(editor.View().scrollPosition, 568 - 384);
  EXPECT_EQ(editor.View().scrollMaximum - editor.View().scrollPosition, state.place.scrollOffset);
  EXPECT_EQ(editor.View().chooserEntries.size(), 3u);
  EXPECT_EQ(editor.Levels()[1], 0x9242u);
  EXPECT_EQ(editor.Levels()[2], 0x9248u);
}

TEST_F(InsertObjectTest, LandSpacePromptRepeatsUntilAReplyFits) {
  f.LoadStream(kOneLevel);
  f.ui.inputAnswers = {"0", "256", "1000", "", " 7 "};
  InsertAt(0x9238, 12, 0);
  EXPECT_EQ(f.Bytes(0x9238, 4), (Bytes{0x00, 0x07, 0x00, 0x0A}));
  const auto inputs = f.ui.Inputs();
  ASSERT_EQ(inputs.size(), 5u);
  for (const auto& q : inputs) {
    EXPECT_EQ(q.title, "Land Space");
    EXPECT_EQ(q.text, "Enter Distance  01-255");
    EXPECT_EQ(q.defaultText, "20");
  }
  EXPECT_EQ(state.pointer.pointerColumn, 7);
}

TEST_F(InsertObjectTest, AttackFerocityPromptAndCancel) {
  f.LoadStream(kOneLevel);
  f.ui.inputAnswers = {std::nullopt};  // Cancel: the default "20"
  InsertAt(0x9238, 12, 38);
  EXPECT_EQ(f.Bytes(0x9238, 2), (Bytes{0x28, 20}));
  ASSERT_EQ(f.ui.Inputs().size(), 1u);
  EXPECT_EQ(f.ui.Inputs()[0].title, "Attack Ferocity");
  EXPECT_EQ(f.ui.Inputs()[0].text, "Enter Attack Ferocity  01-255");
  f.ui.inputAnswers = {"-5", "-5x"};
  InsertAt(0x9238, 12, 38);
  EXPECT_EQ(f.Bytes(0x9238, 2), (Bytes{0x28, 5}));
}

TEST(InsertObjectPrompt, TheGapIsOpenAndTheCodeWrittenBeforeThePrompt) {
  testing::PeekingUi ui;
  testing::MemoryFiles files;
  Editor editor(ui, files);
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  for (std::size_t i = 0; i < kOneLevel.size(); ++i) image.Write(0x9236 + static_cast<std::uint32_t>(i), kOneLevel[i]);
  editor.Image() = image;
  testing::WritableState(editor).place.bytesFree = 1682;
  testing::WritableState(editor).place.levelStart = 0x9236;
  testing::WritableState(editor).place.levelEnd = 0x923A;
  editor.RebuildLevels();
  Bytes seen;
  ui.onInput = [&](const std::string&) {
    for (std::uint32_t a = 0x9236; a < 0x9240; ++a) seen.push_back(editor.Image().Read(a));
  };
  ui.inputAnswers = {"9"};
  testing::WritableState(editor).pointer.recordUnderPointer = 0x9238;
  editor.InsertObject(0);
  EXPECT_EQ(seen.size(), 10u);
  EXPECT_EQ(Bytes(seen.begin(), seen.begin() + 3), (Bytes{0x83, 0x05, 0x00}));
  EXPECT_EQ(Bytes(seen.begin() + 4, seen.end()), (Bytes{0x00, 0x0A, 0x22, 0x01, 0xFF, 0x00}));
  EXPECT_EQ(editor.Image().Read(0x9239), 9);
}

}  // namespace
}  // namespace kestrova
