// Random sequences of real gestures on the window (popup items, palette
// drops, drags on the map, wipes, the wheel, level choice) over the demo,
// each also made as the Editor calls it on a twin: after every step the
// level data must be sound and the two editors alike.
#include <QAction>
#include <QPushButton>

#include <random>
#include <sstream>

#include "gui/window_fixture.h"
#include "snapshot/check_table.h"
#include "support/random_edits.h"

namespace kestrova::testing {
namespace {

constexpr int kSteps = 400;

// The image without the screen area the map is drawn into and without the
// check table, which every save works out again.
Bytes GameBytes(std::span<const std::uint8_t> image) {
  Bytes bytes(image.begin(), image.end());
  const auto blank = [&bytes](std::uint32_t address, std::uint32_t count) {
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(ImageOffsetOf(address)), count, 0);
  };
  blank(kScreenAreaStart, kScreenAreaSize);
  blank(kCheckTableStart, kCheckTableSize);
  return bytes;
}
Bytes GameBytes(const Editor& editor) { return GameBytes(editor.Image().Bytes()); }
constexpr int kPaletteSlots = 32;
constexpr int kPaletteSlotWidth = 32;

class RandomGestures : public WindowTwin, public ::testing::WithParamInterface<unsigned> {
 protected:
  RandomGestures() : rng(GetParam()), twin(GetParam()) {}

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
  QPoint AnyMapPoint() { return QPoint(Uniform(0, 511), Uniform(0, 383)); }
  Editor& Twin() { return twin.f.editor; }

  void AnswerBoth(int count) {
    for (int i = 0; i < count; ++i) {
      const std::string reply = std::to_string(Uniform(0, 40));
      windowUi.inputAnswers.push_back(reply);
      twin.f.ui.inputAnswers.push_back(reply);
    }
  }

  static void Leaves(const std::vector<MenuItem>& items, MenuPath& at, std::vector<MenuPath>& out) {
    for (const MenuItem& item : items) {
      if (!item.enabled) continue;
      at.push_back(item.caption);
      if (item.children.empty()) out.push_back(at);
      Leaves(item.children, at, out);
      at.pop_back();
    }
  }

  void PopupStep(std::ostringstream& what) {
    const QPoint at = AnyMapPoint();
    RightPressOnMap(at, {});
    RightPress(Twin(), at, {});
    std::vector<MenuPath> leaves;
    MenuPath path;
    Leaves(Twin().Popup(), path, leaves);
    if (leaves.empty()) return;
    const MenuPath& chosen = leaves[static_cast<std::size_t>(Uniform(0, static_cast<int>(leaves.size()) - 1))];
    what << " " << chosen.back() << " at " << at.x() << "," << at.y();
    AnswerBoth(3);
    RightPressOnMap(at, chosen);
    RightPress(Twin(), at, chosen);
  }

  void DropStep(std::ostringstream& what) {
    const int slot = Uniform(0, kPaletteSlots - 1);
    QWidget* strip = Img("FastIMG3");
    QWidget* client = window.centralWidget();
    Find<QScrollArea>("ScrollBox1")->ensureVisible(slot * kPaletteSlotWidth + 16, 20, 16, 0);
    const QPoint start(slot * kPaletteSlotWidth + 16, 20);
    const QPoint release = Img("FastIMG1")->mapTo(client, AnyMapPoint());
    what << " slot " << slot << " to " << release.x() << "," << release.y();
    AnswerBoth(2);
    Hover(strip, start);
    QTest::mousePress(strip, Qt::LeftButton, {}, start);
    QTest::mouseMove(strip, strip->mapFrom(client, release));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, strip->mapFrom(client, release));
    const QPoint startClient = strip->mapTo(client, start);
    Twin().PointAtPalette(start.x());
    Twin().PressPalette(MouseButton::Left, start.x(), startClient.x(), startClient.y());
    Twin().MovePointerOverWindow(release.x(), release.y());
    Twin().ReleasePalette();
  }

  void DragStep(std::ostringstream& what) {
    std::vector<QPoint> points{AnyMapPoint()};
    for (int i = Uniform(1, 4); i > 0; --i) points.push_back(QPoint(Uniform(-20, 530), Uniform(-60, 440)));
    what << " from " << points.front().x() << "," << points.front().y();
    Drag(Img("FastIMG1"), points);
    Twin().MovePointerOverMap(points.front().x(), points.front().y());
    Twin().PressMap(MouseButton::Left, points.front().x(), points.front().y());
    for (std::size_t i = 1; i < points.size(); ++i) Twin().MovePointerOverMap(points[i].x(), points[i].y());
    Twin().ReleaseMap(MouseButton::Left);
  }

