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
  if (IsInMapView(x, y)) state_.pointerColumn = ColumnOfMapX(x);
  if (state_.dragFlag && !DragStep(x, y)) return;
  if (const auto text = DescribePointer(grid_, image_, tables_, x, y)) view_.statusText = *text;
  state_.lastPointerY = y;
}

bool Editor::DragStep(int x, int y) {
  const bool outOfView = IsOutOfView(y);
  if (AutoScroll(state_, y, view_.scrollMaximum)) {
    // The thumb keeps within its range while the offset may lie beyond it.
    view_.scrollPosition = std::clamp(view_.scrollMaximum - state_.scrollOffset, 0, std::max(view_.scrollMaximum, 0));
  }
  MoveSideways(image_, state_, x);
  const std::uint32_t cell = CellIndexUnderPointer(tables_, x, y);
  if (MoveVertically(image_, state_, grid_, cell, y) == VerticalMove::Ignored) return false;
  Refresh();
  if (!outOfView) state_.previousLand = grid_.landPos[cell];
  return true;
}

void Editor::ReleaseMap(MouseButton) {
  if (!HasSnapshot()) return;
  state_.dragFlag = false;
  RedrawOverview();
  state_.streamCursor = static_cast<std::int32_t>(state_.levelStart);
  Refresh();
  CloseDragStep();
}

}  // namespace kestrova
