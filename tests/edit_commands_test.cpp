#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "edit/edit_addresses.h"
#include "level/game_settings.h"
#include "support/edit_fixture.h"

namespace kestrova {
namespace {

using testing::AfterAreaByte;
using testing::EditFixture;
using testing::Stream;
using Bytes = std::vector<std::uint8_t>;

const Bytes kFortress = {0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x16, 0x22, 0x01};
const Bytes kCrossing = {0x98, 0x08, 0x00, 0x02, 0x0D, 0x10, 0x00, 0x19, 0x19, 0x10, 0x00, 0x05, 0x0E, 0x10};
const Bytes kTunnel = {0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x0C, 0x08, 0x1F};
const Bytes kMotorbikeTunnel = {0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17,
                                0x1F, 0x00, 0x01, 0x1B, 0x3C, 0x00, 0x0B, 0x08, 0x1F};

class CommandTest : public ::testing::Test {
 protected:
  EditFixture f;
  Editor& editor = f.editor;
  const EditorState& state = editor.State();

  // Right-press on a tile and run the popup entry with this caption.
  void Run(std::uint32_t tile, std::uint32_t owner, const std::string& caption) {
    f.PressOn(MouseButton::Right, tile, owner, owner);
    for (const MenuItem& item : editor.Popup()) {
      if (item.caption == caption) {
        editor.RunMenuCommand(item);
        return;
      }
    }
    ADD_FAILURE() << "no entry " << caption << " for tile " << tile;
  }
};

TEST_F(CommandTest, PlainDeleteFreesTwoBytesAndPullsInTheBytesAfterTheArea) {
  f.LoadStream({0x83, 0x05, 0x87, 0x03, 0x00, 0x0A, 0x22, 0x01, 0xFF});
  const int height = editor.View().scrollMaximum;
  Run(135, 0x9238, "Delete Boulder");
  EXPECT_EQ(f.Bytes(0x9236, 7), (Bytes{0x83, 0x05, 0x00, 0x0A, 0x22, 0x01, 0xFF}));
  EXPECT_EQ(state.place.bytesFree, 1682);
  EXPECT_EQ(state.place.levelEnd, 0x923Au);
  EXPECT_EQ(editor.View().scrollMaximum, height);
  EXPECT_EQ(f.At(0x98CD), AfterAreaByte(0x98CF));
  EXPECT_EQ(f.At(0x98CE), AfterAreaByte(0x98D0));
  EXPECT_EQ(f.At(0x98CF), AfterAreaByte(0x98CF));  // never written
}

TEST_F(CommandTest, DeleteLandSpaceChangesTheHeight) {
  f.LoadStream({0x83, 0x05, 0x00, 100, 0x00, 10, 0x22, 0x01, 0xFF});
  ASSERT_EQ(editor.View().scrollMaximum, 384);  // 202 + 22 rows
  Run(0, 0x9238, "Delete Land Space");
  EXPECT_EQ(f.Bytes(0x9236, 7), (Bytes{0x83, 0x05, 0x00, 10, 0x22, 0x01, 0xFF}));
  EXPECT_EQ(editor.View().scrollMaximum, 192);
  EXPECT_EQ(state.place.bytesFree, 1682);
}

TEST_F(CommandTest, RiverCrossingDeleteFindsTheCrossingRecord) {
  for (std::uint32_t owner : {0x9238u, 0x923Cu, 0x9244u}) {  // the crossing, its water, its water strip 2
    f.LoadStream(Stream({{0x83, 0x05}, kCrossing, {0x22, 0x01, 0xFF}}));
    Run(owner == 0x9238 ? 152 : 13, owner, "Delete River Crossing");
    EXPECT_EQ(f.Bytes(0x9236, 5), (Bytes{0x83, 0x05, 0x22, 0x01, 0xFF})) << owner;
    EXPECT_EQ(state.place.bytesFree, 1684);
    EXPECT_EQ(state.place.levelEnd, 0x9238u);
  }
}

TEST_F(CommandTest, TunnelDeleteRemovesFourteenOrEighteenBytes) {
  f.LoadStream(Stream({{0x83, 0x05}, kMotorbikeTunnel, kTunnel, {0x22, 0x01, 0xFF}}));
  Run(115, 0x924E, "Delete Tunnel");  // the plain tunnel's bridge names its first wall
  EXPECT_EQ(f.Bytes(0x9236, 2 + 18 + 3), Stream({{0x83, 0x05}, kMotorbikeTunnel, {0x22, 0x01, 0xFF}}));
  EXPECT_EQ(state.place.bytesFree, 1689 - (2 + 18 + 3));
  Run(150, 0x923C, "Delete Tunnel");  // the motorbike tunnel's own record
  EXPECT_EQ(f.Bytes(0x9236, 5), (Bytes{0x83, 0x05, 0x22, 0x01, 0xFF}));
  EXPECT_EQ(state.place.bytesFree, 1684);
  EXPECT_EQ(state.place.levelEnd, 0x9238u);
}

TEST_F(CommandTest, FortressDeleteMergesTheLevelWithTheNextOne) {
  // Level 1: tree + fortress; level 2: boulder + fortress; level 3: tree, end.
  f.LoadStream(Stream({{0x83, 0x05}, kFortress, {0x87, 0x03, 0x00, 100}, kFortress, {0x83, 0x09, 0x22, 0x01, 0xFF}}));
  f.editor.Image().Write(kFortressByte, 0);
  editor.ChooseLevel(1);
  ASSERT_EQ(state.place.levelStart, 0x9242u);
  ASSERT_EQ(editor.View().chooserEntries.size(), 3u);
  const std::string label = editor.View().fortressCaption;
  editor.ScrollTo(editor.View().scrollMaximum - 30);
  Run(33, 0x924A, "Delete Fortress");
  EXPECT_EQ(f.Bytes(0x9242, 11), (Bytes{0x87, 0x03, 0x00, 100, 0x83, 0x09, 0x22, 0x01, 0xFF, 0xEE, 0xEE}));
  EXPECT_EQ(editor.View().chooserEntries.size(), 2u);
  EXPECT_EQ(state.place.levelEnd, 0x9248u);  // the merged level ends with level 3's end record
  EXPECT_EQ(state.place.bytesFree, 1689 - 31 + 10);
  EXPECT_EQ(editor.View().scrollMaximum - editor.View().scrollPosition, state.place.scrollOffset);
  EXPECT_EQ(editor.View().fortressCaption, label);  // not rebuilt by the delete
}

TEST_F(CommandTest, FortressClosingTheLastLevelStays) {
  f.LoadStream(Stream({{0x83, 0x05}, kFortress, {0xFF}}));
  const Bytes before = f.Bytes(0x9236, 13);
  f.PressOn(MouseButton::Right, 33, 0x923C);
  ASSERT_FALSE(editor.Popup()[0].enabled);
  editor.RunMenuCommand(editor.Popup()[0]);
  editor.DeleteFortress();
  EXPECT_EQ(f.Bytes(0x9236, 13), before);
  EXPECT_EQ(state.place.bytesFree, 1689 - 13);
}

TEST_F(CommandTest, AFortressWithoutItsLandSpaceClosingTheLastLevelStays) {
  // "Gate Top Soldiers" closing the last level; the band above its gates is
  // bare ground, so its land space can be deleted on its own. The byte 6
  // after the gates is then a free byte, yet the 10 bytes from its first
  // wall would take the end-of-levels marker with them.
  f.LoadStream(Stream({{0x83, 0x05}, {0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x1E, 0x22, 0x01, 0xFF}}));
  Run(0, 0x923E, "Delete Land Space");
  ASSERT_EQ(f.Bytes(0x9236, 11), (Bytes{0x83, 0x05, 0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x22, 0x01, 0xFF}));
  ASSERT_LT(f.At(0x923C + 6), 0xFF);
  f.PressOn(MouseButton::Right, 33, 0x923C);
  EXPECT_FALSE(editor.Popup()[0].enabled);
  editor.DeleteFortress();
  EXPECT_EQ(f.Bytes(0x9236, 11), (Bytes{0x83, 0x05, 0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x22, 0x01, 0xFF}));
  EXPECT_EQ(f.Marker(), 0x9240u);
}

TEST_F(CommandTest, GroupDeletesLeaveBrokenGroupsAndOtherLevelsAlone) {
  // Level 1 closes with a tunnel's last 4 pairs, all a wipe leaves of it: its
  // bridge names a record 12 bytes back that is no tunnel; stepping back for
  // the wall would reach into level 1's first records.
  const Bytes stream = Stream({{0x09, 0x0B, 0x83, 0x05, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x0C, 0x08, 0x1F, 0x22, 0x01},
                               {0x98, 0x08, 0x00, 0x02, 0x22, 0x01, 0xFF}});
  f.LoadStream(stream);
  Run(115, 0x923A, "Delete Tunnel");
  EXPECT_EQ(f.Bytes(0x9236, stream.size()), stream);
  // Level 2 holds a crossing record without its group.
  editor.ChooseLevel(1);
  Run(152, 0x9244, "Delete River Crossing");
  EXPECT_EQ(f.Bytes(0x9236, stream.size()), stream);
  // A record of another level is not deleted through the current one.
  f.PressOn(MouseButton::Right, 0, 0x9238, 0x9238);
  editor.DeletePlain();
  EXPECT_EQ(f.Bytes(0x9236, stream.size()), stream);
  EXPECT_EQ(state.place.bytesFree, 1689 - static_cast<int>(stream.size()));
}

TEST_F(CommandTest, ChangeColumnPromptsWithTheRangeAndKeepsFlags) {
  f.LoadStream({0x83, 0x05, 0x26, 0xE5, 0x00, 0x0A, 0x22, 0x01, 0xFF});
  f.ui.inputAnswers = {"0", "", "  ", "31", "7.9"};
  Run(131, 0x9236, "Change Column");
  EXPECT_EQ(f.At(0x9237), 7);
  const auto inputs = f.ui.Inputs();
  ASSERT_EQ(inputs.size(), 5u);
  for (const auto& q : inputs) {
    EXPECT_EQ(q.title, "Alter Column");
    EXPECT_EQ(q.text, "Enter New Column 01-30");
    EXPECT_EQ(q.defaultText, "5");
  }
  // A mirrored double cliff edge with soldiers keeps its flags.
  f.ui.inputAnswers = {"12"};
  Run(38, 0x9238, "Change Column");
  EXPECT_EQ(f.At(0x9239), 0xEC);
  EXPECT_EQ(f.ui.Inputs().back().text, "Enter New Column 00-31");
  EXPECT_EQ(state.place.bytesFree, 1680);
}

TEST_F(CommandTest, ChangeDistanceCancelKeepsTheValue) {
  f.LoadStream({0x83, 0x05, 0x00, 0x0A, 0x22, 0x01, 0xFF});
  f.ui.inputAnswers = {std::nullopt};
  Run(0, 0x9238, "Change Distance");
  EXPECT_EQ(f.At(0x9239), 0x0A);
  ASSERT_EQ(f.ui.Inputs().size(), 1u);
  EXPECT_EQ(f.ui.Inputs()[0].title, "Alter Distance");
  EXPECT_EQ(f.ui.Inputs()[0].text, "Enter New Distance 01-255");
  EXPECT_EQ(f.ui.Inputs()[0].defaultText, "10");
  f.ui.inputAnswers = {"255"};
  Run(0, 0x9238, "Change Distance");
  EXPECT_EQ(f.At(0x9239), 255);
}

struct AttributeCase {
  std::uint32_t tile;
  int tag;
  std::map<std::uint32_t, std::uint8_t> expected;  // the colour bytes afterwards
};

TEST_F(CommandTest, AttributeCommandWithItsSideEffects) {
  const std::map<std::uint32_t, std::uint8_t> start = {
      {0x8F46, 0x7A}, {0x8F44, 0xC3}, {0x8F4D, 0x5F}, {0x8EDC, 0x11}, {0x8ED6, 0x3A}, {0x8EF3, 0x12},
      {0x8EED, 0xB9}, {0x8E0E, 0x29}, {0x8D59, 0x5B}, {0x8E2B, 0x00}, {0x8D5E, 0x0E}, {0x900D, 0x2B},
  };
  const AttributeCase cases[] = {
      {5, 5, {{0x8F46, 0x7C}, {0x8F44, 0x23}, {0x8F4D, 0x27}}},
      {5, 0, {{0x8F46, 0x3A}, {0x8F44, 0xC3}, {0x8F4D, 0x5F}}},  // bright only
      {5, 13, {{0x8F46, 0x5A}, {0x8F44, 0xC3}}},                 // paper only
      {16, 5, {{0x8EDC, 0x14}, {0x8ED6, 0x3C}}},
      {17, 5, {{0x8EF3, 0x14}, {0x8EED, 0xBC}}},
      {13, 5, {{0x8E0E, 0x2C}, {0x8E2B, 0x2B}, {0x8D59, 0x5B}}},
      {14, 5, {{0x8D59, 0x34}}},
      {25, 5, {{0x8D59, 0x34}}},
      {4, 8, {{0x900D, 0x2F}, {0x8F44, 0xC3}, {0x8ED6, 0x3A}}},  // white ink keeps the paper
      {4, 9, {{0x900D, 0x6B}}},                                  // "Bright" under "Paper"
      {4, 17, {{0x900D, 0x3B}}},                                 // paper white
      {4, 10, {{0x900D, 0x03}}},                                 // paper black
  };
  const std::map<std::uint32_t, std::uint32_t> address = {{5, 0x8F46},  {16, 0x8EDC}, {17, 0x8EF3}, {13, 0x8E0E},
                                                          {14, 0x8D59}, {25, 0x8D59}, {4, 0x900D}};
  for (const AttributeCase& c : cases) {
    f.LoadStream({0x83, 0x05, 0x22, 0x01, 0xFF});
    for (const auto& [a, value] : start) f.editor.Image().Write(a, value);
    f.PressOn(MouseButton::Right, c.tile, 0x9236);
    ASSERT_EQ(state.pointer.attributeAddress, address.at(c.tile));
    const MenuItem& list = editor.Popup().back().children[c.tag < 9 ? 0 : 1];
    MenuItem item = list.children[static_cast<std::size_t>(c.tag % 9)];
    item.enabled = true;  // the paper of most objects is offered disabled; the command itself works
    editor.RunMenuCommand(item);
    for (const auto& [a, value] : c.expected) {
      EXPECT_EQ(f.At(a), value) << "tile " << c.tile << " tag " << c.tag << " address " << std::hex << a;
    }
    for (const auto& [a, value] : start) {
      if (!c.expected.count(a) && a != address.at(c.tile)) {
        EXPECT_EQ(f.At(a), value) << "tile " << c.tile << " tag " << c.tag << " touched " << std::hex << a;
      }
    }
  }
}

TEST_F(CommandTest, DisabledItemsDoNothing) {
  f.LoadStream({0x83, 0x05, 0x22, 0x01, 0xFF});
  f.editor.Image().Write(0x900D, 0x2B);
  f.PressOn(MouseButton::Right, 4, 0x9236);
  editor.RunMenuCommand(editor.Popup().back().children[1].children[3]);  // a disabled paper item
  EXPECT_EQ(f.At(0x900D), 0x2B);
}

}  // namespace
}  // namespace kestrova
