// The resizable window: its tall map fills the room it has, zooms, scrolls
// within the level's ends, frames what it shows in the overview, and every
// gesture on it is the Editor's tall-map call; the classic layout is one
// switch away.
#include <QActionGroup>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>

#include "edit/palette_drop.h"
#include "edit/palette_tables.h"
#include "gui/window_fixture.h"
#include "support/longest_level.h"

namespace kestrova::testing {
namespace {

class TallWindow : public WindowTwin {
 protected:
  TallWindow() : WindowTwin(app::MapLayout::Tall) {}

  // The window at `size`, the demo loaded in both, on its longest level, and
  // the direct Editor given the same tall map.
  void LoadLongestLevel(QSize size) {
    window.resize(size);
    window.OpenAtStart(QString::fromStdString(DemoPath()));
    direct.OpenAtStart(DemoPath());
    window.resize(size);
    QApplication::processEvents();
    // Both go down the chooser one level at a time, as its Down key does.
    auto* chooser = Find<QComboBox>("ComboBox1");
    chooser->setFocus();
    const int longest = LongestLevel();
    for (int level = 1; level <= longest; ++level) {
      QTest::keyClick(chooser, Qt::Key_Down);
      direct.ChooseLevel(level);
    }
    MatchMap();
  }

  // The demo's longest level, found on an Editor of its own.
  static int LongestLevel() {
    ScriptedUi ui;
    QtFiles files;
    Editor editor(ui, files);
    editor.OpenAtStart(DemoPath());
    return testing::LongestLevel(editor);
  }

  // The direct Editor's tall map where the window has it.
  void MatchMap() {
    const QPoint corner = Img("FastIMG1")->mapTo(window.centralWidget(), QPoint(0, 0));
    direct.UseTallMap(window.Core().Tall(), corner.x(), corner.y(), Find<QWidget>("ScrollBox1")->y());
  }

  const TallMap& Map() { return window.Core().Tall(); }
  QScrollBar* Bar() { return Find<QScrollBar>("ScrollBar1"); }

  // A point of the tall map in band `band`, `across` and `down` fractions into it.
  QPoint InBand(int band, double across, double down) {
    const TallMap& map = Map();
    return {static_cast<int>(map.Width() * across), map.BandTop(band) + static_cast<int>(map.BandHeight() * down)};
  }

  void ExpectSameTall() {
    Editor& seen = window.Core();
    EXPECT_TRUE(std::ranges::equal(seen.Image().Bytes(), direct.Image().Bytes())) << "image";
    EXPECT_TRUE(seen.State() == direct.State())
        << "editor state: offset " << seen.Place().scrollOffset << " / " << direct.Place().scrollOffset
        << ", pointer at " << seen.Pointer().pointerColumn << "," << seen.Pointer().lastPointerY << " / "
        << direct.Pointer().pointerColumn << "," << direct.Pointer().lastPointerY;
    ViewState view = seen.View();
    view.revisions = direct.View().revisions;
    EXPECT_TRUE(view == direct.View()) << "view state";
    EXPECT_EQ(seen.UndoName(), direct.UndoName());
    EXPECT_EQ(seen.TallPicture().Pixels(), direct.TallPicture().Pixels()) << "tall picture";
    EXPECT_EQ(Img("FastIMG1")->Picture(), app::ImageOf(seen.TallPicture())) << "FastIMG1";
    EXPECT_EQ(Img("FastIMG2")->Picture(), app::ImageOf(seen.FramedOverview())) << "FastIMG2";
  }
};

// The map fills its room's height at each zoom, the top band cut where
// whole bands do not fit, its columns in the middle of the room's width.
TEST_F(TallWindow, MapFillsTheWindowAtEveryZoom) {
  LoadLongestLevel(QSize(900, 1000));
  QWidget* area = Find<QWidget>("MapArea");
  QWidget* map = Img("FastIMG1");
  for (const QSize size : {QSize(900, 1000), QSize(700, 700), QSize(1200, 1500), QSize(1920, 1050)}) {
    window.resize(size);
    QApplication::processEvents();
    for (int zoom = 1; zoom <= 4; ++zoom) {
      window.SetZoom(zoom);
      QApplication::processEvents();
      SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()) + " at " + std::to_string(zoom));
      EXPECT_EQ(Map().Zoom(), zoom);
      const int bandHeight = 192 * zoom;
      EXPECT_EQ(Map().Bands(), (area->height() + bandHeight - 1) / bandHeight);
      EXPECT_EQ(map->size(), QSize(256 * zoom, area->height()));
      EXPECT_EQ(map->y(), 0);
      EXPECT_EQ(map->x(), std::max(0, (area->width() - map->width()) / 2));
      EXPECT_EQ(Map().RowsShown(), area->height() / zoom);
      EXPECT_EQ(Img("FastIMG1")->Picture(), app::ImageOf(window.Core().TallPicture()));
    }
  }
  // The window is resizable; the classic one is not.
  EXPECT_NE(window.minimumSize(), window.maximumSize());
}

