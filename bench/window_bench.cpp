// The real window on the offscreen platform against the core calls alone:
// one pointer move over the map (status text and the repaint of what
// changed) and one scroll-bar step (refresh and repaint of the map).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include "app/main_window.h"
#include "app/qt_ui.h"
#include "qtio/qt_files.h"

namespace kestrova {
namespace {

const std::string kDemo = std::string(KESTROVA_DEMO_DIR) + "/kestrova-demo.sna";

// A map point of the demo's level 1 whose popup starts with `caption`.
QPoint FindObject(Editor& editor, const std::string& caption) {
  for (int y = 380; y > 20; y -= 4) {
    for (int x = 8; x < 512; x += 16) {
      editor.PressMap(MouseButton::Right, x, y);
      if (!editor.Popup().empty() && editor.Popup().front().caption == caption) return {x, y};
    }
  }
  return {0, 0};
}

struct Window {
  app::QtUi ui;
  QtFiles files;
  app::TForm1 form{ui, files, nullptr, app::MapLayout::Classic};
  // A tree and a boulder: a move between them changes the status text.
  QPoint tree;
  QPoint boulder;
  Window() {
    form.show();
    form.OpenAtStart(QString::fromStdString(kDemo));
    tree = FindObject(form.Core(), "Delete Tree");
    boulder = FindObject(form.Core(), "Delete Boulder");
    QApplication::processEvents();
  }
  QWidget* Map() { return form.findChild<QWidget*>("FastIMG1"); }
  QScrollBar* Bar() { return form.findChild<QScrollBar*>("ScrollBar1"); }
};

void MovePointer(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
  QApplication::processEvents();  // the repaint of what changed
}

void BM_PointerMoveCore(benchmark::State& state) {
  Window window;
  Editor& editor = window.form.Core();
  bool flip = false;
  for (auto _ : state) {
    const QPoint at = (flip = !flip) ? window.tree : window.boulder;
    editor.MovePointerOverMap(at.x(), at.y());
    benchmark::DoNotOptimize(editor.View().statusText);
  }
}

void BM_PointerMoveWindow(benchmark::State& state) {
  Window window;
  bool flip = false;
  for (auto _ : state) MovePointer(window.Map(), (flip = !flip) ? window.tree : window.boulder);
}

// The floor of a pointer move: a move over the same object (the status text
// stays), so the event's delivery and the sync are all there is.
void BM_PointerMoveSameTextWindow(benchmark::State& state) {
  Window window;
  bool flip = false;
  for (auto _ : state) MovePointer(window.Map(), window.tree + QPoint((flip = !flip) ? 1 : 0, 0));
}

// The event loop's turn with nothing to do, which every window step includes.
void BM_IdleEventLoopTurn(benchmark::State& state) {
  Window window;
  for (auto _ : state) QApplication::processEvents();
}

void BM_ScrollStepCore(benchmark::State& state) {
  Window window;
  Editor& editor = window.form.Core();
  const int maximum = editor.View().scrollMaximum;
  int position = maximum;
  for (auto _ : state) {
    position = position > 0 ? position - 1 : maximum;
    editor.ScrollTo(position);
  }
}

void BM_ScrollStepWindow(benchmark::State& state) {
  Window window;
  QScrollBar* bar = window.Bar();
  for (auto _ : state) {
    bar->triggerAction(bar->value() > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderToMaximum);
    QApplication::processEvents();
  }
}

// The repaint of one control alone.
void Repaint(benchmark::State& state, const char* name) {
  Window window;
  auto* control = window.form.findChild<QWidget*>(name);
  for (auto _ : state) control->repaint();
}

// The map, and what repaints with it on a scroll step: the scroll bar, the
// overview, and the status bar, which shares a row with the bar.
void BM_MapRepaint(benchmark::State& state) { Repaint(state, "FastIMG1"); }
void BM_ScrollBarRepaint(benchmark::State& state) { Repaint(state, "ScrollBar1"); }
void BM_OverviewRepaint(benchmark::State& state) { Repaint(state, "FastIMG2"); }
void BM_StatusRepaint(benchmark::State& state) { Repaint(state, "StatusBar1"); }

// The window reading the Editor's state after a call that changed nothing.
void BM_SyncUnchanged(benchmark::State& state) {
  Window window;
  for (auto _ : state) window.form.Sync();
}

// One pointer move of a drag on the map: the tree, back and forth by a column.
void BM_MapDragMoveCore(benchmark::State& state) {
  Window window;
  Editor& editor = window.form.Core();
  editor.PressMap(MouseButton::Left, window.tree.x(), window.tree.y());
  bool flip = false;
  for (auto _ : state) editor.MovePointerOverMap(window.tree.x() + ((flip = !flip) ? 16 : 0), window.tree.y());
  editor.ReleaseMap(MouseButton::Left);
}

void BM_MapDragMoveWindow(benchmark::State& state) {
  Window window;
  QWidget* map = window.Map();
  QMouseEvent press(QEvent::MouseButtonPress, window.tree, map->mapToGlobal(window.tree), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(map, &press);
  bool flip = false;
  for (auto _ : state) {
    const QPoint at = window.tree + QPoint((flip = !flip) ? 16 : 0, 0);
    QMouseEvent move(QEvent::MouseMove, at, map->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(map, &move);
    QApplication::processEvents();
  }
}

// One pointer move of a palette drag (the tree's slot) over the map.
constexpr QPoint kPaletteTree{48, 20};

void BM_PaletteDragMoveCore(benchmark::State& state) {
  Window window;
  Editor& editor = window.form.Core();
  editor.PressPalette(MouseButton::Left, kPaletteTree.x(), kPaletteTree.x(), 34 + kPaletteTree.y());
  bool flip = false;
  for (auto _ : state) editor.MovePointerOverWindow((flip = !flip) ? 200 : 216, 300);
  editor.ReleasePalette();
}

void BM_PaletteDragMoveWindow(benchmark::State& state) {
  Window window;
  auto* strip = window.form.findChild<QWidget*>("FastIMG3");
  QWidget* client = window.form.centralWidget();
  QMouseEvent press(QEvent::MouseButtonPress, kPaletteTree, strip->mapToGlobal(kPaletteTree), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(strip, &press);
  bool flip = false;
  for (auto _ : state) {
    const QPoint at = strip->mapFrom(client, QPoint((flip = !flip) ? 200 : 216, 300));
    QMouseEvent move(QEvent::MouseMove, at, strip->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(strip, &move);
    QApplication::processEvents();
  }
}

BENCHMARK(BM_MapDragMoveCore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapDragMoveWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaletteDragMoveCore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaletteDragMoveWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollBarRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OverviewRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StatusRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SyncUnchanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PointerMoveCore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PointerMoveWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PointerMoveSameTextWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IdleEventLoopTurn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollStepCore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollStepWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrova
