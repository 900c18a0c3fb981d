// Random sequences of edits over the demo game, driven through the Editor as
// the window drives it (presses on the map, popup items, prompts, wipes,
// level choice, settings), with the level data checked after every step.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kestrova
