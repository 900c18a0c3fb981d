#include "render/object_drawers.h"

#include <array>
#include <utility>

#include "render/object_drawing.h"

namespace kestrova {
namespace {

// The drawers with rules of their own; the sprite objects are found in their
// own tables.
constexpr std::array<std::pair<std::uint8_t, DrawerFunction>, 14> kRuleDrawers = {{
    {0x05, &DrawRoadBottomEdging},
    {0x06, &DrawRoadTopEdging},
    {0x08, &DrawBridgeSection},
    {0x09, &DrawWall},
    {0x0D, &DrawWater},
    {0x0E, &DrawWaterStrip2},
    {0x17, &DrawRoadOnBridge},
    {0x19, &DrawWaterStrip1},
    {0x21, &DrawFortressGates},
    {0x26, &DrawCliffEdge},
    {0x82, &DrawCliff},
    {0x83, &DrawTree},
    {0x94, &DrawHut},
    {0x98, &DrawLogCrossing},
}};

}  // namespace

DrawerFunction FindObjectDrawer(std::uint8_t code) {
  if (DrawerFunction drawer = FindSpriteDrawer(code)) return drawer;
  for (const auto& [drawerCode, drawer] : kRuleDrawers) {
    if (drawerCode == code) return drawer;
  }
  return nullptr;
}

}  // namespace kestrova
