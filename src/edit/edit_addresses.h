#pragma once

#include <cstdint>

#include "render/object_addresses.h"

namespace kestrova {

// The game's colour bytes that one colour change writes besides the one it
// names (the objects drawn from two colour bytes keep them matched). The
// colour bytes the drawers read are in render/object_addresses.h.
constexpr std::uint32_t kRoadTopEdgingColour = kRoadBottomEdgingCapColour;  // one byte, two roles
constexpr std::uint32_t kRoadEdgingInnerColour = 0x8F4D;
constexpr std::uint32_t kTripleGrenadeSecondColour = 0x8ED6;
constexpr std::uint32_t kQuintupleGrenadeSecondColour = 0x8EED;
constexpr std::uint32_t kWaterEdgeColour = 0x8E2B;

}  // namespace kestrova
