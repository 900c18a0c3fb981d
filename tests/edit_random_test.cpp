// Random sequences of edits over the demo game, driven through the Editor as
// the window drives it (presses on the map, popup items, prompts, wipes,
// level choice, settings), with the level data checked after every step.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/random_edits.h"

namespace kestrova {
namespace {

using testing::Bytes;
using testing::ChangeableOutsideTheArea;
using testing::kDemo;
using testing::RandomEdits;
using testing::ReadFile;

TEST(RandomEdits, KeepTheLevelDataWhole) {
  const Bytes demo = ReadFile(kDemo);
  ASSERT_GE(demo.size(), kSnapshotSize48K) << kDemo;
  const std::set<std::uint32_t> changeable = ChangeableOutsideTheArea();
  int inserts = 0, deletes = 0, changes = 0, colours = 0, wipes = 0;
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
    RandomEdits run(seed);
    run.Load(demo);
    ASSERT_TRUE(run.f.editor.HasSnapshot());
    ASSERT_TRUE(run.Check(Bytes(run.f.editor.Image().Bytes().begin(), run.f.editor.Image().Bytes().end()), changeable));
    for (int step = 0; step < 700; ++step) {
      const Bytes before(run.f.editor.Image().Bytes().begin(), run.f.editor.Image().Bytes().end());
      const std::string what = run.Step();
      ASSERT_TRUE(run.Check(before, changeable)) << "seed " << seed << " step " << step << ": " << what;
    }
    inserts += run.inserts;
    deletes += run.deletes;
    changes += run.changes;
    colours += run.colours;
    wipes += run.wipes;
    std::printf("seed %u: %d inserts, %d deletes, %d changes, %d colours, %d levels, %d bytes free\n", seed,
                run.inserts, run.deletes, run.changes, run.colours, LevelCount(run.f.editor.Levels()),
                run.f.editor.Place().bytesFree);
  }
  // The sequences reach every kind of command.
  EXPECT_GT(inserts, 500);
  EXPECT_GT(deletes, 500);
  EXPECT_GT(changes, 200);
  EXPECT_GT(colours, 200);
  EXPECT_GT(wipes, 20);
}

bool SameGrid(const CellGrid& a, const CellGrid& b) {
  return a.tileId == b.tileId && a.ownerPos == b.ownerPos && a.landPos == b.landPos;
}

// The tool and the fuzzers edit without drawing the pictures, with an
// editor made headless, whose pictures are not even allocated. The same
// sequence run drawn and headless leaves the same image, state and cell grid
// after every step (the walks the pictures skip leave their memory for the
// next walk); drawing turned on, the next handler draws what a drawing
// editor shows.
TEST(RandomEdits, HeadlessEditsLeaveWhatDrawnOnesLeave) {
  const Bytes demo = ReadFile(kDemo);
  ASSERT_GE(demo.size(), kSnapshotSize48K) << kDemo;
  for (unsigned seed : {21u, 22u, 23u}) {
    RandomEdits drawn(seed), headless(seed);
    headless.f.editor = Editor(headless.f.ui, headless.f.files, nullptr, Editor::Drawing::Off);
    drawn.Load(demo);
    headless.Load(demo);
    const Editor& a = drawn.f.editor;
    const Editor& b = headless.f.editor;
    for (int step = 0; step < 300; ++step) {
      const std::string what = drawn.Step();
      ASSERT_EQ(headless.Step(), what) << "seed " << seed << " step " << step;
      ASSERT_TRUE(std::ranges::equal(a.Image().Bytes(), b.Image().Bytes()))
          << "seed " << seed << " step " << step << ": " << what;
      ASSERT_EQ(a.State(), b.State()) << "seed " << seed << " step " << step << ": " << what;
      ASSERT_TRUE(SameGrid(a.Grid(), b.Grid())) << "seed " << seed << " step " << step << ": " << what;
    }
    EXPECT_FALSE(b.MapView().HasRows() || b.OverviewBitmap().HasRows() || b.PaletteBitmap().HasRows());
    headless.f.editor.SetDrawing(true);
    for (RandomEdits* run : {&drawn, &headless}) run->f.editor.RedrawOverview();
    EXPECT_EQ(a.MapView().Pixels(), b.MapView().Pixels()) << "seed " << seed;
    EXPECT_EQ(a.OverviewBitmap().Pixels(), b.OverviewBitmap().Pixels()) << "seed " << seed;
  }
}

}  // namespace
}  // namespace kestrova
