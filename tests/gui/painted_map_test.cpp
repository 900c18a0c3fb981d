// What FastIMG1 paints, grabbed from the widget and as it reached the
// window's picture on the screen, against the map that `kestrova render
// --png` writes for the same level and scroll offset, at whatever device
// pixel ratio the platform runs at.
#include <QImage>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include "gui/window_fixture.h"

namespace kestrova::testing {
namespace {

class PaintedMapTest : public WindowTwin, public ::testing::WithParamInterface<std::pair<int, int>> {};

QImage RenderedByTheTool(int level, int scroll, const QString& folder) {
  const QString png = folder + "/map.png";
  QProcess tool;
  tool.start(KESTROVA_CLI, {"render", QString::fromStdString(DemoPath()), "--level", QString::number(level), "--scroll",
                            QString::number(scroll), "--png", png});
  EXPECT_TRUE(tool.waitForFinished(30000));
  EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  return QImage(png).convertToFormat(QImage::Format_RGB32);
}

TEST_P(PaintedMapTest, GrabAndScreenEqualTheToolsPicture) {
  const auto [level, scroll] = GetParam();
  window.OpenAtStart(QString::fromStdString(DemoPath()));
  auto* chooser = Find<QComboBox>("ComboBox1");
  chooser->setFocus();
  for (int i = 1; i < level; ++i) QTest::keyClick(chooser, Qt::Key_Down);
  auto* bar = Find<QScrollBar>("ScrollBar1");
  bar->setValue(bar->maximum() - scroll);
  ASSERT_EQ(window.Core().Place().scrollOffset, scroll);

  const QTemporaryDir folder;
  const QImage expected = RenderedByTheTool(level, scroll, folder.path());
  ASSERT_EQ(expected.size(), QSize(512, 384));

  QWidget* map = Img("FastIMG1");
  const qreal ratio = map->devicePixelRatioF();
  const double expectedRatio =
      qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
  EXPECT_EQ(ratio, expectedRatio);
  const QImage grabbed = map->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(grabbed.size(), expected.size() * ratio);
  EXPECT_EQ(Differences(grabbed, expected, ratio), 0) << "grabbed";

  QApplication::processEvents();  // the repaint the scroll asked for
  const QImage screen = OnScreen(map);
  ASSERT_EQ(screen.size(), expected.size() * ratio);
  EXPECT_EQ(Differences(screen, expected, ratio), 0) << "on the screen";
}

// The palette strip scrolled inside ScrollBox1 and repainted alone: what
// shows of it is the palette at the scrolled place, and nothing of it lands
// on the box's scroll bar below it.
TEST_F(WindowTwin, PaletteStripPaintsOnlyWhereItShows) {
  window.OpenAtStart(QString::fromStdString(DemoPath()));
  auto* box = Find<QScrollArea>("ScrollBox1");
  QScrollBar* bar = box->horizontalScrollBar();
  bar->setValue(bar->maximum() / 2 + 3);
  QApplication::processEvents();
  const QImage barBefore = OnScreen(bar);
  Img("FastIMG3")->repaint();

  const qreal ratio = box->devicePixelRatioF();
  const QImage palette = app::ImageOf(window.Core().PaletteBitmap());
  QWidget* view = box->viewport();
  const int rows = std::min(view->height(), palette.height());
  ASSERT_GT(rows, 0);
  const QImage shown = OnScreen(view).copy(QRect(0, 0, qRound(view->width() * ratio), qRound(rows * ratio)));
  const QImage expected = palette.copy(QRect(bar->value(), 0, view->width(), rows));
  ASSERT_EQ(shown.size(), expected.size() * ratio);
  EXPECT_EQ(Differences(shown, expected, ratio), 0);
  EXPECT_EQ(OnScreen(bar), barBefore);
}

// During a palette drag the drag picture lies over the map. Two parts of the
// map on either side of it repaint together: the map paints those two
// parts only, not the picture between them.
TEST_F(WindowTwin, MapRepaintsLeaveTheDragPictureAboveIt) {
  window.OpenAtStart(QString::fromStdString(DemoPath()));
  QWidget* strip = Img("FastIMG3");
  QWidget* client = window.centralWidget();
  const QPoint slot(48, 20);
  QTest::mousePress(strip, Qt::LeftButton, {}, slot);
  QTest::mouseMove(strip, strip->mapFrom(client, QPoint(200, 300)));
  app::TFastIMG* picture = Img("FastIMG4");
  ASSERT_TRUE(picture->isVisible());
  QApplication::processEvents();

  QWidget* map = Img("FastIMG1");
  const QRect covered(map->mapFrom(client, picture->pos()), picture->size());
  QRegion sides(QRect(covered.left() - 8, covered.top(), 4, covered.height()));
  sides += QRect(covered.right() + 4, covered.top(), 4, covered.height());
  map->repaint(sides);
  const qreal ratio = picture->devicePixelRatioF();
  const QImage shown = OnScreen(picture);
  ASSERT_EQ(shown.size(), picture->size() * ratio);
  EXPECT_EQ(Differences(shown, picture->Picture(), ratio), 0);
  QTest::mouseRelease(strip, Qt::LeftButton, {}, strip->mapFrom(client, QPoint(200, 300)));
}

// The tall map as painted, with its bands where the whole-level picture has
// its screens, against the picture `kestrova render --whole` writes, scaled
// by the zoom: each of its pixels a zoom x zoom block, no title banner
// anywhere, the top band cut by the map's edge.
class PaintedTallMapTest : public WindowTwin, public ::testing::WithParamInterface<int> {
 protected:
  PaintedTallMapTest() : WindowTwin(app::MapLayout::Tall) {}
};

QImage WholeLevelByTheTool(int level, const QString& folder) {
  const QString png = folder + "/whole.png";
  QProcess tool;
  tool.start(KESTROVA_CLI,
             {"render", QString::fromStdString(DemoPath()), "--level", QString::number(level), "--whole", png});
  EXPECT_TRUE(tool.waitForFinished(30000));
  EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  return QImage(png).convertToFormat(QImage::Format_RGB32);
}

TEST_P(PaintedTallMapTest, TheMapIsTheToolsWholeLevelScaled) {
  const int zoom = GetParam();
  window.SetZoom(zoom);
  window.resize(300 * zoom + 200, 192 * zoom * 2 + 260);
  window.OpenAtStart(QString::fromStdString(DemoPath()));
  window.resize(300 * zoom + 200, 192 * zoom * 2 + 260);
  QApplication::processEvents();
  auto* chooser = Find<QComboBox>("ComboBox1");
  chooser->setFocus();
  for (int i = 1; i < 5; ++i) QTest::keyClick(chooser, Qt::Key_Down);
  window.Core().ScrollTall(192);
  window.Sync();
  const TallMap& map = window.Core().Tall();
  ASSERT_GE(map.Bands(), 2);
  const int bottom = window.Core().TallBottom();
  ASSERT_EQ(bottom, 192);

  const QTemporaryDir folder;
  const QImage whole = WholeLevelByTheTool(5, folder.path());
  const int height = whole.height();
  ASSERT_EQ(height, window.Core().View().scrollMaximum);
  ASSERT_LE(bottom + map.RowsShown(), height);
  QImage expected(map.Width(), map.Height(), QImage::Format_RGB32);
  for (int y = 0; y < map.Height(); ++y) {
    const int levelRow = bottom + (map.Height() - 1 - y) / zoom;
    for (int x = 0; x < map.Width(); ++x) expected.setPixel(x, y, whole.pixel(x / zoom, height - 1 - levelRow));
  }
  QWidget* shown = Img("FastIMG1");
  const qreal ratio = shown->devicePixelRatioF();
  const QImage grabbed = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(grabbed.size(), expected.size() * ratio);
  EXPECT_EQ(Differences(grabbed, expected, ratio), 0) << "grabbed";
  QApplication::processEvents();
  const QImage screen = OnScreen(shown);
  ASSERT_EQ(screen.size(), expected.size() * ratio);
  EXPECT_EQ(Differences(screen, expected, ratio), 0) << "on the screen";
}

INSTANTIATE_TEST_SUITE_P(Zooms, PaintedTallMapTest, ::testing::Values(1, 2, 3, 4));

INSTANTIATE_TEST_SUITE_P(DemoWindows, PaintedMapTest,
                         ::testing::Values(std::pair{1, 0}, std::pair{3, 200}, std::pair{5, 432}, std::pair{9, 100}));

}  // namespace
}  // namespace kestrova::testing
