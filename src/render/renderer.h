#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "render/cell_grid.h"
#include "render/screen_canvas.h"
#include "render/screen_tables.h"
#include "render/walk_memory.h"
#include "snapshot/snapshot_image.h"
#include "state/level_place.h"
#include "surface/fast_dib.h"

namespace kestrova {

// The top character row (screen rows 0-7) as the level left it before the
// title banner went over it, and which of those rows carry a land-space
// line: what a picture of the level without the banner shows there.
inline constexpr int kBannerRows = 8;
struct UnderBanner {
  std::array<std::uint8_t, kBannerRows * kScreenColumns> display{};  // row by row, 32 bytes each
  std::array<std::uint8_t, kScreenColumns> attributes{};
  std::array<bool, kBannerRows> lines{};
};

// Everything one refresh draws into or reads from. The level it draws is
// the Editor's and only read; the walk's memory is the renderer's own.
struct RenderTarget {
  SnapshotImage& image;
  const LevelPlace& place;
  WalkMemory& walk;
  CellGrid& grid;
  const ScreenTables& tables;
  TFastDIB& mapBitmap;
  // Where the top row goes before the banner covers it; kept nowhere when null.
  UnderBanner* underBanner = nullptr;
};

// Display file to 0, attributes to 0x30 (black ink on yellow paper).
void ClearMapScreen(SnapshotImage& image);

// Walks the current level from level start and draws the visible window
// into the screen area and the CellGrid; then the title banner unless the
// whole level is being drawn, what it covers kept in target.underBanner
// first when given. When `landSpaceLines` is given, it receives
// the screen row of every land-space line (the row above a band's top).
// Records that lie wholly below the window are passed without drawing.
void DrawLevel(RenderTarget& target, std::vector<int>* landSpaceLines = nullptr);

// Where a walk stands before a record: the record's address and the
// current row there.
struct WalkEntry {
  std::int32_t cursor = 0;
  std::int32_t row = 0;
};

// Where DrawLevel starts: level start, with the current row at scroll
// offset + 191.
WalkEntry LevelStartEntry(const LevelPlace& place);

// DrawLevel picking the walk up at `entry`, which must be where the walk
// from level start would stand, with the state (crossing column, large-hut
// flag) it would have there; the CellGrid is left alone with GridWrites::kSkip.
void DrawLevelFrom(RenderTarget& target, WalkEntry entry, std::vector<int>* landSpaceLines = nullptr,
                   GridWrites gridWrites = GridWrites::kWrite);

// DrawLevelFrom without drawing: every record passed as those below the
// window are, which leaves the walk's memory as drawing them would (the
// state one record leaves for the next, the row, the cursor, the code). The
// screen area and the CellGrid are left alone.
void PassLevelFrom(RenderTarget& target, WalkEntry entry);

// Screen rows 0..lastRow, columns firstColumn..lastColumn into MapBitmap at
// bitmap row index (base - y); pixels that fall outside MapBitmap are
// dropped. The base is forced to 191 unless previews or the whole level are
// being drawn.
void ConvertScreen(RenderTarget& target);

// Nearest-neighbour copy of MapBitmap into the view bitmap; nothing while the
// view has no rows.
void ShowMap(const TFastDIB& mapBitmap, TFastDIB& viewBitmap);

// ConvertScreen of the whole screen followed by ShowMap, in one pass: screen
// row y becomes view rows 2y and 2y + 1 from the top, each screen pixel two
// view pixels. `view` must be 512 x 384.
void ConvertScreenDoubled(const SnapshotImage& image, const ScreenTables& tables, TFastDIB& view);

// The red land-space lines across MapBitmap, screen row y at bitmap row index
// 191 - y.
void DrawLandSpaceLines(TFastDIB& mapBitmap, std::span<const int> screenRows);

// "Show Land Space": the converted map with the lines of `screenRows` on top,
// shown in the view.
void ShowLandSpace(TFastDIB& mapBitmap, TFastDIB& viewBitmap, std::span<const int> screenRows);

// View rows 0-15 of a 512-pixel-wide map view (screen rows 0-7, each
// pixel doubled) as they show without the banner: from `under`, with its
// land-space lines, into `rows` (512 x 16).
void ShowUnderBanner(const UnderBanner& under, TFastDIB& rows);

// The refresh's steps without its pictures: ClearCellGrid, ClearMapScreen,
// DrawLevel (collecting the land-space lines when given) and the base row
// ConvertScreen would set. The screen area, the CellGrid and the walk's
// memory come out as RenderMapView leaves them; no bitmap is touched.
void DrawMapScreen(RenderTarget& target, std::vector<int>* landSpaceLines = nullptr);

// The refresh's drawing steps: DrawMapScreen, ConvertScreen, then the map view, with the land-space lines on top when
// `showLandSpace`. The lines are collected during the one walk and drawn
// after the conversion, which gives the picture a second walk would.
// Without the lines, a whole-screen conversion goes straight into a
// 512 x 384 view; MapBitmap is then left as it was, since nothing reads it
// before the next conversion into it.
void RenderMapView(RenderTarget& target, TFastDIB& viewBitmap, bool showLandSpace);

}  // namespace kestrova
