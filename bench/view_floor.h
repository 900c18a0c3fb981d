#pragma once

// The floor every map benchmark is measured against: a plain memset and
// memcpy of the 512 x 384 x 4 view buffer. Each benchmark program registers
// it, so that the figures it is compared with come from the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "surface/fast_dib.h"

namespace kestrova {

inline void BM_ViewBufferFloor(benchmark::State& run) {
  std::vector<Pixel> source(512 * 384, 0x00CACA00), target(512 * 384);
  for (auto _ : run) {
    std::memset(target.data(), 0, target.size() * sizeof(Pixel));
    benchmark::ClobberMemory();
    std::memcpy(target.data(), source.data(), target.size() * sizeof(Pixel));
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ViewBufferFloor);

}  // namespace kestrova
