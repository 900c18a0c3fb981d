#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/context_menu.h"
#include "edit/ground_menu.h"
#include "support/edit_fixture.h"
#include "support/editor_state_access.h"

namespace kestrova {
namespace {

using testing::EditFixture;
using testing::Stream;

const std::vector<std::uint8_t> kOneLevel = {0x83, 0x05, 0x00, 0x0A, 0x22, 0x01, 0xFF};

std::string Captions(const std::vector<MenuItem>& items) {
  std::string text;
  for (const MenuItem& item : items) text += (text.empty() ? "" : "|") + item.caption;
  return text;
}

const MenuItem* Find(const std::vector<MenuItem>& items, const std::string& caption) {
  for (const MenuItem& item : items)
    if (item.caption == caption) return &item;
  return nullptr;
}

class PopupTest : public ::testing::Test {
 protected:
  void SetUp() override { f.LoadStream(kOneLevel); }
  EditFixture f;
  Editor& editor = f.editor;
  EditorState& state = testing::WritableState(editor);
};

struct RowCase {
  std::uint32_t tile;
  const char* captions;
  MenuCommand command;
  int minimum, maximum;
  std::uint32_t attribute;  // 0: no "Attribute" entry
};

TEST_F(PopupTest, EveryTileRowOfTheObjectPopup) {
  using C = MenuCommand;
  const RowCase cases[] = {
      {4, "Delete Road Marking|Change Column|Attribute", C::DeletePlain, 0, 30, 0x900D},
      {5, "Delete Road Bottom Edging|Attribute", C::DeletePlain, 0, 31, 0x8F46},
      {6, "Delete Road Top Edging|Attribute", C::DeletePlain, 0, 31, 0x8F44},
      {13, "Delete River Crossing|Attribute", C::DeleteRiverCrossing, 0, 0, 0x8E0E},
      {14, "Delete River Crossing|Attribute", C::DeleteRiverCrossing, 0, 0, 0x8D59},
      {25, "Delete River Crossing|Attribute", C::DeleteRiverCrossing, 0, 0, 0x8D59},
      {147, "Delete River Crossing|Attribute", C::DeleteRiverCrossing, 0, 0, 0x8997},
      {152, "Delete River Crossing|Attribute", C::DeleteRiverCrossing, 0, 0, 0x8987},
      {15, "Delete Single Grenade|Change Column|Attribute", C::DeletePlain, 0, 30, 0x8EC5},
      {16, "Delete Triple Grenade|Change Column|Attribute", C::DeletePlain, 0, 29, 0x8EDC},
      {17, "Delete Quintuple Grenade|Change Column|Attribute", C::DeletePlain, 0, 29, 0x8EF3},
      {18, "Delete Left Mortar|Change Column|Attribute", C::DeletePlain, 0, 30, 0x8E7C},
      {19, "Delete Right Mortar|Change Column|Attribute", C::DeletePlain, 0, 30, 0x8E8B},
      {21, "Delete Prisoner of War|Attribute", C::DeletePlain, 0, 0, 0x827D},
      {22, "Delete Prisoner of War|Attribute", C::DeletePlain, 0, 0, 0x8286},
      {32, "Delete Prisoner of War|Attribute", C::DeletePlain, 0, 0, 0x8274},
      {26, "Delete Lorry|Attribute", C::DeletePlain, 0, 0, 0x862D},
      {27, "Delete Motorbike", C::DeletePlain, 0, 0, 0},
      {28, "Delete Jeep|Attribute", C::DeletePlain, 0, 0, 0x8400},
      {29, "Delete Cave Top|Change Column|Attribute", C::DeletePlain, 0, 26, 0x8348},
      {30, "Delete Cave Main|Change Column|Attribute", C::DeletePlain, 0, 26, 0x8330},
      {31, "Delete Cave Bottom|Change Column|Attribute", C::DeletePlain, 0, 26, 0x8348},
      {33, "Delete Fortress|Attribute", C::DeleteFortress, 0, 0, 0x819C},
      {34, "Delete Spawn Point", C::DeletePlain, 0, 0, 0},
      {35, "Delete Trench LHS|Change Column|Attribute", C::DeletePlain, 0, 30, 0x8174},
      {36, "Delete Trench Middle|Change Column|Attribute", C::DeletePlain, 0, 28, 0x8183},
      {37, "Delete Trench RHS|Change Column|Attribute", C::DeletePlain, 0, 30, 0x8174},
      {38, "Delete Cliff Edge|Change Column|Attribute", C::DeletePlain, 0, 31, 0x908E},
      {41, "Delete Cliff Edge|Change Column|Attribute", C::DeletePlain, 0, 31, 0x9099},
      {39, "Delete Alarm", C::DeletePlain, 0, 0, 0},
      {100, "Delete Cliff|Change Column|Attribute", C::DeletePlain, 0, 26, 0x9131},
      {101, "Delete Cliff|Change Column|Attribute", C::DeletePlain, 0, 26, 0x9130},
      {107, "Delete Cliff|Change Column|Attribute", C::DeletePlain, 0, 26, 0x912A},
      {113, "Delete Cliff|Change Column|Attribute", C::DeletePlain, 0, 26, 0x9124},
      {114, "Delete Tunnel|Attribute", C::DeleteTunnel, 0, 0, 0x893A},
      {115, "Delete Tunnel|Attribute", C::DeleteTunnel, 0, 0, 0x8827},
      {116, "Delete Tunnel|Attribute", C::DeleteTunnel, 0, 0, 0x8747},
      {150, "Delete Tunnel|Attribute", C::DeleteTunnel, 0, 0, 0x891C},
      {129, "Delete Bunker|Change Column|Attribute", C::DeletePlain, 0, 26, 0x8701},
      {131, "Delete Tree|Change Column|Attribute", C::DeletePlain, 1, 30, 0x903A},
      {132, "Delete Tree|Change Column|Attribute", C::DeletePlain, 1, 30, 0x901F},
      {135, "Delete Boulder|Change Column|Attribute", C::DeletePlain, 0, 29, 0x9046},
      {138, "Delete Sandbags LHS|Change Column|Attribute", C::DeletePlain, 0, 30, 0x8F1F},
      {139, "Delete Sandbags MIDDLE|Change Column|Attribute", C::DeletePlain, 0, 29, 0x8F2E},
      {140, "Delete Sandbags RHS|Change Column", C::DeletePlain, 0, 30, 0},
      {148, "Delete Small Hut|Change Column|Attribute", C::DeletePlain, 0, 26, 0x832C},
      {149, "Delete Barracks|Attribute", C::DeletePlain, 0, 0, 0x8905},
      {151, "Delete Large Hut|Change Column|Attribute", C::DeletePlain, 1, 25, 0x830C},
      {153, "Delete Large Hut|Change Column|Attribute", C::DeletePlain, 1, 25, 0x8318},
  };
  for (const RowCase& c : cases) {
    state.pointer.changeLabel = "unchanged";
    state.pointer.attributeAddress = 0x1234;
    f.PressOn(MouseButton::Right, c.tile, 0x9238, 0x9238);
    const auto& popup = editor.Popup();
    EXPECT_EQ(Captions(popup), c.captions) << "tile " << c.tile;
    EXPECT_EQ(editor.PopupShown(), PopupPlacement::AtCursor);
    ASSERT_FALSE(popup.empty());
    EXPECT_EQ(popup[0].command, c.command) << "tile " << c.tile;
    EXPECT_EQ(state.pointer.rangeMin, c.minimum) << "tile " << c.tile;
    EXPECT_EQ(state.pointer.rangeMax, c.maximum) << "tile " << c.tile;
    const bool change = Find(popup, "Change Column") != nullptr;
    EXPECT_EQ(state.pointer.changeLabel, change ? "Column" : "unchanged") << "tile " << c.tile;
    if (change) {
      EXPECT_EQ(Find(popup, "Change Column")->command, MenuCommand::Change);
    }
    EXPECT_EQ(state.pointer.attributeAddress, c.attribute ? c.attribute : 0x1234u) << "tile " << c.tile;
    if (const MenuItem* attribute = Find(popup, "Attribute")) {
      EXPECT_EQ(&popup.back(), attribute);  // the submenu hangs under the last entry
      EXPECT_EQ(attribute->command, MenuCommand::None);
      EXPECT_EQ(Captions(attribute->children), "Ink|Paper");
    }
  }
}

TEST_F(PopupTest, TilesOutsideTheTableGiveNoPopup) {
  for (std::uint32_t tile : {1u, 7u, 20u, 99u, 117u, 130u, 154u, 255u, 1000u}) {
    state.pointer.rangeMin = 3;
    f.PressOn(MouseButton::Right, 4, 0x9238);  // a popup that must be cleared
    state.pointer.rangeMin = 3;
    f.PressOn(MouseButton::Right, tile, 0x9238);
    EXPECT_TRUE(editor.Popup().empty()) << tile;
    EXPECT_EQ(editor.PopupShown(), PopupPlacement::None);
    EXPECT_EQ(state.pointer.rangeMin, 3);
  }
}

TEST_F(PopupTest, RocketLauncherCaptionByOperand) {
  f.LoadStream({0x28, 0x05, 0x28, 0x00, 0x22, 0x01, 0xFF});
  f.PressOn(MouseButton::Right, 40, 0x9236);
  EXPECT_EQ(Captions(editor.Popup()), "Delete Rocket Launcher Attack");
  f.PressOn(MouseButton::Right, 40, 0x9238);
  EXPECT_EQ(Captions(editor.Popup()), "Delete End of Rocket Launcher Attack");
}

TEST_F(PopupTest, FortressDeleteOnlyWhenItDoesNotCloseTheLastLevel) {
  // Level 1 closed by a fortress, level 2 closed by a fortress.
  const std::vector<std::uint8_t> fortress = {0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x16, 0x22, 0x01};
  std::vector<std::uint8_t> stream = {0x83, 0x05};
  stream.insert(stream.end(), fortress.begin(), fortress.end());
  stream.insert(stream.end(), fortress.begin(), fortress.end());
  stream.push_back(0xFF);
  f.LoadStream(stream);
  f.PressOn(MouseButton::Right, 33, 0x923C);  // gates of level 1's fortress
  EXPECT_TRUE(editor.Popup()[0].enabled);
  editor.ChooseLevel(1);
  f.PressOn(MouseButton::Right, 33, 0x9246);  // gates of the last level's fortress
  EXPECT_FALSE(editor.Popup()[0].enabled);
}

TEST_F(PopupTest, TunnelDeleteSizeByTheByteEightAfter) {
  f.LoadStream(Stream(
      {{0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x01, 0x1B, 0x3C, 0x00, 0x0B, 0x08, 0x1F},
       {0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x0C, 0x08, 0x1F},
       {0x22, 0x01, 0xFF}}));
  f.PressOn(MouseButton::Right, 150, 0x923A);  // the tunnel record of the motorbike tunnel
  EXPECT_EQ(editor.Popup()[0].tag, 18);
  f.PressOn(MouseButton::Right, 115, 0x923A);  // its bridge names the same record
  EXPECT_EQ(editor.Popup()[0].tag, 18);
  f.PressOn(MouseButton::Right, 114, 0x924C);  // the plain tunnel
  EXPECT_EQ(editor.Popup()[0].tag, 14);
  f.PressOn(MouseButton::Right, 115, 0x9248);  // its bridge names the first wall
  EXPECT_EQ(editor.Popup()[0].tag, 14);
}

TEST_F(PopupTest, AttributeSubmenuShowsTheColourByte) {
  // Road marking colour: bright, paper 5 (cyan), ink 2 (red), flash.
  f.editor.Image().Write(0x900D, 0xC0 | (5 << 3) | 2);
  f.PressOn(MouseButton::Right, 4, 0x9238);
  const MenuItem& attribute = editor.Popup().back();
  const MenuItem& ink = attribute.children[0];
  const MenuItem& paper = attribute.children[1];
  const char* names = "Bright|Black|Blue|Red|Magenta|Green|Cyan|Yellow|White";
  EXPECT_EQ(Captions(ink.children), names);
  EXPECT_EQ(Captions(paper.children), names);
  for (int i = 0; i < 9; ++i) {
    const MenuItem& inkItem = ink.children[static_cast<std::size_t>(i)];
    const MenuItem& paperItem = paper.children[static_cast<std::size_t>(i)];
    EXPECT_EQ(inkItem.tag, i);
    EXPECT_EQ(paperItem.tag, i + 9);
    EXPECT_EQ(inkItem.command, MenuCommand::Attribute);
    EXPECT_EQ(paperItem.command, MenuCommand::Attribute);
    EXPECT_TRUE(inkItem.enabled);
    EXPECT_FALSE(paperItem.enabled);  // a road marking's paper stays
    EXPECT_EQ(inkItem.checked, i == 0 || i == 3) << i;
    EXPECT_EQ(paperItem.checked, i == 0 || i == 6) << i;
  }
  // Without bright: only the colours are checked.
  f.editor.Image().Write(0x900D, 0x07);
  f.PressOn(MouseButton::Right, 4, 0x9238);
  EXPECT_FALSE(editor.Popup().back().children[0].children[0].checked);
  EXPECT_TRUE(editor.Popup().back().children[0].children[8].checked);
  EXPECT_TRUE(editor.Popup().back().children[1].children[1].checked);
}

TEST_F(PopupTest, PaperOnlyForTheCliffBandsAndTheTunnelBand) {
  for (std::uint32_t tile : {100u, 102u, 103u, 106u, 109u, 110u, 113u, 114u, 116u, 150u, 131u}) {
    f.PressOn(MouseButton::Right, tile, 0x9238);
    const bool expected = (tile >= 103 && tile <= 109) || tile == 116;
    for (const MenuItem& item : editor.Popup().back().children[1].children) EXPECT_EQ(item.enabled, expected) << tile;
  }
}

TEST_F(PopupTest, PressStoresCellRecordAndPreviousLandForEveryButton) {
  for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
    f.PutTile(300, 101, 131, 0x9236, 0x9238);
    editor.PressMap(button, 300, 101);
    EXPECT_EQ(state.pointer.recordUnderPointer, 0x9236u);
    EXPECT_EQ(state.pointer.previousLand, 0x9238u);
    EXPECT_EQ(state.pointer.cellUnderPointer, editor.Tables().rowStart[50] + 18);
  }
  // Outside the view nothing is read.
  editor.PressMap(MouseButton::Right, 512, 10);
  EXPECT_EQ(state.pointer.recordUnderPointer, 0x9236u);
}

struct DragCase {
  std::uint32_t tile;
  int minimum, maximum;
};

TEST_F(PopupTest, LeftPressStartsADragWithTheTilesColumnRange) {
  const DragCase cases[] = {
      {4, 0, 30},   {15, 0, 30},  {18, 0, 30},  {19, 0, 30},  {35, 0, 30},  {37, 0, 30},  {138, 0, 30}, {140, 0, 30},
      {5, 0, 16},   {6, 0, 16},   {16, 0, 29},  {17, 0, 29},  {135, 0, 29}, {139, 0, 29}, {29, 0, 26},  {30, 0, 26},
      {31, 0, 26},  {100, 0, 26}, {113, 0, 26}, {129, 0, 26}, {148, 0, 26}, {36, 0, 28},  {38, 0, 31},  {41, 0, 31},
      {131, 1, 30}, {132, 1, 30}, {151, 1, 25}, {153, 1, 25}, {21, 0, 0},   {22, 0, 0},   {26, 0, 0},   {27, 0, 0},
      {28, 0, 0},   {32, 0, 0},   {34, 0, 0},   {39, 0, 0},   {40, 0, 0},   {149, 0, 0},  {7, 0, 0},    {200, 0, 0},
  };
  for (const DragCase& c : cases) {
    state.pointer.dragFlag = false;
    f.PutTile(250, 77, c.tile, 0x9236);
    editor.PressMap(MouseButton::Left, 250, 77);
    EXPECT_TRUE(state.pointer.dragFlag) << c.tile;
    EXPECT_EQ(state.pointer.grabbedColumn, 15);
    EXPECT_EQ(state.pointer.grabbedRow, 38);
    EXPECT_EQ(state.pointer.rangeMin, c.minimum) << c.tile;
    EXPECT_EQ(state.pointer.rangeMax, c.maximum) << c.tile;
  }
}

TEST_F(PopupTest, RiverCrossingsTunnelsAndTheFortressCannotBeDragged) {
  for (std::uint32_t tile : {0u, 13u, 14u, 25u, 33u, 114u, 115u, 116u, 147u, 150u, 152u}) {
    state.pointer.dragFlag = false;
    state.pointer.rangeMin = 9;
    f.PressOn(MouseButton::Left, tile, 0x9236);
    EXPECT_FALSE(state.pointer.dragFlag) << tile;
    EXPECT_EQ(state.pointer.rangeMin, 9) << tile;
  }
}

// ---- The ground menu ----

std::string Outline(const std::vector<MenuItem>& items, int depth = 0) {
  static const char* const kCommands[] = {"", "S", "C", "L", "T", "M", "R", "F", "D", "", "", "", "X", ""};
  std::string text;
  for (const MenuItem& item : items) {
    text += std::string(static_cast<std::size_t>(depth), ' ') + item.caption;
    if (item.children.empty()) text += " " + std::to_string(item.tag) + kCommands[static_cast<int>(item.command)];
    text += "\n";
    text += Outline(item.children, depth + 1);
  }
  return text;
}

TEST_F(PopupTest, GroundMenuHoldsTheWholeInsertTree) {
  f.PressOn(MouseButton::Right, 0, 0x9238, 0x9238);
  EXPECT_EQ(editor.PopupShown(), PopupPlacement::ContextMenu);
  EXPECT_EQ(state.pointer.changeLabel, "Distance");
  EXPECT_EQ(state.pointer.rangeMin, 1);
  EXPECT_EQ(state.pointer.rangeMax, 255);
  const char* expected =
      "Insert\n"
      " Land Space 0S\n Tree 1S\n Boulder 2S\n"
      " Sandbags\n  Sandbags LHS 3S\n  Sandbags MIDDLE 4S\n  Sandbags RHS 5S\n"
      " Grenade\n  Single Grenade 6S\n  Triple Grenade 7S\n  Quintuple Grenade 8S\n"
      " Trench\n  Trench LHS 9S\n  Trench MIDDLE 10S\n  Trench RHS 11S\n"
      " Mortar\n  Left Mortar 12S\n  Right Mortar 13S\n"
      " Cliff\n  Cliff Main\n   Left Cliff 14S\n   Right Cliff 15S\n"
      "  Cliff Edge\n   Single Cliff\n    Left Edge\n     Regular Left Edge 16S\n"
      "     Left Edge with Jumping Soldiers 17S\n    Right Edge\n     Regular Right Edge 18S\n"
      "     Right Edge with Jumping Soldiers 19S\n   Double Cliff\n    Left Edge\n     Regular Left Edge 16S\n"
      "     Left Edge with Jumping Soldiers 42S\n    Right Edge\n     Regular Right Edge 18S\n"
      "     Right Edge with Jumping Soldiers 43S\n"
      " Vehicle\n  Lorry 20S\n  Motorbike 21S\n  Jeep 22S\n"
      " Prisoner of War 23S\n Barracks 24S\n Bunker 25S\n"
      " Hut\n  Small Hut 26S\n  Large Hut 27S\n"
      " Cave\n  Cave Bottom Edge\n   Cave Bottom With Space 28C\n   Cave Bottom Without Space 29S\n"
      "  Cave Main\n   Cave Main With Space 30C\n   Cave Main Without Space 31S\n  Cave Top Edge 32S\n"
      " Log Crossing\n  Log Crossing Left 33L\n  Log Crossing Right 34L\n"
      " Alarm\n  Set Alarm ON 35S\n  Set Alarm OFF 36S\n"
      " Spawn Point 37S\n"
      " Rocket Launcher\n  Rocket Launcher Attack 38S\n  Rocket Launcher End 39S\n"
      " Tunnel\n  Tunnel without Motorbike 40T\n  Tunnel with Motorbike 41M\n"
      " Road\n  Top Edging 44S\n  Bottom Edging 45S\n  Road Marking 46S\n  Full Road 47R\n"
      " Fortress\n  No Gate Top Soldiers 48F\n  Gate Top Soldiers 49F\n"
      "Delete Land Space 0D\n"
      "Change Distance 0X\n";
  EXPECT_EQ(Outline(editor.Popup()), expected);
}

// The enabled state of the entries the room decides, by caption path.
struct RoomCase {
  bool record;
  int bytesFree;
  bool levelTableFull;
  std::vector<bool> expected;  // Insert, Delete Land Space, Change Distance, Cave Bottom With Space,
                               // Cave Main With Space, Log Crossing, Tunnel, Tunnel with Motorbike,
                               // Full Road, Fortress, Tree
};

std::vector<bool> EnabledStates(const std::vector<MenuItem>& menu) {
  const MenuItem& insert = menu[0];
  const MenuItem& cave = *Find(insert.children, "Cave");
  const MenuItem& tunnel = *Find(insert.children, "Tunnel");
  const MenuItem& road = *Find(insert.children, "Road");
  return {insert.enabled,
          menu[1].enabled,
          menu[2].enabled,
          Find(Find(cave.children, "Cave Bottom Edge")->children, "Cave Bottom With Space")->enabled,
          Find(Find(cave.children, "Cave Main")->children, "Cave Main With Space")->enabled,
          Find(insert.children, "Log Crossing")->enabled,
          tunnel.enabled,
          Find(tunnel.children, "Tunnel with Motorbike")->enabled,
          Find(road.children, "Full Road")->enabled,
          Find(insert.children, "Fortress")->enabled,
          Find(insert.children, "Tree")->enabled};
}

TEST(GroundMenu, EnabledStatesFollowTheRoomLeft) {
  const RoomCase cases[] = {
      {true, 1689, false, {true, true, true, true, true, true, true, true, true, true, true}},
      {true, 34, false, {true, true, true, true, true, true, true, true, true, true, true}},
      {true, 33, false, {true, true, true, true, true, true, true, true, false, true, true}},
      {true, 18, false, {true, true, true, true, true, true, true, true, false, true, true}},
      {true, 17, false, {true, true, true, true, true, true, true, false, false, true, true}},
      {true, 14, false, {true, true, true, true, true, true, true, false, false, true, true}},
      {true, 13, false, {true, true, true, true, true, false, false, false, false, true, true}},
      {true, 10, false, {true, true, true, true, true, false, false, false, false, true, true}},
      {true, 9, false, {true, true, true, true, true, false, false, false, false, false, true}},
      {true, 4, false, {true, true, true, true, true, false, false, false, false, false, true}},
      {true, 3, false, {true, true, true, false, false, false, false, false, false, false, true}},
      {true, 2, false, {true, true, true, false, false, false, false, false, false, false, true}},
      {true, 1, false, {false, true, true, false, false, false, false, false, false, false, true}},
      {true, 100, true, {true, true, true, true, true, true, true, true, true, false, true}},
      {false, 1689, false, {false, false, false, false, false, false, false, false, false, false, true}},
  };
  for (const RoomCase& c : cases) {
    const auto menu = BuildGroundMenu({c.record, c.bytesFree, !c.levelTableFull});
    EXPECT_EQ(EnabledStates(menu), c.expected) << c.bytesFree << (c.record ? "" : " no record");
  }
}

TEST(GroundMenu, AboveTheLevelNothingCanBeDone) {
  EditFixture f;
  f.LoadStream(kOneLevel);
  f.PressOn(MouseButton::Right, 0, 0, 0);  // no band covers the row
  const auto& menu = f.editor.Popup();
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_FALSE(menu[0].enabled);
  EXPECT_FALSE(menu[1].enabled);
  EXPECT_FALSE(menu[2].enabled);
}

TEST(GroundMenu, AFullLevelTableDisablesTheFortress) {
  EditFixture f;
  std::vector<std::uint8_t> stream = {0x83, 0x05};
  for (int i = 0; i < 256; ++i) stream.insert(stream.end(), {0x22, 0x01});
  stream.push_back(0xFF);
  f.LoadStream(stream);
  ASSERT_NE(f.editor.Levels()[255], 0u);
  f.PressOn(MouseButton::Right, 0, 0x9236, 0x9236);
  EXPECT_FALSE(Find(f.editor.Popup()[0].children, "Fortress")->enabled);
  EXPECT_TRUE(Find(f.editor.Popup()[0].children, "Tunnel")->enabled);
}

}  // namespace
}  // namespace kestrova
