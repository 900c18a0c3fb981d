#include "demo/demo_art.h"

#include <array>
#include <stdexcept>
#include <string>

namespace kestrova::demo {

namespace {

// Ink values for the bytes that hold only an ink (the drawer adds 0x30).
constexpr std::uint8_t kInkBlack = 0;
constexpr std::uint8_t kInkBlue = 1;
constexpr std::uint8_t kInkRed = 2;
constexpr std::uint8_t kInkGreen = 4;

// Whole attributes: ink on yellow paper unless said otherwise.
constexpr std::uint8_t kBlackOnYellow = 0x30;
constexpr std::uint8_t kBlueOnYellow = 0x31;
constexpr std::uint8_t kRedOnYellow = 0x32;
constexpr std::uint8_t kGreenOnYellow = 0x34;
constexpr std::uint8_t kBlackOnWhite = 0x38;
constexpr std::uint8_t kYellowOnRed = 0x16;  // cliff bands with pictures: ink is open ground, paper is rock
constexpr std::uint8_t kRockRed = 0x10;      // cliff bands without pictures: bare rock

constexpr ColourByte kColours[] = {
    {"road marking colour", kRoadMarkingColour, kBlackOnYellow},
    {"single grenade colour", kSingleGrenadeColour, kGreenOnYellow},
    {"triple grenade colour", kTripleGrenadeColour, kGreenOnYellow},
    {"quintuple grenade colour", kQuintupleGrenadeColour, kGreenOnYellow},
    {"left mortar colour", kLeftMortarColour, kBlackOnYellow},
    {"right mortar colour", kRightMortarColour, kBlackOnYellow},
    {"trench end colour", kTrenchEndColour, kBlackOnYellow},
    {"trench middle colour", kTrenchMiddleColour, kBlackOnYellow},
    {"bunker colour", kBunkerColour, kBlueOnYellow},
    {"boulder colour", kBoulderColour, kBlackOnYellow},
    {"sandbags left colour", kSandbagsLeftColour, kRedOnYellow},
    {"sandbags middle colour", kSandbagsMiddleColour, kRedOnYellow},
    {"barracks colour", kBarracksColour, kRedOnYellow},
    {"tunnel colour", kTunnelColour, kBlackOnYellow},
    {"cave edge ink", kCaveEdgeColour, kInkBlack},
    {"cave main ink", kCaveMainColour, kInkBlack},
    {"truck ink", kTruckColour, kInkGreen},
    {"jeep ink", kJeepColour, kInkGreen},
    {"guard ink", kFirstGuardColour, kInkRed},
    {"prisoner ink", kPrisonerColour, kInkBlue},
    {"second guard ink", kSecondGuardColour, kInkRed},
    {"tree trunk colour", kTreeTrunkColour, kRedOnYellow},
    {"tree crown colour", kTreeCrownColour, kGreenOnYellow},
    {"cliff edge lower colour", kCliffEdgeLowColour, kBlackOnYellow},
    {"cliff edge upper colour", kCliffEdgeHighColour, kBlackOnYellow},
    {"large hut left ink", kLargeHutLeftColour, kInkRed},
    {"hut body ink", kHutBodyColour, kInkRed},
    {"large hut right ink", kLargeHutRightColour, kInkRed},
    {"tunnel wall colour", kWallTunnelColour, kRedOnYellow},
    {"bridge road colour", kBridgeRoadColour, kBlackOnWhite},
    {"bridge colour", kBridgeSectionColour, kBlackOnWhite},
    {"fortress gates ink", kFortressGatesColour, kInkBlue},
    {"left log colour", kLeftLogColour, kRedOnYellow},
    {"right log colour", kRightLogColour, kRedOnYellow},
    {"water colour", kWaterColour, kBlueOnYellow},
    {"water strip 1 colour", kWaterStrip1Colour, kBlueOnYellow},
    {"water strip 2 colour", kWaterStrip2Colour, kBlueOnYellow},
    {"road bottom edging colour", kRoadBottomEdgingColour, kBlackOnYellow},
    {"road bottom edging bare cap colour", kRoadBottomEdgingCapColour, kBlackOnYellow},
};

// The cliff's 14 slice colours, top slice first: the band without a picture
// at the top, the middle picture band, another bare band, and the bottom
// picture band. Slice tiles run from 113 (top) down to 100, each coloured by
// the byte at kCliffColourBase - tile, so the top slice's byte comes first.
constexpr std::uint32_t kCliffTopSliceTile = 113;
constexpr std::uint32_t kCliffColoursFirst = kCliffColourBase - kCliffTopSliceTile;
constexpr std::array<std::uint8_t, 14> kCliffSlices = {
    kRockRed,     kRockRed,                                                // band 4
    kYellowOnRed, kYellowOnRed, kYellowOnRed,                              // band 3
    kRockRed,     kRockRed,     kRockRed,     kRockRed,                    // band 2
    kYellowOnRed, kYellowOnRed, kYellowOnRed, kYellowOnRed, kYellowOnRed,  // band 1
};

const SpriteArt* FindSprite(std::string_view name) {
  for (auto group : {DemoSoldiersSprites(), DemoVehiclesSprites(), DemoBuildingsSprites(), DemoNatureSprites()}) {
    for (const SpriteArt& sprite : group) {
      if (sprite.name == name) return &sprite;
    }
  }
  return nullptr;
}

}  // namespace

std::span<const ColourByte> DemoColours() { return kColours; }

Picture SpritePicture(const SpriteArt& sprite) {
  if (sprite.mirrorOf.empty()) {
    return ParsePicture(sprite.picture, sprite.shape.width, sprite.shape.height, sprite.name);
  }
  const SpriteArt* source = FindSprite(sprite.mirrorOf);
  if (source == nullptr || !source->mirrorOf.empty()) {
    throw std::invalid_argument("sprite " + std::string(sprite.name) + " mirrors " + std::string(sprite.mirrorOf) +
                                ", which has no picture of its own");
  }
  return Mirrored(ParsePicture(source->picture, sprite.shape.width, sprite.shape.height, source->name));
}

void WriteDemoArt(DemoMemory& memory) {
  for (auto group : {DemoSoldiersSprites(), DemoVehiclesSprites(), DemoBuildingsSprites(), DemoNatureSprites()}) {
    for (const SpriteArt& sprite : group) EncodeSprite(memory, sprite.shape, SpritePicture(sprite), sprite.name);
  }
  for (const GlyphArt& glyph : DemoGlyphs()) {
    const SpriteShape shape{SpriteLayout::Linear, 1, 8, glyph.address + 7, 1};  // top row first, one byte a row
    EncodeSprite(memory, shape, ParsePicture(glyph.picture, 1, 8, glyph.name), glyph.name);
  }
  for (const ColourByte& colour : kColours) memory.Write(colour.address, colour.value, colour.name);
  for (std::size_t i = 0; i < kCliffSlices.size(); ++i) {
    memory.Write(kCliffColoursFirst + static_cast<std::uint32_t>(i), kCliffSlices[i], "cliff slice colours");
  }
}

}  // namespace kestrova::demo