// Ctrl+= / Ctrl+- / Ctrl+0, the "View" items and Ctrl+wheel over the map.
TEST_F(TallWindow, ZoomKeysMenuAndWheel) {
  LoadLongestLevel(QSize(1100, 1000));
  QApplication::setActiveWindow(&window);
  const auto zoom = [&] { return window.Core().Tall().Zoom(); };
  EXPECT_EQ(zoom(), 2);
  QTest::keyClick(&window, Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(zoom(), 3);
  QTest::keyClick(&window, Qt::Key_Equal, Qt::ControlModifier);
  QTest::keyClick(&window, Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(zoom(), 4);
  EXPECT_TRUE(Find<QAction>("Zoom4x1")->isChecked());
  QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(zoom(), 2);
  QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
  QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(zoom(), 1);
  Find<QAction>("Zoom3x1")->trigger();
  EXPECT_EQ(zoom(), 3);
  EXPECT_EQ(window.Zoom(), 3);
  const int bottom = window.Core().TallBottom();
  QWheelEvent up(QPointF(20, 20), Img("FastIMG1")->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 120), Qt::NoButton,
                 Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Img("FastIMG1"), &up);
  EXPECT_EQ(zoom(), 4);
  EXPECT_EQ(window.Core().TallBottom(), bottom) << "Ctrl+wheel zooms, it does not scroll";
  QWheelEvent down(QPointF(20, 20), Img("FastIMG1")->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -240),
                   Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Img("FastIMG1"), &down);
  EXPECT_EQ(zoom(), 2);
}

// The scroll bar, the wheel, Page Up/Down and Home/End stop at the level's ends.
TEST_F(TallWindow, ScrollingStopsAtTheLevelsEnds) {
  LoadLongestLevel(QSize(900, 1000));
  Editor& editor = window.Core();
  const int limit = editor.TallBottomLimit();
  ASSERT_GT(limit, 500);
  EXPECT_EQ(limit, editor.View().scrollMaximum - Map().RowsShown());
  QScrollBar* bar = Bar();
  EXPECT_EQ(bar->maximum(), limit);
  EXPECT_EQ(bar->value(), limit);  // the level's start: the thumb at the bottom
  bar->setValue(0);
  EXPECT_EQ(editor.TallBottom(), limit);
  bar->setValue(limit - 100);
  EXPECT_EQ(editor.TallBottom(), 100);

  QWidget* map = Img("FastIMG1");
  for (int i = 0; i < 10; ++i) Wheel(map, QPoint(50, 50), -120);
  EXPECT_EQ(editor.TallBottom(), 0);
  EXPECT_EQ(bar->value(), limit);
  Wheel(map, QPoint(50, 50), 120);
  EXPECT_EQ(editor.TallBottom(), 10 * QApplication::wheelScrollLines());
  for (int i = 0; i < 200; ++i) Wheel(map, QPoint(50, 50), 120);
  EXPECT_EQ(editor.TallBottom(), limit);
  EXPECT_EQ(bar->value(), 0);

  map->setFocus();
  QTest::keyClick(map, Qt::Key_Home);
  EXPECT_EQ(editor.TallBottom(), 0);
  QTest::keyClick(map, Qt::Key_PageUp);
  EXPECT_EQ(editor.TallBottom(), std::min(Map().PageRows(), limit));
  QTest::keyClick(map, Qt::Key_PageDown);
  QTest::keyClick(map, Qt::Key_PageDown);
  EXPECT_EQ(editor.TallBottom(), 0);
  QTest::keyClick(map, Qt::Key_End);
  EXPECT_EQ(editor.TallBottom(), limit);
  QTest::keyClick(map, Qt::Key_PageUp);
  EXPECT_EQ(editor.TallBottom(), limit);
  // What shows is what the Editor drew.
  QApplication::processEvents();
  EXPECT_EQ(Img("FastIMG1")->Picture(), app::ImageOf(editor.TallPicture()));
}

