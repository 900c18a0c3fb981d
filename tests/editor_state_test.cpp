#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "editor/editor.h"
#include "level/level_table.h"
#include "render/palette_colours.h"
#include "support/editor_state_access.h"
#include "support/memory_files.h"
#include "support/scripted_ui.h"
#include "support/snapshot_fixtures.h"

namespace kestrova {
namespace {

// Level 1: tree, end (0x9238). Level 2 (0x923A): land space of 8 rows, tree,
// end (0x923E). Level 3 (0x9240): land space, end (0x9242). Marker at 0x9244.
const std::vector<std::uint8_t> kThreeLevels = {0x83, 0x05, 0x22, 0x01, 0x00, 0x03, 0x83, 0x09,
                                                0x22, 0x01, 0x00, 0x01, 0x22, 0x01, 0xFF};

class EditorStateTest : public ::testing::Test {
 protected:
  // What a good load leaves behind, without the loader: the image, level 1,
  // bytes free, the rebuilt levels.
  void Start(const std::vector<std::uint8_t>& stream) {
    SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
    for (std::size_t i = 0; i < stream.size(); ++i)
      image.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), stream[i]);
    editor.Image() = std::move(image);
    const auto load = CountFreeBytesAndFindLevelOne(editor.Image());
    ASSERT_TRUE(load);
    EditorState& state = testing::WritableState(editor);
    state.place.bytesFree = load->bytesFree;
    state.place.levelStart = load->levelStart;
    state.place.levelEnd = load->levelEnd;
    state.place.savedScrollOffset = 0;
    editor.RebuildLevels();
  }

  // Opens a gap of two bytes at p, as the insertion does, and writes a record.
  void InsertRecord(std::uint32_t p, std::uint8_t code, std::uint8_t operand) {
    SnapshotImage& image = editor.Image();
    for (std::uint32_t a = kLevelAreaLast; a >= p + 2; --a) image.Write(a, image.Read(a - 2));
    image.Write(p, code);
    image.Write(p + 1, operand);
  }

  // Closes the two bytes at p, as the delete does.
  void RemoveRecord(std::uint32_t p) {
    SnapshotImage& image = editor.Image();
    for (std::uint32_t a = p; a + 2 <= kLevelAreaLast + 2; ++a) image.Write(a, image.Read(a + 2));
  }

  std::int32_t Span() const {
    return editor.Place().bytesFree + static_cast<std::int32_t>(editor.Place().levelEnd - editor.Place().levelStart);
  }

  testing::ScriptedUi ui;
  testing::MemoryFiles files;
  Editor editor{ui, files};
};

TEST_F(EditorStateTest, WindowCreationShowsOnlyTheTitleAndTheFileMenu) {
  const ViewState& view = editor.View();
  EXPECT_FALSE(editor.HasSnapshot());
  EXPECT_EQ(view.visible, LayoutOf(WindowState::NoSnapshot).visible);
  EXPECT_EQ(view.windowWidth, 506);
  EXPECT_EQ(view.windowHeight, 352);
  const ControlVisibility& v = view.visible;
  EXPECT_TRUE(v.titlePicture);
  for (bool shown : {v.levelChooser, v.showLandSpace, v.bytesFreeCaption, v.fortressCaption, v.fortressByte,
                     v.levelScroll, v.statusBar, v.palette, v.mapView, v.overview, v.dragPicture, v.wipeButton,
                     v.menuSaveTap, v.menuSaveSnapshot, v.menuLoadScreen, v.menuOptions}) {
    EXPECT_FALSE(shown);
  }
  EXPECT_FALSE(editor.Place().loadedScreen);
  EXPECT_FALSE(editor.Walk().largeHut);
  EXPECT_EQ(editor.MapBitmap().Width(), 256);
  EXPECT_EQ(editor.MapBitmap().Height(), 192);
  EXPECT_EQ(editor.MapView().Width(), 512);
  EXPECT_EQ(editor.MapView().Height(), 384);
  EXPECT_EQ(editor.OverviewBitmap().Width(), 64);
  EXPECT_EQ(editor.OverviewBitmap().Height(), 384);
  EXPECT_EQ(editor.PaletteBitmap().Width(), 1024);
  EXPECT_EQ(editor.PaletteBitmap().Height(), 40);
}

