#include "render/renderer.h"

#include "render/drawer.h"
#include "render/object_drawers.h"
#include "render/spectrum_palette.h"

namespace kestrova {

void ClearMapScreen(SnapshotImage& image) {
  for (std::uint32_t d = 0; d < kDisplayFileSize; ++d) image.Write(kScreenAreaStart + d, 0);
  for (std::uint32_t a = kAttributeFileOffset; a < kScreenAreaSize; ++a) image.Write(kScreenAreaStart + a, 0x30);
}

void DrawLevel(RenderTarget& target) {
  // Walk only; the drawers come with the renderer.
  EditorState& state = target.state;
  state.currentRow = state.scrollOffset + 191;
  state.walkStart = state.levelStart;
  state.streamCursor = static_cast<std::int32_t>(state.levelStart);
  ScreenCanvas canvas(target.image, target.grid, target.tables);
  DrawContext context{canvas, state, nullptr};
  do {
    state.currentCode = target.image.Read(static_cast<std::uint32_t>(state.streamCursor));
    if (DrawerFunction drawer = FindDrawer(static_cast<std::uint8_t>(state.currentCode))) {
      drawer(context);
    } else {
      state.streamCursor += 2;
    }
  } while (state.currentRow >= 1 && static_cast<std::uint32_t>(state.streamCursor) <= state.levelEnd);
}

DrawerFunction FindDrawer(std::uint8_t code) { return FindObjectDrawer(code); }

void ConvertScreen(RenderTarget& target) {
  EditorState& state = target.state;
  ConversionParameters& conversion = state.conversion;
  if (!state.previewMode && !state.wholeLevelMode) conversion.baseRow = 191;
  for (int y = 0; y <= conversion.lastRow && y < kScreenRows; ++y) {
    const int rowIndex = conversion.baseRow - y;
    if (rowIndex < 0 || rowIndex >= target.mapBitmap.Height()) continue;
    Pixel* row = target.mapBitmap.Row(rowIndex);
    for (int c = conversion.firstColumn; c <= conversion.lastColumn; ++c) {
      if (c < 0 || c >= kScreenColumns || 8 * c + 7 >= target.mapBitmap.Width()) continue;
      const std::uint32_t d = target.tables.rowStart[static_cast<std::size_t>(y)] + static_cast<std::uint32_t>(c);
      const std::uint8_t bits = target.image.Read(kScreenAreaStart + d);
      const std::uint8_t attribute = target.image.Read(kScreenAreaStart + target.tables.attrOffset[d]);
      const Pixel ink = InkOf(attribute);
      const Pixel paper = PaperOf(attribute);
      for (int bit = 0; bit < 8; ++bit) row[8 * c + bit] = (bits & (0x80 >> bit)) ? ink : paper;
    }
  }
}

void ShowMap(const TFastDIB& mapBitmap, TFastDIB& viewBitmap) {
  if (!viewBitmap.HasRows()) return;
  mapBitmap.CopyNearestTo(viewBitmap);
}

void ShowLandSpace(RenderTarget& target, TFastDIB& viewBitmap, bool checked) {
  (void)checked;  // the land-space lines come with the renderer
  ShowMap(target.mapBitmap, viewBitmap);
}

}  // namespace kestrova
