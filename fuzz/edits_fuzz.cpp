// Random sequences of editing actions on random recognised images, every
// choice taken from the input: inserts of every tag from the menus and the
// palette, deletes, changes, recolours, wipes, drags on the map, palette
// drops, settings and scrolling. The level data is checked after each action.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "fuzz_input.h"
#include "support/random_edits.h"

namespace {

using namespace kestrova;

constexpr int kWindowMapTop = 96;  // the map view's top in the window's client area
constexpr int kStepLimit = 60;

class FuzzedEdits : public kestrova::testing::RandomEdits {
 public:
  explicit FuzzedEdits(fuzz::FuzzInput& in) : RandomEdits(0), in_(in) {}

 protected:
  int Uniform(int low, int high) override { return in_.Uniform(low, high); }
  std::size_t Weighted(const std::vector<int>& weights) override {
    int total = 0;
    for (int weight : weights) total += weight;
    int roll = in_.Uniform(0, total - 1);
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
  fuzz::FuzzInput& in_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::set<std::uint32_t> changeable = kestrova::testing::ChangeableOutsideTheArea();
  fuzz::FuzzInput in(std::span<const std::uint8_t>(data, size));
  FuzzedEdits run(in);
  // Edited as the tool edits: the walks run, the pictures are not drawn.
  run.f.editor.SetDrawing(false);
  run.Load(fuzz::BytesOf(fuzz::PatchedDemo(in, fuzz::LevelPatches::None)));
  if (!run.f.editor.HasSnapshot()) return 0;  // not recognised
  for (int step = 0; step < kStepLimit && in.Remaining() > 0; ++step) {
    const std::vector<std::uint8_t> before = fuzz::BytesOf(run.f.editor.Image());
    const std::string what = run.Step();
    const auto checked = run.Check(before, changeable);
    if (!checked) fuzz::Fail("step " + std::to_string(step) + " (" + what + "): " + checked.message());
  }
  return 0;
}
