#include "render/level_drawers.h"

#include <algorithm>
#include <array>

#include "level/level_addresses.h"
#include "level/level_stream.h"
#include "render/glyph_labels.h"
#include "render/render_addresses.h"

namespace kestrova {

namespace {

constexpr auto kCodeMotorbike = static_cast<std::uint8_t>(ObjectCode::Motorbike);
constexpr auto kCodeTunnel = static_cast<std::uint8_t>(ObjectCode::Tunnel);
constexpr auto kCodeLogCrossing = static_cast<std::uint8_t>(ObjectCode::LogCrossing);

constexpr int kEndLabelRaise = 8;     // END OF LEVEL sits 8 rows above the record's row
constexpr int kAlarmBottomRow = 191;  // an alarm on the window's last row...
constexpr int kAlarmRaise = 7;        // ...is drawn this much higher
constexpr int kAlarmMinRow = 1;

// The alarm label for operand 1, 0 and anything else.
constexpr std::string_view kAlarmOnText = "ALARM~~ON# ";
constexpr std::string_view kAlarmOffText = "ALARM~~OFF#";
constexpr std::string_view kAlarmOtherText = "ALARM~~OFF ";

std::uint32_t RecordAddress(const WalkMemory& walk) { return static_cast<std::uint32_t>(walk.streamCursor); }

std::uint8_t OperandOf(const DrawContext& context) {
  return context.canvas.Image().Read(RecordAddress(context.walk) + 1);
}

// Rows 0..191 of a band of `rows` rows with its bottom line on `bottom`:
// the band rows v (0 = bottom line) that are on screen.
struct VisibleBand {
  int first = 0;
  int last = -1;  // inclusive; empty when last < first
};
VisibleBand VisibleRows(int bottom, int rows) {
  return {std::max(0, bottom - (kScreenRows - 1)), std::min(rows - 1, bottom)};
}

// Later rules win: water 13, then strip 1 (25), strip 2 (14), the crossing's
// left (152) and right (147) halves.
std::uint32_t CrossingTile(int crossingColumn, int column, int v, int operand, bool crossing6, bool crossing10) {
  if (crossingColumn != kCrossingColumnLeft && crossingColumn != kCrossingColumnRight) return kTileCrossingWater;
  if (column >= crossingColumn && column <= crossingColumn + 3) return kTileCrossingLeft;
  if (column >= crossingColumn + 4 && column <= crossingColumn + 7) return kTileCrossingRight;
  if (crossing10 && v > 2 * operand - 13) return kTileWaterStrip2;
  if (crossing6 && v > 2 * operand - 5) return kTileWaterStrip1;
  return kTileCrossingWater;
}

std::uint32_t TunnelTile(const LandSpaceMarking& marking, int column) {
  if (marking.wholeTunnelBand) return kTileTunnelWhole;
  return column >= kTunnelInsideFirst && column <= kTunnelInsideLast ? kTileTunnelInside : kTileTunnelOutside;
}

}  // namespace

LandSpaceMarking LookBack(const SnapshotImage& image, std::uint32_t record, int operand) {
  const std::uint8_t c2 = image.Read(record - 2);
  const std::uint8_t c6 = image.Read(record - 6);
  const std::uint8_t c10 = image.Read(record - 10);
  LandSpaceMarking marking;
  const bool motorbikeTunnel = c10 == kCodeTunnel && c2 == kCodeMotorbike;
  marking.tunnel = c2 == kCodeTunnel || c6 == kCodeTunnel || motorbikeTunnel;
  marking.crossing = c2 == kCodeLogCrossing || c6 == kCodeLogCrossing || c10 == kCodeLogCrossing;
  marking.wholeTunnelBand = motorbikeTunnel || (c6 == kCodeTunnel && operand == kTunnelWithMotorbikeBand);
  if (marking.crossing) {
    marking.owner = c10 == kCodeLogCrossing ? record - 10 : c6 == kCodeLogCrossing ? record - 6 : record - 2;
  } else if (motorbikeTunnel) {
    marking.owner = record - 10;
  } else {
    marking.owner = c6 == kCodeTunnel ? record - 6 : record - 2;
  }
  return marking;
}

namespace {

// The band's rows in the CellGrid: the tunnel's or the crossing's tiles
// where a record just before marks the band, and the band as LandPos and
// as the owner of every cell without a tile.
void MarkBand(DrawContext& context, std::uint32_t record, int operand, int bottom, const VisibleBand& band) {
  ScreenCanvas& canvas = context.canvas;
  CellGrid& grid = canvas.Grid();
  const SnapshotImage& image = canvas.Image();
  const LandSpaceMarking marking = LookBack(image, record, operand);
  if (marking.tunnel || marking.crossing) {
    const bool crossing6 = image.Read(record - 6) == kCodeLogCrossing;
    const bool crossing10 = image.Read(record - 10) == kCodeLogCrossing;
    // A row's tiles change with v only where the water strips begin, so a
    // row of tiles is worked out once per stretch.
    const auto stretch = [&](int v) {
      if (!marking.crossing) return 0;
      return crossing10 && v > 2 * operand - 13 ? 3 : crossing6 && v > 2 * operand - 5 ? 2 : 1;
    };
    std::array<std::uint32_t, kScreenColumns> tiles{};
    int tilesFor = -1;
    for (int v = band.first; v <= band.last; ++v) {
      if (stretch(v) != tilesFor) {
        tilesFor = stretch(v);
        for (int column = 0; column < kScreenColumns; ++column) {
          // The crossing marking is applied after the tunnel's and wins.
          tiles[static_cast<std::size_t>(column)] =
              marking.crossing ? CrossingTile(context.walk.crossingColumn, column, v, operand, crossing6, crossing10)
                               : TunnelTile(marking, column);
        }
      }
      const std::uint32_t rowStart = canvas.Tables().rowStart[static_cast<std::size_t>(bottom - v)];
      std::copy(tiles.begin(), tiles.end(), grid.tileId.begin() + rowStart);
      std::fill_n(grid.ownerPos.begin() + rowStart, kScreenColumns, marking.owner);
    }
  }

  // The band itself: rows walked until the row goes negative.
  for (int v = band.first; v <= band.last; ++v) {
    const std::uint32_t rowStart = canvas.Tables().rowStart[static_cast<std::size_t>(bottom - v)];
    std::fill_n(grid.landPos.begin() + rowStart, kScreenColumns, record);
    const std::uint32_t* tiles = grid.tileId.data() + rowStart;
    std::uint32_t* owners = grid.ownerPos.data() + rowStart;
    for (int column = 0; column < kScreenColumns; ++column) {
      owners[column] = tiles[column] == 0 ? record : owners[column];
    }
  }
}

}  // namespace

void DrawLandSpace(DrawContext& context) {
  WalkMemory& state = context.walk;
  const std::uint32_t record = RecordAddress(state);
  const int operand = OperandOf(context);
  const int rows = 2 * operand + 2;
  const int bottom = state.currentRow;
  if (context.canvas.WritesGrid()) MarkBand(context, record, operand, bottom, VisibleRows(bottom, rows));
  const int top = bottom - (rows - 1);
  if (top >= 8 && top < kScreenRows && !state.wholeLevelMode && context.landSpaceLines) {
    context.landSpaceLines->push_back(top - 1);
  }
  // The row never goes below -1; a band that starts above the window leaves it.
  state.currentRow = bottom < 0 ? bottom : std::max(bottom - rows, -1);
  state.streamCursor += 2;
}

void DrawSpawnPoint(DrawContext& context) {
  WalkMemory& state = context.walk;
  const std::uint32_t record = RecordAddress(state);
  const bool endRecord = record + 1 > context.place.levelEnd;
  if (endRecord && !state.previewMode) {
    DrawLabel(context.canvas, kEndOfLevelText, state.currentRow - kEndLabelRaise, kLabelAttribute, std::nullopt);
  } else {
    // Level 1's first record can never be selected.
    const std::optional<LabelTile> tile =
        record == kLevelAreaStart ? std::nullopt : std::optional<LabelTile>(LabelTile{kTileSpawnPoint, record});
    DrawLabel(context.canvas, kSpawnPointText, state.currentRow, kLabelAttribute, tile);
  }
  state.streamCursor += 2;
}

void DrawAlarmSwitch(DrawContext& context) {
  WalkMemory& state = context.walk;
  const std::uint32_t record = RecordAddress(state);
  const std::uint8_t on = OperandOf(context);
  const std::string_view text = on == 1 ? kAlarmOnText : on == 0 ? kAlarmOffText : kAlarmOtherText;
  const int row = state.currentRow == kAlarmBottomRow ? kAlarmBottomRow - kAlarmRaise : state.currentRow;
  DrawLabel(context.canvas, text, row, kLabelAttribute, LabelTile{kTileAlarm, record}, kAlarmMinRow);
  state.streamCursor += 2;
}

}  // namespace kestrova
