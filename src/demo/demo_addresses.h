#pragma once

#include <cstdint>

// Where the game keeps what the editor reads: sprite start addresses (the
// address of a sprite's bottom row, as its drawer reads it), colour bytes,
// glyphs and the palette's sample records. The demo game puts its own bytes
// at exactly these places.
namespace kestrova::demo {

// Glyphs: 8 bytes each, top row first.
constexpr std::uint32_t kGlyphBlank = 0x7EA0;
constexpr std::uint32_t kGlyphDot = 0x7EF8;      // the alarm label's "ALARM..ON"
constexpr std::uint32_t kGlyphDiamond = 0x7F00;  // after "XEV" in the title banner
constexpr std::uint32_t kGlyphBang = 0x7F08;     // closes the alarm label
constexpr std::uint32_t kGlyphLetterA = 0x7F30;  // A..Z follow at 8-byte steps

// Sprite start addresses, by drawer.
constexpr std::uint32_t kRoadMarkingSprite = 0xC88E;
constexpr std::uint32_t kSingleGrenadeSprite = 0xCF76;
constexpr std::uint32_t kTripleGrenadeSprite = 0xCFFA;
constexpr std::uint32_t kQuintupleGrenadeSprite = 0xD07E;
constexpr std::uint32_t kLeftMortarSprite = 0xD0BE;
constexpr std::uint32_t kRightMortarSprite = 0xD0FE;
constexpr std::uint32_t kTrenchLeftSprite = 0xCABE;
constexpr std::uint32_t kTrenchMiddleSprite = 0xCB1E;
constexpr std::uint32_t kTrenchRightSprite = 0xCB4E;
constexpr std::uint32_t kBunkerLeftSprite = 0xD942;   // columns 0..14
constexpr std::uint32_t kBunkerRightSprite = 0xDC42;  // columns 15 and up
constexpr std::uint32_t kBoulderSprite = 0xD222;
constexpr std::uint32_t kSandbagsLeftSprite = 0xD26A;
constexpr std::uint32_t kSandbagsMiddleSprite = 0xD2D6;
constexpr std::uint32_t kSandbagsRightSprite = 0xD31E;
constexpr std::uint32_t kBarracksSprite = 0xD612;
constexpr std::uint32_t kTunnelSprite = 0xCF36;
constexpr std::uint32_t kCaveTopSprite = 0xC712;
constexpr std::uint32_t kCaveMainSprite = 0xC6E2;
constexpr std::uint32_t kCaveMainLeftEdgeSprite = 0xC5F2;  // cave main at column 0
constexpr std::uint32_t kCaveBottomSprite = 0xC742;
constexpr std::uint32_t kTruckSprite = 0xC840;
constexpr std::uint32_t kMotorbikeSprite = 0xCA8A;
constexpr std::uint32_t kJeepSprite = 0xC9FC;
constexpr std::uint32_t kRocketLauncherSprite = 0xBC3B;
constexpr std::uint32_t kGuardSprite = 0xB041;
constexpr std::uint32_t kPrisonerSprite = 0xB141;  // also the second guard
constexpr std::uint32_t kTreeTrunkSprite = 0xD642;
constexpr std::uint32_t kTreeCrownSprite = 0xD37E;
constexpr std::uint32_t kCliffBottomSprite = 0xC472;
constexpr std::uint32_t kCliffBottomMirroredSprite = 0xC1DA;
constexpr std::uint32_t kCliffMiddleSprite = 0xC502;
constexpr std::uint32_t kCliffMiddleMirroredSprite = 0xC26A;
constexpr std::uint32_t kCliffEdgeLowerSprite = 0xC352;
constexpr std::uint32_t kCliffEdgeLowerMirroredSprite = 0xC38A;
constexpr std::uint32_t kCliffEdgeUpperSprite = 0xC2C2;
constexpr std::uint32_t kCliffEdgeUpperMirroredSprite = 0xC316;
constexpr std::uint32_t kHutBodySprite = 0xC97A;
constexpr std::uint32_t kLargeHutLeftSprite = 0xC0EE;
constexpr std::uint32_t kLargeHutRightSprite = 0xC09E;
constexpr std::uint32_t kWallSprite = 0xCC14;
constexpr std::uint32_t kBridgeSprite = 0x88FC;
constexpr std::uint32_t kLogSprite = 0xD1A0;

// Colour bytes. Those marked ink-only hold an ink colour; the drawer adds
// 0x30 (yellow paper).
constexpr std::uint32_t kRoadMarkingColour = 0x900D;
constexpr std::uint32_t kSingleGrenadeColour = 0x8EC5;
constexpr std::uint32_t kTripleGrenadeColour = 0x8EDC;
constexpr std::uint32_t kQuintupleGrenadeColour = 0x8EF3;
constexpr std::uint32_t kLeftMortarColour = 0x8E7C;
constexpr std::uint32_t kRightMortarColour = 0x8E8B;
constexpr std::uint32_t kTrenchEndColour = 0x8174;  // left and right parts
constexpr std::uint32_t kTrenchMiddleColour = 0x8183;
constexpr std::uint32_t kBunkerColour = 0x8701;
constexpr std::uint32_t kBoulderColour = 0x9046;
constexpr std::uint32_t kSandbagsLeftColour = 0x8F1F;
constexpr std::uint32_t kSandbagsMiddleColour = 0x8F2E;  // middle and right parts
constexpr std::uint32_t kBarracksColour = 0x8905;
constexpr std::uint32_t kTunnelColour = 0x891C;
constexpr std::uint32_t kCaveEdgeInk = 0x8348;  // ink-only, top and bottom edges
constexpr std::uint32_t kCaveMainInk = 0x8330;  // ink-only
constexpr std::uint32_t kTruckInk = 0x862D;     // ink-only
constexpr std::uint32_t kJeepInk = 0x8400;      // ink-only
constexpr std::uint32_t kGuardInk = 0x827D;     // ink-only
constexpr std::uint32_t kPrisonerInk = 0x8274;  // ink-only
constexpr std::uint32_t kSecondGuardInk = 0x8286;  // ink-only
constexpr std::uint32_t kTreeTrunkColour = 0x901F;
constexpr std::uint32_t kTreeCrownColour = 0x903A;
constexpr std::uint32_t kCliffColoursFirst = 0x9124;  // 14 bytes, top slice first
constexpr std::uint32_t kCliffColoursLast = 0x9131;
constexpr std::uint32_t kCliffEdgeLowerColour = 0x9099;
constexpr std::uint32_t kCliffEdgeUpperColour = 0x908E;
constexpr std::uint32_t kLargeHutLeftInk = 0x830C;   // ink-only
constexpr std::uint32_t kHutBodyInk = 0x832C;        // ink-only
constexpr std::uint32_t kLargeHutRightInk = 0x8318;  // ink-only
constexpr std::uint32_t kTunnelWallColour = 0x893A;
constexpr std::uint32_t kBridgeRoadColour = 0x8747;
constexpr std::uint32_t kBridgeColour = 0x8827;
constexpr std::uint32_t kFortressGatesInk = 0x819C;  // ink-only
constexpr std::uint32_t kLeftLogColour = 0x8987;
constexpr std::uint32_t kRightLogColour = 0x8997;
constexpr std::uint32_t kWaterColour = 0x8E0E;
constexpr std::uint32_t kWaterStrip1Colour = 0x8D59;
constexpr std::uint32_t kWaterStrip2Colour = 0x8D5E;
constexpr std::uint32_t kRoadBottomEdgingColour = 0x8F46;
constexpr std::uint32_t kRoadBottomEdgingBareCapColour = 0x8F44;

// Palette sample records: the palette draws each picture from a record at
// one of these addresses and reads the operand from the byte after it.
constexpr std::uint32_t kSampleRecordsStart = 0x98CF;
constexpr std::uint32_t kSampleRecordsEnd = 0xA0CF;

// Where the demo game's code loop sits and where its stack is.
constexpr std::uint32_t kCodeLoop = 0x7A92;  // EI; HALT; JR back (HALT is the recognition byte)
constexpr std::uint32_t kStackPointer = 0x7000;

}  // namespace kestrova::demo
