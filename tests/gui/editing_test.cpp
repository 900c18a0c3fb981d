// Editing in the window with real mouse gestures: the popups of the map,
// the palette's drag-and-drop, dragging objects on the map and "Wipe
// Level(s)", each against the same Editor calls made directly.
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>

#include <functional>
#include <map>
#include <optional>

#include "gui/window_fixture.h"
#include "support/editor_state_access.h"

namespace kestrova::testing {
namespace {

constexpr int kPaletteSlotWidth = 32;
constexpr int kRowsPerNotch = 30;  // with the usual three wheel-scroll lines
constexpr int kWheelStepRows = 6 * kRowsPerNotch;

// One map point for each tile the last refresh drew, the lowest first.
std::map<std::uint32_t, QPoint> TilesInView(const Editor& editor) {
  std::map<std::uint32_t, QPoint> points;
  for (int row = 191; row >= 8; --row) {
    for (int column = 0; column < 32; ++column) {
      const std::uint32_t cell =
          editor.Tables().rowStart[static_cast<std::size_t>(row)] + static_cast<std::uint32_t>(column);
      const std::uint32_t tile = editor.Grid().tileId[cell];
      if (!points.count(tile)) points[tile] = QPoint(column * 16 + 8, row * 2 + 1);
    }
  }
  return points;
}

class EditingTest : public WindowTwin {
 protected:
  void SetUp() override { LoadDemoInBoth(); }

  void ChooseLevel(int index) {
    auto* chooser = Find<QComboBox>("ComboBox1");
    if (chooser->currentIndex() == index) return;  // the keyboard cannot choose it again
    chooser->setFocus();
    // Each key press chooses the next level on its way.
    while (chooser->currentIndex() != index) {
      const bool down = chooser->currentIndex() < index;
      QTest::keyClick(chooser, down ? Qt::Key_Down : Qt::Key_Up);
      direct.ChooseLevel(chooser->currentIndex());
    }
    ExpectSame();
  }

  // Both: the right press at `at`, the popup answered through `path`.
  std::string RightPressBoth(QPoint at, const MenuPath& path) {
    const std::string shown = RightPressOnMap(at, path);
    RightPress(direct, at, path);
    return shown;
  }

  // The first drawn object of the demo whose popup `wanted` accepts, after
  // looking at popups one by one (on both, so they stay alike).
  std::optional<QPoint> FindPopup(const std::function<bool(const std::vector<MenuItem>&)>& wanted) {
    const int levels = Find<QComboBox>("ComboBox1")->count();
    for (int level = 0; level < levels; ++level) {
      ChooseLevel(level);
      // Screen by screen up the level, with the wheel over the map.
      for (int offset = 0; offset <= window.Core().View().scrollMaximum; offset += kWheelStepRows) {
        for (const auto& [tile, point] : TilesInView(window.Core())) {
          RightPressBoth(point, {});
          if (direct.PopupShown() != PopupPlacement::None && wanted(direct.Popup())) return point;
        }
        WheelBoth(kWheelStepRows / kRowsPerNotch);
      }
    }
    return std::nullopt;
  }

  void WheelBoth(int notches) {
    Wheel(Img("FastIMG1"), QPoint(100, 100), 120 * notches);
    for (int i = 0; i < notches; ++i) direct.TurnWheel(120, true, QApplication::wheelScrollLines());
    ExpectSame();
  }

  static std::function<bool(const std::vector<MenuItem>&)> FirstItemIs(MenuCommand command) {
    return [command](const std::vector<MenuItem>& items) { return items.front().command == command; };
  }

