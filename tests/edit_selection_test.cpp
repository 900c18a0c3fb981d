// Selecting objects on the map, and the delete, cut, copy and paste of a
// selection, through the Editor's handlers on the demo game.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/hex.h"
#include "edit/insertion.h"
#include "game/level_records.h"
#include "game/record_script.h"
#include "support/edit_fixture.h"
#include "support/ref_shell.h"

namespace kestrova {
namespace {

using testing::EditFixture;
using Bytes = std::vector<std::uint8_t>;

const std::string kDemo = KESTROVA_DEMO_DIR "/kestrova-demo.sna";

class SelectionTest : public ::testing::Test {
 protected:
  EditFixture f;
  Editor& editor = f.editor;

  void SetUp() override {
    f.files.files[kDemo] = testing::ReadWholeFile(kDemo);
    f.ui.fileAnswers.push_back(kDemo);
    editor.LoadSnapshot();
    ASSERT_TRUE(editor.HasSnapshot());
  }

  Bytes Image() const { return Bytes(editor.Image().Bytes().begin(), editor.Image().Bytes().end()); }

  // The first record of the demo (of level index `only`, when given) whose
  // group is `tag` (or, with tag -1, that is a lone record of `code`), with
  // its level index; of a group, one that draws.
  struct Found {
    int level = -1;
    std::uint32_t address = 0;
    std::uint32_t groupStart = 0;
  };
  Found Find(int tag, std::uint8_t code = 0, int only = -1) const {
    for (const ListedLevel& level : ListLevels(editor.Image(), editor.Levels())) {
      if (only >= 0 && level.number - 1 != only) continue;
      for (const ListedRecord& record : level.records) {
        const bool wanted =
            tag >= 0 ? record.group && record.group->tag == tag && record.code != 0x09 && record.code != kCodeLandSpace
                     : !record.group && record.code == code && record.address != level.end;
        if (wanted) return {level.number - 1, record.address, record.groupStart};
      }
    }
    return {};
  }

