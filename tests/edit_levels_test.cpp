#include <gtest/gtest.h>

#include <vector>

#include "support/edit_fixture.h"

namespace kestrova {
namespace {

using testing::EditFixture;
using testing::Stream;
using Bytes = std::vector<std::uint8_t>;

// Level k of five: a tree in column k, land space 5, boulder, bunker, hut, end.
Bytes FiveLevels() {
  Bytes stream;
  for (std::uint8_t k = 1; k <= 5; ++k) {
    stream.insert(stream.end(), {0x83, k, 0x00, 0x05, 0x87, 0x03, 0x81, 0x04, 0x94, 0x05, 0x22, 0x01});
  }
  stream.push_back(0xFF);
  return stream;
}

class LevelTest : public ::testing::Test {
 protected:
  EditFixture f;
  Editor& editor = f.editor;
  const EditorState& state = editor.State();
  ViewState& view = editor.View();
};

TEST_F(LevelTest, ChoosingALevelSetsItsBoundsHeightAndView) {
  f.LoadStream(FiveLevels());
  editor.TurnWheel(1, true, 6);  // 60 rows into level 1
  view.mapHasFocus = false;
  editor.ChooseLevel(2);
  EXPECT_EQ(state.place.levelStart, 0x924Eu);
  EXPECT_EQ(state.place.levelEnd, 0x9258u);
  EXPECT_EQ(state.place.currentLevelIndex, 2);
  EXPECT_EQ(view.chooserIndex, 2);
  EXPECT_EQ(view.chooserText, "Level 3 $924E (37454)");
  EXPECT_EQ(state.place.scrollOffset, 0);
  EXPECT_EQ(view.scrollMaximum, 192);
  EXPECT_EQ(view.scrollPosition, 192);
  EXPECT_TRUE(view.mapHasFocus);
  editor.ChooseLevel(4);  // the last level: its end record before the marker
  EXPECT_EQ(state.place.levelEnd, 0x9270u);
  editor.ChooseLevel(5);  // no such level
  EXPECT_EQ(state.place.levelStart, 0x9266u);
  editor.ChooseLevel(-1);
  EXPECT_EQ(state.place.levelStart, 0x9266u);
}

TEST_F(LevelTest, LevelHeights) {
  struct Case {
    Bytes stream;
    int height;
  };
  const Case cases[] = {
      {{0x83, 0x05, 0x22, 0x01, 0xFF}, 0},
      {{0x00, 0x00, 0x22, 0x01, 0xFF}, 192},
      {{0x00, 95, 0x22, 0x01, 0xFF}, 192},
      {{0x00, 95, 0x00, 95, 0x22, 0x01, 0xFF}, 384},
      {{0x00, 95, 0x00, 95, 0x00, 0x00, 0x22, 0x01, 0xFF}, 576},  // 386 rows
  };
  for (const Case& c : cases) {
    f.LoadStream(c.stream);
    EXPECT_EQ(view.scrollMaximum, c.height);
    EXPECT_EQ(view.scrollPosition, c.height);
  }
}

TEST_F(LevelTest, LastLevelWithoutTheMarkerKeepsThePreviousEnd) {
  f.LoadStream(Stream({{0x83, 0x05, 0x22, 0x01}, {0x87, 0x03, 0x22, 0x01, 0xFF}}));
  editor.ChooseLevel(1);
  ASSERT_EQ(state.place.levelEnd, 0x923Cu);
  editor.ChooseLevel(0);
  f.editor.Image().Write(0x923E, 0x00);  // the marker gone
  editor.ChooseLevel(1);
  EXPECT_EQ(state.place.levelStart, 0x923Au);
  EXPECT_EQ(state.place.levelEnd, 0x9238u);  // level 1's end stays
}

TEST_F(LevelTest, WipeButtonFollowsTheWipeChoiceAndTheLevel) {
  f.LoadStream(FiveLevels());
  EXPECT_TRUE(view.wipeButtonEnabled);
  editor.ChooseLevel(4);
  EXPECT_TRUE(view.wipeButtonEnabled);  // "Current Level" is the design choice
  editor.ClickWipeAllAfter();
  EXPECT_FALSE(view.wipeButtonEnabled);
  EXPECT_TRUE(editor.Options().wipe.allAfterCurrentLevel.checked);
  EXPECT_FALSE(editor.Options().wipe.currentLevel.checked);
  editor.ChooseLevel(3);
  EXPECT_TRUE(view.wipeButtonEnabled);
  editor.ChooseLevel(4);
  EXPECT_FALSE(view.wipeButtonEnabled);
  editor.ClickWipeCurrentLevel();
  EXPECT_TRUE(view.wipeButtonEnabled);
  editor.ClickWipeAllAfter();
  editor.RebuildLevels();
  EXPECT_FALSE(view.wipeButtonEnabled);
}

TEST_F(LevelTest, WipeOfLandSpaceAndTheLastFourPairsChangesNothing) {
  const Bytes stream =
      Stream({{0x83, 0x05, 0x22, 0x01},
              {0x00, 0x03, 0x00, 0x07, 0x83, 0x01, 0x87, 0x02, 0x81, 0x03, 0x94, 0x04, 0x22, 0x01, 0xFF}});
  f.LoadStream(stream);
  editor.ChooseLevel(1);
  editor.WipeLevels();
  EXPECT_EQ(f.Bytes(0x9236, stream.size()), stream);
  EXPECT_EQ(state.place.bytesFree, 1689 - static_cast<int>(stream.size()));
}

TEST_F(LevelTest, WipeOfLevelOneKeepsItsFirstPairSpacesAndLastFourPairs) {
  // First pair, then 10 objects and 3 land spaces, then the last 4 pairs.
  Bytes level = {0x22, 0x00};
  for (int i = 0; i < 10; ++i) {
    level.insert(level.end(), {0x83, static_cast<std::uint8_t>(i + 1)});
    if (i % 4 == 1) level.insert(level.end(), {0x00, static_cast<std::uint8_t>(40 + i)});
  }
  const Bytes tail = {0x87, 0x01, 0x87, 0x02, 0x87, 0x03, 0x87, 0x04, 0x22, 0x01};
  level.insert(level.end(), tail.begin(), tail.end());
  f.LoadStream(Stream({level, {0x83, 0x05, 0x22, 0x01, 0xFF}}));
  const int free = state.place.bytesFree;
  const int height = view.scrollMaximum;
  editor.TurnWheel(1, true, 8);  // 80 rows into the level
  editor.WipeLevels();
  EXPECT_EQ(f.Bytes(0x9236, 2 + 6 + 10 + 5),
            Stream({{0x22, 0x00, 0x00, 41, 0x00, 45, 0x00, 49}, tail, {0x83, 0x05, 0x22, 0x01, 0xFF}}));
  EXPECT_EQ(state.place.bytesFree, free + 20);
  EXPECT_EQ(state.place.levelEnd, 0x9236u + 2 + 6 + 8);
  EXPECT_EQ(view.scrollMaximum, height);
  EXPECT_EQ(view.scrollPosition, view.scrollMaximum);
  EXPECT_EQ(state.place.scrollOffset, 0);
  EXPECT_EQ(editor.Levels()[1], 0x9236u + 2 + 6 + 10);
}

TEST_F(LevelTest, WipeStartAboveTheLimitRemovesNothing) {
  // Level 1 holds only a fortress: its wipe would start above its limit.
  const Bytes fortressOnly = {0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x16, 0x22, 0x01, 0x83, 0x05, 0x22, 0x01, 0xFF};
  f.LoadStream(fortressOnly);
  editor.WipeLevels();
  EXPECT_EQ(f.Bytes(0x9236, fortressOnly.size()), fortressOnly);
}

TEST_F(LevelTest, WipeAnOddNumberOfBytesBelowTheLimitRemovesNothing) {
  // The land space of 0x22 before a record of code 1 reads as an end record:
  // level 2 then starts on an odd address.
  const Bytes odd = {0x83, 0x05, 0x00, 0x22, 0x01, 0x05, 0x83, 0x06, 0x87, 0x07,
                     0x83, 0x08, 0x83, 0x09, 0x83, 0x0A, 0x22, 0x01, 0xFF};
  f.LoadStream(odd);
  editor.ChooseLevel(1);
  ASSERT_EQ(state.place.levelStart, 0x923Bu);
  editor.WipeLevels();
  EXPECT_EQ(f.Bytes(0x9236, odd.size()), odd);
  editor.ClickWipeAllAfter();
  editor.ChooseLevel(0);
  editor.WipeLevels();  // from 0x9231: below the level area
  EXPECT_EQ(f.Bytes(0x9236, odd.size()), odd);
}

TEST_F(LevelTest, WipeAllAfterTheCurrentLevel) {
  f.LoadStream(FiveLevels());
  const int free = state.place.bytesFree;
  editor.ChooseLevel(1);
  editor.ClickWipeAllAfter();
  ASSERT_TRUE(view.wipeButtonEnabled);
  editor.TurnWheel(1, true, 2);  // 20 rows into level 2
  editor.WipeLevels();
  // Level 2 keeps its first pair and ends with the last level's last 4 pairs.
  EXPECT_EQ(f.Bytes(0x9242, 13), (Bytes{0x83, 0x02, 0x00, 0x05, 0x87, 0x03, 0x81, 0x04, 0x94, 0x05, 0x22, 0x01, 0xFF}));
  EXPECT_EQ(state.place.bytesFree, free + 36);
  EXPECT_EQ(state.place.levelEnd, 0x924Cu);
  EXPECT_EQ(view.chooserEntries.size(), 2u);
  EXPECT_FALSE(view.wipeButtonEnabled);
  EXPECT_EQ(state.place.scrollOffset, 0);
  EXPECT_EQ(view.scrollPosition, view.scrollMaximum);
  // On the last level it does nothing.
  const Bytes before = f.Bytes(0x9236, 0x699);
  editor.WipeLevels();
  EXPECT_EQ(f.Bytes(0x9236, 0x699), before);
}

TEST_F(LevelTest, WipeAllAfterALevelOfFewerThanFourPairsRemovesNothing) {
  // Level 2 is a tree and its end record: E − 8 lies in level 1.
  const Bytes stream = Stream({FiveLevels()});
  Bytes three = {0x83, 0x01, 0x87, 0x02, 0x81, 0x03, 0x94, 0x04, 0x22, 0x01, 0x83, 0x05, 0x22, 0x01};
  three.insert(three.end(), stream.begin() + 24, stream.end());
  f.LoadStream(three);
  editor.ChooseLevel(1);
  ASSERT_EQ(state.place.levelEnd, 0x9242u);
  editor.ClickWipeAllAfter();
  editor.WipeLevels();
  EXPECT_EQ(f.Bytes(0x9236, three.size()), three);
}

TEST_F(LevelTest, WipeAllAfterWithoutAMarkerRemovesNothing) {
  Bytes stream = FiveLevels();
  stream.back() = 0x00;  // no end-of-levels marker
  f.LoadStream(stream);
  editor.ChooseLevel(0);
  editor.ClickWipeAllAfter();
  ASSERT_TRUE(view.wipeButtonEnabled);
  editor.WipeLevels();
  EXPECT_EQ(f.Bytes(0x9236, stream.size()), stream);
}

}  // namespace
}  // namespace kestrova