  void WipeStep(std::ostringstream& what) {
    const bool all = Uniform(0, 2) == 0;
    what << (all ? " all after" : " current");
    for (Editor* editor : {&window.Core(), &Twin()})
      all ? editor->ClickWipeAllAfter() : editor->ClickWipeCurrentLevel();
    window.Sync();
    auto* wipe = Find<QPushButton>("Button1");
    QTest::mouseClick(wipe, Qt::LeftButton);  // a disabled button takes no click
    if (Twin().View().wipeButtonEnabled) Twin().WipeLevels();
  }

  void LevelStep(std::ostringstream& what) {
    auto* chooser = Find<QComboBox>("ComboBox1");
    chooser->setFocus();
    const bool down = Uniform(0, 1) == 0;
    QTest::keyClick(chooser, down ? Qt::Key_Down : Qt::Key_Up);
    what << " level " << chooser->currentIndex();
    if (chooser->currentIndex() != Twin().View().chooserIndex) Twin().ChooseLevel(chooser->currentIndex());
  }

  void WheelStep(std::ostringstream& what) {
    const int notches = Uniform(-3, 3);
    what << " " << notches;
    Wheel(Img("FastIMG1"), QPoint(100, 100), 120 * notches);
    for (int i = 0; i < std::abs(notches); ++i) Twin().TurnWheel(notches, true, QApplication::wheelScrollLines());
  }

  std::string Step() {
    std::ostringstream what;
    const int roll = Uniform(0, 99);
    if (roll < 45) {
      what << "popup";
      PopupStep(what);
    } else if (roll < 70) {
      what << "drop";
      DropStep(what);
    } else if (roll < 85) {
      what << "drag";
      DragStep(what);
    } else if (roll < 89) {
      what << "wipe";
      WipeStep(what);
    } else if (roll < 95) {
      what << "choose";
      LevelStep(what);
    } else {
      what << "wheel";
      WheelStep(what);
    }
    windowUi.inputAnswers.clear();
    twin.f.ui.inputAnswers.clear();
    return what.str();
  }

  std::mt19937 rng;
  RandomEdits twin;
};

TEST_P(RandomGestures, TheWindowAddsNothingAndLosesNothing) {
  const Bytes demo = ReadFile(kDemo);
  twin.Load(demo, kDemo);  // the same name, so that both captions name it
  window.OpenAtStart(QString::fromStdString(kDemo));
  ExpectSameAs(Twin());
  const std::set<std::uint32_t> changeable = ChangeableOutsideTheArea();
  const int freeAtStart = Twin().Place().bytesFree;
  bool changed = false;
  for (int step = 0; step < kSteps; ++step) {
    const std::string what = Step();
    SCOPED_TRACE("step " + std::to_string(step) + ": " + what);
    ASSERT_TRUE(twin.Check(demo, changeable));
    ExpectSameAs(Twin());
    if (HasFailure()) return;
    changed = changed || Twin().Place().bytesFree != freeAtStart;
  }
  EXPECT_TRUE(changed);

  // Ctrl+Z until nothing is left to take back gives the loaded game again;
  // Ctrl+Y until nothing is left to do again gives the edited one.
  const Bytes edited = GameBytes(window.Core());
  QApplication::setActiveWindow(&window);  // the keys go to the main window
  int steps = 0;
  for (; Find<QAction>("Undo1")->isEnabled(); ++steps) {
    SCOPED_TRACE("undo " + std::to_string(steps) + ": " + Twin().UndoName() + " / " + window.Core().UndoName());
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    Twin().Undo();
    ExpectSameAs(Twin());
    if (HasFailure()) return;
    ASSERT_TRUE(twin.Check(demo, changeable)) << "undo " << steps;
  }
  EXPECT_GT(steps, 0);
  EXPECT_EQ(GameBytes(window.Core()), GameBytes(demo));
  EXPECT_EQ(window.Core().Place().currentLevelIndex, 0);
  EXPECT_FALSE(window.isWindowModified());
  while (Find<QAction>("Redo1")->isEnabled()) {
    QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
    Twin().Redo();
    ExpectSameAs(Twin());
  }
  EXPECT_EQ(GameBytes(window.Core()), edited);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomGestures, ::testing::Values(1u, 2u, 3u));

}  // namespace
}  // namespace kestrova::testing
