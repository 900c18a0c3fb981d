// The resizable window's tall map at large sizes, on the offscreen platform:
// a scroll step, a map-drag move and an edit refresh, each against its
// floor: drawing each visible screen of the level once (the map view's own
// refresh at each band's offset) and copying the visible pixels once.
//
// Each benchmark takes the window's logical size and the zoom; the device
// pixel ratio is the platform's (QT_SCALE_FACTOR=2 for twice as many
// physical pixels). 1920 x 1080 at zoom 2, and 3840 x 2160 physical as
// 3840 x 2160 at zoom 4 or as 1920 x 1080 at zoom 2 with QT_SCALE_FACTOR=2.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include <cstring>
#include <vector>

#include "app/main_window.h"
#include "app/qt_ui.h"
#include "qtio/qt_files.h"
#include "support/longest_level.h"

namespace kestrova {
namespace {

const std::string kDemo = std::string(KESTROVA_DEMO_DIR) + "/kestrova-demo.sna";

struct TallWindow {
  app::QtUi ui;
  QtFiles files;
  app::TForm1 form{ui, files};
  QPoint object;  // a map point over an object that moves sideways

  TallWindow(const benchmark::State& state) {
    form.SetZoom(static_cast<int>(state.range(2)));
    form.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    form.show();
    form.OpenAtStart(QString::fromStdString(kDemo));
    form.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QApplication::processEvents();
    ChooseLongestLevel();
    form.Core().ScrollTall(form.Core().TallBottomLimit() / 2);
    form.Sync();
    QApplication::processEvents();
    object = FindSidewaysObject();
  }

  void ChooseLongestLevel() {
    Editor& editor = form.Core();
    editor.ChooseLevel(testing::LongestLevel(editor));
    form.Sync();
  }

  QPoint FindSidewaysObject() {
    Editor& editor = form.Core();
    const TallMap& map = editor.Tall();
    for (int y = map.Height() - 8; y > 0; y -= 4) {
      for (int x = 8 * map.Zoom(); x < map.Width(); x += 8 * map.Zoom()) {
        editor.PressTall(MouseButton::Left, x, y);
        const bool moves = editor.Pointer().dragFlag && editor.Pointer().rangeMin != editor.Pointer().rangeMax;
        editor.ReleaseTall(MouseButton::Left);
        if (moves) return {x, y};
      }
    }
    return {0, 0};
  }

  QWidget* Map() { return form.findChild<QWidget*>("FastIMG1"); }
  QScrollBar* Bar() { return form.findChild<QScrollBar*>("ScrollBar1"); }
  void Label(benchmark::State& state) {
    const qreal ratio = Map()->devicePixelRatioF();
    const TallMap& map = form.Core().Tall();
    state.SetLabel(std::to_string(static_cast<int>(map.Width() * ratio)) + "x" +
                   std::to_string(static_cast<int>(map.Height() * ratio)) + " map pixels, " +
                   std::to_string(map.Bands()) + " bands, ratio " + std::to_string(ratio));
  }
};

// Drawing each visible screen once, with the map view's refresh at each
// band's offset, and one copy of the map's visible physical pixels.
void BM_TallFloor(benchmark::State& state) {
  TallWindow window(state);
  Editor& editor = window.form.Core();
  const TallMap map = editor.Tall();
  const int bottom = editor.TallBottom();
  const qreal ratio = window.Map()->devicePixelRatioF();
  const std::size_t pixels =
      static_cast<std::size_t>(map.Width() * ratio) * static_cast<std::size_t>(map.Height() * ratio);
  std::vector<Pixel> from(pixels, 0x00CACA00), to(pixels);
  window.Label(state);
  window.form.SetClassicLayout(true);  // the Editor alone, the map view at one offset after another
  for (auto _ : state) {
    for (int band = 0; band < map.Bands(); ++band) editor.ScrollTo(editor.View().scrollMaximum - (bottom + 192 * band));
    std::memcpy(to.data(), from.data(), pixels * sizeof(Pixel));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

void BM_TallScrollStep(benchmark::State& state) {
  TallWindow window(state);
  QScrollBar* bar = window.Bar();
  bool up = false;
  for (auto _ : state) {
    bar->triggerAction((up = !up) ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    QApplication::processEvents();  // the repaint
  }
  window.Label(state);
}

void BM_TallDragMove(benchmark::State& state) {
  TallWindow window(state);
  QWidget* map = window.Map();
  const QPoint at = window.object;
  if (at == QPoint(0, 0)) {
    state.SkipWithError("no object to drag");
    return;
  }
  QMouseEvent press(QEvent::MouseButtonPress, at, map->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(map, &press);
  const int column = 8 * window.form.Core().Tall().Zoom();
  bool flip = false;
  for (auto _ : state) {
    const QPoint to = at + QPoint((flip = !flip) ? column : 0, 0);
    QMouseEvent move(QEvent::MouseMove, to, map->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(map, &move);
    QApplication::processEvents();
  }
  QMouseEvent release(QEvent::MouseButtonRelease, at, map->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(map, &release);
  window.Label(state);
}

// The edit refresh of a change of no bytes (what every edit ends with: the
// level table, the overview's whole-level pass and the refresh), shown.
void BM_TallEditRefresh(benchmark::State& state) {
  TallWindow window(state);
  for (auto _ : state) {
    window.form.Core().EditRefresh(0);
    window.form.Sync();
    QApplication::processEvents();
  }
  window.Label(state);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Args({1920, 1080, 2})->Args({3840, 2160, 4})->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_TallFloor)->Apply(Sizes);
BENCHMARK(BM_TallScrollStep)->Apply(Sizes);
BENCHMARK(BM_TallDragMove)->Apply(Sizes);
BENCHMARK(BM_TallEditRefresh)->Apply(Sizes);

}  // namespace
}  // namespace kestrova