TEST_F(EditorStateTest, ALoadedSnapshotShowsEverythingButTheTitleAndTheDragPicture) {
  ViewState view;
  view.Show(WindowState::SnapshotLoaded);
  EXPECT_EQ(view.windowWidth, 603);
  EXPECT_EQ(view.windowHeight, 567);
  const ControlVisibility& v = view.visible;
  EXPECT_FALSE(v.titlePicture);
  EXPECT_FALSE(v.dragPicture);
  for (bool shown : {v.levelChooser, v.showLandSpace, v.bytesFreeCaption, v.fortressCaption, v.fortressByte,
                     v.levelScroll, v.statusBar, v.palette, v.mapView, v.overview, v.wipeButton, v.menuSaveTap,
                     v.menuSaveSnapshot, v.menuLoadScreen, v.menuOptions}) {
    EXPECT_TRUE(shown);
  }
}

TEST_F(EditorStateTest, AGoodLoadShowsTheFullWindowAndARefusedOneChangesNothing) {
  const SnapshotImage fixture = testing::FixtureImage(DemoMachine::Spectrum48K);
  files.files["game.sna"] = std::vector<std::uint8_t>(fixture.Bytes().begin(), fixture.Bytes().end());
  std::vector<std::uint8_t> unmarked = files.files["game.sna"];
  for (std::uint32_t a = kLevelAreaStart; a <= kLevelAreaLast; ++a) unmarked[ImageOffsetOf(a)] = 0x83;
  files.files["unmarked.sna"] = unmarked;

  ui.fileAnswers = {"game.sna", "unmarked.sna"};
  editor.LoadSnapshot();
  ASSERT_TRUE(editor.HasSnapshot());
  EXPECT_EQ(editor.View().visible, LayoutOf(WindowState::SnapshotLoaded).visible);
  EXPECT_EQ(editor.View().windowWidth, 603);
  EXPECT_EQ(editor.View().windowHeight, 567);
  EXPECT_EQ(editor.Place().levelStart, 0x9236u);
  EXPECT_EQ(editor.View().chooserIndex, 0);
  EXPECT_EQ(editor.Place().scrollOffset, 0);

  const std::vector<std::uint8_t> image(editor.Image().Bytes().begin(), editor.Image().Bytes().end());
  const EditorState state = editor.State();
  const std::vector<std::string> entries = editor.View().chooserEntries;
  editor.LoadSnapshot();
  const auto messages = ui.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "No end-of-levels marker in the level data.");
  EXPECT_EQ(messages[0].title, "Invalid Kestrova Snapshot");
  EXPECT_EQ(messages[0].icon, MessageIcon::Error);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), editor.Image().Bytes().begin(), editor.Image().Bytes().end()));
  EXPECT_EQ(editor.Place().bytesFree, state.place.bytesFree);
  EXPECT_EQ(editor.Place().levelEnd, state.place.levelEnd);
  EXPECT_EQ(editor.View().chooserEntries, entries);
}

TEST_F(EditorStateTest, RebuildLevelsFillsTableChooserAndHeight) {
  testing::WritableState(editor).place.scrollOffset = 77;  // the load's saved offset is 0
  Start(kThreeLevels);
  EXPECT_EQ(LevelCount(editor.Levels()), 3);
  EXPECT_EQ(editor.View().chooserEntries,
            (std::vector<std::string>{"Level 1 $9236 (37430)", "Level 2 $923A (37434)", "Level 3 $9240 (37440)"}));
  EXPECT_EQ(editor.View().chooserIndex, 0);  // -1 before: a negative index counts as 0
  EXPECT_EQ(editor.View().chooserText, "Level 1 $9236 (37430)");
  EXPECT_EQ(editor.Place().currentLevelIndex, 0);
  EXPECT_EQ(editor.View().scrollMaximum, 0);  // level 1 has no land space
  EXPECT_EQ(editor.Place().scrollOffset, 0);

  editor.ChooseLevel(1);
  editor.RebuildLevels();
  EXPECT_EQ(editor.View().chooserIndex, 1);
  EXPECT_EQ(editor.View().chooserText, "Level 2 $923A (37434)");
  EXPECT_EQ(editor.View().scrollMaximum, 192);
}