// The overview frames what the map shows; a press or a drag in it scrolls.
TEST_F(TallWindow, OverviewFrameFollowsAndScrolls) {
  LoadLongestLevel(QSize(900, 1000));
  Editor& editor = window.Core();
  app::TFastIMG* overview = Img("FastIMG2");
  const auto frameRows = [&] {
    // Rows whose every pixel is the frame's white: its top and bottom lines.
    std::vector<int> rows;
    const QImage picture = overview->Picture();
    for (int y = 0; y < picture.height(); ++y) {
      bool white = true;
      for (int x = 0; x < picture.width(); ++x) white = white && (picture.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
      if (white) rows.push_back(y);
    }
    return rows;
  };
  const Rect frame = editor.TallOverviewFrame();
  EXPECT_EQ(frame.y + frame.height, 384);  // at the start: the frame at the bottom
  EXPECT_EQ(frameRows(), (std::vector<int>{frame.y, 383}));
  EXPECT_NEAR(frame.height, 384.0 * Map().RowsShown() / editor.View().scrollMaximum, 1.0);

  QTest::mousePress(overview, Qt::LeftButton, {}, QPoint(30, 0));
  EXPECT_EQ(editor.TallBottom(), editor.TallBottomLimit());
  EXPECT_EQ(frameRows().front(), 0);
  // A drag: the frame's middle follows the pointer.
  for (const int y : {300, 200, 100, 250}) {
    QTest::mouseMove(overview, QPoint(30, y));
    const Rect moved = editor.TallOverviewFrame();
    if (editor.TallBottom() > 0 && editor.TallBottom() < editor.TallBottomLimit()) {
      EXPECT_NEAR(moved.y + moved.height / 2, y, 3) << y;
    }
    EXPECT_EQ(editor.TallBottom(), Map().BottomForOverviewRow(y, editor.View().scrollMaximum, 384)) << y;
  }
  QTest::mouseRelease(overview, Qt::LeftButton, {}, QPoint(30, 250));
  const int kept = editor.TallBottom();
  QTest::mouseMove(overview, QPoint(30, 10));
  EXPECT_EQ(editor.TallBottom(), kept) << "a move without the button does not scroll";
  QTest::mousePress(overview, Qt::RightButton, {}, QPoint(30, 383));
  EXPECT_EQ(editor.TallBottom(), kept) << "only the left button scrolls";
  QTest::mouseRelease(overview, Qt::RightButton, {}, QPoint(30, 383));
}

class TallWindowAtZoom : public TallWindow, public ::testing::WithParamInterface<int> {};

// Gestures on bands 1 and 2 of the window are the Editor's tall-map calls,
// band 2 being the top band with its upper part cut off by the map's edge.
TEST_P(TallWindowAtZoom, GesturesOnUpperBandsAreTheEditorsCalls) {
  const int zoom = GetParam();
  window.SetZoom(zoom);
  LoadLongestLevel(QSize(1000, 192 * zoom * 3 + 260));
  // Two and a half bands of room.
  const int room = Find<QWidget>("MapArea")->height();
  window.resize(1000, window.height() + 192 * zoom * 5 / 2 - room);
  QApplication::processEvents();
  MatchMap();
  ASSERT_EQ(Map().Bands(), 3);
  ASSERT_EQ(Map().HiddenHeight(), 192 * zoom / 2);
  QWidget* map = Img("FastIMG1");
  window.Core().ScrollTall(100);
  window.Sync();
  direct.ScrollTall(100);
  ExpectSameTall();

  // The status text under the pointer in band 2, then band 1.
  for (const QPoint at : {InBand(2, 0.3, 0.6), InBand(1, 0.6, 0.3), InBand(2, 0.9, 0.9)}) {
    QTest::mouseMove(map, at);
    direct.MovePointerOverTall(at.x(), at.y());
    ExpectSameTall();
  }
  // A popup in band 2 answered with its first enabled leaf.
  const QPoint popupAt = InBand(2, 0.5, 0.8);
  direct.MovePointerOverTall(popupAt.x(), popupAt.y());
  direct.PressTall(MouseButton::Right, popupAt.x(), popupAt.y());
  MenuPath path;
  for (const MenuItem* items = direct.Popup().empty() ? nullptr : &direct.Popup().front(); items != nullptr;) {
    path.push_back(items->caption);
    items = items->children.empty() ? nullptr : &items->children.front();
  }
  const MenuItem* leaf = ItemAt(direct.Popup(), path);
  windowUi.inputAnswers = {"3", "3"};
  directUi.inputAnswers = {"3", "3"};
  if (leaf && leaf->enabled) {
    const MenuItem chosen = *leaf;
    direct.RunMenuCommand(chosen);
  }
  RightPressOnMap(popupAt, path);
  ExpectSameTall();

  // A drag from band 1 into the cut band 2 and past the map's top (auto-scroll).
  const std::vector<QPoint> drag{InBand(1, 0.4, 0.5),
                                 InBand(1, 0.45, 0.1),
                                 InBand(2, 0.5, 0.7),
                                 QPoint(InBand(2, 0.5, 0).x(), 2),
                                 QPoint(InBand(2, 0.5, 0).x(), -20),
                                 QPoint(InBand(2, 0.5, 0).x(), -40)};
  Drag(map, drag);
  direct.MovePointerOverTall(drag.front().x(), drag.front().y());
  direct.PressTall(MouseButton::Left, drag.front().x(), drag.front().y());
  for (std::size_t i = 1; i < drag.size(); ++i) direct.MovePointerOverTall(drag[i].x(), drag[i].y());
  direct.ReleaseTall(MouseButton::Left);
  ExpectSameTall();

  // A palette drop onto band 1.
  QWidget* strip = Img("FastIMG3");
  QWidget* client = window.centralWidget();
  const QPoint slot(3 * 32 + 16, 20);
  const QPoint release = map->mapTo(client, InBand(1, 0.7, 0.5));
  QTest::mousePress(strip, Qt::LeftButton, {}, slot);
  QTest::mouseMove(strip, strip->mapFrom(client, release));
  QTest::mouseRelease(strip, Qt::LeftButton, {}, strip->mapFrom(client, release));
  const QPoint slotInClient = strip->mapTo(client, slot);
  direct.PressPalette(MouseButton::Left, slot.x(), slotInClient.x(), slotInClient.y());
  direct.MovePointerOverWindow(release.x(), release.y());
  direct.ReleasePalette();
  ExpectSameTall();
  EXPECT_EQ(window.Core().UndoName(), direct.UndoName());
}

INSTANTIATE_TEST_SUITE_P(Zooms, TallWindowAtZoom, ::testing::Values(2, 3));

// The palette wraps into rows to the window's width, with no scroll bar; a
// press and a drag from a picture of its second row drop what the same
// pick from the strip drops, and the tooltip there names that picture.
TEST_F(TallWindow, PaletteRowsFitTheWidthAndPickAsTheStripDoes) {
  for (const auto& [width, zoom] : {std::pair{900, 2}, std::pair{420, 1}}) {
    SCOPED_TRACE("width " + std::to_string(width));
    window.SetZoom(zoom);
    LoadLongestLevel(QSize(width, 1000));
    auto* box = Find<QScrollArea>("ScrollBox1");
    app::TFastIMG* strip = Img("FastIMG3");
    const PaletteRows& rows = window.Core().PaletteLayout();
    ASSERT_GE(rows.Rows(), 2);
    EXPECT_FALSE(box->horizontalScrollBar()->isVisible());
    EXPECT_LE(strip->width(), box->width());
    EXPECT_EQ(box->height(), rows.Height());
    EXPECT_EQ(strip->Picture(), app::ImageOf(window.Core().PalettePicture()));
    // A picture in the second row: its slot's pixels are the strip's.
    QPoint at;
    int stripX = -1;
    for (int x = 16; x < rows.Width() && stripX < 0; x += 32) {
      const int shown = window.Core().PaletteStripX(x, 60);
      if (shown >= 0 && !window.Core().PaletteSlotName(shown).empty()) {
        at = QPoint(x, 60);
        stripX = shown;
      }
    }
    ASSERT_GE(stripX, 0);
    const QImage palette = app::ImageOf(window.Core().PaletteBitmap());
    for (int y = 0; y < 40; ++y) {
      ASSERT_EQ(strip->Picture().pixel(at.x(), 40 + y), palette.pixel(stripX, y)) << y;
    }
    QHelpEvent help(QEvent::ToolTip, at, strip->mapToGlobal(at));
    QApplication::sendEvent(strip, &help);
    EXPECT_EQ(QToolTip::text().toStdString(), window.Core().PaletteSlotName(stripX));
    QToolTip::hideText();

    QWidget* map = Img("FastIMG1");
    QWidget* client = window.centralWidget();
    const QPoint release = map->mapTo(client, QPoint(map->width() / 2, map->height() - 100));
    QTest::mousePress(strip, Qt::LeftButton, {}, at);
    QTest::mouseMove(strip, strip->mapFrom(client, release));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, strip->mapFrom(client, release));
    MatchMap();
    const QPoint pressed = strip->mapTo(client, at);
    direct.PressPalette(MouseButton::Left, stripX, pressed.x(), pressed.y());
    direct.MovePointerOverWindow(release.x(), release.y());
    direct.ReleasePalette();
    ExpectSameTall();
    EXPECT_EQ(window.Core().UndoName(), direct.UndoName());
  }
}

