// The objects that are one sprite (or three, the prisoner of war) with no
// rule of their own beyond where they stand: table-driven.

#include <array>
#include <cstddef>
#include <utility>

#include "render/object_addresses.h"
#include "render/object_drawing.h"

namespace kestrova {
namespace {

constexpr SpriteShape Paired(int width, int height, std::uint32_t start) {
  return {SpriteLayout::kPairedSerpentine, width, height, start};
}
constexpr SpriteShape Plain(int width, int height, std::uint32_t start) {
  return {SpriteLayout::kPlainSerpentine, width, height, start};
}
constexpr SpriteShape Linear(int width, int height, std::uint32_t start, int stride) {
  return {SpriteLayout::kLinear, width, height, start, stride};
}

// ---- Simple sprites: anchor column = operand, bottom line on the row ----

// When a sprite takes its second image instead of the first.
enum class SecondImage : std::uint8_t {
  kNever,
  kOperandAbove14,    // the bunker
  kOperandZeroInMap,  // the open cave: operand 0, not in a preview
};

// Codes of one family share one drawer in the game, which picks the member
// by the current code (the palette sets it for their previews).
enum class Family : std::uint8_t { kNone, kMultiGrenade, kMortar, kCave, kTrenchEnd };

struct SimpleSprite {
  std::uint8_t code;
  Family family;
  SpriteShape shape;
  SecondImage secondImageRule;
  std::uint32_t secondImage;
  std::uint32_t tile;
  ColourSource colour;
};

constexpr std::uint32_t kNoTile = BytePaint::kNoTile;

constexpr std::array kSimpleSprites = {
    SimpleSprite{0x04, Family::kNone, Paired(2, 18, kRoadMarkingSprite), SecondImage::kNever, 0, 4,
                 ColourByteAt(kRoadMarkingColour)},
    SimpleSprite{0x0F, Family::kNone, Paired(2, 16, kSingleGrenadeSprite), SecondImage::kNever, 0, 15,
                 ColourByteAt(kSingleGrenadeColour)},
    SimpleSprite{0x10, Family::kMultiGrenade, Paired(3, 22, kTripleGrenadeSprite), SecondImage::kNever, 0, 16,
                 ColourByteAt(kTripleGrenadeColour)},
    SimpleSprite{0x11, Family::kMultiGrenade, Paired(3, 22, kQuintupleGrenadeSprite), SecondImage::kNever, 0, 17,
                 ColourByteAt(kQuintupleGrenadeColour)},
    SimpleSprite{0x12, Family::kMortar, Paired(2, 16, kLeftMortarSprite), SecondImage::kNever, 0, 18,
                 ColourByteAt(kLeftMortarColour)},
    SimpleSprite{0x13, Family::kMortar, Paired(2, 16, kRightMortarSprite), SecondImage::kNever, 0, 19,
                 ColourByteAt(kRightMortarColour)},
    SimpleSprite{0x23, Family::kTrenchEnd, Paired(2, 12, kTrenchLeftSprite), SecondImage::kNever, 0, 35,
                 ColourByteAt(kTrenchEndColour)},
    SimpleSprite{0x24, Family::kNone, Paired(4, 12, kTrenchMiddleSprite), SecondImage::kNever, 0, 36,
                 ColourByteAt(kTrenchMiddleColour)},
    SimpleSprite{0x25, Family::kTrenchEnd, Paired(2, 12, kTrenchRightSprite), SecondImage::kNever, 0, 37,
                 ColourByteAt(kTrenchEndColour)},
    SimpleSprite{0x81, Family::kNone, Paired(6, 64, kBunkerSprite), SecondImage::kOperandAbove14, kBunkerSecondSprite,
                 129, ColourByteAt(kBunkerColour)},
    SimpleSprite{0x87, Family::kNone, Paired(3, 22, kBoulderSprite), SecondImage::kNever, 0, 135,
                 ColourByteAt(kBoulderColour)},
    SimpleSprite{0x8A, Family::kNone, Paired(2, 18, kSandbagsLeftSprite), SecondImage::kNever, 0, 138,
                 ColourByteAt(kSandbagsLeftColour)},
    SimpleSprite{0x8B, Family::kNone, Paired(3, 18, kSandbagsMiddleSprite), SecondImage::kNever, 0, 139,
                 ColourByteAt(kSandbagsMiddleColour)},
    SimpleSprite{0x8C, Family::kNone, Paired(2, 18, kSandbagsRightSprite), SecondImage::kNever, 0, 140,
                 ColourByteAt(kSandbagsMiddleColour)},
    SimpleSprite{0x95, Family::kNone, Paired(5, 66, kBarracksSprite), SecondImage::kNever, 0, 149,
                 ColourByteAt(kBarracksColour)},
    SimpleSprite{0x96, Family::kNone, Paired(8, 50, kTunnelSprite), SecondImage::kNever, 0, kNoTile,
                 ColourByteAt(kTunnelColour)},
    SimpleSprite{0x1D, Family::kCave, Linear(6, 8, kCaveTopEdgeSprite, 6), SecondImage::kNever, 0, 29,
                 InkOnYellowAt(kCaveEdgeColour)},
    SimpleSprite{0x1E, Family::kCave, Linear(6, 40, kCaveMainSprite, 6), SecondImage::kOperandZeroInMap,
                 kCaveMainOpenSprite, 30, InkOnYellowAt(kCaveMainColour)},
    SimpleSprite{0x1F, Family::kCave, Linear(6, 8, kCaveBottomEdgeSprite, 6), SecondImage::kNever, 0, 31,
                 InkOnYellowAt(kCaveEdgeColour)},
};

// The member of `own`'s family named by the current code, or `own` itself.
const SimpleSprite& SpriteForCode(const SimpleSprite& own, std::uint32_t currentCode) {
  if (own.family == Family::kNone) return own;
  for (const SimpleSprite& sprite : kSimpleSprites) {
    if (sprite.family == own.family && sprite.code == currentCode) return sprite;
  }
  return own;
}

bool TakesSecondImage(const SimpleSprite& sprite, std::uint8_t operand, bool previewMode) {
  switch (sprite.secondImageRule) {
    case SecondImage::kNever:
      return false;
    case SecondImage::kOperandAbove14:
      return operand > 14;
    case SecondImage::kOperandZeroInMap:
      return operand == 0 && !previewMode;
  }
  return false;
}

template <std::size_t kIndex>
void DrawSimpleSprite(DrawContext& context) {
  RecordDrawing record(context);
  const SimpleSprite& sprite = SpriteForCode(kSimpleSprites[kIndex], context.walk.currentCode);
  SpriteShape shape = sprite.shape;
  if (TakesSecondImage(sprite, record.Operand(), context.walk.previewMode)) shape.start = sprite.secondImage;
  DrawSprite(record.Canvas(), shape, record.Operand(), record.Row(), record.Paint(sprite.tile, sprite.colour));
}

// ---- Vehicles and markers at fixed columns ----

enum class ColumnRule : std::uint8_t {
  kFixed,             // `column`, or `previewColumn` in a preview
  kOperandInPreview,  // `column`, or operand & 31 in a preview
  kRocketMarker,      // the rocket column of the preview columns
};

struct FixedColumnObject {
  std::uint8_t code;
  ColumnRule rule;
  int column;
  int previewColumn;
  SpriteShape shape;
  std::uint32_t tile;
  bool tunnelTakesTile;  // no tile when the tunnel four records back owns it
  ColourSource colour;
};

constexpr std::uint8_t kRocketMarkerColour = 0x32;  // red ink on yellow paper

constexpr std::array kFixedColumnObjects = {
    FixedColumnObject{0x1A,
                      ColumnRule::kFixed,
                      24,
                      0,
                      {SpriteLayout::kTruck, 7, 32, kTruckSprite},
                      26,
                      false,
                      InkOnYellowAt(kTruckColour)},
    FixedColumnObject{0x1B, ColumnRule::kFixed, 13, 0, Linear(5, 22, kMotorbikeSprite, 6), 27, true, kNoColour},
    FixedColumnObject{0x1C, ColumnRule::kOperandInPreview, 10, 0, Linear(4, 32, kJeepSprite, 4), 28, false,
                      InkOnYellowAt(kJeepColour)},
    FixedColumnObject{0x28, ColumnRule::kRocketMarker, 0, 0, Plain(3, 20, kRocketMarkerSprite), 40, false,
                      ConstantColour(kRocketMarkerColour)},
};

// A motorbike four records after a tunnel with operand 12 rides through it;
// the band after it belongs to the tunnel.
constexpr std::int64_t kTunnelLookBack = -8;
constexpr std::uint8_t kTunnelWithMotorbike = 12;

int FixedColumnOf(const FixedColumnObject& object, const RecordDrawing& record, const WalkMemory& state) {
  switch (object.rule) {
    case ColumnRule::kFixed:
      return state.previewMode ? object.previewColumn : object.column;
    case ColumnRule::kOperandInPreview:
      return state.previewMode ? record.Operand() & 31 : object.column;
    case ColumnRule::kRocketMarker:
      return state.previewColumns.rocketMarker;
  }
  return object.column;
}

template <std::size_t kIndex>
void DrawFixedColumnObject(DrawContext& context) {
  RecordDrawing record(context);
  const FixedColumnObject& object = kFixedColumnObjects[kIndex];
  const bool tunnelOwns = object.tunnelTakesTile && record.ByteAt(kTunnelLookBack) == kCodeTunnel &&
                          record.ByteAt(kTunnelLookBack + 1) == kTunnelWithMotorbike;
  const BytePaint paint = record.Paint(tunnelOwns ? kNoTile : object.tile, object.colour);
  DrawSprite(record.Canvas(), object.shape, FixedColumnOf(object, record, context.walk), record.Row(), paint);
}

// ---- Prisoner of war: two guards and the prisoner, side by side ----

struct PrisonerFigure {
  SpriteShape shape;
  std::uint32_t tile;
  ColourSource colour;
};

// In drawing order; figure i stands in preview column prisonerFigures[i].
constexpr std::array<PrisonerFigure, 3> kPrisonerFigures = {{
    {Plain(3, 22, kGuardSprite), 21, InkOnYellowAt(kFirstGuardColour)},
    {Plain(3, 22, kPrisonerSprite), 32, InkOnYellowAt(kPrisonerColour)},
    {Plain(3, 22, kPrisonerSprite), 22, InkOnYellowAt(kSecondGuardColour)},
}};
static_assert(kPrisonerFigures.size() == PreviewColumns{}.prisonerFigures.size());

void DrawPrisonerOfWar(DrawContext& context) {
  RecordDrawing record(context);
  for (std::size_t i = 0; i < kPrisonerFigures.size(); ++i) {
    const PrisonerFigure& figure = kPrisonerFigures[i];
    DrawSprite(record.Canvas(), figure.shape, context.walk.previewColumns.prisonerFigures[i], record.Row(),
               record.Paint(figure.tile, figure.colour));
  }
}
constexpr std::uint8_t kCodePrisonerOfWar = 0x20;

// ---- Lookup ----

template <std::size_t... kIndex>
constexpr std::array<DrawerFunction, sizeof...(kIndex)> SimpleSpriteDrawers(std::index_sequence<kIndex...>) {
  return {&DrawSimpleSprite<kIndex>...};
}
template <std::size_t... kIndex>
constexpr std::array<DrawerFunction, sizeof...(kIndex)> FixedColumnDrawers(std::index_sequence<kIndex...>) {
  return {&DrawFixedColumnObject<kIndex>...};
}

constexpr auto kSimpleSpriteDrawers = SimpleSpriteDrawers(std::make_index_sequence<kSimpleSprites.size()>());
constexpr auto kFixedColumnDrawers = FixedColumnDrawers(std::make_index_sequence<kFixedColumnObjects.size()>());

}  // namespace

DrawerFunction FindSpriteDrawer(std::uint8_t code) {
  for (std::size_t i = 0; i < kSimpleSprites.size(); ++i) {
    if (kSimpleSprites[i].code == code) return kSimpleSpriteDrawers[i];
  }
  for (std::size_t i = 0; i < kFixedColumnObjects.size(); ++i) {
    if (kFixedColumnObjects[i].code == code) return kFixedColumnDrawers[i];
  }
  if (code == kCodePrisonerOfWar) return &DrawPrisonerOfWar;
  return nullptr;
}

}  // namespace kestrova
