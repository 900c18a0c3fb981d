#pragma once

#include <cstdint>

namespace kestrova {

// The game's sprite graphics and colour bytes, by Spectrum address. Sprite
// addresses are the start address of each sprite's bottom line; colour
// addresses hold the attribute byte (or only the ink, where a drawer adds the
// yellow paper) that the attribute menu also edits.

// Simple sprites.
constexpr std::uint32_t kRoadMarkingSprite = 0xC88E;
constexpr std::uint32_t kRoadMarkingColour = 0x900D;
constexpr std::uint32_t kSingleGrenadeSprite = 0xCF76;
constexpr std::uint32_t kSingleGrenadeColour = 0x8EC5;
constexpr std::uint32_t kTripleGrenadeSprite = 0xCFFA;
constexpr std::uint32_t kTripleGrenadeColour = 0x8EDC;
constexpr std::uint32_t kQuintupleGrenadeSprite = 0xD07E;
constexpr std::uint32_t kQuintupleGrenadeColour = 0x8EF3;
constexpr std::uint32_t kLeftMortarSprite = 0xD0BE;
constexpr std::uint32_t kLeftMortarColour = 0x8E7C;
constexpr std::uint32_t kRightMortarSprite = 0xD0FE;
constexpr std::uint32_t kRightMortarColour = 0x8E8B;
constexpr std::uint32_t kTrenchLeftSprite = 0xCABE;
constexpr std::uint32_t kTrenchMiddleSprite = 0xCB1E;
constexpr std::uint32_t kTrenchRightSprite = 0xCB4E;
constexpr std::uint32_t kTrenchEndColour = 0x8174;  // both end parts
constexpr std::uint32_t kTrenchMiddleColour = 0x8183;
constexpr std::uint32_t kBunkerSprite = 0xD942;
constexpr std::uint32_t kBunkerSecondSprite = 0xDC42;  // operands above 14
constexpr std::uint32_t kBunkerColour = 0x8701;
constexpr std::uint32_t kBoulderSprite = 0xD222;
constexpr std::uint32_t kBoulderColour = 0x9046;
constexpr std::uint32_t kSandbagsLeftSprite = 0xD26A;
constexpr std::uint32_t kSandbagsLeftColour = 0x8F1F;
constexpr std::uint32_t kSandbagsMiddleSprite = 0xD2D6;
constexpr std::uint32_t kSandbagsRightSprite = 0xD31E;
constexpr std::uint32_t kSandbagsMiddleColour = 0x8F2E;  // middle and right parts
constexpr std::uint32_t kBarracksSprite = 0xD612;
constexpr std::uint32_t kBarracksColour = 0x8905;
constexpr std::uint32_t kTunnelSprite = 0xCF36;
constexpr std::uint32_t kTunnelColour = 0x891C;
constexpr std::uint32_t kCaveTopEdgeSprite = 0xC712;
constexpr std::uint32_t kCaveMainSprite = 0xC6E2;
constexpr std::uint32_t kCaveMainOpenSprite = 0xC5F2;  // operand 0 in the map
constexpr std::uint32_t kCaveBottomEdgeSprite = 0xC742;
constexpr std::uint32_t kCaveEdgeColour = 0x8348;  // ink; top and bottom edge
constexpr std::uint32_t kCaveMainColour = 0x8330;  // ink

// Vehicles and markers at fixed columns.
constexpr std::uint32_t kTruckSprite = 0xC840;
constexpr std::uint32_t kTruckColour = 0x862D;  // ink
constexpr std::uint32_t kMotorbikeSprite = 0xCA8A;
constexpr std::uint32_t kJeepSprite = 0xC9FC;
constexpr std::uint32_t kJeepColour = 0x8400;  // ink
constexpr std::uint32_t kRocketMarkerSprite = 0xBC3B;

// Prisoner of war.
constexpr std::uint32_t kGuardSprite = 0xB041;
constexpr std::uint32_t kPrisonerSprite = 0xB141;     // the second guard uses it too
constexpr std::uint32_t kFirstGuardColour = 0x827D;   // ink
constexpr std::uint32_t kPrisonerColour = 0x8274;     // ink
constexpr std::uint32_t kSecondGuardColour = 0x8286;  // ink

// Tree.
constexpr std::uint32_t kTreeTrunkStrip = 0xD642;
constexpr std::uint32_t kTreeTrunkColour = 0x901F;
constexpr std::uint32_t kTreeCrownSprite = 0xD37E;
constexpr std::uint32_t kTreeCrownColour = 0x903A;

// Cliff: the two drawn bands, and the colour byte of cliff tile t at
// kCliffColourBase - t (0x9124..0x9131 for tiles 100..113).
constexpr std::uint32_t kCliffBottomSprite = 0xC472;
constexpr std::uint32_t kCliffBottomMirroredSprite = 0xC1DA;
constexpr std::uint32_t kCliffUpperSprite = 0xC502;
constexpr std::uint32_t kCliffUpperMirroredSprite = 0xC26A;
constexpr std::uint32_t kCliffColourBase = 0x9195;

// Cliff edge.
constexpr std::uint32_t kCliffEdgeLowStrip = 0xC352;
constexpr std::uint32_t kCliffEdgeLowMirroredStrip = 0xC38A;
constexpr std::uint32_t kCliffEdgeHighStrip = 0xC2C2;
constexpr std::uint32_t kCliffEdgeHighMirroredStrip = 0xC316;
constexpr std::uint32_t kCliffEdgeLowColour = 0x9099;   // tile 41
constexpr std::uint32_t kCliffEdgeHighColour = 0x908E;  // tile 38

// Hut.
constexpr std::uint32_t kHutBodySprite = 0xC97A;
constexpr std::uint32_t kHutBodyColour = 0x832C;  // ink
constexpr std::uint32_t kLargeHutLeftStrip = 0xC0EE;
constexpr std::uint32_t kLargeHutLeftColour = 0x830C;  // ink
constexpr std::uint32_t kLargeHutRightStrip = 0xC09E;
constexpr std::uint32_t kLargeHutRightColour = 0x8318;  // ink

// Structures.
constexpr std::uint32_t kWallSprite = 0xCC14;
constexpr std::uint32_t kWallTunnelColour = 0x893A;
constexpr std::uint32_t kBridgeRoadColour = 0x8747;
constexpr std::uint32_t kBridgeSectionSprite = 0x88FC;
constexpr std::uint32_t kBridgeSectionColour = 0x8827;
constexpr std::uint32_t kFortressGatesColour = 0x819C;  // ink
constexpr std::uint32_t kRoadBottomEdgingColour = 0x8F46;
constexpr std::uint32_t kRoadBottomEdgingCapColour = 0x8F44;

// Water.
constexpr std::uint32_t kLogStrip = 0xD1A0;
constexpr std::uint32_t kLeftLogColour = 0x8987;
constexpr std::uint32_t kRightLogColour = 0x8997;
constexpr std::uint32_t kWaterColour = 0x8E0E;
constexpr std::uint32_t kWaterStrip1Colour = 0x8D59;
constexpr std::uint32_t kWaterStrip2Colour = 0x8D5E;

}  // namespace kestrova
