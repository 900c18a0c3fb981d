// What the undo history adds to an edit: recording one step (an insertion
// that moves the whole level stream, and an edit that changed nothing) on a
// 48K and a 128K image, putting a step's bytes back, and a whole Undo or
// Redo through the Editor (bytes back, level table rebuilt, refresh); beside
// a plain refresh and a recorded edit (a tree inserted or deleted) to
// compare them with.
#include <benchmark/benchmark.h>

#include "demo_editor.h"
#include "edit/record_shift.h"
#include "level/level_addresses.h"
#include "support/editor_state_access.h"

namespace kestrova {
namespace {

using bench::LoadedDemo;

constexpr std::uint8_t kTreeCode = 0x83;

// The demo image at the size of a 48K or a 128K snapshot, and the same
// image after a tree went in at level 1's first record: every byte of the
// stream after it moves.
struct TwoImages {
  explicit TwoImages(std::size_t size) {
    before = SnapshotImage(bench::ReadDemo());
    before.Resize(size);
    after = before;
    OpenGap(after, kFirstMovableRecord, 2);
    after.Write(kFirstMovableRecord, kTreeCode);
    after.Write(kFirstMovableRecord + 1, 5);
  }
  SnapshotImage before;
  SnapshotImage after;
};

void BM_RecordStep(benchmark::State& state) {
  const TwoImages images(static_cast<std::size_t>(state.range(0)));
  SnapshotImage image = images.before;
  UndoHistory history(Editor::NotEditedRuns());
  history.Reset(image.Bytes());
  bool inserted = false;
  for (auto _ : state) {
    // The edit itself: the level area as the insertion or its delete leaves it.
    inserted = !inserted;
    const SnapshotImage& next = inserted ? images.after : images.before;
    image.CopyIn(ImageOffsetOf(kLevelAreaStart), next.Range(ImageOffsetOf(kLevelAreaStart), kLevelAreaLength));
    if (!history.Record("Insert Tree", image.Bytes(), {}, {})) state.SkipWithError("no step recorded");
  }
  state.counters["steps kept"] = static_cast<double>(history.StepCount());
}
BENCHMARK(BM_RecordStep)->Arg(kSnapshotSize48K)->Arg(kSnapshotSize128K);

// A refused edit: the whole comparison, and nothing to keep.
void BM_RecordNothing(benchmark::State& state) {
  const TwoImages images(static_cast<std::size_t>(state.range(0)));
  UndoHistory history(Editor::NotEditedRuns());
  history.Reset(images.before.Bytes());
  for (auto _ : state) {
    if (history.Record("Lives", images.before.Bytes(), {}, {})) state.SkipWithError("a step for no change");
  }
}
BENCHMARK(BM_RecordNothing)->Arg(kSnapshotSize48K)->Arg(kSnapshotSize128K);

// The bytes of the insertion's step put back and in again, one per iteration.
void BM_PutStepBytesBack(benchmark::State& state) {
  const TwoImages images(kSnapshotSize48K);
  SnapshotImage image = images.before;
  UndoHistory history(Editor::NotEditedRuns());
  history.Reset(image.Bytes());
  image = images.after;
  history.Record("Insert Tree", image.Bytes(), {}, {});
  bool undo = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(undo ? history.Undo(image.MutableBytes()) : history.Redo(image.MutableBytes()));
    undo = !undo;
  }
}
BENCHMARK(BM_PutStepBytesBack);

BENCHMARK(bench::BM_Refresh);

// A tree inserted at level 1's first land-space record, then deleted, one
// edit per iteration, each recorded as a step: the edits a step is added to.
void BM_RecordedEdit(benchmark::State& state) {
  LoadedDemo demo;
  Editor& editor = demo.editor;
  bool insert = true;
  for (auto _ : state) {
    testing::WritableState(editor).pointer.recordUnderPointer = kFirstMovableRecord;
    if (insert) {
      testing::WritableState(editor).pointer.pointerColumn = 5;
      editor.InsertObject(1);
    } else {
      editor.DeletePlain();
    }
    insert = !insert;
  }
  if (!editor.CanUndo()) state.SkipWithError("no step recorded");
}
BENCHMARK(BM_RecordedEdit);

// Undo and Redo of the tree's insertion, one per iteration.
void BM_UndoRedo(benchmark::State& state) {
  LoadedDemo demo;
  Editor& editor = demo.editor;
  testing::WritableState(editor).pointer.recordUnderPointer = kFirstMovableRecord;
  editor.InsertObject(1);
  if (!editor.CanUndo()) {
    state.SkipWithError("no step recorded");
    return;
  }
  bool undo = true;
  for (auto _ : state) {
    undo ? editor.Undo() : editor.Redo();
    undo = !undo;
  }
}
BENCHMARK(BM_UndoRedo);

}  // namespace
}  // namespace kestrova

BENCHMARK_MAIN();
