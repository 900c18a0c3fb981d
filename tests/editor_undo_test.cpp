// Undo, redo and unsaved changes through the Editor: random edit sequences
// on the demo checked against a model of every state, the step names, drags,
// refused edits, the history's bound, saving and the save question.
#include <gtest/gtest.h>

#include <functional>

#include "demo/demo_game.h"
#include "edit/insertion.h"
#include "level/game_settings.h"
#include "render/screen_tables.h"
#include "support/editor_state_access.h"
#include "support/random_edits.h"
#include "support/snapshot_fixtures.h"

namespace kestrova {
namespace {

using testing::Bytes;
using testing::EditFixture;
using testing::Stream;
using Question = testing::ScriptedUi::Question;

using testing::OutsideTheScreen;
Bytes OutsideTheScreen(const Editor& editor) { return OutsideTheScreen(editor.Image().Bytes()); }

StepPlace PlaceOf(const Editor& editor) {
  const LevelPlace& s = editor.Place();
  return {s.levelStart, s.levelEnd, s.bytesFree, s.currentLevelIndex, s.scrollOffset, editor.View().scrollPosition};
}

::testing::AssertionResult ShowsPlace(const Editor& editor, const StepPlace& place) {
  const StepPlace now = PlaceOf(editor);
  if (!(now == place))
    return ::testing::AssertionFailure() << "level " << now.levelIndex << " (" << std::hex << now.levelStart << "-"
                                         << now.levelEnd << std::dec << "), " << now.bytesFree << " free, scroll "
                                         << now.scrollOffset << "/" << now.scrollPosition << "; expected level "
                                         << place.levelIndex << " (" << std::hex << place.levelStart << "-"
                                         << place.levelEnd << std::dec << "), " << place.bytesFree << " free, scroll "
                                         << place.scrollOffset << "/" << place.scrollPosition;
  const ViewState& view = editor.View();
  if (view.chooserIndex != place.levelIndex ||
      view.chooserText != view.chooserEntries[static_cast<std::size_t>(place.levelIndex)])
    return ::testing::AssertionFailure() << "the chooser does not show level " << place.levelIndex + 1;
  return ::testing::AssertionSuccess();
}

// The random edit sequences with whole drags (press, moves, release) and
// undo and redo at random, each action checked against the states the
// history must be able to go back and forth between.
class UndoEdits : public testing::RandomEdits {
 public:
  explicit UndoEdits(unsigned seed) : RandomEdits(seed) {}

  void Start(const Bytes& demo) {
    Load(demo);
    images = {OutsideTheScreen(f.editor)};
  }

  std::vector<Bytes> images;             // images[p]: after p steps
  std::vector<StepPlace> before, after;  // the place before and after step p + 1
  std::vector<std::string> names;
  std::size_t at = 0;  // steps done
  int undos = 0, redos = 0, drags = 0;

  ::testing::AssertionResult Act(const std::set<std::uint32_t>& changeable) {
    const Bytes was(f.editor.Image().Bytes().begin(), f.editor.Image().Bytes().end());
    const StepPlace place = PlaceOf(f.editor);
    const std::string redoName = f.editor.RedoName();
    took_ = Took::Edit;
    const std::string what = Step();
    ::testing::AssertionResult whole = Check(was, changeable);
    if (!whole) return whole << " after " << what;
    if (took_ == Took::Edit) {
      const Bytes now = OutsideTheScreen(f.editor);
      if (now == images[at]) {
        // Nothing changed: no step, and the redo tail is kept.
        if (f.editor.History().DoneCount() != at || f.editor.RedoName() != redoName)
          return ::testing::AssertionFailure() << "a step for an edit that changed nothing: " << what;
        return ::testing::AssertionSuccess();
      }
      images.resize(at + 1);
      before.resize(at);
      after.resize(at);
      names.resize(at);
      images.push_back(now);
      before.push_back(place);
      after.push_back(PlaceOf(f.editor));
      names.push_back(f.editor.UndoName());
      ++at;
      if (f.editor.History().DoneCount() != at || f.editor.CanRedo())
        return ::testing::AssertionFailure() << "not one new step for " << what;
      return ::testing::AssertionSuccess();
    }
    return Matches(what);
  }

