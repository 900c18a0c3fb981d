#include "editor/editor.h"

#include <algorithm>

namespace kestrova {

Editor::Editor(Ui& ui, Files& files) : ui_(ui), files_(files) {
  // Window creation: reduced window, only the title picture and
  // "Load Snapshot" / "Exit" usable (ViewState's defaults).
  state_.loadedScreen = false;
  state_.largeHut = false;
  tables_ = BuildScreenTables();
  mapBitmap_.Resize(256, 192);
  viewBitmap_.Resize(512, 384);
  overviewBitmap_.Resize(64, 384);
  paletteBitmap_.Resize(1024, 40);
  dragBitmap_.Resize(20, 20);
}

void Editor::Refresh() {
  state_.streamCursor = static_cast<std::int32_t>(state_.walkStart);
  ClearCellGrid(grid_);
  ClearMapScreen(image_);
  RenderTarget target = Target();
  DrawLevel(target);
  view_.bytesFreeCaption = "Bytes Free: " + std::to_string(state_.bytesFree);
  ConvertScreen(target);
  if (view_.showLandSpace) {
    ShowLandSpace(target, viewBitmap_, true);
  } else {
    ShowMap(mapBitmap_, viewBitmap_);
  }
}

void Editor::EditRefresh(int bytesInserted) {
  state_.bytesFree -= bytesInserted;
  state_.levelEnd = static_cast<std::uint32_t>(static_cast<std::int64_t>(state_.levelEnd) + bytesInserted);
  state_.savedScrollOffset = state_.scrollOffset;
  RebuildLevels();
  Refresh();
}

void Editor::RebuildLevels() {
  const int selected = std::max(view_.chooserIndex, 0);
  levelTable_ = ScanLevelTable(image_);
  view_.chooserEntries = ChooserTexts(levelTable_);
  view_.chooserIndex = selected;
  state_.currentLevelIndex = selected;
  view_.scrollMaximum = LevelHeight(image_, state_.levelStart, state_.levelEnd);
  RedrawLevelOverview();
  state_.scrollOffset = state_.savedScrollOffset;
  UpdateWipeButton();
}

void Editor::RedrawLevelOverview() {
  // The whole-level pass comes with the renderer.
}

}  // namespace kestrova
