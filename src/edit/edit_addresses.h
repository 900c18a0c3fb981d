#pragma once

#include <cstdint>

namespace kestrova {

// The game's colour bytes that one colour change writes besides the one it
// names (the objects drawn from two colour bytes keep them matched).
constexpr std::uint32_t kRoadTopEdgingColour = 0x8F44;
constexpr std::uint32_t kRoadEdgingInnerColour = 0x8F4D;
constexpr std::uint32_t kTripleGrenadeSecondColour = 0x8ED6;
constexpr std::uint32_t kQuintupleGrenadeSecondColour = 0x8EED;
constexpr std::uint32_t kWaterColour = 0x8E0E;
constexpr std::uint32_t kWaterEdgeColour = 0x8E2B;
constexpr std::uint32_t kWaterStripColour = 0x8D59;
constexpr std::uint32_t kWaterStripPaperSource = 0x8D5E;
// Cliff band n (tiles 100..113) is coloured by the byte at this base − n.
constexpr std::uint32_t kCliffColourBase = 0x9195;

}  // namespace kestrova
