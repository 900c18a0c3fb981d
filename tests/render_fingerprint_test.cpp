// The map path against fingerprints recorded before it was made fast: the
// demo and 300 random level areas over random graphics, loaded, every level
// chosen, scrolled to random places with and without "Show Land Space", and
// the overview redrawn. After each step the screen area, the cell grid, the
// map view, the overview, the palette and drag pictures and the state the
// walk leaves behind must hash to what the straightforward renderer gave.
//
// To record them anew (only when a picture is meant to change, or the demo
// game does), run with KESTROVA_RECORD_FINGERPRINTS=/path/to/render_fingerprints.txt
// once render_reference_test passes: it holds the renderer to the
// straightforward walk, conversion and whole-level pass on the same demo.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/edit_fixture.h"
#include "support/render_cases.h"

namespace kestrova {
namespace {

using testing::GridPrint;
using testing::PicturePrint;
using testing::ScreenPrint;
using testing::StatePrint;

constexpr int kRandomImages = 300;  // recorded; a sanitizer build checks the first tenth
const std::string kFingerprints = KESTROVA_TEST_DATA "/render_fingerprints.txt";

class FingerprintRun {
 public:
  explicit FingerprintRun(testing::EditFixture& fixture) : fixture_(fixture) {}

  // One line per step: the step's name and the hash of the screen area,
  // cell grid, map view, overview, palette and drag pictures and state.
  void Record(const std::string& step) {
    const Editor& editor = fixture_.editor;
    testing::Fingerprint print;
    for (const std::uint64_t part :
         {ScreenPrint(editor.Image()), GridPrint(editor.Grid()), PicturePrint(editor.MapView()),
          PicturePrint(editor.OverviewBitmap()), PicturePrint(editor.PaletteBitmap()),
          PicturePrint(editor.DragBitmap()), StatePrint(editor.State())}) {
      print.Add(part);
    }
    char hash[24];
    std::snprintf(hash, sizeof hash, "%016" PRIx64, print.Value());
    steps.push_back(step);
    lines.push_back(hash);
  }

  // Every level chosen, scrolled and its overview redrawn.
  void WalkLevels(const std::string& name, std::mt19937& random) {
    Editor& editor = fixture_.editor;
    const int levels = LevelCount(editor.Levels());
    for (int level = 0; level < levels; ++level) {
      const std::string prefix = name + "/L" + std::to_string(level + 1);
      editor.ChooseLevel(level);
      Record(prefix + "/chosen");
      const int maximum = editor.View().scrollMaximum;
      for (int step = 0; step < 4; ++step) {
        if (step == 2) editor.SetShowLandSpace(random() % 3 == 0);
        const int position = step == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(maximum + 1));
        editor.ScrollTo(position);
        Record(prefix + "/scroll" + std::to_string(maximum - editor.View().scrollPosition));
      }
      editor.RedrawOverview();
      Record(prefix + "/overview");
      editor.SetShowLandSpace(false);
    }
  }

  std::vector<std::string> steps;
  std::vector<std::string> lines;

 private:
  testing::EditFixture& fixture_;
};

struct Prints {
  std::vector<std::string> steps;
  std::vector<std::string> lines;
  void Take(const FingerprintRun& run) {
    steps.insert(steps.end(), run.steps.begin(), run.steps.end());
    lines.insert(lines.end(), run.lines.begin(), run.lines.end());
  }
};

Prints RunAll() {
  Prints prints;
  {
    testing::EditFixture fixture;
    FingerprintRun run(fixture);
    fixture.LoadImage(SnapshotImage(testing::ReadWholeFile(KESTROVA_DEMO_DIR "/kestrova-demo.sna")));
    run.Record("demo/loaded");
    std::mt19937 random(13);
    run.WalkLevels("demo", random);
    for (const int slot : {1, 9, 20, 27}) {
      fixture.editor.PressPalette(MouseButton::Left, slot * 32 + 5, slot * 32 + 5, 50);
      run.Record("demo/palette" + std::to_string(slot));
      fixture.editor.ReleasePalette();
    }
    prints.Take(run);
  }
  std::mt19937 random(2026);
  const bool recording = std::getenv("KESTROVA_RECORD_FINGERPRINTS") != nullptr;
  const int images = recording ? kRandomImages : testing::RandomCaseCount(kRandomImages);
  for (int i = 0; i < images; ++i) {
    testing::EditFixture fixture;
    FingerprintRun run(fixture);
    fixture.LoadImage(testing::RandomLevelImage(random));
    const std::string name = "random" + std::to_string(i);
    run.Record(name + "/loaded");
    run.WalkLevels(name, random);
    prints.Take(run);
  }
  return prints;
}

TEST(RenderFingerprints, EveryPictureAndStateIsAsRecorded) {
  const Prints prints = RunAll();
  const std::vector<std::string>& lines = prints.lines;
  if (const char* record = std::getenv("KESTROVA_RECORD_FINGERPRINTS")) {
    std::ofstream out(record);
    for (const std::string& line : lines) out << line << '\n';
    GTEST_SKIP() << "recorded " << lines.size() << " fingerprints in " << record;
  }
  std::ifstream in(kFingerprints);
  ASSERT_TRUE(in) << kFingerprints;
  std::vector<std::string> expected;
  for (std::string line; std::getline(in, line);) expected.push_back(line);
  // All of them, or the first ones in a build that runs fewer.
  ASSERT_LE(lines.size(), expected.size());
  if (testing::RandomCaseCount(kRandomImages) == kRandomImages) {
    ASSERT_EQ(lines.size(), expected.size());
  }
  int differences = 0;
  for (std::size_t i = 0; i < lines.size() && differences < 20; ++i) {
    if (lines[i] == expected[i]) continue;
    ++differences;
    ADD_FAILURE() << "step " << i << " (" << prints.steps[i] << ") hashes " << lines[i] << ", recorded " << expected[i];
  }
}

}  // namespace
}  // namespace kestrova