  // The image and place the history should show now.
  ::testing::AssertionResult Matches(const std::string& what) const {
    if (f.editor.History().DoneCount() != at)
      return ::testing::AssertionFailure() << "steps done differ after " << what;
    if (OutsideTheScreen(f.editor) != images[at])
      return ::testing::AssertionFailure() << "the image is not the one after " << at << " steps, after " << what;
    return ShowsPlace(f.editor, took_ == Took::Undo ? before[at] : after[at - 1]) << " after " << what;
  }

 protected:
  bool OwnStep(std::ostringstream& what) override {
    const int roll = Uniform(0, 99);
    if (roll < 9) {
      what << "undo";
      if (at > 0 && f.editor.UndoName() != names[at - 1]) ADD_FAILURE() << "undo name " << f.editor.UndoName();
      f.editor.Undo();
      if (at > 0) {
        --at;
        ++undos;
        took_ = Took::Undo;
      }
      return true;
    }
    if (roll < 13 || (roll < 40 && at + 1 < images.size())) {
      what << "redo";
      f.editor.Redo();
      if (at + 1 < images.size()) {
        ++at;
        ++redos;
        took_ = Took::Redo;
      }
      return true;
    }
    if (roll < 20) {
      what << "whole drag";
      WholeDrag(what);
      return true;
    }
    return false;
  }

 private:
  enum class Took { Edit, Undo, Redo };
  Took took_ = Took::Edit;

  void WholeDrag(std::ostringstream& what) {
    if (!PaintAndPress(MouseButton::Left, what)) return;
    for (int n = f.editor.Pointer().dragFlag ? Uniform(1, 12) : 0; n > 0; --n)
      f.editor.MovePointerOverMap(Uniform(-40, 551), Uniform(-60, 443));
    f.editor.ReleaseMap(MouseButton::Left);
    ++drags;
  }
};

TEST(EditorUndo, RandomEditsUndoToTheLoadedImageAndRedoToTheEditedOne) {
  const Bytes demo = testing::ReadFile(testing::kDemo);
  ASSERT_GE(demo.size(), kSnapshotSize48K) << testing::kDemo;
  const std::set<std::uint32_t> changeable = testing::ChangeableOutsideTheArea();
  int steps = 0, undos = 0, redos = 0, drags = 0;
  for (unsigned seed : {11u, 12u, 13u, 14u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    UndoEdits run(seed);
    run.Start(demo);
    ASSERT_EQ(run.images[0], OutsideTheScreen(demo));
    for (int action = 0; action < 250; ++action) ASSERT_TRUE(run.Act(changeable)) << "action " << action;
    ASSERT_LT(run.f.editor.History().StepCount(), run.f.editor.History().Limits().steps);

    // Every step back to the loaded image, then every step again.
    const std::size_t done = run.at;
    while (run.at > 0) {
      ASSERT_EQ(run.f.editor.UndoName(), run.names[run.at - 1]);
      run.f.editor.Undo();
      --run.at;
      ASSERT_EQ(OutsideTheScreen(run.f.editor), run.images[run.at]) << "undoing step " << run.at + 1;
      ASSERT_TRUE(ShowsPlace(run.f.editor, run.before[run.at])) << "undoing step " << run.at + 1;
    }
    EXPECT_FALSE(run.f.editor.CanUndo());
    EXPECT_EQ(OutsideTheScreen(run.f.editor), OutsideTheScreen(demo));
    EXPECT_FALSE(run.f.editor.IsModified());
    ASSERT_TRUE(run.Check(demo, changeable));
    while (run.at < run.images.size() - 1) {
      run.f.editor.Redo();
      ++run.at;
      ASSERT_EQ(OutsideTheScreen(run.f.editor), run.images[run.at]) << "redoing step " << run.at;
      ASSERT_TRUE(ShowsPlace(run.f.editor, run.after[run.at - 1])) << "redoing step " << run.at;
    }
    EXPECT_FALSE(run.f.editor.CanRedo());
    EXPECT_EQ(run.f.editor.IsModified(), run.images.size() > 1);
    steps += static_cast<int>(done);
    undos += run.undos;
    redos += run.redos;
    drags += run.drags;
  }
  std::printf("%d steps kept, %d undos, %d redos, %d whole drags\n", steps, undos, redos, drags);
  EXPECT_GT(undos, 50);
  EXPECT_GT(redos, 20);
  EXPECT_GT(drags, 50);
}

// A level of land-space bands: the boulder at 0x9238 (column 10, rows
// 170-191) and a tree at 0x923C (column 5) in the two lowest bands, more
// bands above, on the demo game so that the map is drawn with its graphics.
const Bytes kBands = Stream({{0x22, 0x00, 0x87, 0x0A, 0x00, 0x1D, 0x83, 0x05, 0x00, 0x1D, 0x05, 0x00, 0x00, 0x1D},
                             {0x0F, 0x02, 0x00, 0x1D, 0x00, 0x1D, 0x00, 0x1D, 0x00, 0x1D, 0x22, 0x01, 0xFF}});
constexpr int X(int column) { return 16 * column + 6; }
constexpr int Y(int row) { return 2 * row; }

// An editor that has just loaded a level of kBands.
class UndoSession {
 public:
  UndoSession() {
    SnapshotImage image = MakeDemoSnapshot(DemoMachine::Spectrum48K);
    for (std::uint32_t a = kLevelAreaStart; a <= kLevelAreaLast; ++a) image.Write(a, testing::kFreeFiller);
    for (std::size_t i = 0; i < kBands.size(); ++i)
      image.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), kBands[i]);
    f.LoadImage(std::move(image));
    loaded = OutsideTheScreen(editor);
    loadedPlace = PlaceOf(editor);
  }

