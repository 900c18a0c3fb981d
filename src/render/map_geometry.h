#pragma once

#include <algorithm>
#include <cstdint>

#include "render/screen_tables.h"

namespace kestrova {

// The map's geometry, in one place: MapBitmap is one Spectrum screen of the
// level (256 x 192), the map view shows it at twice its size, and the
// overview beside it is as tall as the view.

inline constexpr int kMapWidth = 8 * kScreenColumns;  // 256
inline constexpr int kWindowRows = kScreenRows;       // 192 rows of the level at a time
inline constexpr int kMapScale = 2;

inline constexpr int kMapViewWidth = kMapWidth * kMapScale;     // 512
inline constexpr int kMapViewHeight = kWindowRows * kMapScale;  // 384
inline constexpr int kMapPixelsPerColumn = 8 * kMapScale;       // one byte column of 8 Spectrum pixels
inline constexpr int kMapPixelsPerRow = kMapScale;

// The rows a page of the map view's scroll bar moves.
inline constexpr int kMapViewPageRows = 176;

inline constexpr int kOverviewWidth = 64;
inline constexpr int kOverviewHeight = kMapViewHeight;

// The place a press at overview row y names (y kept within the overview's
// rows), as level rows below the level's far end: a whole screen for every
// two overview rows.
constexpr std::int64_t RowsBelowFarEnd(int y, int levelHeight, int overviewHeight) {
  const int row = std::clamp(y, 0, std::max(overviewHeight - 1, 0));
  return static_cast<std::int64_t>(levelHeight / kWindowRows) * ((row + 1) / 2);
}

// Places in the window's client area: the palette's scroll box above the
// map view, the overview to the right of the level's scroll bar, and the
// drag picture's design place.
inline constexpr int kPaletteBoxTop = 34;
inline constexpr int kMapViewLeft = 0;
inline constexpr int kMapViewTop = 96;
inline constexpr int kOverviewLeft = 528;
inline constexpr int kDragPictureLeft = 480;
inline constexpr int kDragPictureTop = 0;

// A pixel of the map view.
struct MapPixel {
  int x = 0;
  int y = 0;
};

// A cell of the map: a byte column (0-31) and a screen row (0-191).
struct MapCell {
  int column = 0;
  int row = 0;

  bool operator==(const MapCell&) const = default;
};

constexpr bool IsOutOfView(int y) { return y < 0 || y >= kMapViewHeight; }
constexpr bool IsInMapView(int x, int y) { return x >= 0 && x < kMapViewWidth && !IsOutOfView(y); }

// The column and row a view pixel falls in. Division as C++ does it, so a
// pointer just left of or above the view (-1 .. -15) still counts as 0;
// callers that need the view's edges test them first.
constexpr int ColumnOfMapX(int x) { return x / kMapPixelsPerColumn; }
constexpr int RowOfMapY(int y) { return y / kMapPixelsPerRow; }
constexpr MapCell CellOfMapPixel(int x, int y) { return {ColumnOfMapX(x), RowOfMapY(y)}; }

// The top-left view pixel of a cell.
constexpr MapPixel MapPixelOfCell(MapCell cell) {
  return {cell.column * kMapPixelsPerColumn, cell.row * kMapPixelsPerRow};
}

}  // namespace kestrova
