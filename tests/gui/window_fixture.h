#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QBackingStore>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/fast_img.h"
#include "app/main_window.h"
#include "editor/editor.h"
#include "qtio/qt_files.h"
#include "support/scripted_ui.h"

namespace kestrova::testing {

using MenuPath = std::vector<std::string>;

// A menu as text, one item a line, indented by depth: caption, then "-" when
// disabled and "*" when checked.
inline void Outline(const std::vector<MenuItem>& items, int depth, std::string& out) {
  for (const MenuItem& item : items) {
    out += std::string(static_cast<std::size_t>(depth), ' ') + item.caption + (item.enabled ? "" : "-") +
           (item.checked ? "*" : "") + "\n";
    Outline(item.children, depth + 1, out);
  }
}
inline std::string Outline(const std::vector<MenuItem>& items) {
  std::string out;
  Outline(items, 0, out);
  return out;
}
inline void Outline(const QMenu& menu, int depth, std::string& out) {
  for (const QAction* action : menu.actions()) {
    const bool enabled = action->menu() ? action->menu()->isEnabled() : action->isEnabled();
    out += std::string(static_cast<std::size_t>(depth), ' ') + action->text().replace("&&", "&").toStdString() +
           (enabled ? "" : "-") + (action->isChecked() ? "*" : "") + "\n";
    if (action->menu()) Outline(*action->menu(), depth + 1, out);
  }
}
inline std::string Outline(const QMenu& menu) {
  std::string out;
  Outline(menu, 0, out);
  return out;
}

// The item a caption path names, or nothing.
inline const MenuItem* ItemAt(const std::vector<MenuItem>& items, const MenuPath& path, std::size_t depth = 0) {
  if (depth >= path.size()) return nullptr;
  for (const MenuItem& item : items) {
    if (item.caption != path[depth]) continue;
    return depth + 1 == path.size() ? &item : ItemAt(item.children, path, depth + 1);
  }
  return nullptr;
}

// The part of the window's picture on the screen where `control` lies.
inline QImage OnScreen(QWidget* control) {
  QWidget* window = control->window();
  QPaintDevice* device = window->backingStore()->paintDevice();
  if (device == nullptr || device->devType() != QInternal::Image) return {};
  const qreal ratio = control->devicePixelRatioF();
  const QRect place(control->mapTo(window, QPoint(0, 0)) * ratio, control->size() * ratio);
  return static_cast<const QImage*>(device)->copy(place).convertToFormat(QImage::Format_RGB32);
}

// Pixels of `painted` (device pixels) that differ from the picture pixel
// they show.
inline int Differences(const QImage& painted, const QImage& expected, qreal ratio) {
  int differences = 0;
  for (int y = 0; y < painted.height(); ++y) {
    for (int x = 0; x < painted.width(); ++x) {
      const QRgb want = expected.pixel(static_cast<int>(x / ratio), static_cast<int>(y / ratio));
      differences += painted.pixel(x, y) == want ? 0 : 1;
    }
  }
  return differences;
}

inline std::string DemoPath(const char* name = "kestrova-demo.sna") {
  return std::string(KESTROVA_DEMO_DIR) + "/" + name;
}

// The window beside a plain Editor that gets the same calls made directly,
// each with a scripted Ui and real files: after a gesture on the window, the
// two must hold the same image, state, view and map.
class WindowTwin : public ::testing::Test {
 protected:
  explicit WindowTwin(app::MapLayout layout = app::MapLayout::Classic)
      : window(windowUi, windowFiles, nullptr, layout), direct(directUi, directFiles) {
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

  // A right press on the map at `at` after the pointer moved there; the
  // popup that shows is written down and answered by clicking through
  // `path` (an empty path, or a disabled item, closes it). The outline of
  // the popup shown, empty when none showed.
  std::string RightPressOnMap(QPoint at, const MenuPath& path) {
    QWidget* map = Img("FastIMG1");
    QTest::mouseMove(map, at);
    std::string outline;
    QTimer chooser;
    chooser.setSingleShot(true);
    QObject::connect(&chooser, &QTimer::timeout, [&] { outline = ChooseFromOpenPopup(path); });
    chooser.start(0);
    QTest::mousePress(map, Qt::RightButton, {}, at);
    // Bare ground: the platform's context-menu event after the press shows it.
    QContextMenuEvent asked(QContextMenuEvent::Mouse, at, map->mapToGlobal(at));
    QApplication::sendEvent(map, &asked);
    chooser.stop();
    return outline;
  }

  // The same gesture as the Editor calls it.
  static void RightPress(Editor& editor, QPoint at, const MenuPath& path) {
    editor.MovePointerOverMap(at.x(), at.y());
    editor.PressMap(MouseButton::Right, at.x(), at.y());
    const MenuItem* item = ItemAt(editor.Popup(), path);
    if (item && item->enabled && item->children.empty()) {
      const MenuItem chosen = *item;
      editor.RunMenuCommand(chosen);
    }
  }

  static std::string ChooseFromOpenPopup(const MenuPath& path) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return {};
    const std::string outline = Outline(*menu);
    for (const std::string& caption : path) {
      QAction* action = nullptr;
      for (QAction* candidate : menu->actions()) {
        if (candidate->text().replace("&&", "&").toStdString() == caption) action = candidate;
      }
      if (!action || !action->isEnabled() || (action->menu() && !action->menu()->isEnabled())) break;
      QTest::mouseMove(menu, menu->actionGeometry(action).center());
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
      if (!action->menu()) return outline;  // chosen: the menus close
      QMenu* submenu = action->menu();
      if (!QTest::qWaitFor([submenu] { return submenu->isVisible(); }, 2000)) break;
      menu = submenu;
    }
    while (QWidget* open = QApplication::activePopupWidget()) open->close();
    return outline;
  }

