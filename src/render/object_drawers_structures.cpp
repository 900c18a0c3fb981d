// Walls, bridges, the fortress gates and the road edgings: structures
// anchored at their right-hand column that extend to the left.

#include <algorithm>
#include <array>

#include "render/object_addresses.h"
#include "render/object_drawing.h"

namespace kestrova {
namespace {

// ---- Wall: one 4-byte-wide picture three times side by side ----

constexpr SpriteShape kWall = {SpriteLayout::kLinear, 4, 50, kWallSprite, 4};
constexpr std::array<int, 3> kWallCopies = {3, 7, 11};  // columns left of the anchor
constexpr std::uint8_t kWallColour = 0x31;              // blue ink on yellow paper
constexpr std::array<std::int64_t, 2> kWallTunnelLookAhead = {2, 4};

// ---- Road on a bridge and bridge section: full-width bands ----

constexpr int kBridgeRoadRows = 25;
constexpr int kFullWidth = 32;
constexpr int kBridgeRows = 12;
constexpr std::uint32_t kBridgeTile = 115;
constexpr std::int64_t kBridgeOwnerBack = 12;  // the record whose band the bridge marks
constexpr int kBridgeTileMinRow = 1;
// Each row is one pair of bytes, left then right, repeated 16 times.
constexpr SpriteShape kBridgePair = {SpriteLayout::kLinear, 2, kBridgeRows, kBridgeSectionSprite - 1, 2};
constexpr std::array<std::uint8_t, 2> kBridgeRailBytes = {0xFE, 0xFF};  // these leave the colours alone

// ---- Fortress gates ----

constexpr int kGateTileRows = 48;
constexpr int kGateRows = 44;
constexpr std::uint32_t kGateTile = 33;
constexpr int kGateTileMinRow = 1;
// Columns c - 8 .. c - 1, left to right; the slit in the middle stays open.
constexpr std::array<std::uint8_t, 8> kGateBytes = {0xFF, 0xFF, 0xFF, 0xFE, 0x7F, 0xFF, 0xFF, 0xFF};

// ---- Road edgings: a staircase of 16 columns, drawn right to left ----

struct EdgingStep {
  std::uint8_t pattern;
  int drop;  // rows the next column starts lower when this was the last run pattern
};
// Pattern i / 2 for the i-th row of a column, the last one from then on.
constexpr std::array<EdgingStep, 4> kEdgingSteps = {{{0x03, 2}, {0x0F, 4}, {0x3F, 6}, {0xFF, 8}}};
constexpr int kEdgingColumns = 16;
constexpr int kEdgingColumnOffset = 15;  // the anchor column is (operand & 31) + 15
constexpr int kEdgingCapRows = 8;

struct EdgingStyle {
  std::uint32_t tile;
  ColourSource run;
  ColourSource boundary;
  ColourSource cap;
  // A cap above a 0x3F run shows only this colour (no pixels); kNone: no such rule.
  ColourSource openCap;
};

constexpr std::uint8_t kRoadTopEdgingColour = 0x06;  // yellow ink on black paper
constexpr EdgingStyle kRoadBottomEdging = {5, ColourByteAt(kRoadBottomEdgingColour), kNoColour,
                                           ColourByteAt(kRoadBottomEdgingColour),
                                           ColourByteAt(kRoadBottomEdgingCapColour)};
constexpr EdgingStyle kRoadTopEdging = {6, kNoColour, ConstantColour(kRoadTopEdgingColour),
                                        ConstantColour(kRoadTopEdgingColour), kNoColour};
constexpr std::uint8_t kOpenCapPattern = 0x3F;

const EdgingStep& EdgingStepOf(int i) {
  return kEdgingSteps[static_cast<std::size_t>(std::min(i / 2, static_cast<int>(kEdgingSteps.size()) - 1))];
}

void DrawRoadEdging(DrawContext& context, const EdgingStyle& style) {
  RecordDrawing record(context);
  ScreenCanvas& canvas = record.Canvas();
  const BytePaint runPaint = record.Paint(style.tile, style.run);
  const BytePaint boundaryPaint = record.Paint(style.tile, style.boundary);
  const int anchor = (record.Operand() & 31) + kEdgingColumnOffset;
  int row = record.Row();
  for (int column = anchor; column > anchor - kEdgingColumns; --column) {
    int i = 0;
    const EdgingStep* last = nullptr;
    do {  // the run up to the next character-row boundary
      last = &EdgingStepOf(i);
      canvas.DrawByte(row, column, last->pattern, runPaint);
      --row;
      ++i;
    } while ((row & 7) != 0);
    canvas.DrawByte(row, column, last->pattern, boundaryPaint);
    --row;
    ++i;
    const bool openCap = style.openCap.kind != ColourSource::Kind::kNone && last->pattern == kOpenCapPattern;
    const BytePaint capPaint = record.Paint(style.tile, openCap ? style.openCap : style.cap);
    for (int r = 0; r < kEdgingCapRows; ++r, --row, ++i) {
      canvas.DrawByte(row, column, openCap ? std::uint8_t{0} : EdgingStepOf(i).pattern, capPaint);
    }
    row += last->drop;
  }
}

}  // namespace

void DrawWall(DrawContext& context) {
  RecordDrawing record(context);
  const bool beforeTunnel = std::any_of(kWallTunnelLookAhead.begin(), kWallTunnelLookAhead.end(),
                                        [&](std::int64_t offset) { return record.ByteAt(offset) == kCodeTunnel; });
  const BytePaint paint =
      record.Paint(BytePaint::kNoTile, beforeTunnel ? ColourByteAt(kWallTunnelColour) : ConstantColour(kWallColour));
  for (int copy : kWallCopies) DrawSprite(record.Canvas(), kWall, record.Operand() - copy, record.Row(), paint);
}

void DrawRoadOnBridge(DrawContext& context) {
  RecordDrawing record(context);
  const BytePaint paint = record.Paint(BytePaint::kNoTile, ColourByteAt(kBridgeRoadColour));
  for (int r = 0; r < kBridgeRoadRows; ++r) {
    for (int k = 0; k < kFullWidth; ++k) record.Canvas().DrawByte(record.Row() - r, record.Operand() - k, 0, paint);
  }
}

void DrawBridgeSection(DrawContext& context) {
  RecordDrawing record(context);
  ScreenCanvas& canvas = record.Canvas();
  BytePaint band;
  band.tile = kBridgeTile;
  band.owner = record.Address() - static_cast<std::uint32_t>(kBridgeOwnerBack);
  band.minRow = kBridgeTileMinRow;
  for (int r = 0; r < kBridgeRows; ++r) {
    for (int column = 0; column < kFullWidth; ++column) canvas.DrawByte(record.Row() - r, column, 0, band);
  }
  const std::uint8_t colour = record.Read(kBridgeSectionColour);
  const BytePaint pixels;  // ORed, no tile, no colour
  for (int r = 0; r < kBridgeRows; ++r) {
    const int row = record.Row() - r;
    const std::uint8_t left = record.Read(SpriteByteAddress(kBridgePair, r, 0));
    const std::uint8_t right = record.Read(SpriteByteAddress(kBridgePair, r, 1));
    for (int pair = 0; pair < kFullWidth / 2; ++pair) {
      const int column = record.Operand() - 2 * pair;
      canvas.DrawByte(row, column, right, pixels);
      canvas.DrawByte(row, column - 1, left, pixels);
      // The colour follows what the right byte of the pair now shows.
      const std::optional<std::uint32_t> d = canvas.Offset(row, column);
      if (!d) continue;
      const std::uint8_t shown = canvas.DisplayByte(*d);
      if (std::find(kBridgeRailBytes.begin(), kBridgeRailBytes.end(), shown) != kBridgeRailBytes.end()) continue;
      canvas.SetColour(*d, colour);
      if (const std::optional<std::uint32_t> leftCell = canvas.Offset(row, column - 1))
        canvas.SetColour(*leftCell, colour);
    }
  }
}

void DrawFortressGates(DrawContext& context) {
  RecordDrawing record(context);
  ScreenCanvas& canvas = record.Canvas();
  BytePaint band = record.Paint(kGateTile, kNoColour);
  band.minRow = kGateTileMinRow;
  for (int r = 0; r < kGateTileRows; ++r) {
    for (int column = 0; column < kFullWidth; ++column) canvas.DrawByte(record.Row() - r, column, 0, band);
  }
  BytePaint gate = record.Paint(BytePaint::kNoTile, InkOnYellowAt(kFortressGatesColour));
  gate.set = true;
  const int left = record.Operand() - static_cast<int>(kGateBytes.size());
  for (int r = 0; r < kGateRows; ++r) {
    for (std::size_t k = 0; k < kGateBytes.size(); ++k) {
      canvas.DrawByte(record.Row() - r, left + static_cast<int>(k), kGateBytes[k], gate);
    }
  }
}

void DrawRoadBottomEdging(DrawContext& context) { DrawRoadEdging(context, kRoadBottomEdging); }
void DrawRoadTopEdging(DrawContext& context) { DrawRoadEdging(context, kRoadTopEdging); }

}  // namespace kestrova
