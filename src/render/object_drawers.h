#pragma once

#include <cstdint>

#include "render/drawer.h"

namespace kestrova {

// The drawers of the game's objects (every code but land space, the spawn
// point and the alarm), or nullptr when the code has none.
DrawerFunction FindObjectDrawer(std::uint8_t code);

}  // namespace kestrova
