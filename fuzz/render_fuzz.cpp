// Rendering of random recognised images: any level, several scroll offsets,
// with and without land space, the overview and the whole-level picture, and
// the walks without pictures of a load and a level's choice. The
// drawing reaches only the screen area: no other byte of the image changes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/editor.h"
#include "fuzz_input.h"
#include "render/overview.h"
#include "support/memory_files.h"
#include "support/scripted_ui.h"

namespace {

using namespace kestrova;

// The image's bytes outside the screen area, and the image size.
std::vector<std::uint8_t> OutsideTheScreen(const SnapshotImage& image) {
  std::vector<std::uint8_t> rest = fuzz::BytesOf(image);
  const auto screen = static_cast<std::ptrdiff_t>(ImageOffsetOf(kScreenAreaStart));
  rest.erase(rest.begin() + screen, rest.begin() + screen + static_cast<std::ptrdiff_t>(kScreenAreaSize));
  return rest;
}

// Whether the image's bytes outside the screen area are `outside`, compared
// where they lie.
bool SameOutsideTheScreen(const SnapshotImage& image, const std::vector<std::uint8_t>& outside) {
  const std::span<const std::uint8_t> bytes = image.Bytes();
  const std::size_t screen = ImageOffsetOf(kScreenAreaStart);
  const std::size_t after = screen + kScreenAreaSize;
  return bytes.size() == outside.size() + kScreenAreaSize &&
         std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(screen), outside.begin()) &&
         std::equal(bytes.begin() + static_cast<std::ptrdiff_t>(after), bytes.end(),
                    outside.begin() + static_cast<std::ptrdiff_t>(screen));
}

void CheckUntouched(const Editor& editor, const std::vector<std::uint8_t>& outside, const std::string& after) {
  if (!SameOutsideTheScreen(editor.Image(), outside)) fuzz::Fail(after + " changed a byte outside the screen area");
  // Empty while nothing was drawn (the editor starts headless), else its own size.
  const TFastDIB& view = editor.MapView();
  if (view.HasRows() && (view.Width() != kMapViewWidth || view.Height() != kMapViewHeight))
    fuzz::Fail(after + ": map view resized");
}

}  // namespace

// One editor kept from run to run, set back to a new one's state at each
// run's start: its buffers stay allocated, which under the sanitizers saves
// more than the run's own walks cost.
struct KeptEditor {
  kestrova::testing::ScriptedUi ui;
  kestrova::testing::MemoryFiles files;
  const Editor blank{ui, files, nullptr, Editor::Drawing::Off};
  Editor editor{blank};
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static KeptEditor kept;
  fuzz::FuzzInput in(std::span<const std::uint8_t>(data, size));
  Editor& editor = kept.editor;
  editor = kept.blank;
  kept.ui = kestrova::testing::ScriptedUi{};
  // The load and the level's choice walk the level without drawing it (as
  // the tool does); the scrolls and the overview draw their pictures.
  kept.files.files["/in/game.sna"] = fuzz::BytesOf(fuzz::PatchedDemo(in, fuzz::LevelPatches::Any));
  kept.ui.fileAnswers.push_back("/in/game.sna");
  editor.LoadSnapshot();
  if (!editor.HasSnapshot()) return 0;  // not recognised
  const std::vector<std::uint8_t> outside = OutsideTheScreen(editor.Image());
  CheckUntouched(editor, outside, "the load");

  // One level a run (over the runs every level): drawing a level's overview
  // takes as long as drawing all of it, and under the sanitizers that is the
  // run's time.
  const int level = in.Uniform(0, LevelCount(editor.Levels()) - 1);
  const std::string name = "level " + std::to_string(level + 1);
  editor.ChooseLevel(level);
  CheckUntouched(editor, outside, name);
  for (int scroll = in.Uniform(1, 4); scroll > 0; --scroll) {
    editor.SetShowLandSpace(in.Bool());
    // Only the last scroll draws the map view: the walks before it leave
    // the state, grid and bytes a drawing editor has, and under the
    // sanitizers each drawing costs as much as a whole run should.
    if (scroll == 1) editor.SetDrawing(true);
    editor.ScrollTo(in.Uniform(0, editor.View().scrollMaximum));
    CheckUntouched(editor, outside, "a scroll of " + name);
  }
  if (!in.Bool()) return 0;
  editor.RedrawOverview();
  CheckUntouched(editor, outside, "the overview of " + name);
  // The whole-level picture, drawn on copies as the tool draws it.
  SnapshotImage image = editor.Image();
  EditorState state = editor.State();
  CellGrid grid;
  TFastDIB map(kMapWidth, kWindowRows);
  RenderTarget target{image, state.place, state.walk, grid, editor.Tables(), map};
  TFastDIB picture;
  if (RenderWholePicture(target, editor.View().scrollMaximum, picture).Ok() && picture.HasRows() &&
      picture.Width() != kMapWidth)
    fuzz::Fail("the whole-level picture of " + name + " is not 256 pixels wide");
  if (!SameOutsideTheScreen(image, outside))
    fuzz::Fail("the whole-level picture changed a byte outside the screen area");
  return 0;
}