  // Ctrl+click on the record: it is shown as pointing at it shows it, and
  // its cell clicked.
  void CtrlClick(std::uint32_t address) {
    const std::optional<MapPixel> pixel = editor.ShowRecord(address);
    ASSERT_TRUE(pixel) << AddressText(address);
    ASSERT_TRUE(editor.ToggleSelectionAt(pixel->x, pixel->y));
  }
};

TEST_F(SelectionTest, CtrlClickTogglesAWholeGroupAndALoneRecord) {
  for (const int tag : {40, 33, 28}) {  // a tunnel, a log crossing, a cave with its space
    const Found group = Find(tag);
    ASSERT_NE(group.address, 0u) << "the demo has no group " << tag;
    editor.ClearSelection();
    CtrlClick(group.address);
    ASSERT_EQ(editor.Selection().Objects(), 1) << tag;
    EXPECT_EQ(editor.Selection().Units()[0].start, group.groupStart);
    EXPECT_EQ(editor.Selection().Bytes(), InsertionSize(tag));
    EXPECT_EQ(editor.Selection().Summary(), "1 object, " + std::to_string(InsertionSize(tag)) + " bytes");
    CtrlClick(group.address);
    EXPECT_TRUE(editor.Selection().Empty());
    EXPECT_EQ(editor.Selection().Summary(), "");
  }
  const Found tree = Find(-1, 0x83);
  CtrlClick(tree.address);
  EXPECT_EQ(editor.Selection().Summary(), "1 object, 2 bytes");
}

TEST_F(SelectionTest, RubberBandTakesTheObjectsWhoseCellsItTouches) {
  const Found tree = Find(-1, 0x83);
  const MapPixel pixel = *editor.ShowRecord(tree.address);
  editor.SelectInBand(pixel.x, pixel.y, pixel.x + 1, pixel.y + 1);
  ASSERT_EQ(editor.Selection().Objects(), 1);
  EXPECT_EQ(editor.Selection().Units()[0].start, tree.address);

  // The whole view: every object drawn in it, and no land space, which draws nothing.
  editor.SelectInBand(kMapViewWidth - 1, kMapViewHeight - 1, 0, 0);
  std::vector<std::uint32_t> drawn;
  for (std::size_t cell = 0; cell < kDisplayFileSize; ++cell) {
    if (editor.Grid().tileId[cell] != 0) drawn.push_back(editor.Grid().ownerPos[cell]);
  }
  for (const std::uint32_t record : drawn) EXPECT_TRUE(editor.Selection().Holds(record)) << AddressText(record);
  for (const LevelUnit& unit : editor.Selection().Units()) {
    EXPECT_TRUE(unit.group || editor.Image().Read(unit.start) != kCodeLandSpace) << AddressText(unit.start);
  }
  // The outline covers the chosen cells only: the tree's cell is inside it.
  const std::vector<Rect> outline = editor.SelectionOutline();
  EXPECT_TRUE(std::any_of(outline.begin(), outline.end(), [&](const Rect& r) {
    return pixel.x >= r.x && pixel.x < r.x + r.width && pixel.y >= r.y && pixel.y < r.y + r.height;
  }));
  // A plain left press clears it (a drag would move the records it names), as does a change of level.
  editor.PressMap(MouseButton::Left, pixel.x, pixel.y);
  EXPECT_TRUE(editor.Selection().Empty());
  editor.ReleaseMap(MouseButton::Left);
  editor.SelectInBand(kMapViewWidth - 1, kMapViewHeight - 1, 0, 0);
  editor.ChooseLevel(editor.Place().currentLevelIndex == 0 ? 1 : 0);
  EXPECT_TRUE(editor.Selection().Empty());
}

TEST_F(SelectionTest, SelectAllTakesEveryObjectOfTheLevel) {
  for (int level = 0; level < LevelCount(editor.Levels()); ++level) {
    editor.ChooseLevel(level);
    editor.SelectAll();
    const LevelPlace& place = editor.Place();
    const std::vector<LevelUnit>& units = editor.Selection().Units();
    ASSERT_FALSE(units.empty());
    const bool endsWithFortress = units.back().group && IsFortressTag(units.back().group->tag);
    EXPECT_EQ(static_cast<std::uint32_t>(editor.Selection().Bytes()),
              place.levelEnd - place.levelStart + (endsWithFortress ? 2 : 0))
        << "level " << level + 1;
    editor.ClearSelection();
    EXPECT_TRUE(editor.Selection().Empty());
  }
}

TEST_F(SelectionTest, DeleteAndCutAreOneStepEachAndUndoGivesTheImageBack) {
  const Found tunnel = Find(40);
  editor.ChooseLevel(tunnel.level);
  const Found tree = Find(-1, 0x83, tunnel.level);
  ASSERT_NE(tree.address, 0u) << "the test wants a tree and a tunnel in one level";
  const Bytes before = Image();
  const std::int32_t freeBefore = editor.Place().bytesFree;
  CtrlClick(tree.address);
  CtrlClick(tunnel.address);
  ASSERT_EQ(editor.Selection().Summary(), "2 objects, 16 bytes");
  ASSERT_TRUE(editor.DeleteSelection());
  EXPECT_EQ(editor.UndoName(), "Delete 2 objects");
  EXPECT_EQ(editor.Place().bytesFree, freeBefore + 16);
  EXPECT_TRUE(editor.Selection().Empty());
  editor.Undo();
  EXPECT_EQ(Image(), before);
  EXPECT_EQ(editor.Place().bytesFree, freeBefore);

  CtrlClick(tunnel.address);
  const Result<RecordClip> cut = editor.CutSelection();
  ASSERT_TRUE(cut);
  EXPECT_EQ(editor.UndoName(), "Cut 1 object");
  ASSERT_EQ(cut->objects.size(), 1u);
  EXPECT_EQ(cut->objects[0],
            Bytes(before.begin() + static_cast<std::ptrdiff_t>(ImageOffsetOf(tunnel.groupStart)),
                  before.begin() + static_cast<std::ptrdiff_t>(ImageOffsetOf(tunnel.groupStart) + 14)));
  editor.Undo();
  EXPECT_EQ(Image(), before);
}

TEST_F(SelectionTest, ADeleteThatCannotGoWholeChangesNothing) {
  editor.ChooseLevel(0);
  editor.SelectAll();  // level 1 must keep a record in front of its end
  const Bytes before = Image();
  const Outcome refused = editor.DeleteSelection();
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.ErrorMessage().find("level 1 must keep a record"), std::string::npos) << refused.ErrorMessage();
  EXPECT_EQ(Image(), before);
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(SelectionTest, PasteGoesInFrontOfTheRecordInOrderAsOneStep) {
  const Found tunnel = Find(40);
  editor.ChooseLevel(tunnel.level);
  const Found tree = Find(-1, 0x83, tunnel.level);
  ASSERT_NE(tree.address, 0u);
  CtrlClick(tree.address);
  CtrlClick(tunnel.address);
  const RecordClip clip = *editor.CopySelection();
  const Bytes before = Image();
  const std::int32_t freeBefore = editor.Place().bytesFree;

  const std::uint32_t at = editor.Place().levelStart;
  const Bytes first = {editor.Image().Read(at), editor.Image().Read(at + 1)};
  ASSERT_TRUE(editor.PasteBefore(clip, at));
  EXPECT_EQ(editor.UndoName(), "Paste 2 objects");
  const Bytes joined = clip.Joined();
  const auto size = static_cast<std::uint32_t>(joined.size());
  for (std::uint32_t i = 0; i < size; ++i) EXPECT_EQ(editor.Image().Read(at + i), joined[i]) << i;
  EXPECT_EQ(editor.Image().Read(at + size), first[0]);
  EXPECT_EQ(editor.Place().bytesFree, freeBefore - 16);
  editor.Undo();
  EXPECT_EQ(Image(), before);

  // Pointed into a group, it goes in front of the whole group.
  ASSERT_TRUE(editor.PasteBefore(RecordClip{{{0x83, 0x07}}}, tunnel.address));
  EXPECT_EQ(editor.Image().Read(tunnel.groupStart), 0x83);
  EXPECT_EQ(editor.Image().Read(tunnel.groupStart + 2), 0x09);
  EXPECT_EQ(editor.UndoName(), "Paste 1 object");
}

TEST_F(SelectionTest, APasteThatDoesNotFitIsRefusedAndChangesNothing) {
  // Fill the free bytes but 2 with land spaces, then paste 4 bytes.
  const std::uint32_t start = editor.Place().levelStart;
  while (editor.Place().bytesFree > 2) ASSERT_TRUE(editor.PasteBefore(RecordClip{{{0x00, 0x01}}}, start));
  ASSERT_EQ(editor.Place().bytesFree, 2);
  const Bytes before = Image();
  const std::string undo = editor.UndoName();
  const Outcome refused = editor.PasteBefore(RecordClip{{{0x83, 0x05}, {0x87, 0x02}}}, start);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.ErrorMessage(), "Paste 2 objects needs 4 bytes; 2 are free");
  EXPECT_EQ(editor.View().lastRefusal.reason, refused.ErrorMessage());
  EXPECT_EQ(Image(), before);
  EXPECT_EQ(editor.UndoName(), undo);
}

TEST_F(SelectionTest, APastedFortressEndsTheLevelThere) {
  const int levels = LevelCount(editor.Levels());
  editor.ChooseLevel(0);
  const std::uint32_t second = editor.Place().levelStart + 2;
  ASSERT_TRUE(editor.PasteBefore(RecordClip{{GroupBytes(*FindGroupTag(48), 0)}}, second));
  EXPECT_EQ(LevelCount(editor.Levels()), levels + 1);
  EXPECT_EQ(editor.Place().levelEnd, second + 8);
}

TEST(RecordScript, EachRecordReadsAsTheCommandThatWritesIt) {
  struct Case {
    Bytes object;
    std::string line;
  };
  const Case cases[] = {
      {{0x83, 0x05}, "insert Tree column 5"},
      {{0x83, 0x00}, "insert bytes $83 $00"},  // no tree stands in column 0
      {{0x00, 0x0A}, "insert Land Space value 10"},
      {{0x00, 0x00}, "insert bytes $00 $00"},
      {{0x28, 0x07}, "insert Rocket Launcher Attack value 7"},
      {{0x28, 0x00}, "insert Rocket Launcher End"},
      {{0x26, 0xE3}, "insert Double Cliff/Right Edge with Jumping Soldiers column 3"},
      {{0x26, 0x25}, "insert bytes $26 $25"},  // a double cliff edge without soldiers
      {{0x94, 0x83}, "insert Large Hut column 3"},
      {{0x06, 0x10}, "insert Top Edging column 16"},
      {{0x1A, 0x00}, "insert Lorry"},
      {{0x1A, 0x05}, "insert bytes $1A $05"},
      {{0x09, 0x0B}, "insert bytes $09 $0B"},
      {{0x1F, 0x07, 0x00, 0x03}, "insert Cave Bottom With Space column 7"},
      {GroupBytes(*FindGroupTag(41), 0), "insert Tunnel with Motorbike"},
  };
  RecordClip clip;
  for (const Case& c : cases) {
    EXPECT_EQ(InsertLine(c.object), c.line);
    clip.objects.push_back(c.object);
  }
  const std::string text = ClipScript(clip, 3);
  EXPECT_EQ(text.substr(0, text.find('\n')), "# Kestrova Editor: 15 objects, 48 bytes");
  EXPECT_NE(text.find("\nbefore level 3\n"), std::string::npos);
  const Result<RecordClip> back = ParseClipScript(text);
  ASSERT_TRUE(back) << back.ErrorMessage();
  EXPECT_EQ(back->objects, clip.objects);
  const Result<RecordClip> decoded = DecodeClip(EncodeClip(clip));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->objects, clip.objects);
}

