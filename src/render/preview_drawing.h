#pragma once

#include <cstdint>
#include <optional>

#include "render/renderer.h"

namespace kestrova {

// One object preview: a drawer run in PreviewMode on the record at `sample`,
// at current row `currentRow` (and current code `currentCode` when given),
// then the window of columns first..last and rows 0..lastRow converted into
// the bottom of MapBitmap. `largeHut` draws a hut large; `columns` are the
// fixed columns for this preview only.
struct PreviewWindow {
  std::uint8_t drawer = 0;
  std::optional<std::uint32_t> currentCode;
  std::uint32_t sample = 0;
  int firstColumn = 0;
  int lastColumn = 0;
  int lastRow = 0;
  int currentRow = 0;
  bool largeHut = false;
  PreviewColumns columns;
};
void DrawRecordPreview(RenderTarget& target, const PreviewWindow& window);
// The same preview without its conversion: the walk's memory, the screen
// area and the CellGrid as DrawRecordPreview leaves them, MapBitmap untouched.
void DrawRecordPreviewScreen(RenderTarget& target, const PreviewWindow& window);

// Before a run of previews: PreviewMode set, the fixed columns at their own.
void BeginPreviews(WalkMemory& walk);
// After it: the map's conversion window and PreviewMode clear; the base row
// stays where the last preview left it.
void EndPreviews(WalkMemory& walk);

}  // namespace kestrova
