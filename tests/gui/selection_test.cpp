// Selecting on the map with real Qt events (Ctrl+click, Shift+drag, the
// keys) and copying, cutting and pasting through the system clipboard, each
// against the same Editor calls made directly.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>

#include <map>
#include <optional>

#include "app/selection_gestures.h"
#include "game/record_script.h"
#include "gui/window_fixture.h"
#include "support/editor_state_access.h"

namespace kestrova::testing {
namespace {

std::uint32_t CellOf(const Editor& editor, QPoint at) {
  return editor.Tables().rowStart[static_cast<std::size_t>(at.y() / 2)] + static_cast<std::uint32_t>(at.x() / 16);
}

// A point of the map view over a cell of `tile`, if the view shows one.
std::optional<QPoint> PointOnTile(const Editor& editor, std::uint32_t tile, int fromColumn = 0) {
  for (int row = 191; row >= 8; --row) {
    for (int column = fromColumn; column < 32; ++column) {
      const QPoint at(column * 16 + 8, row * 2 + 1);
      if (editor.Grid().tileId[CellOf(editor, at)] == tile) return at;
    }
  }
  return std::nullopt;
}

std::vector<std::uint32_t> Starts(const Editor& editor) {
  std::vector<std::uint32_t> starts;
  for (const LevelUnit& unit : editor.Selection().Units()) starts.push_back(unit.start);
  return starts;
}

class SelectionWindow : public WindowTwin {
 protected:
  void SetUp() override {
    LoadDemoInBoth();
    QApplication::clipboard()->clear();
  }

  QWidget* Map() { return Img("FastIMG1"); }
  std::string StatusText() { return Find<QLabel>("SelectionStatus")->text().toStdString(); }
  const std::vector<QRect>& Outline() { return Find<app::SelectionOverlay>("SelectionOutline")->Outline(); }

  void CtrlClick(QPoint at) {
    QTest::mouseClick(Map(), Qt::LeftButton, Qt::ControlModifier, at);
    direct.ToggleSelectionAt(at.x(), at.y());
  }

  // A tree and a boulder the view shows, in level order.
  std::pair<QPoint, QPoint> TreeAndBoulder() {
    const std::optional<QPoint> tree = PointOnTile(window.Core(), 131);
    const std::optional<QPoint> boulder = PointOnTile(window.Core(), 135);
    EXPECT_TRUE(tree && boulder) << "the demo's first view shows a tree and a boulder";
    return {tree.value_or(QPoint()), boulder.value_or(QPoint())};
  }
};

TEST_F(SelectionWindow, CtrlClickShiftDragAndTheKeysSelectAsTheEditorDoes) {
  const auto [tree, boulder] = TreeAndBoulder();
  CtrlClick(tree);
  EXPECT_EQ(Starts(window.Core()), Starts(direct));
  EXPECT_EQ(StatusText(), "1 object, 2 bytes");
  ASSERT_FALSE(Outline().empty());
  EXPECT_TRUE(std::any_of(Outline().begin(), Outline().end(), [&](const QRect& r) { return r.contains(tree); }));
  // The outline lies over the map: the game's pixels stay as the Editor drew them.
  ExpectSame();

  CtrlClick(tree);  // out again
  EXPECT_TRUE(window.Core().Selection().Empty());
  EXPECT_EQ(StatusText(), "");
  EXPECT_TRUE(Outline().empty());

  // A rubber band from below right to above left.
  const QPoint from(500, 380), to(200, 200);
  QTest::mousePress(Map(), Qt::LeftButton, Qt::ShiftModifier, from);
  QTest::mouseMove(Map(), QPoint(300, 250));
  QTest::mouseMove(Map(), to);
  QTest::mouseRelease(Map(), Qt::LeftButton, Qt::ShiftModifier, to);
  direct.SelectInBand(from.x(), from.y(), to.x(), to.y());
  EXPECT_FALSE(window.Core().Selection().Empty());
  EXPECT_EQ(Starts(window.Core()), Starts(direct));
  EXPECT_EQ(StatusText(), direct.Selection().Summary());
  ExpectSame();  // the band moved nothing

  QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
  direct.SelectAll();
  EXPECT_EQ(Starts(window.Core()), Starts(direct));
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_TRUE(window.Core().Selection().Empty());
}

TEST_F(SelectionWindow, DeleteAndCutAreOneUndoStep) {
  const auto [tree, boulder] = TreeAndBoulder();
  const std::vector<std::uint8_t> before(window.Core().Image().Bytes().begin(), window.Core().Image().Bytes().end());
  CtrlClick(tree);
  CtrlClick(boulder);
  QTest::keyClick(&window, Qt::Key_Delete);
  direct.PressDelete();
  ExpectSame();
  EXPECT_EQ(window.Core().UndoName(), "Delete 2 objects");
  QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), window.Core().Image().Bytes().begin()));

  // Ctrl+X cuts (it no longer closes the window) and the clipboard holds the cut.
  CtrlClick(tree);
  QTest::keyClick(&window, Qt::Key_X, Qt::ControlModifier);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.Core().UndoName(), "Cut 1 object");
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  ASSERT_TRUE(data->hasFormat(app::kRecordsMimeType));
  const Result<RecordClip> text = ParseClipScript(data->text().toStdString());
  ASSERT_TRUE(text) << text.ErrorMessage();
  ASSERT_EQ(text->objects.size(), 1u);
  EXPECT_EQ(text->objects[0][0], 0x83);
}