  // Right-press on a tile and run the popup item found by its captions
  // (a path through the submenus).
  void Run(std::uint32_t tile, std::uint32_t owner, const std::vector<std::string>& path) {
    f.PressOn(MouseButton::Right, tile, owner, owner);
    const std::vector<MenuItem>* items = &editor.Popup();
    for (std::size_t depth = 0; depth < path.size(); ++depth) {
      auto item =
          std::find_if(items->begin(), items->end(), [&](const MenuItem& i) { return i.caption == path[depth]; });
      ASSERT_NE(item, items->end()) << path[depth];
      if (depth + 1 == path.size()) {
        editor.RunMenuCommand(*item);
        return;
      }
      items = &item->children;
    }
  }

  EditFixture f;
  Editor& editor = f.editor;
  Bytes loaded;
  StepPlace loadedPlace;
};

class EditorUndoTest : public ::testing::Test {
 protected:
  UndoSession s;
  Editor& editor = s.editor;
  EditFixture& f = s.f;
};

struct NamedCase {
  const char* name;
  std::function<void(UndoSession&)> run;
};

TEST(EditorUndo, EveryKindOfEditIsOneStepNamedAfterItsCommand) {
  const NamedCase cases[] = {
      {"Delete Tree", [](UndoSession& t) { t.Run(131, 0x923C, {"Delete Tree"}); }},
      {"Change Column",
       [](UndoSession& t) {
         t.f.ui.inputAnswers = {"12"};
         t.Run(131, 0x923C, {"Change Column"});
       }},
      {"Ink Bright",
       [](UndoSession& t) {
         t.Run(131, 0x923C, {"Attribute", "Ink", "Bright"});
       }},
      {"Delete Land Space", [](UndoSession& t) { t.Run(0, 0x923A, {"Delete Land Space"}); }},
      {"Change Distance",
       [](UndoSession& t) {
         t.f.ui.inputAnswers = {"40"};
         t.Run(0, 0x923A, {"Change Distance"});
       }},
      {"Insert Cave Main With Space",
       [](UndoSession& t) {
         t.Run(0, 0x923A, {"Insert", "Cave", "Cave Main", "Cave Main With Space"});
       }},
      {"Insert Tree",  // a palette drop
       [](UndoSession& t) {
         testing::WritableState(t.editor).pointer.recordUnderPointer = 0x923A;
         t.editor.InsertObject(1);
       }},
      {"Move Boulder",
       [](UndoSession& t) {
         t.editor.MovePointerOverMap(X(10), Y(180));
         t.editor.PressMap(MouseButton::Left, X(10), Y(180));
         t.editor.MovePointerOverMap(X(20), Y(180));
         t.editor.ReleaseMap(MouseButton::Left);
       }},
      {"Wipe Level(s)", [](UndoSession& t) { t.editor.WipeLevels(); }},
      {"Spawn",
       [](UndoSession& t) {
         t.f.ui.inputAnswers = {"3", "4"};
         t.editor.Spawn();
       }},
      {"Lives",
       [](UndoSession& t) {
         t.f.ui.inputAnswers = {std::to_string(t.f.At(kStartingLives) % 8 + 1)};
         t.editor.Lives();
       }},
      {"Delay",
       [](UndoSession& t) {
         t.f.ui.inputAnswers = {std::to_string(t.f.At(kEnemyDelay) % 255 + 1)};
         t.editor.Delay();
       }},
      {"Fortress Byte", [](UndoSession& t) { t.editor.ClickFortressByte((t.f.At(kFortressByte) + 1) % 16); }},
  };
  for (const NamedCase& c : cases) {
    SCOPED_TRACE(c.name);
    UndoSession s;
    Editor& editor = s.editor;
    EditFixture& f = s.f;
    c.run(s);
    ASSERT_EQ(editor.History().StepCount(), 1u);
    EXPECT_EQ(editor.UndoName(), c.name);
    EXPECT_TRUE(editor.IsModified());
    const Bytes edited = OutsideTheScreen(editor);
    ASSERT_NE(edited, s.loaded);
    editor.Undo();
    EXPECT_EQ(OutsideTheScreen(editor), s.loaded);
    EXPECT_TRUE(ShowsPlace(editor, s.loadedPlace));
    EXPECT_EQ(editor.View().fortressByte, f.At(kFortressByte));
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(editor.UndoName(), "");
    EXPECT_EQ(editor.RedoName(), c.name);
    editor.Redo();
    EXPECT_EQ(OutsideTheScreen(editor), edited);
    EXPECT_EQ(editor.View().fortressByte, f.At(kFortressByte));
    EXPECT_EQ(editor.RedoName(), "");
  }
}

TEST_F(EditorUndoTest, GroupDeletesAreStepsNamedAfterTheirItems) {
  const Bytes fortress = {0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x16, 0x22, 0x01};
  const Bytes tunnel = {0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x0C, 0x08, 0x1F};
  const Bytes crossing = {0x98, 0x08, 0x00, 0x02, 0x0D, 0x10, 0x00, 0x19, 0x19, 0x10, 0x00, 0x05, 0x0E, 0x10};
  f.LoadStream(Stream({{0x83, 0x05}, crossing, tunnel, fortress, {0x83, 0x09, 0x22, 0x01, 0xFF}}));
  const Bytes start = OutsideTheScreen(editor);
  s.Run(152, 0x9238, {"Delete River Crossing"});
  EXPECT_EQ(editor.UndoName(), "Delete River Crossing");
  s.Run(115, 0x923C, {"Delete Tunnel"});
  EXPECT_EQ(editor.UndoName(), "Delete Tunnel");
  s.Run(33, 0x923C, {"Delete Fortress"});
  EXPECT_EQ(editor.UndoName(), "Delete Fortress");
  EXPECT_EQ(f.Bytes(0x9236, 7), (Bytes{0x83, 0x05, 0x83, 0x09, 0x22, 0x01, 0xFF}));
  ASSERT_EQ(editor.History().StepCount(), 3u);
  for (int i = 0; i < 3; ++i) editor.Undo();
  EXPECT_EQ(OutsideTheScreen(editor), start);
  EXPECT_EQ(editor.View().chooserEntries.size(), 2u);
}

TEST_F(EditorUndoTest, AWholeDragIsOneStepAndItsUndoPutsTheViewBack) {
  editor.MovePointerOverMap(X(10), Y(180));
  editor.PressMap(MouseButton::Left, X(10), Y(180));
  ASSERT_TRUE(editor.Pointer().dragFlag);
  // Sideways, up into the next band, and past the top edge, which scrolls.
  editor.MovePointerOverMap(X(15), Y(180));
  editor.MovePointerOverMap(X(20), Y(180));
  editor.MovePointerOverMap(X(20), Y(100));
  for (int y = -2; y > -40; y -= 4) editor.MovePointerOverMap(X(20), y);
  const Bytes dragged = OutsideTheScreen(editor);
  ASSERT_NE(dragged, s.loaded);
  ASSERT_NE(editor.Place().scrollOffset, 0);
  EXPECT_FALSE(editor.CanUndo());  // the step ends with the release
  editor.ReleaseMap(MouseButton::Left);
  ASSERT_EQ(editor.History().StepCount(), 1u);
  EXPECT_EQ(editor.UndoName(), "Move Boulder");
  const StepPlace released = PlaceOf(editor);
  editor.Undo();
  EXPECT_EQ(OutsideTheScreen(editor), s.loaded);
  EXPECT_TRUE(ShowsPlace(editor, s.loadedPlace));
  editor.Redo();
  EXPECT_EQ(OutsideTheScreen(editor), dragged);
  EXPECT_TRUE(ShowsPlace(editor, released));
}

TEST_F(EditorUndoTest, UndoWhileADragIsHeldEndsTheDrag) {
  editor.MovePointerOverMap(X(10), Y(180));
  editor.PressMap(MouseButton::Left, X(10), Y(180));
  editor.MovePointerOverMap(X(20), Y(180));
  ASSERT_NE(OutsideTheScreen(editor), s.loaded);
  editor.Undo();
  EXPECT_EQ(OutsideTheScreen(editor), s.loaded);
  EXPECT_FALSE(editor.Pointer().dragFlag);
  // The pointer goes on moving and the button comes up: nothing moves.
  editor.MovePointerOverMap(X(25), Y(180));
  editor.ReleaseMap(MouseButton::Left);
  EXPECT_EQ(OutsideTheScreen(editor), s.loaded);
  EXPECT_EQ(editor.RedoName(), "Move Boulder");
}

TEST(EditorUndo, ARefusedEditIsNoStep) {
  const NamedCase cases[] = {
      {"the same column",
       [](UndoSession& t) {
         t.f.ui.inputAnswers = {"5"};
         t.Run(131, 0x923C, {"Change Column"});
       }},
      {"the same lives",
       [](UndoSession& t) {
         const int lives = t.f.At(kStartingLives);
         t.f.ui.inputAnswers = {std::to_string(lives)};
         if (lives >= 1 && lives <= 8) t.editor.Lives();
       }},
      {"the same fortress byte", [](UndoSession& t) { t.editor.ClickFortressByte(t.f.At(kFortressByte)); }},
      {"a fortress byte out of range", [](UndoSession& t) { t.editor.ClickFortressByte(16); }},
      {"an insertion outside the level",
       [](UndoSession& t) {
         testing::WritableState(t.editor).pointer.recordUnderPointer = 0x9300;
         t.editor.InsertObject(1);
       }},
      {"a wipe after the last level",
       [](UndoSession& t) {
         t.editor.ClickWipeAllAfter();
         t.editor.WipeLevels();
       }},
      {"a drag that goes nowhere",
       [](UndoSession& t) {
         t.editor.PressMap(MouseButton::Left, X(10), Y(180));
         t.editor.MovePointerOverMap(X(10), Y(182));
         t.editor.ReleaseMap(MouseButton::Left);
       }},
      {"a popup opened and left", [](UndoSession& t) { t.f.PressOn(MouseButton::Right, 131, 0x923C); }},
      {"scrolling and another level",
       [](UndoSession& t) {
         t.editor.ScrollTo(10);
         t.editor.ChooseLevel(0);
       }},
  };
  for (const NamedCase& c : cases) {
    SCOPED_TRACE(c.name);
    UndoSession s;
    Editor& editor = s.editor;
    c.run(s);
    EXPECT_EQ(OutsideTheScreen(editor), s.loaded);
    EXPECT_FALSE(editor.CanUndo());
    EXPECT_FALSE(editor.IsModified());
  }
}

TEST_F(EditorUndoTest, ANewStepAfterAnUndoDropsTheRedoTail) {
  editor.ClickFortressByte(1);
  editor.ClickFortressByte(2);
  editor.Undo();
  ASSERT_TRUE(editor.CanRedo());
  f.ui.inputAnswers = {std::to_string(f.At(kStartingLives) % 8 + 1)};
  editor.Lives();
  EXPECT_FALSE(editor.CanRedo());
  EXPECT_EQ(editor.UndoName(), "Lives");
  editor.Undo();
  EXPECT_EQ(editor.RedoName(), "Lives");
  EXPECT_EQ(f.At(kFortressByte), 1);
}

TEST_F(EditorUndoTest, TheHistoryStaysWithinItsBoundOverTenThousandSteps) {
  const HistoryLimits& limits = editor.History().Limits();
  std::vector<int> values;
  std::size_t most = 0;
  for (int step = 0; step < 10000; ++step) {
    values.push_back(step % 15 + 1);  // never the value before it
    editor.ClickFortressByte(values.back());
    most = std::max(most, editor.History().MemoryBytes());
    ASSERT_LE(editor.History().StepCount(), limits.steps);
  }
  EXPECT_LE(most, editor.Image().Size() + limits.bytes);
  ASSERT_EQ(editor.History().StepCount(), limits.steps);
  for (std::size_t n = 0; n < limits.steps; ++n) editor.Undo();
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_EQ(f.At(kFortressByte), values[values.size() - limits.steps - 1]);
  EXPECT_EQ(editor.View().fortressByte, f.At(kFortressByte));
  EXPECT_TRUE(editor.IsModified());  // the s.loaded image is out of reach
}

// ---- Saving and the question before changes are lost ----

TEST_F(EditorUndoTest, ModifiedFollowsTheLastSaveThroughUndoAndRedo) {
  EXPECT_FALSE(editor.IsModified());
  EXPECT_EQ(editor.SnapshotPath(), EditFixture::kPath);
  editor.ClickFortressByte(7);
  EXPECT_TRUE(editor.IsModified());
  f.ui.fileAnswers = {"/out/edited.sna"};
  EXPECT_TRUE(editor.SaveSnapshotAs());
  EXPECT_FALSE(editor.IsModified());
  EXPECT_EQ(editor.SnapshotPath(), "/out/edited.sna");
  editor.Undo();
  EXPECT_TRUE(editor.IsModified());
  editor.Redo();
  EXPECT_FALSE(editor.IsModified());
  // Back at the save: the file holds what the image holds.
  EXPECT_EQ(OutsideTheScreen(f.files.files["/out/edited.sna"]), OutsideTheScreen(editor));
  // An edit after the save and its undo bring back the saved bytes too.
  editor.ClickFortressByte(8);
  editor.Undo();
  EXPECT_FALSE(editor.IsModified());
  EXPECT_EQ(OutsideTheScreen(f.files.files["/out/edited.sna"]), OutsideTheScreen(editor));
}

// What the window copies: the caption, the modified mark and the "Edit" menu.
TEST_F(EditorUndoTest, TheViewCarriesTheCaptionAndTheEditMenu) {
  struct Shown {
    std::string caption;
    bool modified;
    bool canUndo;
    std::string undoText;
    bool canRedo;
    std::string redoText;
  };
  const auto expectShows = [&](const Shown& shown) {
    const ViewState& view = editor.View();
    EXPECT_EQ(view.caption, shown.caption);
    EXPECT_EQ(view.modified, shown.modified);
    EXPECT_EQ(view.modified, editor.IsModified());
    EXPECT_TRUE(view.editMenuVisible);
    EXPECT_EQ(view.canUndo, shown.canUndo);
    EXPECT_EQ(view.undoText, shown.undoText);
    EXPECT_EQ(view.canRedo, shown.canRedo);
    EXPECT_EQ(view.redoText, shown.redoText);
  };
  const std::string loaded = "level.sna[*] - Xev Kestrova Editor";
  expectShows({loaded, false, false, "Undo", false, "Redo"});
  editor.ClickFortressByte(7);
  expectShows({loaded, true, true, "Undo Fortress Byte", false, "Redo"});
  editor.Undo();
  expectShows({loaded, false, false, "Undo", true, "Redo Fortress Byte"});
  editor.Redo();
  // A name is cut at the file system's '/' only: a backslash belongs to the name.
  f.ui.fileAnswers = {"/out/my\\edited.sna"};
  ASSERT_TRUE(editor.SaveSnapshotAs());
  expectShows({"my\\edited.sna[*] - Xev Kestrova Editor", false, true, "Undo Fortress Byte", false, "Redo"});
  // Undone past the save; a refused step records nothing.
  editor.Undo();
  editor.ClickFortressByte(99);
  expectShows({"my\\edited.sna[*] - Xev Kestrova Editor", true, false, "Undo", true, "Redo Fortress Byte"});
}

TEST(EditorUndo, BeforeALoadTheCaptionIsTheProgramsAndTheEditMenuHidden) {
  testing::ScriptedUi ui;
  testing::MemoryFiles files;
  const Editor editor{ui, files};
  const ViewState& view = editor.View();
  EXPECT_EQ(view.caption, "Xev Kestrova Editor");
  EXPECT_FALSE(view.editMenuVisible || view.modified || view.canUndo || view.canRedo);
  EXPECT_EQ(view.undoText, "Undo");
  EXPECT_EQ(view.redoText, "Redo");
}

TEST(EditorUndo, ASaveThatWritesNothingSaysSoAndLeavesTheImageModified) {
  const NamedCase cases[] = {
      {"dialog cancelled", [](UndoSession&) {}},
      {"another extension", [](UndoSession& t) { t.f.ui.fileAnswers = {"/out/edited.txt"}; }},
      {"overwrite declined",
       [](UndoSession& t) {
         t.f.files.files["/out/edited.sna"] = {1};
         t.f.ui.fileAnswers = {"/out/edited.sna"};
         t.f.ui.messageAnswers = {MessageAnswer::Cancel};
       }},
      {"write failed",
       [](UndoSession& t) {
         t.f.files.unwritable.insert("/out/edited.sna");
         t.f.ui.fileAnswers = {"/out/edited.sna"};
       }},
  };
  for (const NamedCase& c : cases) {
    SCOPED_TRACE(c.name);
    UndoSession s;
    Editor& editor = s.editor;
    editor.ClickFortressByte(7);
    c.run(s);
    EXPECT_FALSE(editor.SaveSnapshotAs());
    EXPECT_TRUE(editor.IsModified());
    EXPECT_EQ(editor.SnapshotPath(), EditFixture::kPath);
  }
}

TEST_F(EditorUndoTest, MaybeSaveAsksOnlyWithUnsavedChanges) {
  EXPECT_TRUE(editor.MaybeSave());
  EXPECT_TRUE(f.ui.questions.empty());

  editor.ClickFortressByte(7);
  EXPECT_FALSE(editor.MaybeSave());  // unanswered: Cancel
  const auto asked = f.ui.SaveChangesQuestions();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, "Save the changes to \"level.sna\"?");
  EXPECT_EQ(asked[0].title, "Unsaved Changes");
  EXPECT_TRUE(f.files.writes.empty());

