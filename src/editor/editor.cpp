#include "editor/editor.h"
#include "edit/palette_tables.h"
#include "render/overview.h"

#include <algorithm>

namespace kestrova {

Editor::Editor(Ui& ui, Files& files, Emulator* emulator, Drawing drawing)
    : emulator_(emulator), ui_(&ui), files_(&files), drawing_(drawing == Drawing::On) {
  // Window creation: reduced window, only the title picture and
  // "Load Snapshot" / "Exit" usable (ViewState's defaults).
  view_.Show(WindowState::NoSnapshot);
  state_ = EditorState{};  // no loaded screen, no large hut pending
  tables_ = BuildScreenTables();
  mapBitmap_.Resize(kMapWidth, kWindowRows);
  if (drawing_) SizePictures();
  dragBitmap_.Resize(20, 20);
}

void Editor::SizePictures() {
  viewBitmap_.Resize(kMapViewWidth, kMapViewHeight);
  overviewBitmap_.Resize(kOverviewWidth, kOverviewHeight);
  paletteBitmap_.Resize(kPaletteStripWidth, kPaletteStripHeight);
}

void Editor::SetDrawing(bool drawing) {
  drawing_ = drawing;
  if (drawing_ && !viewBitmap_.HasRows()) SizePictures();
}

std::optional<std::string> Editor::AskToOpen(FileDialogRequest request) {
  if (request.initialFolder.empty()) request.initialFolder = LastFolder(request.kind);
  std::optional<std::string> chosen = ui_->OpenFile(request);
  RememberFolder(request.kind, chosen);
  return chosen;
}

std::optional<std::string> Editor::AskToSave(FileDialogRequest request) {
  if (request.initialFolder.empty()) request.initialFolder = LastFolder(request.kind);
  std::optional<std::string> chosen = ui_->SaveFile(request);
  RememberFolder(request.kind, chosen);
  return chosen;
}

void Editor::RememberFolder(FileDialogKind kind, const std::optional<std::string>& chosen) {
  if (chosen && !chosen->empty()) SetLastFolder(kind, FolderOf(*chosen));
}

const std::string& Editor::LastFolder(FileDialogKind kind) const {
  const std::string& ofKind = kindFolders_[static_cast<std::size_t>(kind)];
  return ofKind.empty() ? lastFolder_ : ofKind;
}

void Editor::SetLastFolder(FileDialogKind kind, const std::string& folder) {
  if (folder.empty()) return;
  kindFolders_[static_cast<std::size_t>(kind)] = folder;
  lastFolder_ = folder;
}

void Editor::Refresh() {
  state_.walk.RewindToWalkStart();
  RedrawFromCursor();
  // Every action that changes what the map shows ends here, so the status
  // text never describes a picture that is gone.
  DescribeRememberedPointer();
}

void Editor::RedrawFromCursor() {
  RenderTarget target = Target();
  if (drawing_) {
    RenderMapView(target, viewBitmap_, view_.showLandSpace);
    ++view_.revisions.mapView;
  } else {
    DrawMapScreen(target);
  }
  view_.bytesFreeCaption = "Bytes Free: " + std::to_string(state_.place.bytesFree);
}

// The edit refresh without its final refresh: bytes free and level end
// follow the change, then the level table is rebuilt.
void Editor::BookStreamChange(int bytesInserted) {
  state_.place.bytesFree -= bytesInserted;
  state_.place.levelEnd = static_cast<std::uint32_t>(static_cast<std::int64_t>(state_.place.levelEnd) + bytesInserted);
  state_.place.savedScrollOffset = state_.place.scrollOffset;
  RebuildLevels();
}

void Editor::EditRefresh(int bytesInserted) {
  BookStreamChange(bytesInserted);
  Refresh();
}

void Editor::RebuildLevels() {
  // The records may have moved: a selection by their places would name others.
  selection_.Clear();
  levelTable_ = ScanLevelTable(image_);
  view_.chooserEntries = ChooserTexts(levelTable_);
  // The remembered index, negative counting as 0; an index past the entries
  // would select nothing, so it falls back to the last level.
  const int last = static_cast<int>(view_.chooserEntries.size()) - 1;
  const int selected = std::min(std::max(view_.chooserIndex, 0), last);
  view_.chooserIndex = selected;
  view_.chooserText = view_.chooserEntries[static_cast<std::size_t>(selected)];
  state_.place.currentLevelIndex = selected;
  view_.scrollMaximum = LevelHeight(image_, state_.place.levelStart, state_.place.levelEnd);
  RedrawLevelOverview();
  state_.place.scrollOffset = state_.place.savedScrollOffset;
  UpdateWipeButton();
}

void Editor::RedrawLevelOverview() {
  RenderTarget target = Target();
  if (!drawing_) {
    WalkOverview(target, view_.scrollMaximum);
    return;
  }
  if (overviewBitmap_.Width() != kOverviewWidth || overviewBitmap_.Height() != kOverviewHeight) {
    overviewBitmap_.Resize(kOverviewWidth, kOverviewHeight);
  }
  DrawOverview(target, view_.scrollMaximum, overviewBitmap_);
  ++view_.revisions.overview;
}

}  // namespace kestrova
