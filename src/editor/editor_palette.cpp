// The object palette: the strip drawn after a load, its drag-and-drop, and
// the "Properties" dialog its right button shows.
#include "edit/drag_step.h"
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
  const int mapX = x - kMapViewLeft;
  const int mapY = y - kMapViewTop;
  const bool overMapColumns = mapX >= 0 && mapX < kMapViewWidth;
  if (overMapColumns && mapY >= 0 && mapY < kMapViewHeight) PointAtMapPixel(mapX, mapY);
  if (overMapColumns && y > kPaletteBoxTop && mapY < kMapViewHeight) {
    dragLeft_ = x;
    dragTop_ = y;
  }
}

void Editor::PointAtMapPixel(int x, int y) {
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
