// Moving a grabbed object by dragging it on the map, and the status text
// under the pointer.
#include <algorithm>

#include "edit/drag_step.h"
#include "editor/editor.h"
#include "render/descriptions.h"

namespace kestrova {

void Editor::MovePointerOverMap(int x, int y) {
  if (!HasSnapshot()) return;
  // The insert menu puts its object in the column last pointed at on the
  // map (a move outside the view while a button is held is no pointing).
  if (IsInMapView(x, y)) state_.pointer.pointerColumn = ColumnOfMapX(x);
  RememberPointer(x, y);
  if (state_.pointer.dragFlag && !DragStep(x, y)) return;
  DescribePointerAt(x, y);
  state_.pointer.lastPointerY = y;
}

void Editor::RememberPointer(int x, int y) {
  state_.pointer.onMap = IsInMapView(x, y);
  state_.pointer.mapX = state_.pointer.onMap ? x : 0;
  state_.pointer.mapY = state_.pointer.onMap ? y : 0;
}

void Editor::LeavePointerFromMap() { RememberPointer(-1, -1); }

void Editor::DescribeRememberedPointer() {
  if (HasSnapshot() && state_.pointer.onMap) DescribePointerAt(state_.pointer.mapX, state_.pointer.mapY);
}

void Editor::DescribePointerAt(int x, int y) {
  if (const auto text = DescribePointer(grid_, image_, tables_, x, y)) view_.statusText = *text;
}

bool Editor::DragStep(int x, int y) {
  const bool outOfView = IsOutOfView(y);
  if (const auto offset = AutoScroll(state_.pointer, state_.place.scrollOffset, y, view_.scrollMaximum)) {
    state_.place.scrollOffset = *offset;
    // The thumb keeps within its range while the offset may lie beyond it.
    PlaceThumbAtOffset();
  }
  MoveSideways(image_, state_.pointer, x);
  const std::uint32_t cell = CellIndexUnderPointer(tables_, x, y);
  if (MoveVertically(image_, state_.pointer, state_.place, grid_, cell, y) == VerticalMove::Ignored) return false;
  Refresh();
  if (!outOfView) state_.pointer.previousLand = grid_.landPos[cell];
  return true;
}

void Editor::ReleaseMap(MouseButton) {
  if (!HasSnapshot()) return;
  state_.pointer.dragFlag = false;
  RedrawOverview();
  state_.walk.PlaceCursorAt(state_.place.levelStart);
  Refresh();
  CloseDragStep();
}

}  // namespace kestrova