  // A palette drag from slot `slot` through `to` (client points), released at
  // the last; the drag picture follows the pointer.
  void PaletteDragBoth(int slot, const std::vector<QPoint>& to) {
    QWidget* strip = Img("FastIMG3");
    QWidget* client = window.centralWidget();
    Find<QScrollArea>("ScrollBox1")->ensureVisible(slot * kPaletteSlotWidth + 16, 20, 16, 0);
    const QPoint start(slot * kPaletteSlotWidth + 16, 20);
    std::vector<QPoint> points{start};
    for (const QPoint& point : to) points.push_back(strip->mapFrom(client, point));
    Hover(strip, start);
    direct.PointAtPalette(start.x());
    QTest::mousePress(strip, Qt::LeftButton, {}, start);
    const QPoint startClient = strip->mapTo(client, start);
    direct.PressPalette(MouseButton::Left, start.x(), startClient.x(), startClient.y());
    for (std::size_t i = 1; i < points.size(); ++i) {
      QTest::mouseMove(strip, points[i]);
      direct.MovePointerOverWindow(to[i - 1].x(), to[i - 1].y());
      ExpectSame();
      auto* picture = Img("FastIMG4");
      EXPECT_EQ(picture->isVisible(), window.Core().View().visible.dragPicture);
      EXPECT_EQ(picture->geometry(), QRect(window.Core().DragPictureLeft(), window.Core().DragPictureTop(),
                                           window.Core().DragBitmap().Width(), window.Core().DragBitmap().Height()));
      EXPECT_EQ(picture->Picture(), app::ImageOf(window.Core().DragBitmap()));
    }
    QTest::mouseRelease(strip, Qt::LeftButton, {}, points.back());
    direct.ReleasePalette();
    ExpectSame();
    EXPECT_FALSE(Img("FastIMG4")->isVisible());
  }

  // The same drag on the map, through `points` of the map view.
  void MapDragBoth(const std::vector<QPoint>& points) {
    Drag(Img("FastIMG1"), points);
    direct.MovePointerOverMap(points.front().x(), points.front().y());
    direct.PressMap(MouseButton::Left, points.front().x(), points.front().y());
    for (std::size_t i = 1; i < points.size(); ++i) direct.MovePointerOverMap(points[i].x(), points[i].y());
    direct.ReleaseMap(MouseButton::Left);
    ExpectSame();
  }