// While a palette picture is carried over the map, the map outlines the
// cell where it will land, over its picture, not in it; after the release
// the object stands there. On the tall map and in the classic layout.
TEST_F(TallWindow, DropMarkerOutlinesWhereThePickLands) {
  LoadLongestLevel(QSize(900, 1000));
  int treeSlot = -1;
  for (int slot = 0; slot < kPaletteSlots && treeSlot < 0; ++slot) {
    if (TagOfSlot(slot, window.Core().Options()) == 1) treeSlot = slot;
  }
  ASSERT_GE(treeSlot, 0);
  for (const bool classic : {false, true}) {
    SCOPED_TRACE(classic ? "classic" : "tall");
    if (classic) {
      Find<QAction>("ClassicLayout1")->trigger();
      QApplication::processEvents();
    }
    Editor& editor = window.Core();
    app::TFastIMG* strip = Img("FastIMG3");
    app::TFastIMG* map = Img("FastIMG1");
    QWidget* client = window.centralWidget();
    QPoint slotAt;
    for (int y = 20; y < strip->height(); y += 40) {
      for (int x = 16; x < strip->width(); x += 32) {
        if (editor.PaletteStripX(x, y) == treeSlot * 32 + 16) slotAt = QPoint(x, y);
      }
    }
    ASSERT_NE(slotAt, QPoint());
    int landed = 0;
    for (const QPointF place :
         {QPointF(0.2, 0.8), QPointF(0.5, 0.5), QPointF(0.7, 0.3), QPointF(0.4, 0.15), QPointF(0.3, 0.6)}) {
      const QPoint over(static_cast<int>(map->width() * place.x()), static_cast<int>(map->height() * place.y()));
      const QPoint release = map->mapTo(client, over);
      QTest::mousePress(strip, Qt::LeftButton, {}, slotAt);
      QTest::mouseMove(strip, strip->mapFrom(client, release));
      const std::optional<MapCell> landing = editor.DropLanding();
      const std::uint32_t record = editor.Pointer().recordUnderPointer;
      if (landing) {
        const int zoom = classic ? 2 : editor.Tall().Zoom();
        const int top = classic ? 0 : editor.Tall().BandTop(editor.FocusBand());
        const QRect want(landing->column * 8 * zoom, top + (landing->row - 7) * zoom, 8 * zoom, 8 * zoom);
        EXPECT_EQ(map->Marker(), want);
        QApplication::processEvents();
        ASSERT_GE(want.top(), 0);
        const qreal ratio = map->devicePixelRatioF();
        const QImage shown = map->grab().toImage();
        EXPECT_EQ(shown.pixel(want.topLeft() * ratio) & 0xFFFFFF, 0x000000u) << "the outline";
        EXPECT_EQ(shown.pixel((want.topLeft() + QPoint(1, 1)) * ratio) & 0xFFFFFF, 0xFFFFFFu) << "the outline";
      } else {
        EXPECT_TRUE(map->Marker().isEmpty());
      }
      EXPECT_EQ(map->Picture(), app::ImageOf(classic ? editor.MapView() : editor.TallPicture()))
          << "not in the picture";
      const int bytesFree = editor.Place().bytesFree;
      QTest::mouseRelease(strip, Qt::LeftButton, {}, strip->mapFrom(client, release));
      EXPECT_TRUE(map->Marker().isEmpty()) << "released";
      // Only a drop the rules let in puts a tree there.
      if (!landing || editor.Place().bytesFree == bytesFree) continue;
      ASSERT_EQ(editor.Image().Read(record), 0x83);
      // The tree's lowest cell in the grid of the focus band's view.
      int lowest = -1;
      bool inColumn = false;
      for (int r = 0; r < kWindowRows; ++r) {
        for (int c = 0; c < kScreenColumns; ++c) {
          if (editor.Grid().ownerPos[editor.Tables().rowStart[static_cast<std::size_t>(r)] +
                                     static_cast<std::uint32_t>(c)] != record)
            continue;
          lowest = r;
          inColumn = inColumn || c == landing->column;
        }
      }
      if (lowest < 0) continue;  // later records drew over all of it
      EXPECT_LE(lowest, landing->row);
      EXPECT_TRUE(inColumn);
      if (lowest == landing->row) ++landed;
    }
    EXPECT_GE(landed, 2);
  }
}

