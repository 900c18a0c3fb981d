// The status text after actions under a still pointer, the palette
// pictures' names, and the standard keys, through real input events.
#include <QAction>
#include <QHelpEvent>
#include <QToolTip>

#include "app/controls.h"
#include "gui/window_fixture.h"

namespace kestrova::testing {
namespace {

class StatusKeysTest : public WindowTwin {
 protected:
  std::string StatusShown() { return Find<app::StatusPanel>("StatusBar1")->Shown().toStdString(); }
};

TEST_F(StatusKeysTest, AWheelStepUnderAStillPointerDescribesTheNewPicture) {
  LoadDemoInBoth();
  const QPoint at(200, 330);
  QTest::mouseMove(Img("FastIMG1"), at);
  direct.MovePointerOverMap(at.x(), at.y());
  const std::string before = StatusShown();
  // Wheel steps until what lies under the pointer is described otherwise.
  for (int step = 0; step < 20 && StatusShown() == before; ++step) {
    Wheel(Img("FastIMG1"), at, 120);
    direct.TurnWheel(120, true, QApplication::wheelScrollLines());
    ExpectSame();
  }
  EXPECT_NE(StatusShown(), before);
  EXPECT_EQ(StatusShown(), direct.View().statusText);
}

TEST_F(StatusKeysTest, ThePaletteStripNamesItsPictures) {
  LoadDemoInBoth();
  QScrollArea* box = Find<QScrollArea>("ScrollBox1");
  app::TFastIMG* strip = Img("FastIMG3");
  const QPoint hut(32 * 19 + 10, 20);
  box->ensureVisible(hut.x(), hut.y(), 16, 0);
  QHelpEvent help(QEvent::ToolTip, hut, strip->mapToGlobal(hut));
  QApplication::sendEvent(strip, &help);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), "Small Hut");
  QToolTip::hideText();
  // Resting over it names it in the status bar too, as the Editor's call does.
  Hover(strip, hut);
  direct.PointAtPalette(hut.x());
  EXPECT_EQ(StatusShown(), "Small Hut");
  ExpectSame();
}

TEST_F(StatusKeysTest, CtrlOLoadsAndCtrlQExits) {
  windowUi.fileAnswers.push_back(DemoPath());
  QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
  directUi.fileAnswers.push_back(DemoPath());
  direct.LoadSnapshot();
  ASSERT_TRUE(window.Core().HasSnapshot());
  ExpectSame();
  QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(StatusKeysTest, DeleteDeletesWhatThePointerIsOver) {
  LoadDemoInBoth();
  const QPoint at(200, 330);
  QTest::mouseMove(Img("FastIMG1"), at - QPoint(3, 3));  // a move the platform cannot skip as no move
  QTest::mouseMove(Img("FastIMG1"), at);
  direct.MovePointerOverMap(at.x() - 3, at.y() - 3);
  direct.MovePointerOverMap(at.x(), at.y());
  Img("FastIMG1")->setFocus();
  const int free = window.Core().Place().bytesFree;
  QTest::keyClick(&window, Qt::Key_Delete);
  ASSERT_TRUE(direct.DeleteUnderPointer());
  ExpectSame();
  EXPECT_GT(window.Core().Place().bytesFree, free);
}

}  // namespace
}  // namespace kestrova::testing
