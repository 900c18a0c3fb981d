// The map refresh (ClearCellGrid through ShowMap into the 512 x 384 view) on
// the busiest window of the demo and at both ends of a 40-screen level, the
// level overview of the tallest demo level, of a ten-screen level and of
// synthetic levels of 1 to 40 screens, beside the floor (view_floor.h).
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "editor/editor_state.h"
#include "level/level_table.h"
#include "render/overview.h"
#include "render/renderer.h"
#include "snapshot/sna.h"
#include "view_floor.h"

namespace kestrova {
namespace {

using Bytes = std::vector<std::uint8_t>;

SnapshotImage DemoImage() {
  std::ifstream in(std::filesystem::path(KESTROVA_DEMO_DIR) / "kestrova-demo.sna", std::ios::binary);
  const Bytes file((std::istreambuf_iterator<char>(in)), {});
  auto image = ReadSna(file);
  if (!image) std::abort();
  return std::move(*image);
}

struct Scene {
  explicit Scene(SnapshotImage demo) : image(std::move(demo)) {}
  SnapshotImage image;
  EditorState state;
  CellGrid grid;
  ScreenTables tables = BuildScreenTables();
  TFastDIB map{256, 192};
  TFastDIB view{512, 384};
  RenderTarget Target() { return RenderTarget{image, state.place, state.walk, grid, tables, map}; }

  void ShowLevel(const LevelTable& levels, int index, std::int32_t scroll) {
    state.place.levelStart = levels[static_cast<std::size_t>(index)];
    state.place.levelEnd = LevelEndByBoundsRule(image, levels, index).value_or(state.place.levelStart);
    state.place.scrollOffset = scroll;
  }
  int Height() const { return LevelHeight(image, state.place.levelStart, state.place.levelEnd); }
};

// How much a window shows: drawn display bytes plus cells with a tile.
int Busyness(Scene& scene) {
  RenderTarget target = scene.Target();
  RenderMapView(target, scene.view, false);
  int count = 0;
  for (std::uint32_t d = 0; d < kDisplayFileSize; ++d) {
    count += scene.image.Read(kScreenAreaStart + d) != 0;
    count += scene.grid.tileId[d] != 0;
  }
  return count;
}

// The demo level and scroll offset (in steps of 48 rows) that show the most.
Scene BusiestWindow() {
  Scene scene(DemoImage());
  const LevelTable levels = ScanLevelTable(scene.image);
  int bestLevel = 0, bestScroll = 0, best = -1;
  for (int i = 0; i < LevelCount(levels); ++i) {
    scene.ShowLevel(levels, i, 0);
    for (int scroll = 0; scroll <= std::max(scene.Height() - 192, 0); scroll += 48) {
      scene.ShowLevel(levels, i, scroll);
      const int busy = Busyness(scene);
      if (busy > best) best = busy, bestLevel = i, bestScroll = scroll;
    }
  }
  scene.ShowLevel(levels, bestLevel, bestScroll);
  return scene;
}

Scene TallestLevel() {
  Scene scene(DemoImage());
  const LevelTable levels = ScanLevelTable(scene.image);
  int tallest = 0, height = -1;
  for (int i = 0; i < LevelCount(levels); ++i) {
    scene.ShowLevel(levels, i, 0);
    if (scene.Height() > height) height = scene.Height(), tallest = i;
  }
  scene.ShowLevel(levels, tallest, 0);
  return scene;
}

// Level 1 replaced by the busiest demo level's records, repeated until the
// level is ten screens tall (or the level area is full).
Scene TenScreens() {
  Scene busiest = BusiestWindow();
  Bytes records;
  for (std::uint32_t p = busiest.state.place.levelStart; p < busiest.state.place.levelEnd; ++p)
    records.push_back(busiest.image.Read(p));
  Scene scene(DemoImage());
  Bytes level;
  int height = 0;
  // Record by record, round and round, until the next band would pass 1920 rows.
  for (std::size_t i = 0; records.size() >= 2 && level.size() + 5 <= kLevelAreaLength;
       i = (i + 2) % (records.size() & ~std::size_t{1})) {
    const int rows = records[i] == 0 ? 2 * records[i + 1] + 2 : 0;
    if (height + rows > 1920) break;
    height += rows;
    level.insert(level.end(), {records[i], records[i + 1]});
  }
  level.insert(level.end(), {0x22, 0x01, 0xFF});
  for (std::size_t i = 0; i < level.size(); ++i)
    scene.image.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), level[i]);
  scene.state.place.levelStart = kLevelAreaStart;
  scene.state.place.levelEnd = kLevelAreaStart + static_cast<std::uint32_t>(level.size()) - 3;
  return scene;
}