  int BytesFree() const { return window.Core().Place().bytesFree; }
};

TEST_F(EditingTest, EveryDrawnObjectShowsTheEditorsPopup) {
  int shown = 0;
  const int levels = Find<QComboBox>("ComboBox1")->count();
  for (int level = 0; level < levels; ++level) {
    ChooseLevel(level);
    for (const auto& [tile, point] : TilesInView(window.Core())) {
      const std::string outline = RightPressBoth(point, {});
      EXPECT_EQ(window.Core().PopupShown(), direct.PopupShown());
      EXPECT_EQ(outline, direct.PopupShown() == PopupPlacement::None ? "" : Outline(direct.Popup()))
          << "level " << level + 1 << " tile " << tile;
      ExpectSame();
      shown += outline.empty() ? 0 : 1;
    }
  }
  EXPECT_GT(shown, 40);
}

TEST_F(EditingTest, DeletesOfEveryKind) {
  for (const MenuCommand command : {MenuCommand::DeletePlain, MenuCommand::DeleteRiverCrossing,
                                    MenuCommand::DeleteTunnel, MenuCommand::DeleteFortress}) {
    const std::optional<QPoint> at = FindPopup(FirstItemIs(command));
    ASSERT_TRUE(at) << static_cast<int>(command);
    const int before = BytesFree();
    const std::string caption = direct.Popup().front().caption;
    RightPressBoth(*at, {caption});
    ExpectSame();
    EXPECT_GT(BytesFree(), before) << caption;
  }
}

TEST_F(EditingTest, ChangeColumnAnsweredRefusedAndCancelled) {
  const auto hasChange = [](const std::vector<MenuItem>& items) {
    return ItemAt(items, {"Change Column"}) != nullptr && ItemAt(items, {"Change Column"})->enabled;
  };
  const std::vector<std::vector<std::optional<std::string>>> replies{{"3"}, {"99", "abc", "7"}, {std::nullopt}};
  for (const auto& answers : replies) {
    const std::optional<QPoint> at = FindPopup(hasChange);  // the object moves with each change
    ASSERT_TRUE(at);
    for (const auto& answer : answers) {
      windowUi.inputAnswers.push_back(answer);
      directUi.inputAnswers.push_back(answer);
    }
    RightPressBoth(*at, {"Change Column"});
    ExpectSame();
  }
  EXPECT_EQ(windowUi.Inputs().size(), 5u);
}

TEST_F(EditingTest, ColourThroughInkAndPaper) {
  const std::optional<QPoint> at = FindPopup([](const std::vector<MenuItem>& items) {
    const MenuItem* paper = ItemAt(items, {"Attribute", "Paper"});
    return paper && paper->children.front().enabled;
  });
  ASSERT_TRUE(at);
  for (const MenuPath& path : {MenuPath{"Attribute", "Ink", "Red"}, MenuPath{"Attribute", "Paper", "Blue"},
                               MenuPath{"Attribute", "Ink", "Bright"}}) {
    const std::vector<std::uint8_t> before(window.Core().Image().Bytes().begin(), window.Core().Image().Bytes().end());
    RightPressBoth(*at, path);
    ExpectSame();
    EXPECT_FALSE(std::ranges::equal(window.Core().Image().Bytes(), before)) << path.back();
  }
}

TEST_F(EditingTest, InsertFromBareGround) {
  const std::vector<MenuPath> paths{
      {"Insert", "Tree"},
      {"Insert", "Cave", "Cave Main", "Cave Main With Space"},
      {"Insert", "Log Crossing", "Log Crossing Left"},
      {"Insert", "Tunnel", "Tunnel without Motorbike"},
      {"Insert", "Tunnel", "Tunnel with Motorbike"},
      {"Insert", "Road", "Full Road"},
      {"Insert", "Fortress", "No Gate Top Soldiers"},
  };
  for (const MenuPath& path : paths) {
    windowUi.inputAnswers.push_back("20");  // a land space's distance, where one is asked
    directUi.inputAnswers.push_back("20");
    const int before = BytesFree();
    // Bare ground again: what went in before may cover the last place.
    const std::optional<QPoint> ground = FindPopup(
        [](const std::vector<MenuItem>& items) { return items.front().caption == "Insert" && items.front().enabled; });
    ASSERT_TRUE(ground);
    const MenuItem* item = ItemAt(direct.Popup(), path);
    ASSERT_NE(item, nullptr) << path.back();
    const bool enabled = item->enabled;
    RightPressBoth(*ground, path);
    ExpectSame();
    if (enabled) {
      EXPECT_LT(BytesFree(), before) << path.back();
    } else {
      EXPECT_EQ(BytesFree(), before) << path.back();
    }
  }
}

TEST_F(EditingTest, PaletteDropsOnObjectsGroundAndOutside) {
  const QPoint mapTopLeft = Img("FastIMG1")->mapTo(window.centralWidget(), QPoint(0, 0));
  const int startFree = BytesFree();
  struct DropCase {
    int slot;
    QPoint mapPoint;  // where it is released, in the map view
  };
  // Trees, boulders, huts, cliffs, caves, the fortress; on objects, on ground,
  // on the banner row and out past the map.
  for (const DropCase& drop : {DropCase{0, {100, 300}}, DropCase{1, {300, 200}}, DropCase{19, {250, 350}},
                               DropCase{20, {40, 120}}, DropCase{21, {200, 260}}, DropCase{28, {150, 330}},
                               DropCase{2, {200, 6}}, DropCase{3, {600, 200}}, DropCase{30, {256, 192}}}) {
    const QPoint release = mapTopLeft + drop.mapPoint;
    PaletteDragBoth(drop.slot, {mapTopLeft + QPoint(10, 10), (mapTopLeft + release) / 2, release});
  }
  EXPECT_LT(BytesFree(), startFree);
}

TEST_F(EditingTest, PaletteDropWithoutRoomDoesNothing) {
  const QPoint mapTopLeft = Img("FastIMG1")->mapTo(window.centralWidget(), QPoint(0, 0));
  testing::WritableState(window.Core()).place.bytesFree = 1;
  testing::WritableState(direct).place.bytesFree = 1;
  const std::vector<std::uint8_t> before(window.Core().Image().Bytes().begin(), window.Core().Image().Bytes().end());
  PaletteDragBoth(0, {mapTopLeft + QPoint(100, 300)});
  EXPECT_EQ(BytesFree(), 1);
  EXPECT_TRUE(std::ranges::equal(window.Core().Image().Bytes(), before));
}

TEST_F(EditingTest, ARefusedDropSaysWhyInTheStatusBar) {
  const QPoint mapTopLeft = Img("FastIMG1")->mapTo(window.centralWidget(), QPoint(0, 0));
  auto* bar = Find<QStatusBar>("StatusBar1");
  PaletteDragBoth(0, {mapTopLeft + QPoint(100, 300)});
  EXPECT_TRUE(bar->currentMessage().isEmpty());  // done: nothing to say
  testing::WritableState(window.Core()).place.bytesFree = 1;
  testing::WritableState(direct).place.bytesFree = 1;
  PaletteDragBoth(0, {mapTopLeft + QPoint(100, 300)});
  const std::string reason = window.Core().View().lastRefusal.reason;
  EXPECT_NE(reason.find(" needs 2 bytes; 1 is free"), std::string::npos) << reason;
  EXPECT_EQ(bar->currentMessage().toStdString(), reason);
  // The same refusal again is shown again.
  bar->clearMessage();
  PaletteDragBoth(0, {mapTopLeft + QPoint(100, 300)});
  EXPECT_EQ(bar->currentMessage().toStdString(), reason);
}

TEST_F(EditingTest, DraggingObjectsOnTheMap) {
  // A tree sideways to both column limits.
  const std::optional<QPoint> tree =
      FindPopup([](const std::vector<MenuItem>& items) { return items.front().caption == "Delete Tree"; });
  ASSERT_TRUE(tree);
  MapDragBoth({*tree, *tree + QPoint(-40, 0), QPoint(0, tree->y())});
  MapDragBoth({QPoint(8, tree->y()), QPoint(200, tree->y()), QPoint(511, tree->y())});
  // Up and down across land-space bands, then above the view so that the
  // map scrolls while the tree is carried.
  const std::optional<QPoint> again =
      FindPopup([](const std::vector<MenuItem>& items) { return items.front().caption == "Delete Tree"; });
  ASSERT_TRUE(again);
  MapDragBoth({*again, *again + QPoint(0, -30), *again + QPoint(0, -60)});
  MapDragBoth({*again + QPoint(0, -60), *again + QPoint(0, -20), *again + QPoint(0, 10)});
  const int offset = window.Core().Place().scrollOffset;
  const std::optional<QPoint> carried =
      FindPopup([](const std::vector<MenuItem>& items) { return items.front().caption == "Delete Tree"; });
  ASSERT_TRUE(carried);
  MapDragBoth({*carried, QPoint(carried->x(), 10), QPoint(carried->x(), -20), QPoint(carried->x(), -40),
               QPoint(carried->x(), -60)});
  EXPECT_NE(window.Core().Place().scrollOffset, offset);
  EXPECT_EQ(Find<QScrollBar>("ScrollBar1")->value(), window.Core().View().scrollPosition);
}

// A right press while a tree is carried opens no popup (whose grab would
// take the release and leave the drag going); the release of either button
// ends the drag.
TEST_F(EditingTest, ARightPressWhileDraggingShowsNoPopup) {
  const std::optional<QPoint> tree =
      FindPopup([](const std::vector<MenuItem>& items) { return items.front().caption == "Delete Tree"; });
  ASSERT_TRUE(tree);
  const QPoint moved = *tree + QPoint(16, 0);
  QWidget* map = Img("FastIMG1");
  QTest::mouseMove(map, *tree);
  QTest::mousePress(map, Qt::LeftButton, {}, *tree);
  QTest::mouseMove(map, moved);
  EXPECT_EQ(RightPressOnMap(moved, {}), "");
  QTest::mouseRelease(map, Qt::RightButton, {}, moved);
  QTest::mouseRelease(map, Qt::LeftButton, {}, moved);

  direct.MovePointerOverMap(tree->x(), tree->y());
  direct.PressMap(MouseButton::Left, tree->x(), tree->y());
  direct.MovePointerOverMap(moved.x(), moved.y());
  RightPress(direct, moved, {});
  direct.ReleaseMap(MouseButton::Right);
  direct.ReleaseMap(MouseButton::Left);
  ExpectSame();
  EXPECT_FALSE(window.Core().Pointer().dragFlag);
}

TEST_F(EditingTest, BothWipes) {
  ChooseLevel(2);
  auto* wipe = Find<QPushButton>("Button1");
  QTest::mouseClick(wipe, Qt::LeftButton);
  direct.WipeLevels();
  ExpectSame();
  window.Core().ClickWipeAllAfter();
  window.Sync();
  direct.ClickWipeAllAfter();
  ChooseLevel(4);
  ASSERT_TRUE(wipe->isEnabled());
  QTest::mouseClick(wipe, Qt::LeftButton);
  direct.WipeLevels();
  ExpectSame();
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->count(), 5);
  EXPECT_FALSE(wipe->isEnabled());  // the last level now: nothing after it
}

}  // namespace
}  // namespace kestrova::testing
