// Random sequences of editing actions on random recognised images, every
// choice taken from the input: inserts of every tag from the menus and the
// palette, deletes, changes, recolours, wipes, drags on the map, palette
// drops, settings and scrolling. The level data is checked after each action.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "fuzz_input.h"
#include "support/random_edits.h"

namespace {

using namespace kestrova;

constexpr int kWindowMapTop = 96;  // the map view's top in the window's client area
constexpr int kStepLimit = 16;

class FuzzedEdits : public kestrova::testing::RandomEdits {
 public:
  FuzzedEdits() : RandomEdits(0) {}

  void Use(fuzz::FuzzInput& in) { in_ = &in; }

 protected:
  int Uniform(int low, int high) override { return in_->Uniform(low, high); }
  std::size_t Weighted(const std::vector<int>& weights) override {
    int total = 0;
    for (int weight : weights) total += weight;
    int roll = in_->Uniform(0, total - 1);
    for (std::size_t i = 0; i < weights.size(); ++i) {
      if (roll < weights[i]) return i;
      roll -= weights[i];
    }
    return weights.size() - 1;
  }

  // Two kinds of steps the window has besides those of the edit sequences:
  // a drag of whatever lies under the pointer, and a palette pick dropped
  // wherever the pointer ends.
  bool OwnStep(std::ostringstream& what) override {
    const int roll = Uniform(0, 9);
    if (roll == 0) {
      what << "drag";
      f.editor.PressMap(MouseButton::Left, Uniform(0, 511), Uniform(0, 383));
      for (int moves = Uniform(1, 8); moves > 0; --moves)
        f.editor.MovePointerOverMap(Uniform(-64, 575), Uniform(-48, 431));
      f.editor.ReleaseMap(MouseButton::Left);
      return true;
    }
    if (roll == 1) {
      what << "palette";
      if (Uniform(0, 3) == 0)
        f.editor.ClickOption(static_cast<OptionId>(Uniform(0, static_cast<int>(OptionId::WipeAllAfterCurrentLevel))));
      f.editor.PressPalette(MouseButton::Left, Uniform(0, 1023), Uniform(0, 639), Uniform(0, 95));
      for (int moves = Uniform(1, 4); moves > 0; --moves)
        f.editor.MovePointerOverWindow(Uniform(0, 639), kWindowMapTop + Uniform(-20, 400));
      Answer(1, 255);
      f.editor.ReleasePalette();
      return true;
    }
    return false;
  }

 private:
  fuzz::FuzzInput* in_ = nullptr;
};

// One sequence runner per machine, kept from run to run with the demo as
// its load left it: a run starts from a copy of that instead of loading
// again, which would cost more than the run's edits. Edited as the tool
// edits: the walks run, the pictures are not drawn.
struct LoadedDemo {
  FuzzedEdits run;
  Editor loaded;

  explicit LoadedDemo(DemoMachine machine) : loaded(run.f.editor) {
    run.f.editor.SetDrawing(false);
    run.Load(fuzz::BytesOf(fuzz::Demo(machine)));
    if (!run.f.editor.HasSnapshot()) fuzz::Fail("the demo did not load");
    loaded = run.f.editor;
  }
};

LoadedDemo& Loaded(DemoMachine machine) {
  static LoadedDemo demo48(DemoMachine::Spectrum48K), demo128(DemoMachine::Spectrum128K);
  return machine == DemoMachine::Spectrum48K ? demo48 : demo128;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const kestrova::testing::ChangeableBytes changeable(kestrova::testing::ChangeableOutsideTheArea());
  static std::vector<std::uint8_t> before;
  fuzz::FuzzInput in(std::span<const std::uint8_t>(data, size));
  LoadedDemo& demo = Loaded(in.Bool() ? DemoMachine::Spectrum128K : DemoMachine::Spectrum48K);
  FuzzedEdits& run = demo.run;
  run.Use(in);
  // The input's patches go into the loaded image: graphics, colour bytes,
  // settings and the screen, never the levels.
  fuzz::PatchImage(in, run.f.editor.Image(), fuzz::LevelPatches::None);
  for (int step = 0; step < kStepLimit && in.Remaining() > 0; ++step) {
    const std::span<const std::uint8_t> image = run.f.editor.Image().Bytes();
    before.assign(image.begin(), image.end());
    const std::string what = run.Step();
    const auto checked = run.Check(before, changeable);
    if (!checked) fuzz::Fail("step " + std::to_string(step) + " (" + what + "): " + checked.message());
  }
  // Back as loaded for the next run. Done here rather than at the next
  // run's start, so that what this run allocated is freed by its end, as
  // the fuzzer's leak check expects.
  run.StartFrom(demo.loaded);
  return 0;
}