void BM_RefreshBusiestWindow(benchmark::State& run) {
  Scene scene = BusiestWindow();
  run.SetLabel("level start " + std::to_string(scene.state.place.levelStart) + ", scroll " +
               std::to_string(scene.state.place.scrollOffset));
  RenderTarget target = scene.Target();
  for (auto _ : run) {
    RenderMapView(target, scene.view, false);
    benchmark::DoNotOptimize(scene.view.Pixels().data());
  }
}
BENCHMARK(BM_RefreshBusiestWindow);

void Overview(benchmark::State& run, Scene scene) {
  const int height = scene.Height();
  run.SetLabel(std::to_string(height / 192) + " screens");
  TFastDIB overview(64, 384);
  RenderTarget target = scene.Target();
  for (auto _ : run) {
    DrawOverview(target, height, overview);
    benchmark::DoNotOptimize(overview.Pixels().data());
  }
}

void BM_OverviewTallestDemoLevel(benchmark::State& run) { Overview(run, TallestLevel()); }
BENCHMARK(BM_OverviewTallestDemoLevel)->Unit(benchmark::kMicrosecond);

void BM_OverviewTenScreens(benchmark::State& run) { Overview(run, TenScreens()); }
BENCHMARK(BM_OverviewTenScreens)->Unit(benchmark::kMicrosecond);

// Level 1 replaced by `screens` copies of one screen of records: six bands
// of 32 rows with a busy mix of objects between them. Forty screens take
// 1603 of the level area's 1689 bytes.
Scene SyntheticScreens(int screens) {
  static constexpr std::uint8_t kScreen[] = {
      0x00, 15, 0x83, 4,  0x87, 20, 0x0F, 12, 0x00, 15, 0x81, 10, 0x94, 0x84, 0x00, 15, 0x8A, 2,  0x8B, 4,
      0x8C, 7,  0x12, 24, 0x00, 15, 0x26, 9,  0x1E, 0,  0x00, 15, 0x95, 22,   0x10, 2,  0x00, 15, 0x98, 8,
  };
  Scene scene(DemoImage());
  Bytes level;
  for (int i = 0; i < screens; ++i) level.insert(level.end(), std::begin(kScreen), std::end(kScreen));
  level.insert(level.end(), {0x22, 0x01, 0xFF});
  for (std::size_t i = 0; i < level.size(); ++i)
    scene.image.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), level[i]);
  scene.state.place.levelStart = kLevelAreaStart;
  scene.state.place.levelEnd = kLevelAreaStart + static_cast<std::uint32_t>(level.size()) - 3;
  return scene;
}

void BM_OverviewScreens(benchmark::State& run) { Overview(run, SyntheticScreens(static_cast<int>(run.range(0)))); }
BENCHMARK(BM_OverviewScreens)->Arg(1)->Arg(5)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMicrosecond);

// A refresh of the 40-screen level at its top (range 1) and at its bottom (0).
void BM_RefreshFortyScreens(benchmark::State& run) {
  Scene scene = SyntheticScreens(40);
  scene.state.place.scrollOffset = run.range(0) != 0 ? scene.Height() - 192 : 0;
  run.SetLabel(run.range(0) != 0 ? "top" : "bottom");
  RenderTarget target = scene.Target();
  for (auto _ : run) {
    RenderMapView(target, scene.view, false);
    benchmark::DoNotOptimize(scene.view.Pixels().data());
  }
}
BENCHMARK(BM_RefreshFortyScreens)->Arg(0)->Arg(1);

}  // namespace
}  // namespace kestrova

BENCHMARK_MAIN();
