// Unsaved work brought back after a crash: the record of the work, the
// question at start and each of its answers, and side files that cannot be
// used.
#include <gtest/gtest.h>

#include "demo/demo_game.h"
#include "snapshot/sna.h"
#include "support/memory_recovery_store.h"
#include "support/random_edits.h"
#include "support/snapshot_fixtures.h"

namespace kestrova {
namespace {

using testing::Bytes;
using testing::MemoryFiles;
using testing::MemoryRecoveryStore;
using testing::ScriptedUi;

constexpr const char* kGame = "/games/kestrova-demo.sna";
constexpr std::int64_t kNow = 1'800'000'000;

Bytes DemoFile() {
  const SnapshotImage demo = MakeDemoSnapshot(DemoMachine::Spectrum48K);
  return Bytes(demo.Bytes().begin(), demo.Bytes().end());
}

// An editor of its own, as each run of the program has.
struct EditorRun {
  ScriptedUi ui;
  MemoryFiles& files;
  Editor editor{ui, files};
  explicit EditorRun(MemoryFiles& shared) : files(shared) {}

  // Loads the game, then edits it: lives, the fortress byte, and level 2
  // shown scrolled.
  void LoadAndEdit() {
    ui.fileAnswers.push_back(kGame);
    editor.LoadSnapshot();
    ui.inputAnswers.push_back("6");
    editor.Lives();
    editor.ClickFortressByte(9);
    editor.ChooseLevel(1);
    editor.ScrollTo(editor.View().scrollMaximum - 40);
  }
  Bytes Saved() {
    files.writes.clear();
    EXPECT_TRUE(editor.SaveSnapshot());
    return files.files.at(kGame);
  }
};

class EditorRecoveryTest : public ::testing::Test {
 protected:
  EditorRecoveryTest() { files.files[kGame] = DemoFile(); }

  // The side file the crashed run left, as the window writes it.
  std::vector<std::uint8_t> CrashedRunRecord() {
    crashed.LoadAndEdit();
    return EncodeRecoveryRecord(crashed.editor.RecoveryState(kNow - 60));
  }

