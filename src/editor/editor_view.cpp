// Level navigation: the scroll bar, the mouse wheel, the overview strip and
// the "Show Land Space" box.
#include <algorithm>
#include <cstdint>

#include "editor/editor.h"
#include "render/overview.h"

namespace kestrova {

namespace {

// Wheel-scroll lines beyond this are taken as this many.
constexpr int kMostWheelLines = 1000;
// The scroll offset has no upper bound but stays far from overflow.
constexpr std::int64_t kHighestScrollOffset = 0x3FFFFFFF;
constexpr int kOverviewMiddleRows = kWindowRows / 2;  // half the map view's rows

std::int32_t ClampedOffset(std::int64_t offset) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(offset, 0, kHighestScrollOffset));
}

// The rows one wheel event scrolls, with its direction: turned towards the
// user (negative delta) back towards the level's start.
std::int64_t WheelRows(int delta, int wheelScrollLines) {
  const std::int64_t step =
      static_cast<std::int64_t>(kWheelRowsPerLine) * std::clamp(wheelScrollLines, 0, kMostWheelLines);
  return delta < 0 ? -step : step;
}

}  // namespace

void Editor::PlaceThumbAtOffset() {
  const std::int64_t position = static_cast<std::int64_t>(view_.scrollMaximum) - state_.place.scrollOffset;
  view_.scrollPosition = static_cast<int>(std::clamp<std::int64_t>(position, 0, std::max(view_.scrollMaximum, 0)));
}

void Editor::ScrollTo(int position) {
  view_.scrollPosition = std::clamp(position, 0, std::max(view_.scrollMaximum, 0));
  state_.place.scrollOffset = view_.scrollMaximum - view_.scrollPosition;
  Refresh();
}

void Editor::TurnWheel(int delta, bool pointerOverMap, int wheelScrollLines) {
  if (!pointerOverMap || delta == 0) return;
  const std::int64_t offset = static_cast<std::int64_t>(state_.place.scrollOffset) + WheelRows(delta, wheelScrollLines);
  state_.place.scrollOffset = ClampedOffset(offset);
  PlaceThumbAtOffset();
  Refresh();
}

void Editor::PressOverview(MouseButton button, int y) {
  if (button != MouseButton::Left) return;
  const std::int64_t position = RowsBelowFarEnd(y, view_.scrollMaximum, kOverviewHeight) + kOverviewMiddleRows;
  // The scroll bar cannot hold a position beyond its maximum.
  view_.scrollPosition = static_cast<int>(std::clamp<std::int64_t>(position, 0, std::max(view_.scrollMaximum, 0)));
  state_.place.scrollOffset = ClampedOffset(view_.scrollMaximum - position);
  Refresh();
}

void Editor::ScrollTall(std::int64_t bottom) {
  if (!HasSnapshot()) return;
  SettleFocus();
  const int clamped = tall_.ClampedBottom(bottom, view_.scrollMaximum);
  state_.place.scrollOffset = ClampedOffset(static_cast<std::int64_t>(clamped) + kWindowRows * FocusBand());
  PlaceThumbAtOffset();
  Refresh();
}

void Editor::TurnTallWheel(int delta, int wheelScrollLines) {
  if (delta == 0) return;
  ScrollTall(static_cast<std::int64_t>(TallBottom()) + WheelRows(delta, wheelScrollLines));
}

void Editor::PageTall(int pages) {
  ScrollTall(static_cast<std::int64_t>(TallBottom()) + static_cast<std::int64_t>(pages) * tall_.PageRows());
}

void Editor::PressTallOverview(MouseButton button, int y) {
  if (button != MouseButton::Left) return;
  ScrollTall(tall_.BottomForOverviewRow(y, view_.scrollMaximum, kOverviewHeight));
}

Rect Editor::TallOverviewFrame() const {
  return tall_.OverviewFrame(TallBottom(), view_.scrollMaximum, kOverviewHeight);
}

void Editor::SetShowLandSpace(bool checked) {
  view_.showLandSpace = checked;
  Refresh();
}

void Editor::RedrawOverview() {
  RedrawLevelOverview();
  Refresh();
}

}  // namespace kestrova
