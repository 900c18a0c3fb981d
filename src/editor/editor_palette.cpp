// The object palette: the strip drawn after a load, and its drag-and-drop.
#include "edit/palette_drawing.h"
#include "editor/editor.h"

namespace kestrova {

void Editor::DrawPaletteStrip() {
  RenderTarget target = Target();
  DrawPalettePictures(target, paletteBitmap_);
}

}  // namespace kestrova