// "View" > "Classic Layout" gives the designed window and back.
TEST_F(TallWindow, ClassicLayoutSwitchesBothWays) {
  LoadLongestLevel(QSize(900, 1000));
  QAction* classic = Find<QAction>("ClassicLayout1");
  classic->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(window.ClassicLayout());
  EXPECT_TRUE(classic->isChecked());
  EXPECT_EQ(window.centralWidget()->size(), app::TForm1::ClientSizeFor(603, 567));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_FALSE(Find<QAction>("ZoomIn1")->isEnabled());
  for (const auto& [name, place] : {std::pair{"FastIMG1", QRect(0, 96, 512, 384)},
                                    {"FastIMG2", QRect(528, 96, 64, 384)},
                                    {"ScrollBar1", QRect(512, 96, 17, 385)},
                                    {"ScrollBox1", QRect(0, 34, 592, 61)},
                                    {"StatusBar1", QRect(0, 480, 595, 33)},
                                    {"ComboBox1", QRect(8, 0, 145, 21)}}) {
    QWidget* control = Find<QWidget>(name);
    EXPECT_EQ(QRect(control->mapTo(window.centralWidget(), QPoint(0, 0)), control->size()), place) << name;
  }
  // The classic map is the map view at the focus band's offset.
  EXPECT_EQ(Img("FastIMG1")->Picture(), app::ImageOf(window.Core().MapView()));
  const int offset = window.Core().Place().scrollOffset;
  QTest::mouseMove(Img("FastIMG1"), QPoint(100, 100));
  direct.UseMapViewOnly();
  direct.MovePointerOverMap(100, 100);
  EXPECT_EQ(window.Core().View().statusText, direct.View().statusText);
  EXPECT_EQ(window.Core().Place().scrollOffset, offset);

  classic->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(window.ClassicLayout());
  EXPECT_NE(window.minimumSize(), window.maximumSize());
  EXPECT_EQ(Img("FastIMG1")->size(), QSize(Map().Width(), Map().Height()));
  EXPECT_EQ(Img("FastIMG1")->Picture(), app::ImageOf(window.Core().TallPicture()));
}

// The resizable layout unless the classic one is asked for (as
// `kestrova-editor --classic` asks).
TEST(TallWindowStart, TheResizableLayoutIsTheDefault) {
  ScriptedUi ui;
  QtFiles files;
  app::TForm1 tall(ui, files);
  EXPECT_FALSE(tall.ClassicLayout());
  app::TForm1 classic(ui, files, nullptr, app::MapLayout::Classic);
  EXPECT_TRUE(classic.ClassicLayout());
  EXPECT_TRUE(classic.findChild<QAction*>("ClassicLayout1")->isChecked());
}

}  // namespace
}  // namespace kestrova::testing
