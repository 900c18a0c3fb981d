#include "editor/editor.h"

namespace kestrova {

void Editor::DrawPaletteStrip() {
  // The object palette strip (FastIMG3) is drawn here, after a snapshot is loaded.
}

}  // namespace kestrova
