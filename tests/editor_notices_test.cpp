// What the status bar says after commands whose effect the map does not
// show by itself: a wipe, a loaded screen and the tape that used it.
#include <gtest/gtest.h>

#include <functional>

#include "demo/demo_game.h"
#include "editor/editor.h"
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

}  // namespace
}  // namespace kestrova