TEST_F(EditorStateTest, AnInsertionKeepsTheSpanTheLevelAndTheScrollOffset) {
  Start(kThreeLevels);
  editor.ChooseLevel(1);
  editor.ScrollTo(editor.View().scrollMaximum - 30);
  const std::int32_t span = Span();
  const LevelTable before = editor.Levels();

  // A land space of 192 rows in front of level 2's tree.
  InsertRecord(0x923C, 0x00, 95);
  editor.EditRefresh(2);

  EXPECT_EQ(Span(), span);
  EXPECT_EQ(editor.Place().bytesFree, CountFreeBytesAndFindLevelOne(editor.Image())->bytesFree)
      << "the kept count agrees with a fresh count";
  EXPECT_EQ(editor.Place().levelEnd, *LevelEndByBoundsRule(editor.Image(), editor.Levels(), 1));
  EXPECT_EQ(editor.Levels()[0], before[0]);
  EXPECT_EQ(editor.Levels()[1], before[1]);
  EXPECT_EQ(editor.Levels()[2], before[2] + 2);
  EXPECT_EQ(editor.View().chooserEntries[2], "Level 3 $9242 (37442)");
  EXPECT_EQ(editor.View().chooserIndex, 1);
  EXPECT_EQ(editor.Place().currentLevelIndex, 1);
  EXPECT_EQ(editor.Place().scrollOffset, 30);
  EXPECT_EQ(editor.Place().savedScrollOffset, 30);
  EXPECT_EQ(editor.View().scrollMaximum, 384);  // 8 + 192 rows
  EXPECT_EQ(editor.View().bytesFreeCaption, "Bytes Free: " + std::to_string(editor.Place().bytesFree));

  // And back: removing the record restores every count.
  RemoveRecord(0x923C);
  editor.EditRefresh(-2);
  EXPECT_EQ(Span(), span);
  EXPECT_EQ(editor.Levels(), before);
  EXPECT_EQ(editor.View().scrollMaximum, 192);
  EXPECT_EQ(editor.Place().scrollOffset, 30);
}

TEST_F(EditorStateTest, AnIndexPastTheEntriesFallsBackToTheLastLevel) {
  Start(kThreeLevels);
  editor.View().chooserIndex = 7;
  editor.RebuildLevels();
  EXPECT_EQ(editor.View().chooserIndex, 2);
  EXPECT_EQ(editor.View().chooserText, "Level 3 $9240 (37440)");
}

TEST_F(EditorStateTest, RefreshClearsScreenAndGridBeforeDrawing) {
  Start(kThreeLevels);
  // Leftovers of an earlier drawing.
  for (std::uint32_t a = kScreenAreaStart; a < kScreenAreaStart + kScreenAreaSize; ++a) editor.Image().Write(a, 0xA5);
  editor.Grid().tileId.fill(9);
  editor.Grid().ownerPos.fill(0x9236);
  editor.Grid().landPos.fill(0x9236);
  // Far above the level: nothing of it is in view.
  editor.TurnWheel(1, true, 1000);
  editor.Refresh();

  for (std::uint32_t d = 0; d < kDisplayFileSize; ++d) ASSERT_EQ(editor.Image().Read(kScreenAreaStart + d), 0) << d;
  // The title banner colours the top character row white on red; the image
  // has no character set, so its glyphs are blank.
  for (std::uint32_t a = kAttributeFileStart; a < kScreenAreaStart + kScreenAreaSize; ++a) {
    ASSERT_EQ(editor.Image().Read(a), a < kAttributeFileStart + 32 ? 0x17 : 0x30) << std::hex << a;
  }
  const auto zero = [](std::uint32_t v) { return v == 0; };
  EXPECT_TRUE(std::all_of(editor.Grid().tileId.begin(), editor.Grid().tileId.end(), zero));
  EXPECT_TRUE(std::all_of(editor.Grid().ownerPos.begin(), editor.Grid().ownerPos.end(), zero));
  EXPECT_TRUE(std::all_of(editor.Grid().landPos.begin(), editor.Grid().landPos.end(), zero));
  // Converted and shown: below the banner (the last rows stored, as rows are
  // bottom-up) the map view is the cleared screen's paper.
  const auto& pixels = editor.MapView().Pixels();
  EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end() - 512 * 16, [](Pixel p) { return p == PaperOf(0x30); }));
  EXPECT_EQ(editor.View().bytesFreeCaption, "Bytes Free: " + std::to_string(editor.Place().bytesFree));
}

TEST_F(EditorStateTest, ShowLandSpaceChangesNoState) {
  Start(kThreeLevels);
  editor.ChooseLevel(1);
  const EditorState plain = editor.State();
  editor.View().showLandSpace = true;
  editor.Refresh();
  editor.View().showLandSpace = false;
  editor.Refresh();
  const EditorState& after = editor.State();
  EXPECT_EQ(after.place.levelStart, plain.place.levelStart);
  EXPECT_EQ(after.place.levelEnd, plain.place.levelEnd);
  EXPECT_EQ(after.place.scrollOffset, plain.place.scrollOffset);
  EXPECT_EQ(after.place.bytesFree, plain.place.bytesFree);
  EXPECT_EQ(after.walk.walkStart, plain.walk.walkStart);
  EXPECT_EQ(after.walk.streamCursor, plain.walk.streamCursor);
  EXPECT_EQ(after.walk.currentRow, plain.walk.currentRow);
}

}  // namespace
}  // namespace kestrova