TEST(RecordScript, PastedTextOfAnythingButInsertsIsRefused) {
  struct Wrong {
    std::string text;
    std::string error;
  };
  const Wrong wrongs[] = {
      {"insert Tree column 3\nlives 3\n", "line 2: only insert commands can be pasted, not 'lives'"},
      {"# nothing\n\n", "the text holds no insert command to paste"},
      {"insert bytes $FF $00", "line 1: code $FF is not one the game knows"},
      {"insert bytes $22 $01", "line 1: a level's end record goes only with its fortress"},
      {"insert bytes $07 $00", "code $07 is not one the game knows"},
      {"insert bytes $83", "the form is: insert bytes CODE OPERAND"},
      {"insert Palm Tree", "'Palm Tree' is not in the Insert menu"},
  };
  for (const Wrong& wrong : wrongs) {
    const Result<RecordClip> refused = ParseClipScript(wrong.text);
    ASSERT_FALSE(refused) << wrong.text;
    EXPECT_NE(refused.ErrorMessage().find(wrong.error), std::string::npos) << refused.ErrorMessage();
  }
  // A script's own insert lines paste too: their addresses name the other game, and are passed over.
  const Result<RecordClip> script = ParseClipScript("before $9308\ninsert Tree at $9308 column 9  # here\n");
  ASSERT_TRUE(script) << script.ErrorMessage();
  EXPECT_EQ(script->objects, (std::vector<Bytes>{{0x83, 0x09}}));
  // The editor's own form refuses what is not whole.
  RecordClip broken{{{0x09, 0x0B, 0x09, 0x1F}}};
  EXPECT_FALSE(DecodeClip(EncodeClip(broken)));
  EXPECT_FALSE(DecodeClip(Bytes{1, 2, 3}));
}

TEST_F(SelectionTest, EveryLevelsTextGivesItsRecordsBack) {
  for (const ListedLevel& level : ListLevels(editor.Image(), editor.Levels())) {
    const RecordClip clip = LevelClip(editor.Image(), level.start, level.end);
    const Result<RecordClip> back = ParseClipScript(ClipScript(clip, level.number));
    ASSERT_TRUE(back) << back.ErrorMessage();
    Bytes records;
    for (std::uint32_t p = level.start; p < level.end; ++p) records.push_back(editor.Image().Read(p));
    EXPECT_EQ(back->Joined(), records) << "level " << level.number;
  }
}

}  // namespace
}  // namespace kestrova