// Copy + paste in the window gives what inserting the same records in front
// of the same record through the Editor's own insertion gives.
TEST_F(SelectionWindow, CopyAndPasteEqualTheSameRecordsInserted) {
  const auto [tree, boulder] = TreeAndBoulder();
  CtrlClick(tree);
  CtrlClick(boulder);
  QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  ASSERT_TRUE(data->hasFormat(app::kRecordsMimeType));
  ASSERT_TRUE(data->hasText());
  EXPECT_EQ(data->text().toStdString().substr(0, 36), "# Kestrova Editor: 2 objects, 4 byte");

  // Bare ground of the view: the paste goes in front of its land space.
  const std::optional<QPoint> ground = PointOnTile(window.Core(), 0, 16);
  ASSERT_TRUE(ground);
  Hover(Map(), *ground);
  direct.MovePointerOverMap(ground->x(), ground->y());
  const std::uint32_t target = window.Core().Grid().ownerPos[CellOf(window.Core(), *ground)];
  ASSERT_NE(target, 0u);
  QTest::keyClick(&window, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(window.Core().UndoName(), "Paste 2 objects");

  // The same records, in level order, each inserted in front of the target as it moves on.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> copied;  // address, tag
  for (const QPoint at : {tree, boulder}) {
    const std::uint32_t address = direct.Grid().ownerPos[CellOf(direct, at)];
    copied.push_back({address, direct.Image().Read(address) == 0x83 ? 1u : 2u});
  }
  std::sort(copied.begin(), copied.end());
  std::uint32_t at = target;
  for (const auto& [address, tag] : copied) {
    EditorStateAccess::Of(direct).pointer.recordUnderPointer = at;
    EditorStateAccess::Of(direct).pointer.pointerColumn = direct.Image().Read(address + 1) & 0x1F;
    ASSERT_TRUE(direct.InsertObject(static_cast<int>(tag)));
    at += 2;
  }
  EXPECT_TRUE(
      std::equal(direct.Image().Bytes().begin(), direct.Image().Bytes().end(), window.Core().Image().Bytes().begin()));
  EXPECT_EQ(window.Core().Place().bytesFree, direct.Place().bytesFree);
}

TEST_F(SelectionWindow, TextAndAnotherEditorsObjectsPasteAlike) {
  // Text copied from a script pastes as the records it names.
  QApplication::clipboard()->setText("# two trees\ninsert Tree column 9\ninsert Tree at $9300 column 12\n");
  Hover(Map(), QPoint(-5, -5));  // off the map: in front of the level's first record
  const std::uint32_t first = window.Core().Place().levelStart;
  QTest::keyClick(&window, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(window.Core().Image().Read(first), 0x83);
  EXPECT_EQ(window.Core().Image().Read(first + 1), 9);
  EXPECT_EQ(window.Core().Image().Read(first + 3), 12);

  // Text that is not insert commands: refused with the reason, nothing changed.
  const std::size_t revision = window.Core().HistoryRevision();
  QApplication::clipboard()->setText("lives 3");
  QTest::keyClick(&window, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(window.Core().HistoryRevision(), revision);
  EXPECT_NE(Find<QStatusBar>("StatusBar1")->currentMessage().toStdString().find("only insert commands"),
            std::string::npos);

  // Another editor with another game takes this one's copy; colours stay its own.
  const auto [tree, boulder] = TreeAndBoulder();
  CtrlClick(boulder);
  QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
  ScriptedUi otherUi;
  QtFiles otherFiles;
  app::TForm1 other(otherUi, otherFiles, nullptr, app::MapLayout::Classic);
  other.show();
  other.OpenAtStart(QString::fromStdString(DemoPath("kestrova-demo-128k.sna")));
  QApplication::setActiveWindow(&other);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  const std::uint32_t otherFirst = other.Core().Place().levelStart;
  const std::int32_t otherFree = other.Core().Place().bytesFree;
  std::vector<std::uint8_t> colours;
  for (std::uint32_t a = 0x8000; a < kLevelAreaStart; ++a) colours.push_back(other.Core().Image().Read(a));
  QTest::keyClick(&other, Qt::Key_V, Qt::ControlModifier);
  const std::uint32_t copied = window.Core().Grid().ownerPos[CellOf(window.Core(), boulder)];
  EXPECT_EQ(other.Core().Image().Read(otherFirst), window.Core().Image().Read(copied));
  EXPECT_EQ(other.Core().Image().Read(otherFirst + 1), window.Core().Image().Read(copied + 1));
  EXPECT_EQ(other.Core().Place().bytesFree, otherFree - 2);
  for (std::uint32_t a = 0x8000; a < kLevelAreaStart; ++a) EXPECT_EQ(other.Core().Image().Read(a), colours[a - 0x8000]);
}

class TallSelectionWindow : public WindowTwin {
 protected:
  TallSelectionWindow() : WindowTwin(app::MapLayout::Tall) {}
};

// On the tall map a selection is kept by record: a Ctrl+click in one band
// and a band drawn across two keep each other's objects, and the outline
// spans the bands.
TEST_F(TallSelectionWindow, SelectionIsKeptByRecordAcrossBands) {
  window.resize(700, 1100);
  window.OpenAtStart(QString::fromStdString(DemoPath()));
  QApplication::processEvents();
  const TallMap& map = window.Core().Tall();
  ASSERT_GE(map.Bands(), 2);
  QWidget* tallMap = Img("FastIMG1");
  QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
  const std::vector<std::uint32_t> all = Starts(window.Core());
  QTest::keyClick(&window, Qt::Key_Escape);

  // A band across the boundary of bands 0 and 1, the whole width.
  const int boundary = map.BandTop(0);
  QTest::mousePress(tallMap, Qt::LeftButton, Qt::ShiftModifier, QPoint(1, boundary + 40));
  QTest::mouseMove(tallMap, QPoint(map.Width() - 2, boundary - 40));
  QTest::mouseRelease(tallMap, Qt::LeftButton, Qt::ShiftModifier, QPoint(map.Width() - 2, boundary - 40));
  const std::vector<std::uint32_t> banded = Starts(window.Core());
  ASSERT_FALSE(banded.empty());
  for (const std::uint32_t start : banded) EXPECT_NE(std::find(all.begin(), all.end(), start), all.end());
  const std::vector<QRect>& outline = Find<app::SelectionOverlay>("SelectionOutline")->Outline();
  ASSERT_FALSE(outline.empty());
  for (const QRect& r : outline) {
    EXPECT_TRUE(QRect(0, 0, map.Width(), map.Height()).contains(r)) << r.x() << "," << r.y();
  }
  // A Ctrl+click on a record in the other band leaves the first band's in.
  const int focusBefore = window.Core().FocusBand();
  const int other = focusBefore == 0 ? 1 : 0;
  std::optional<QPoint> object;
  for (int y = map.BandTop(other) + 4; y < map.BandTop(other) + map.BandHeight() && !object; y += 8) {
    for (int x = 4; x < map.Width() && !object; x += 16) {
      QTest::mouseMove(tallMap, QPoint(x, y));
      const Editor& core = window.Core();
      const std::uint32_t cell = CellOf(core, QPoint(core.Pointer().mapX, core.Pointer().mapY));
      if (core.Grid().tileId[cell] != 0 && !core.Selection().Holds(core.Grid().ownerPos[cell])) object = QPoint(x, y);
    }
  }
  ASSERT_TRUE(object);
  QTest::mouseClick(tallMap, Qt::LeftButton, Qt::ControlModifier, *object);
  EXPECT_EQ(window.Core().Selection().Objects(), static_cast<int>(banded.size()) + 1);
  for (const std::uint32_t start : banded) EXPECT_TRUE(window.Core().Selection().Holds(start));
}

}  // namespace
}  // namespace kestrova::testing
