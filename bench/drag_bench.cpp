// One drag step on the map (the sideways move and the refresh it ends
// with), a plain refresh to compare it with, and one palette press (the
// drag picture built and the map drawn again), on the demo's level 1.
#include <benchmark/benchmark.h>

#include <optional>

#include "demo_editor.h"
#include "edit/drag_step.h"
#include "render/descriptions.h"
#include "view_floor.h"

namespace kestrova {
namespace {

using bench::LoadedDemo;

// A map pixel over an object that moves sideways (its range has two ends).
std::optional<std::pair<int, int>> FindSidewaysObject(Editor& editor) {
  for (int y = 20; y < kMapViewHeight; y += 2) {
    for (int x = 8; x < kMapViewWidth; x += 16) {
      const std::uint32_t cell = CellIndexUnderPointer(editor.Tables(), x, y);
      if (editor.Grid().tileId[cell] == 0) continue;
      editor.PressMap(MouseButton::Left, x, y);
      if (editor.Pointer().dragFlag && editor.Pointer().rangeMin != editor.Pointer().rangeMax) return std::pair{x, y};
      editor.ReleaseMap(MouseButton::Left);
    }
  }
  return std::nullopt;
}

BENCHMARK(bench::BM_Refresh);

// The pointer goes one column right and back on the object's own row: every
// step moves the object sideways and redraws the map.
void BM_DragStep(benchmark::State& state) {
  LoadedDemo demo;
  const auto grabbed = FindSidewaysObject(demo.editor);
  if (!grabbed) {
    state.SkipWithError("no object to drag on level 1");
    return;
  }
  const auto [x, y] = *grabbed;
  int step = 0;
  for (auto _ : state) {
    demo.editor.MovePointerOverMap(x + ((step++ & 1) ? 0 : kMapPixelsPerColumn), y);
    benchmark::DoNotOptimize(demo.editor.MapView().Pixels().data());
  }
}
BENCHMARK(BM_DragStep);

// A left press on slot `slot`; the release that follows never crossed the
// map and inserts nothing.
void BM_PalettePress(benchmark::State& state) {
  LoadedDemo demo;
  const int x = static_cast<int>(state.range(0)) * 32 + 5;
  for (auto _ : state) {
    demo.editor.PressPalette(MouseButton::Left, x, x, 50);
    benchmark::DoNotOptimize(demo.editor.DragBitmap().Pixels().data());
    demo.editor.ReleasePalette();
  }
}
BENCHMARK(BM_PalettePress)->Arg(1)->Arg(20);

}  // namespace
}  // namespace kestrova

BENCHMARK_MAIN();
