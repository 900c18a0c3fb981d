// Trees, cliffs, cliff edges and huts: objects built from several parts
// stacked or placed side by side.

#include <array>

#include "render/object_addresses.h"
#include "render/object_drawing.h"

namespace kestrova {
namespace {

constexpr std::uint8_t kColumnBits = 0x1F;
constexpr std::uint8_t kMirroredBit = 0x80;  // cliff and cliff edge
constexpr std::uint8_t kLargeHutBit = 0x80;

constexpr SpriteShape Strip(int height, std::uint32_t start) { return {SpriteLayout::kStrip, 1, height, start}; }

// ---- Tree: a trunk with the crown directly above it ----

constexpr SpriteShape kTreeTrunk = Strip(24, kTreeTrunkStrip);
constexpr SpriteShape kTreeCrown = {SpriteLayout::kPairedSerpentine, 3, 16, kTreeCrownSprite};
constexpr std::uint32_t kTreeTrunkTile = 132;
constexpr std::uint32_t kTreeCrownTile = 131;

// ---- Cliff: four bands stacked upward, 6 columns wide ----

struct CliffBand {
  int rows;
  bool drawn;  // false: the band only takes colours and tiles
  std::uint32_t sprite;
  std::uint32_t mirroredSprite;
};

constexpr std::array<CliffBand, 4> kCliffBands = {{
    {40, true, kCliffBottomSprite, kCliffBottomMirroredSprite},
    {32, false, 0, 0},
    {24, true, kCliffUpperSprite, kCliffUpperMirroredSprite},
    {16, false, 0, 0},
}};
constexpr int kCliffWidth = 6;
// Every 8-row slice of the cliff has its own tile and colour byte; the bands
// start on slice boundaries, so the tile follows from the row alone.
constexpr std::uint32_t kCliffFirstTile = 100;

// ---- Cliff edge: two strips with a gap, standing 4 rows above the row ----

struct CliffEdgePart {
  int gapBelow;  // rows left empty under this part
  int rows;
  std::uint32_t strip;
  std::uint32_t mirroredStrip;
  std::uint32_t tile;
  std::uint32_t colour;
};

constexpr std::array<CliffEdgePart, 2> kCliffEdgeParts = {{
    {4, 30, kCliffEdgeLowStrip, kCliffEdgeLowMirroredStrip, 41, kCliffEdgeLowColour},
    {6, 42, kCliffEdgeHighStrip, kCliffEdgeHighMirroredStrip, 38, kCliffEdgeHighColour},
}};

// ---- Hut: a body, and for the large hut a column on either side ----

constexpr int kHutRows = 40;
constexpr SpriteShape kHutBody = {SpriteLayout::kLinear, 6, kHutRows, kHutBodySprite, 6};
constexpr std::uint32_t kSmallHutTile = 148;
constexpr std::uint32_t kLargeHutTile = 151;

struct LargeHutSide {
  int columnOffset;  // from the hut's column
  std::uint32_t strip;
  std::uint32_t tile;
  std::uint32_t colour;
};

// Left, then right; the left one is drawn before the body.
constexpr std::array<LargeHutSide, 2> kLargeHutSides = {{
    {-1, kLargeHutLeftStrip, 151, kLargeHutLeftColour},
    {6, kLargeHutRightStrip, 153, kLargeHutRightColour},
}};

}  // namespace

void DrawTree(DrawContext& context) {
  RecordDrawing record(context);
  const int column = record.Operand();
  DrawSprite(record.Canvas(), kTreeTrunk, column, record.Row(),
             record.Paint(kTreeTrunkTile, ColourByteAt(kTreeTrunkColour)));
  DrawSprite(record.Canvas(), kTreeCrown, column - 1, record.Row() - kTreeTrunk.height,
             record.Paint(kTreeCrownTile, ColourByteAt(kTreeCrownColour)));
}

void DrawCliff(DrawContext& context) {
  RecordDrawing record(context);
  const int column = record.Operand() & kColumnBits;
  const bool mirrored = (record.Operand() & kMirroredBit) != 0;
  int bandStart = 0;  // rows of the cliff below this band
  for (const CliffBand& band : kCliffBands) {
    const SpriteShape shape = {SpriteLayout::kLinear, kCliffWidth, band.rows,
                               mirrored ? band.mirroredSprite : band.sprite, kCliffWidth};
    for (int r = 0; r < band.rows; ++r) {
      const std::uint32_t tile = kCliffFirstTile + static_cast<std::uint32_t>((bandStart + r) >> 3);
      const BytePaint paint = record.Paint(tile, ColourByteAt(kCliffColourBase - tile));
      const int row = record.Row() - bandStart - r;
      for (int k = 0; k < kCliffWidth; ++k) {
        const std::uint8_t bits = band.drawn ? record.Read(SpriteByteAddress(shape, r, k)) : 0;
        record.Canvas().DrawByte(row, column + k, bits, paint);
      }
    }
    bandStart += band.rows;
  }
}

void DrawCliffEdge(DrawContext& context) {
  RecordDrawing record(context);
  const int column = record.Operand() & kColumnBits;
  const bool mirrored = (record.Operand() & kMirroredBit) != 0;
  int bottom = record.Row();
  for (const CliffEdgePart& part : kCliffEdgeParts) {
    bottom -= part.gapBelow;
    DrawSprite(record.Canvas(), Strip(part.rows, mirrored ? part.mirroredStrip : part.strip), column, bottom,
               record.Paint(part.tile, ColourByteAt(part.colour)));
    bottom -= part.rows;
  }
}

void DrawHut(DrawContext& context) {
  RecordDrawing record(context);
  WalkMemory& state = context.walk;
  // The palette sets the flag for its large-hut picture before the drawer runs.
  if ((record.Operand() & kLargeHutBit) != 0) state.largeHut = true;
  const int column = record.Operand() & kColumnBits;
  const bool large = state.largeHut;
  const auto drawSide = [&](const LargeHutSide& side) {
    DrawSprite(record.Canvas(), Strip(kHutRows, side.strip), column + side.columnOffset, record.Row(),
               record.Paint(side.tile, InkOnYellowAt(side.colour)));
  };
  if (large) drawSide(kLargeHutSides[0]);
  DrawSprite(record.Canvas(), kHutBody, column, record.Row(),
             record.Paint(large ? kLargeHutTile : kSmallHutTile, InkOnYellowAt(kHutBodyColour)));
  if (large) drawSide(kLargeHutSides[1]);
  state.largeHut = false;
}

}  // namespace kestrova
