// Rendering of random recognised images: any level, several scroll offsets,
// with and without land space, the overview and the whole-level picture, and
// the walks without pictures of a load and a level's choice. The
// drawing reaches only the screen area: no other byte of the image changes.
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

void CheckUntouched(const Editor& editor, const std::vector<std::uint8_t>& outside, const std::string& after) {
  if (OutsideTheScreen(editor.Image()) != outside) fuzz::Fail(after + " changed a byte outside the screen area");
  if (editor.MapView().Width() != 512 || editor.MapView().Height() != 384) fuzz::Fail(after + ": map view resized");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(std::span<const std::uint8_t>(data, size));
  const SnapshotImage patched = fuzz::PatchedDemo(in, fuzz::LevelPatches::Any);
  kestrova::testing::ScriptedUi ui;
  kestrova::testing::MemoryFiles files;
  Editor editor(ui, files);
  // The load and the level's choice walk the level without drawing it (as
  // the tool does); the scrolls and the overview draw their pictures.
  editor.SetDrawing(false);
  files.files["/in/game.sna"] = fuzz::BytesOf(patched);
  ui.fileAnswers.push_back("/in/game.sna");
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
  editor.SetDrawing(true);
  for (int scroll = in.Uniform(1, 4); scroll > 0; --scroll) {
    editor.SetShowLandSpace(in.Bool());
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
  if (OutsideTheScreen(image) != outside) fuzz::Fail("the whole-level picture changed a byte outside the screen area");
  return 0;
}
