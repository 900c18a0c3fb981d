#pragma once

#include <cstdint>
#include <vector>

#include "render/screen_canvas.h"
#include "render/walk_memory.h"
#include "state/level_place.h"

namespace kestrova {

// What a drawer works with. The stream cursor (in the walk) is on the
// record's code byte when a drawer is called; every drawer advances it by 2.
struct DrawContext {
  ScreenCanvas& canvas;
  const LevelPlace& place;
  WalkMemory& walk;
  // Screen rows that get a land-space line, collected during the walk when
  // the caller wants them (the "Show Land Space" composition).
  std::vector<int>* landSpaceLines = nullptr;
};

using DrawerFunction = void (*)(DrawContext&);

// The drawer for a code, or nullptr when the code has none.
DrawerFunction FindDrawer(std::uint8_t code);

}  // namespace kestrova
