#include "render/preview_drawing.h"

#include "render/drawer.h"
#include "render/screen_canvas.h"

namespace kestrova {

void DrawRecordPreviewScreen(RenderTarget& target, const PreviewWindow& window) {
  WalkMemory& walk = target.walk;
  walk.previewMode = true;
  walk.conversion.firstColumn = window.firstColumn;
  walk.conversion.lastColumn = window.lastColumn;
  walk.conversion.lastRow = window.lastRow;
  walk.conversion.baseRow = window.lastRow;
  walk.currentRow = window.currentRow;
  walk.streamCursor = static_cast<std::int32_t>(window.sample);
  if (window.currentCode) walk.currentCode = *window.currentCode;
  // The large-hut flag stays for the walk after, as a drawn hut's would.
  if (window.largeHut) walk.largeHut = true;
  walk.previewColumns = window.columns;
  if (DrawerFunction drawer = FindDrawer(window.drawer)) {
    ScreenCanvas canvas(target.image, target.grid, target.tables);
    DrawContext context{canvas, target.place, walk, nullptr};
    drawer(context);
  }
  walk.previewColumns = PreviewColumns{};
}

void DrawRecordPreview(RenderTarget& target, const PreviewWindow& window) {
  DrawRecordPreviewScreen(target, window);
  ConvertScreen(target);
}

void BeginPreviews(WalkMemory& walk) {
  walk.previewMode = true;
  walk.previewColumns = PreviewColumns{};
}

void EndPreviews(WalkMemory& walk) {
  walk.conversion.lastRow = ConversionParameters{}.lastRow;
  walk.conversion.firstColumn = ConversionParameters{}.firstColumn;
  walk.conversion.lastColumn = ConversionParameters{}.lastColumn;
  walk.previewMode = false;
}

}  // namespace kestrova