  f.ui.saveChangesAnswers = {SaveChangesAnswer::Discard};
  EXPECT_TRUE(editor.MaybeSave());
  EXPECT_TRUE(f.files.writes.empty());

  // Save, but the write fails: nothing may close.
  const std::vector<std::uint8_t> original = f.files.files[EditFixture::kPath];
  f.files.unwritable.insert(EditFixture::kPath);
  f.ui.saveChangesAnswers = {SaveChangesAnswer::Save};
  EXPECT_FALSE(editor.MaybeSave());
  EXPECT_TRUE(editor.IsModified());
  EXPECT_EQ(f.files.files[EditFixture::kPath], original);
  f.files.unwritable.clear();

  // Save writes straight to the file loaded, with no dialog.
  f.ui.questions.clear();
  f.ui.saveChangesAnswers = {SaveChangesAnswer::Save};
  EXPECT_TRUE(editor.MaybeSave());
  ASSERT_EQ(f.ui.questions.size(), 1u);
  EXPECT_EQ(f.ui.questions[0].kind, Question::Kind::SaveChanges);
  EXPECT_EQ(f.files.writes, std::vector<std::string>{EditFixture::kPath});
  EXPECT_EQ(f.files.files[EditFixture::kPath][ImageOffsetOf(kFortressByte)], 7);
  EXPECT_FALSE(editor.IsModified());
}

