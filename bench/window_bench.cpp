// The real window on the offscreen platform against the core calls alone:
// one pointer move over the map (status text and the repaint of what
// changed) and one scroll-bar step (refresh and repaint of the map).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include "app/fast_img.h"
#include "app/main_window.h"
#include "app/qt_ui.h"
#include "qtio/qt_files.h"

namespace kestrova {
namespace {

const std::string kDemo = std::string(KESTROVA_DEMO_DIR) + "/kestrova-demo.sna";

// Two map points over different objects of the demo's level 1, so that each
// move changes the status text.
constexpr QPoint kPointerA{232, 280};
constexpr QPoint kPointerB{420, 200};

struct Window {
  app::QtUi ui;
  QtFiles files;
  app::TForm1 form{ui, files};
  Window() {
    form.show();
    form.OpenAtStart(QString::fromStdString(kDemo));
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
    const QPoint at = (flip = !flip) ? kPointerA : kPointerB;
    editor.MovePointerOverMap(at.x(), at.y());
    benchmark::DoNotOptimize(editor.View().statusText);
  }
}

void BM_PointerMoveWindow(benchmark::State& state) {
  Window window;
  bool flip = false;
  for (auto _ : state) MovePointer(window.Map(), (flip = !flip) ? kPointerA : kPointerB);
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

// The copy of a new map into FastIMG1's picture, part of every scroll step.
void BM_MapIntoPicture(benchmark::State& state) {
  Window window;
  auto* map = window.form.findChild<app::TFastIMG*>("FastIMG1");
  unsigned revision = 1000;
  for (auto _ : state) map->ShowSurface(window.form.Core().MapView(), ++revision);
}

// The repaint of FastIMG1 alone.
void BM_MapRepaint(benchmark::State& state) {
  Window window;
  QWidget* map = window.Map();
  for (auto _ : state) map->repaint();
}

BENCHMARK(BM_MapIntoPicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PointerMoveCore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PointerMoveWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollStepCore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollStepWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrova

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
