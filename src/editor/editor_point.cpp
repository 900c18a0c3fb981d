// Pointing at a record by its address: what the command line does where a
// person moves the mouse.
#include <algorithm>

#include "edit/drag_step.h"
#include "editor/editor.h"
#include "render/overview.h"
#include "render/screen_canvas.h"

namespace kestrova {

namespace {

constexpr std::int32_t kMiddleRow = kWindowRows / 2;

}  // namespace

std::optional<MapPixel> Editor::ShowRecord(std::uint32_t address, std::optional<int> column) {
  if (!HasSnapshot()) return std::nullopt;
  int level = -1;
  for (int i = 0; i < LevelCount(levelTable_); ++i) {
    const auto end = LevelEndByBoundsRule(image_, levelTable_, i);
    if (end && address >= levelTable_[static_cast<std::size_t>(i)] && address <= *end) level = i;
  }
  if (level < 0) return std::nullopt;
  if (level != state_.place.currentLevelIndex ||
      levelTable_[static_cast<std::size_t>(level)] != state_.place.levelStart)
    ChooseLevel(level);
  const std::int32_t row = RowOfRecord(image_, state_.place.levelStart, address);
  ScrollTo(view_.scrollMaximum - std::max(row - kMiddleRow, 0));

  const std::optional<MapCell> cell = FindCellOwnedBy(grid_, tables_, address, column, [](MapCell) { return true; });
  if (!cell) return std::nullopt;
  return MapPixelOfCell(*cell);
}

Outcome Editor::DropObject(int tag, int x, int y) {
  if (!HasSnapshot()) return Tell(Error{"no snapshot is loaded"});
  if (!IsInMapView(x, y)) return Tell(Error{"the drop is outside the map"});
  PointAtMapPixel(x, y);
  return Drop(tag);
}

}  // namespace kestrova
