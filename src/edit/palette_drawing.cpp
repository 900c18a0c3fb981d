#include "edit/palette_drawing.h"

#include "render/map_geometry.h"
#include "render/palette_colours.h"
#include "render/preview_drawing.h"

namespace kestrova {

namespace {

constexpr Pixel kBorderColour = 0x000000;
constexpr std::uint32_t kYellowComponent = 0xCA;

constexpr std::uint32_t RedOf(Pixel p) { return (p >> 16) & 0xFF; }
constexpr std::uint32_t GreenOf(Pixel p) { return (p >> 8) & 0xFF; }

template <typename Change>
void ChangeArea(TFastDIB& strip, const StripArea& area, Change change) {
  for (int y = area.firstY; y <= area.lastY; ++y) {
    for (int x = area.firstX; x <= area.lastX; ++x) {
      const Pixel before = strip.PixelAtTop(x, y);
      const Pixel after = change(before);
      if (after != before) strip.SetPixelTop(x, y, after);
    }
  }
}

void MakeGreenlessBlue(TFastDIB& strip) {
  ChangeArea(strip, kBlueFixArea, [](Pixel p) { return GreenOf(p) == 0 ? kPaletteBlue : p; });
}

void FillYellow(TFastDIB& strip) {
  ChangeArea(strip, kYellowFillArea, [](Pixel) { return kPaletteYellow; });
}

void MakeBlackAndYellowCyan(TFastDIB& strip) {
  ChangeArea(strip, kCyanFixArea, [](Pixel p) {
    const bool black = RedOf(p) == 0 && GreenOf(p) == 0;
    const bool yellow = RedOf(p) == kYellowComponent && GreenOf(p) == kYellowComponent;
    return black || yellow ? kPaletteCyan : p;
  });
}

PreviewDrawing StripDrawing(const PalettePicture& picture) {
  return {picture.drawer,     picture.currentCode, picture.sample, picture.firstColumn,
          picture.lastColumn, picture.lastRow,     picture.lastRow};
}

void StretchIntoStrip(const TFastDIB& mapBitmap, const PalettePicture& picture, TFastDIB& strip) {
  for (int i = 0; i < picture.rectangles; ++i) {
    mapBitmap.StretchRectTo(picture.source[static_cast<std::size_t>(i)], strip,
                            picture.destination[static_cast<std::size_t>(i)]);
  }
}

bool InGroup(const PalettePicture& picture, const PaletteGroup& group) {
  return picture.firstSlot >= group.firstSlot && picture.firstSlot <= group.lastSlot;
}

PreviewWindow WindowOf(const PreviewDrawing& drawing) {
  PreviewWindow window;
  window.drawer = drawing.drawer;
  if (drawing.currentCode != kKeepCurrentCode) window.currentCode = static_cast<std::uint32_t>(drawing.currentCode);
  window.sample = drawing.sample;
  window.firstColumn = drawing.firstColumn;
  window.lastColumn = drawing.lastColumn;
  window.lastRow = drawing.lastRow;
  window.currentRow = drawing.currentRow;
  return window;
}

// A group's previews, then (with a strip) their pictures into it.
void DrawGroup(RenderTarget& target, const PaletteGroup& group, TFastDIB* strip) {
  for (const PalettePicture& picture : kPalettePictures) {
    if (!InGroup(picture, group)) continue;
    if (strip) {
      DrawPreview(target, StripDrawing(picture));
    } else {
      DrawRecordPreviewScreen(target, WindowOf(StripDrawing(picture)));
    }
  }
  if (!strip) return;
  if (kYellowFillSlot >= group.firstSlot && kYellowFillSlot <= group.lastSlot) FillYellow(*strip);
  for (const PalettePicture& picture : kPalettePictures) {
    if (!InGroup(picture, group)) continue;
    if (picture.firstSlot == kBlueFixBeforeSlot) MakeGreenlessBlue(*strip);
    StretchIntoStrip(target.mapBitmap, picture, *strip);
    if (picture.firstSlot == kCyanFixAfterSlot) MakeBlackAndYellowCyan(*strip);
  }
}

void DrawTwoLogCrossings(RenderTarget& target, const DragPictureRow& row) {
  target.mapBitmap.Fill(kPaletteYellow);
  for (const LogCrossingDrawing& crossing : kLogCrossingDrawings) {
    DrawPreview(target, {row.drawer, row.currentCode, crossing.sample, crossing.column, crossing.column, row.lastRow,
                         row.currentRow});
  }
}

void DrawDragPreview(RenderTarget& target, const DragPictureRow& row) {
  PreviewWindow window =
      WindowOf({row.drawer, row.currentCode, row.sample, 0, row.lastColumn, row.lastRow, row.currentRow});
  switch (row.drawing) {
    case DragDrawing::Plain:
      break;
    case DragDrawing::LargeHut:
      window.largeHut = true;
      break;
    case DragDrawing::FigureColumns:
      window.columns.prisonerFigures = kDragFigureColumns;
      break;
    case DragDrawing::MarkerColumn:
      window.columns.rocketMarker = kDragMarkerColumn;
      break;
    case DragDrawing::TwoLogCrossings:
      DrawTwoLogCrossings(target, row);
      return;
  }
  DrawRecordPreview(target, window);
}

}  // namespace

void DrawPreview(RenderTarget& target, const PreviewDrawing& drawing) { DrawRecordPreview(target, WindowOf(drawing)); }

namespace {

// The palette's previews group by group, into the strip when there is one.
void PalettePass(RenderTarget& target, TFastDIB* strip) {
  BeginPreviews(target.walk);
  ClearMapScreen(target.image);
  bool first = true;
  for (const PaletteGroup& group : kPaletteGroups) {
    if (!first) {
      if (strip) target.mapBitmap.Fill(kPaletteYellow);
      ClearMapScreen(target.image);
    }
    first = false;
    DrawGroup(target, group, strip);
  }
  EndPreviews(target.walk);
}

}  // namespace

void DrawPalettePictures(RenderTarget& target, TFastDIB& strip) { PalettePass(target, &strip); }

void WalkPalettePictures(RenderTarget& target) { PalettePass(target, nullptr); }

void DrawDragPicture(RenderTarget& target, const DragPictureRow& row, TFastDIB& picture) {
  picture.Resize(row.width, row.height);
  target.mapBitmap.Resize(row.width / 2, row.height / 2);
  ClearCellGrid(target.grid);
  ClearMapScreen(target.image);
  DrawDragPreview(target, row);
  target.mapBitmap.CopyNearestTo(picture);
  DrawDragBorder(picture);

  target.mapBitmap.Resize(kMapWidth, kWindowRows);
  target.walk.UseMapDrawing();
}

void DrawDragBorder(TFastDIB& picture) {
  const int w = picture.Width();
  const int h = picture.Height();
  picture.Line(0, 0, 0, h, kBorderColour);
  picture.Line(0, h - 1, w - 1, h - 1, kBorderColour);
  picture.Line(0, 0, w - 1, 0, kBorderColour);
  picture.Line(w - 1, 0, w - 1, h, kBorderColour);
}

}  // namespace kestrova
