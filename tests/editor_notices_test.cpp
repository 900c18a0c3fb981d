// What the status bar says after commands whose effect the map does not
// show by itself: a wipe, a group delete, a colour shared by a whole kind of
// object, a loaded screen and the tape that used it.
#include <gtest/gtest.h>

#include <functional>

#include "demo/demo_game.h"
#include "editor/editor.h"
#include "support/edit_fixture.h"
#include "support/memory_files.h"
#include "support/scripted_ui.h"

namespace kestrova {
namespace {

class EditorNoticesTest : public ::testing::Test {
 protected:
  EditorNoticesTest() {
    const SnapshotImage demo = MakeDemoSnapshot(DemoMachine::Spectrum48K);
    files.files["/games/demo.sna"] = std::vector<std::uint8_t>(demo.Bytes().begin(), demo.Bytes().end());
    files.files["/games/title.scr"] = std::vector<std::uint8_t>(6912, 0x55);
    ui.fileAnswers.push_back("/games/demo.sna");
    editor.LoadSnapshot();
  }
  // The notice the last command left, or "" when it left none.
  std::string NoticeAfter(const std::function<void()>& command) {
    const unsigned before = editor.View().lastNotice.count;
    command();
    return editor.View().lastNotice.count == before ? std::string() : editor.View().lastNotice.reason;
  }

  testing::ScriptedUi ui;
  testing::MemoryFiles files;
  Editor editor{ui, files};
};

TEST_F(EditorNoticesTest, WipesSayWhatWentAndHowToGetItBack) {
  editor.ChooseLevel(1);
  editor.ClickWipeCurrentLevel();
  EXPECT_EQ(NoticeAfter([&] { editor.WipeLevels(); }), "Level 2 wiped, its land spaces kept. Ctrl+Z undoes it.");
  editor.ClickWipeAllAfter();
  EXPECT_EQ(NoticeAfter([&] { editor.WipeLevels(); }), "Every level after level 2 wiped. Ctrl+Z undoes it.");
  // Nothing after the last level: the refusal speaks, no notice.
  editor.ChooseLevel(1);
  EXPECT_EQ(NoticeAfter([&] { editor.WipeLevels(); }), "");
  EXPECT_EQ(editor.View().lastRefusal.reason, "level 2 is the last: nothing comes after it");
}

TEST_F(EditorNoticesTest, LoadedScreenIsNamedUntilATapeCarriesIt) {
  ui.fileAnswers.push_back("/games/title.scr");
  EXPECT_EQ(NoticeAfter([&] { editor.LoadScreen(); }),
            "Screen$ \"title.scr\" loaded: the next tape (\"Save TAP\") carries it as its loading screen.");
  ui.fileAnswers.push_back(std::nullopt);  // a cancelled tape uses nothing
  EXPECT_EQ(NoticeAfter([&] { editor.SaveTap(); }), "");
  ui.fileAnswers.push_back("/out/game.tap");
  EXPECT_NE(NoticeAfter([&] { editor.SaveTap(); }).find("the next tape has none"), std::string::npos);
  ui.fileAnswers.push_back("/out/again.tap");
  EXPECT_EQ(NoticeAfter([&] { editor.SaveTap(); }), "") << "no screen was used";
}

// The first enabled item of the popup, at any depth, that runs `command`.
const MenuItem* FindItem(const std::vector<MenuItem>& items, MenuCommand command) {
  for (const MenuItem& item : items) {
    if (item.enabled && item.command == command) return &item;
    if (const MenuItem* inner = FindItem(item.children, command)) return inner;
  }
  return nullptr;
}

// Runs that item of the popup a right press on a cell of `tile` drawn by
// `owner` builds; the notice it left, or "" when it left none.
std::string NoticeOfItem(testing::EditFixture& f, std::uint32_t tile, std::uint32_t owner, MenuCommand command) {
  f.PressOn(MouseButton::Right, tile, owner, owner);
  const MenuItem* item = FindItem(f.editor.Popup(), command);
  if (item == nullptr) {
    ADD_FAILURE() << "no popup item for tile " << tile;
    return {};
  }
  const unsigned before = f.editor.View().lastNotice.count;
  f.editor.RunMenuCommand(MenuItem(*item));
  return f.editor.View().lastNotice.count == before ? std::string() : f.editor.View().lastNotice.reason;
}

TEST(EditorGroupNoticesTest, GroupDeleteCountsItsRecordsAndColourNamesTheKind) {
  // A road marking, then a river crossing of 7 records (14 bytes).
  const std::vector<std::uint8_t> crossing = {0x98, 0x08, 0x00, 0x02, 0x0D, 0x10, 0x00,
                                              0x19, 0x19, 0x10, 0x00, 0x05, 0x0E, 0x10};
  testing::EditFixture f;
  f.LoadStream(testing::Stream({{0x83, 0x05}, crossing, {0x22, 0x01, 0xFF}}));
  EXPECT_EQ(NoticeOfItem(f, 152, 0x9238, MenuCommand::DeleteRiverCrossing),
            "Delete River Crossing: 7 records of its group went. Ctrl+Z undoes it.");
  const std::string colour = NoticeOfItem(f, 4, 0x9236, MenuCommand::Attribute);
  EXPECT_NE(colour.find(": the colour of every Road Marking changed. Ctrl+Z undoes it."), std::string::npos) << colour;

  // A crossing record without the rest of its group: refused, no notice.
  f.LoadStream(testing::Stream({{0x83, 0x05, 0x22, 0x01}, {0x98, 0x08, 0x00, 0x02, 0x22, 0x01, 0xFF}}));
  f.editor.ChooseLevel(1);
  EXPECT_EQ(NoticeOfItem(f, 152, 0x923A, MenuCommand::DeleteRiverCrossing), "");
  EXPECT_EQ(f.editor.View().lastRefusal.reason, "the log crossing here is not whole");
}

}  // namespace
}  // namespace kestrova
