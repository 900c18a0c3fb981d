// What FastIMG1 paints, grabbed from the widget, against the map that
// `kestrova render --png` writes for the same level and scroll offset, at
// whatever device pixel ratio the platform runs at.
#include <QImage>
#include <QProcess>
#include <QScrollBar>

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

TEST_P(PaintedMapTest, GrabEqualsTheToolsPicture) {
  const auto [level, scroll] = GetParam();
  window.OpenAtStart(QString::fromStdString(DemoPath()));
  auto* chooser = Find<QComboBox>("ComboBox1");
  chooser->setFocus();
  for (int i = 1; i < level; ++i) QTest::keyClick(chooser, Qt::Key_Down);
  auto* bar = Find<QScrollBar>("ScrollBar1");
  bar->setValue(bar->maximum() - scroll);
  ASSERT_EQ(window.Core().State().scrollOffset, scroll);

  const QTemporaryDir folder;
  const QImage expected = RenderedByTheTool(level, scroll, folder.path());
  ASSERT_EQ(expected.size(), QSize(512, 384));

  QWidget* map = Img("FastIMG1");
  const QImage painted = map->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const qreal ratio = map->devicePixelRatioF();
  const double expectedRatio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
  EXPECT_EQ(ratio, expectedRatio);
  ASSERT_EQ(painted.size(), expected.size() * ratio);
  int differences = 0;
  for (int y = 0; y < painted.height(); ++y) {
    for (int x = 0; x < painted.width(); ++x) {
      const QRgb want = expected.pixel(static_cast<int>(x / ratio), static_cast<int>(y / ratio));
      differences += painted.pixel(x, y) == want ? 0 : 1;
    }
  }
  EXPECT_EQ(differences, 0);
}

INSTANTIATE_TEST_SUITE_P(DemoWindows, PaintedMapTest,
                         ::testing::Values(std::pair{1, 0}, std::pair{3, 200}, std::pair{5, 432}, std::pair{9, 100}));

}  // namespace
}  // namespace kestrova::testing