  MemoryFiles files;
  EditorRun crashed{files};
  EditorRun next{files};
  MemoryRecoveryStore store;
};

TEST_F(EditorRecoveryTest, RestoreBringsBackTheWorkAsModified) {
  store.orphans["a"] = CrashedRunRecord();
  next.ui.restoreAnswers.push_back(RestoreAnswer::Restore);
  EXPECT_TRUE(next.editor.OfferRecovery(store, kNow));

  ASSERT_EQ(next.ui.RestoreQuestions().size(), 1u);
  const ScriptedUi::Question question = next.ui.RestoreQuestions()[0];
  EXPECT_EQ(question.title, "Restore Unsaved Changes");
  EXPECT_NE(question.text.find(kGame), std::string::npos) << question.text;
  EXPECT_NE(question.text.find(RecoveryTimeText(kNow - 60)), std::string::npos) << question.text;

  const Editor& restored = next.editor;
  EXPECT_TRUE(restored.IsModified());
  EXPECT_EQ(restored.View().caption, crashed.editor.View().caption);
  EXPECT_TRUE(restored.View().modified);
  EXPECT_EQ(restored.SnapshotPath(), kGame);
  EXPECT_EQ(restored.Place(), crashed.editor.Place());
  EXPECT_EQ(restored.View().scrollPosition, crashed.editor.View().scrollPosition);
  EXPECT_EQ(testing::OutsideTheScreen(restored.Image().Bytes()),
            testing::OutsideTheScreen(crashed.editor.Image().Bytes()));
  EXPECT_EQ(restored.MapView().Pixels(), crashed.editor.MapView().Pixels());
  // The file is untouched until the person saves; then it is what the
  // crashed run would have saved.
  EXPECT_EQ(files.files.at(kGame), DemoFile());
  EXPECT_EQ(next.Saved(), crashed.Saved());
  EXPECT_FALSE(restored.IsModified());
  // The work went into this editor's own side file before the old one went.
  EXPECT_TRUE(store.ownWritten);
  EXPECT_EQ(store.discarded, std::vector<std::string>{"a"});
}

TEST_F(EditorRecoveryTest, DiscardAndLaterLeaveTheEditorAsItWas) {
  const std::vector<std::uint8_t> record = CrashedRunRecord();
  for (const RestoreAnswer answer : {RestoreAnswer::Later, RestoreAnswer::Discard}) {
    MemoryRecoveryStore orphaned;
    orphaned.orphans["a"] = record;
    EditorRun run{files};
    run.ui.restoreAnswers.push_back(answer);
    EXPECT_FALSE(run.editor.OfferRecovery(orphaned, kNow));
    EXPECT_FALSE(run.editor.HasSnapshot());
    EXPECT_EQ(orphaned.orphans.size(), answer == RestoreAnswer::Later ? 1u : 0u);
    EXPECT_EQ(orphaned.released.size(), answer == RestoreAnswer::Later ? 1u : 0u);
    EXPECT_FALSE(orphaned.ownWritten);
  }
}

TEST_F(EditorRecoveryTest, OnlyOneWorkIsRestoredAStartTheOthersWait) {
  const std::vector<std::uint8_t> record = CrashedRunRecord();
  store.orphans["a"] = record;
  store.orphans["b"] = record;
  next.ui.restoreAnswers = {RestoreAnswer::Restore, RestoreAnswer::Restore};
  EXPECT_TRUE(next.editor.OfferRecovery(store, kNow));
  EXPECT_EQ(next.ui.RestoreQuestions().size(), 1u);
  EXPECT_EQ(store.discarded, std::vector<std::string>{"a"});
  EXPECT_EQ(store.released, std::vector<std::string>{"b"});
}

TEST_F(EditorRecoveryTest, OldSideFileStaysWhenTheNewOneCannotBeWritten) {
  store.orphans["a"] = CrashedRunRecord();
  store.ownUnwritable = true;
  next.ui.restoreAnswers.push_back(RestoreAnswer::Restore);
  EXPECT_TRUE(next.editor.OfferRecovery(store, kNow));
  EXPECT_TRUE(store.discarded.empty());
  EXPECT_EQ(store.released, std::vector<std::string>{"a"});
}

// A side file that cannot be used (damaged, or holding no game) is set aside
// with a message naming where it is kept, without a question; nothing of it
// reaches the editor.
TEST_F(EditorRecoveryTest, UnusableSideFilesAreSetAsideNeverLoaded) {
  std::vector<std::uint8_t> cut = CrashedRunRecord();
  cut.resize(cut.size() - 1000);
  RecoveryRecord notAGame = crashed.editor.RecoveryState(kNow);
  notAGame.image.assign(kSnapshotSize48K, 0);
  store.orphans["cut"] = cut;
  store.orphans["not-a-game"] = EncodeRecoveryRecord(notAGame);
  next.ui.restoreAnswers.push_back(RestoreAnswer::Restore);

  EXPECT_FALSE(next.editor.OfferRecovery(store, kNow));
  EXPECT_FALSE(next.editor.HasSnapshot());
  EXPECT_TRUE(next.ui.RestoreQuestions().empty());
  EXPECT_EQ(store.setAside, (std::vector<std::string>{"cut", "not-a-game"}));
  ASSERT_EQ(next.ui.Messages().size(), 2u);
  EXPECT_EQ(next.ui.Messages()[0].title, "Restore Unsaved Changes");
  EXPECT_EQ(next.ui.Messages()[0].icon, MessageIcon::Error);
  EXPECT_NE(next.ui.Messages()[0].text.find("checksum"), std::string::npos) << next.ui.Messages()[0].text;
  EXPECT_NE(next.ui.Messages()[0].text.find("/state/cut.damaged"), std::string::npos);
  EXPECT_NE(next.ui.Messages()[1].text.find("no Kestrova game"), std::string::npos) << next.ui.Messages()[1].text;
  EXPECT_FALSE(store.ownWritten);
}

}  // namespace
}  // namespace kestrova
