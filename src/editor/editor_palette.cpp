// The object palette: the strip drawn after a load, its drag-and-drop, and
// the "Properties" dialog its right button shows.
#include "edit/drag_step.h"
#include "edit/insertion.h"
#include "edit/palette_drawing.h"
#include "edit/palette_drop.h"
#include "editor/editor.h"

namespace kestrova {

void Editor::DrawPaletteStrip() {
  RenderTarget target = Target();
  if (!drawing_) {
    WalkPalettePictures(target);
    return;
  }
  DrawPalettePictures(target, paletteBitmap_);
  ++view_.revisions.palette;
}

void Editor::PressPalette(MouseButton button, int x, int windowX, int windowY) {
  if (!HasSnapshot()) return;
  if (button == MouseButton::Right) {
    ShowProperties();
    return;
  }
  if (button != MouseButton::Left || x < 0 || x >= kPaletteStripWidth) return;
  const std::optional<int> tag = TagOfSlot(x / kPaletteSlotWidth, options_);
  const DragPictureRow* picture = tag ? DragPictureOfTag(*tag) : nullptr;
  if (!picture) return;

  state_.pointer.recordUnderPointer = 0;
  paletteTag_ = *tag;  // a new pick at every press
  state_.pointer.paletteDragFlag = 1;
  RenderTarget target = Target();
  DrawDragPicture(target, *picture, dragBitmap_);
  ++view_.revisions.dragPicture;
  dragLeft_ = windowX;
  dragTop_ = windowY;
  view_.visible.dragPicture = true;
  // The preview used the screen, the cell grid and MapBitmap: the map is
  // drawn again before anything reads them.
  RedrawFromCursor();
}

void Editor::MovePointerOverWindow(int x, int y) {
  if (state_.pointer.paletteDragFlag != 1) return;
  const MapInWindow& map = mapInWindow_;
  const int mapX = x - map.left;
  const int mapY = y - map.top;
  const bool overMapColumns = mapX >= 0 && mapX < map.width;
  if (overMapColumns && mapY >= 0 && mapY < map.height) {
    PointAtWindowMapPixel(mapX, mapY);
  } else {
    LeavePointerFromMap();
  }
  if (overMapColumns && y > map.paletteTop && mapY < map.height) {
    dragLeft_ = x;
    dragTop_ = y;
  }
}

void Editor::PointAtWindowMapPixel(int x, int y) {
  const MapPixel view = tallInUse_ ? FocusOnTallPixel(x, y) : MapPixel{x, y};
  PointAtMapPixel(view.x, view.y);
}

void Editor::PointAtMapPixel(int x, int y) {
  RememberPointer(x, y);
  state_.pointer.pointerRow = RowOfMapY(y);
  state_.pointer.pointerColumn = ColumnOfMapX(x);
  state_.pointer.cellUnderPointer = tables_.rowStart[static_cast<std::size_t>(state_.pointer.pointerRow)] +
                                    static_cast<std::uint32_t>(state_.pointer.pointerColumn);
  state_.pointer.recordUnderPointer = grid_.ownerPos[state_.pointer.cellUnderPointer];
}

Outcome Editor::Drop(int tag) {
  DropTarget target;
  target.bytesFree = state_.place.bytesFree;
  target.record = state_.pointer.recordUnderPointer;
  target.tile = state_.pointer.cellUnderPointer < kDisplayFileSize ? grid_.tileId[state_.pointer.cellUnderPointer] : 0;
  target.lastLevelUnused = levelTable_[kLevelTableSize - 1] == 0;
  if (const Outcome accepted = DropAccepted(tag, target); !accepted) return Tell(accepted);
  return InsertObject(tag);
}

std::optional<MapCell> Editor::DropLanding() const {
  const PointerState& pointer = state_.pointer;
  if (pointer.paletteDragFlag != 1 || !pointer.onMap || pointer.recordUnderPointer == 0) return std::nullopt;
  // The walk starts at the window's bottom row and rises by the rows of each
  // land space passed; every record is drawn at the row it has reached.
  const std::int64_t row = static_cast<std::int64_t>(state_.place.scrollOffset) + (kWindowRows - 1) -
                           RowOfRecord(image_, state_.place.levelStart, pointer.recordUnderPointer);
  if (row < 0 || row >= kWindowRows) return std::nullopt;
  return MapCell{pointer.pointerColumn, static_cast<int>(row)};
}

std::string Editor::PaletteSlotName(int stripX) const {
  if (stripX < 0 || stripX >= kPaletteStripWidth) return {};
  const std::optional<int> tag = TagOfSlot(stripX / kPaletteSlotWidth, options_);
  return tag ? std::string(InsertionCaption(*tag)) : std::string();
}

void Editor::PointAtPalette(int stripX) {
  if (!HasSnapshot()) return;
  LeavePointerFromMap();
  if (const std::string name = PaletteSlotName(stripX); !name.empty()) view_.statusText = name;
}

const TFastDIB& Editor::PalettePicture() {
  const PaletteDrawing now{view_.revisions.palette, paletteRows_};
  if (paletteDrawn_ == now) return palettePicture_;
  paletteRows_.Wrap(paletteBitmap_, palettePicture_);
  paletteDrawn_ = now;
  ++palettePictureRevision_;
  return palettePicture_;
}

std::optional<Rect> Editor::DropMarker() const {
  const std::optional<MapCell> landing = DropLanding();
  if (!landing) return std::nullopt;
  constexpr int kCellRows = 8;
  const int zoom = tallInUse_ ? tall_.Zoom() : kMapScale;
  const int bandTop = tallInUse_ ? tall_.BandTop(FocusBand()) : 0;
  const int columnWidth = kMapPixelsPerColumn / kMapScale * zoom;
  return Rect{landing->column * columnWidth, bandTop + (landing->row + 1 - kCellRows) * zoom, columnWidth,
              kCellRows * zoom};
}

void Editor::ReleasePalette() {
  if (state_.pointer.paletteDragFlag == 1 && paletteTag_) (void)Drop(*paletteTag_);
  state_.pointer.paletteDragFlag = 0;
  view_.visible.dragPicture = false;
}

void Editor::ShowProperties() {
  propertiesDialog_.visible = true;
  propertiesDialog_.pageControlVisible = true;
}

void Editor::CloseProperties() { propertiesDialog_.visible = false; }

void Editor::ChooseTab(PropertiesTab tab) { propertiesDialog_.currentTab = tab; }

void Editor::ClickOption(OptionId id) {
  // The wipe radios also decide whether "Wipe Level(s)" can be pressed.
  if (id == OptionId::WipeCurrentLevel) {
    ClickWipeCurrentLevel();
  } else if (id == OptionId::WipeAllAfterCurrentLevel) {
    ClickWipeAllAfter();
  } else {
    kestrova::ClickOption(options_, id);
  }
}

void Editor::ReleaseMouseOverOption(OptionId id) { kestrova::ReleaseMouseOverOption(options_, id); }

void Editor::ToggleOptionFromKeyboard(OptionId id) { kestrova::ToggleOptionFromKeyboard(options_, id); }

}  // namespace kestrova
