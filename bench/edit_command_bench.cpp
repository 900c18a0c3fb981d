// What one command of `kestrova edit` costs, run as the tool runs it: `ink`
// of an object of the demo's level 1 through the EditRunner (the record
// pointed at, its popup opened, the colour item clicked), the colour going
// back and forth between two so every run changes a byte. Headless as the
// tool edits, and drawing every picture as the window would, to compare.
#include <benchmark/benchmark.h>

#include "cli/edit_runner.h"
#include "cli/edit_script.h"
#include "demo_editor.h"

namespace kestrova {
namespace {

void BM_InkCommand(benchmark::State& state) {
  bench::DemoFile files;
  cli::BatchUi ui;
  ui.paths = {"kestrova-demo.sna"};
  Editor editor(ui, files);
  editor.SetDrawing(state.range(0) == 0);
  editor.LoadSnapshot();
  if (!editor.HasSnapshot()) state.SkipWithError("the demo did not load");
  cli::EditRunner runner(editor, ui);
  const Result<cli::EditCommand> commands[] = {cli::ParseEditCommand("ink $9304 Red", 1),
                                               cli::ParseEditCommand("ink $9304 Blue", 2)};
  for (const auto& command : commands) {
    if (!command) state.SkipWithError(command.ErrorMessage().c_str());
  }
  std::size_t next = 0;
  for (auto _ : state) {
    if (const Outcome done = runner.Run(*commands[next]); !done) {
      state.SkipWithError(done.ErrorMessage().c_str());
      break;
    }
    next ^= 1;
  }
  state.SetLabel(state.range(0) == 0 ? "drawing" : "headless");
}
BENCHMARK(BM_InkCommand)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrova

BENCHMARK_MAIN();
