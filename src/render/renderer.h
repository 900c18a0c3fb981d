#pragma once

#include "editor/editor_state.h"
#include "render/cell_grid.h"
#include "render/screen_tables.h"
#include "snapshot/snapshot_image.h"
#include "surface/fast_dib.h"

namespace kestrova {

// Everything one refresh draws into or reads from.
struct RenderTarget {
  SnapshotImage& image;
  EditorState& state;
  CellGrid& grid;
  const ScreenTables& tables;
  TFastDIB& mapBitmap;
};

// Display file to 0, attributes to 0x30 (black ink on yellow paper).
void ClearMapScreen(SnapshotImage& image);

// Walks the current level from level start and draws the visible window.
void DrawLevel(RenderTarget& target);

// Screen rows 0..lastRow, columns firstColumn..lastColumn into MapBitmap at
// bitmap row index (base - y).
void ConvertScreen(RenderTarget& target);

// Nearest-neighbour copy of MapBitmap into the view bitmap; nothing while the
// view has no rows.
void ShowMap(const TFastDIB& mapBitmap, TFastDIB& viewBitmap);

// The "Show Land Space" step: draws the level again and shows the map, with
// the red land-space lines on top when `checked`.
void ShowLandSpace(RenderTarget& target, TFastDIB& viewBitmap, bool checked);

}  // namespace kestrova