  // The pointer comes to rest over a control at `at`, no button held. The
  // move is sent as well as made: the platform drops a move to where it
  // thinks the pointer already is, as after a scroll area moved its content.
  static void Hover(QWidget* widget, QPoint at) {
    QTest::mouseMove(widget, at);
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
  }

  // A left-button drag on a control through `points`, released at the last.
  static void Drag(QWidget* widget, const std::vector<QPoint>& points) {
    QTest::mouseMove(widget, points.front());
    QTest::mousePress(widget, Qt::LeftButton, {}, points.front());
    for (std::size_t i = 1; i < points.size(); ++i) QTest::mouseMove(widget, points[i]);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, points.back());
  }

  void ExpectSame() { ExpectSameAs(direct); }

  void ExpectSameAs(const Editor& other) {
    const Editor& seen = window.Core();
    ASSERT_EQ(seen.HasSnapshot(), other.HasSnapshot());
    EXPECT_TRUE(std::ranges::equal(seen.Image().Bytes(), other.Image().Bytes())) << "image";
    EXPECT_TRUE(seen.State() == other.State()) << "editor state";
    EXPECT_TRUE(seen.View() == other.View()) << "view state";

    EXPECT_EQ(seen.MapView().Pixels(), other.MapView().Pixels()) << "map view";
    EXPECT_EQ(seen.OverviewBitmap().Pixels(), other.OverviewBitmap().Pixels()) << "overview";
    EXPECT_EQ(seen.Grid().ownerPos, other.Grid().ownerPos) << "cell grid";
    // The controls show what the Editor holds, and have been told of its
    // last drawing.
    EXPECT_EQ(Img("FastIMG1")->Picture(), app::ImageOf(seen.MapView())) << "FastIMG1";
    EXPECT_EQ(Img("FastIMG2")->Picture(), app::ImageOf(seen.OverviewBitmap())) << "FastIMG2";
    const SurfaceRevisions& drawn = seen.View().revisions;
    for (const auto& [name, revision] : {std::pair{"FastIMG1", drawn.mapView},
                                         {"FastIMG2", drawn.overview},
                                         {"FastIMG3", drawn.palette},
                                         {"FastIMG4", drawn.dragPicture}}) {
      EXPECT_EQ(Img(name)->ShownRevision(), revision) << name << " is behind its surface";
    }
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