// "Load Snapshot" as the window runs it: the question first, then the load.
TEST_F(EditorUndoTest, ALoadAfterTheQuestionStartsAnEmptyHistory) {
  auto load = [this] {
    if (editor.MaybeSave()) editor.LoadSnapshot();
  };
  f.files.files["/in/other.sna"] = f.files.files[EditFixture::kPath];
  editor.ClickFortressByte(7);
  const Bytes edited = OutsideTheScreen(editor);

  // Cancel: no file dialog, nothing replaced.
  f.ui.questions.clear();
  load();
  ASSERT_EQ(f.ui.questions.size(), 1u);
  EXPECT_EQ(f.ui.questions[0].kind, Question::Kind::SaveChanges);
  EXPECT_EQ(OutsideTheScreen(editor), edited);
  EXPECT_TRUE(editor.CanUndo());

  // Discard, then a file that cannot be read: the editor stays as it was.
  f.files.unreadable.insert("/in/broken.sna");
  f.ui.saveChangesAnswers = {SaveChangesAnswer::Discard};
  f.ui.fileAnswers = {"/in/broken.sna"};
  load();
  EXPECT_EQ(OutsideTheScreen(editor), edited);
  EXPECT_TRUE(editor.CanUndo());
  EXPECT_TRUE(editor.IsModified());

  // Save (straight to the file loaded), then the load: a new, empty history.
  f.ui.questions.clear();
  f.ui.saveChangesAnswers = {SaveChangesAnswer::Save};
  f.ui.fileAnswers = {"/in/other.sna"};
  load();
  ASSERT_EQ(f.ui.questions.size(), 2u);
  EXPECT_EQ(f.ui.questions[1].kind, Question::Kind::OpenFile);
  EXPECT_EQ(f.files.files[EditFixture::kPath][ImageOffsetOf(kFortressByte)], 7);
  EXPECT_EQ(OutsideTheScreen(editor), s.loaded);
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(editor.IsModified());
  EXPECT_EQ(editor.SnapshotPath(), "/in/other.sna");
}

}  // namespace
}  // namespace kestrova
