#include "render/object_drawers.h"

namespace kestrova {

DrawerFunction FindObjectDrawer(std::uint8_t) { return nullptr; }

}  // namespace kestrova
