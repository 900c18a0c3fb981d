// The title picture, made at every start of the window: the demo snapshot
// built, one window of it drawn, the name and the first step written.
#include <benchmark/benchmark.h>

#include "demo/demo_game.h"
#include "demo/title_picture.h"

namespace kestrova {
namespace {

void BM_MakeTitlePicture(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(MakeTitlePicture());
}
BENCHMARK(BM_MakeTitlePicture)->Unit(benchmark::kMillisecond);

// The part of it that builds the demo snapshot.
void BM_MakeDemoSnapshot(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(MakeDemoSnapshot(DemoMachine::Spectrum48K));
}
BENCHMARK(BM_MakeDemoSnapshot)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrova

BENCHMARK_MAIN();
