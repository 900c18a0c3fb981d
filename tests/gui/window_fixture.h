#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <string>

#include "app/fast_img.h"
#include "app/main_window.h"
#include "editor/editor.h"
#include "qtio/qt_files.h"
#include "support/scripted_ui.h"

namespace kestrova::testing {

inline std::string DemoPath(const char* name = "kestrova-demo.sna") { return std::string(KESTROVA_DEMO_DIR) + "/" + name; }

// The window beside a plain Editor that gets the same calls made directly,
// each with a scripted Ui and real files: after a gesture on the window, the
// two must hold the same image, state, view and map.
class WindowTwin : public ::testing::Test {
 protected:
  WindowTwin() : window(windowUi, windowFiles), direct(directUi, directFiles) {
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  template <typename T>
  T* Find(const char* name) {
    T* found = window.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  app::TFastIMG* Img(const char* name) { return Find<app::TFastIMG>(name); }

  // Both load the demo: the window through "File" > "Load Snapshot" (Ctrl+J).
  void LoadDemoInBoth(const char* name = "kestrova-demo.sna") {
    windowUi.fileAnswers.push_back(DemoPath(name));
    QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
    directUi.fileAnswers.push_back(DemoPath(name));
    direct.LoadSnapshot();
    ExpectSame();
  }

  void ExpectSame() {
    const Editor& seen = window.Core();
    ASSERT_EQ(seen.HasSnapshot(), direct.HasSnapshot());
    EXPECT_TRUE(std::ranges::equal(seen.Image().Bytes(), direct.Image().Bytes())) << "image";
    EXPECT_TRUE(seen.State() == direct.State()) << "editor state";
    EXPECT_TRUE(seen.View() == direct.View()) << "view state";
    EXPECT_EQ(seen.MapView().Pixels(), direct.MapView().Pixels()) << "map view";
    EXPECT_EQ(seen.OverviewBitmap().Pixels(), direct.OverviewBitmap().Pixels()) << "overview";
    EXPECT_EQ(seen.Grid().ownerPos, direct.Grid().ownerPos) << "cell grid";
    // The controls show what the Editor holds.
    EXPECT_EQ(Img("FastIMG1")->Picture(), app::ImageOf(seen.MapView())) << "FastIMG1";
    EXPECT_EQ(Img("FastIMG2")->Picture(), app::ImageOf(seen.OverviewBitmap())) << "FastIMG2";
  }

  void Wheel(QWidget* widget, QPoint at, int angle) {
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
  }

  // The middle of the scroll bar's thumb.
  static QPoint ThumbCentre(QScrollBar* bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar).center();
  }

  ScriptedUi windowUi;
  QtFiles windowFiles;
  app::TForm1 window;
  ScriptedUi directUi;
  QtFiles directFiles;
  Editor direct;
};

}  // namespace kestrova::testing
