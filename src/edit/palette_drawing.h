#pragma once

#include "edit/palette_tables.h"
#include "render/renderer.h"
#include "surface/fast_dib.h"

namespace kestrova {

// Runs one level drawer in PreviewMode on the record at `sample` and
// converts the window (columns first..last, rows 0..lastRow) into the
// bottom of MapBitmap. The current row is `currentRow`, the base bitmap row
// `lastRow`; the current code is set first unless it is kKeepCurrentCode.
struct PreviewDrawing {
  std::uint8_t drawer;
  int currentCode;
  std::uint32_t sample;
  int firstColumn;
  int lastColumn;
  int lastRow;
  int currentRow;
};
void DrawPreview(RenderTarget& target, const PreviewDrawing& drawing);

// The 32 palette pictures into the 1024 x 40 strip, group by group, with
// the strip's fix-ups. Leaves PreviewMode clear, the last row 191 and the
// columns 0..31; the screen area and MapBitmap hold the last group.
void DrawPalettePictures(RenderTarget& target, TFastDIB& strip);
// The same previews without their pictures: the screen area, the CellGrid
// and the walk's memory as DrawPalettePictures leaves them, no bitmap touched.
void WalkPalettePictures(RenderTarget& target);

// The drag picture of `row` at its own size, with its one-pixel black
// border. MapBitmap is used at half the picture's size and is left at
// 256 x 192 with the normal conversion parameters and PreviewMode clear;
// the screen area and the cell grid hold the preview until the map is drawn
// again.
void DrawDragPicture(RenderTarget& target, const DragPictureRow& row, TFastDIB& picture);

// The drag picture's border: left, bottom, top and right edges.
void DrawDragBorder(TFastDIB& picture);

}  // namespace kestrova
