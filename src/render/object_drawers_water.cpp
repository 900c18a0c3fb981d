// The log crossing and the water around it. Water rows are drawn in column
// pairs, with copies that fill the columns the pairs do not reach; which
// columns depends on the crossing column of the last log crossing.

#include <array>

#include "render/object_addresses.h"
#include "render/object_drawing.h"

namespace kestrova {
namespace {

constexpr int kCrossingAtMiddle = 16;  // the crossing column that mirrors the water
constexpr int kWaterPairs = 8;

// The two bytes of a water row: A goes into the right column of each pair,
// B into the left one.
struct WaterBytes {
  std::uint8_t a;
  std::uint8_t b;
};

// One water row. The pair bytes are ORed (or set, for solid rows); the
// copies are always set.
void DrawWaterRow(ScreenCanvas& canvas, int row, int crossing, bool firstRow, WaterBytes bytes, BytePaint pairPaint) {
  BytePaint copyPaint = pairPaint;
  copyPaint.set = true;
  for (int j = 0; j < kWaterPairs; ++j) {
    if (crossing == kCrossingAtMiddle) {
      const int column = 15 - 2 * j;
      canvas.DrawByte(row, column, bytes.a, pairPaint);
      canvas.DrawByte(row, column - 1, bytes.b, pairPaint);
      if (column > 8) {
        canvas.DrawByte(row, column + 16, bytes.a, copyPaint);
        canvas.DrawByte(row, column + 15, bytes.b, copyPaint);
      }
    } else {
      // The first row follows the crossing column; the rest stand at 16..31.
      const int column = (firstRow ? crossing + 23 : 31) - 2 * j;
      canvas.DrawByte(row, column, bytes.a, pairPaint);
      canvas.DrawByte(row, column - 1, bytes.b, pairPaint);
      if (column > 24) {
        canvas.DrawByte(row, column - 25, bytes.a, copyPaint);
        canvas.DrawByte(row, column - 24, bytes.b, copyPaint);
      }
    }
  }
}

// ---- Log crossing ----

constexpr SpriteShape kLog = {SpriteLayout::kStrip, 1, 80, kLogStrip};
constexpr int kLogBelowRow = 1;
constexpr int kRightLogOffset = 7;

// ---- Water ----

constexpr int kWaterRows = 52;
constexpr int kWaterBelowRow = 2;
constexpr std::array<WaterBytes, 2> kWaterShore = {{{0x92, 0x89}, {0xDD, 0xE5}}};
constexpr WaterBytes kSolidWater = {0xFF, 0xFF};

// ---- Water strips ----

constexpr int kStripBelowRow = 3;
constexpr int kStripRows = 9;
constexpr std::array<WaterBytes, 2> kStripEdge = {{{0xE5, 0xDD}, {0x89, 0x92}}};
constexpr WaterBytes kNoWater = {0x00, 0x00};

// Solid rows fill the character row under the strip's start up to the
// start; the rest of the nine rows are its edge.
void DrawWaterStrip(RecordDrawing& record, int crossing, std::uint8_t colour) {
  const int start = record.Row() + kStripBelowRow;
  const int solidRows = (start & 7) != 0 ? 8 - (start & 7) : 0;
  const int bottom = solidRows != 0 ? (start | 7) : start - 1;
  BytePaint paint;
  paint.colour = colour;
  for (int r = 0; r < kStripRows; ++r) {
    const bool solid = r < solidRows;
    const int edgeRow = r - solidRows;
    const WaterBytes bytes = solid ? kSolidWater
                             : edgeRow < static_cast<int>(kStripEdge.size())
                                 ? kStripEdge[static_cast<std::size_t>(edgeRow)]
                                 : kNoWater;
    paint.set = solid;
    DrawWaterRow(record.Canvas(), bottom - r, crossing, r == 0, bytes, paint);
  }
}

// The columns the crossing keeps free of the strip's colours.
struct CrossingColumns {
  int first;
  int last;
};
constexpr int kCrossingAtLeft = 8;
constexpr CrossingColumns kLeftCrossingColumns = {8, 15};
constexpr CrossingColumns kOtherCrossingColumns = {16, 23};
constexpr int kStrip2ColourRowBelow = 8;

}  // namespace

void DrawLogCrossing(DrawContext& context) {
  RecordDrawing record(context);
  context.walk.crossingColumn = record.Operand();
  const int column = record.Operand();
  const int bottom = record.Row() + kLogBelowRow;
  DrawSprite(record.Canvas(), kLog, column, bottom, record.Paint(BytePaint::kNoTile, ColourByteAt(kLeftLogColour)));
  DrawSprite(record.Canvas(), kLog, column + kRightLogOffset, bottom,
             record.Paint(BytePaint::kNoTile, ColourByteAt(kRightLogColour)));
}

void DrawWater(DrawContext& context) {
  RecordDrawing record(context);
  const int crossing = context.walk.crossingColumn;
  BytePaint paint;
  paint.colour = record.Read(kWaterColour);
  const int bottom = record.Row() + kWaterBelowRow;
  for (int r = 0; r < kWaterRows; ++r) {
    const WaterBytes bytes =
        r < static_cast<int>(kWaterShore.size()) ? kWaterShore[static_cast<std::size_t>(r)] : kSolidWater;
    DrawWaterRow(record.Canvas(), bottom - r, crossing, r == 0, bytes, paint);
  }
}

void DrawWaterStrip1(DrawContext& context) {
  RecordDrawing record(context);
  DrawWaterStrip(record, context.walk.crossingColumn, record.Read(kWaterStrip1Colour));
}

void DrawWaterStrip2(DrawContext& context) {
  RecordDrawing record(context);
  const int crossing = context.walk.crossingColumn;
  const int colourRow = record.Row() + kStrip2ColourRowBelow;
  if (colourRow < kScreenRows) {
    const std::uint8_t attribute =
        static_cast<std::uint8_t>(((record.Read(kWaterStrip2Colour) & 7) << 3) | (record.Read(kWaterStrip1Colour) & 7));
    const CrossingColumns kept = crossing == kCrossingAtLeft ? kLeftCrossingColumns : kOtherCrossingColumns;
    for (int column = 0; column < kScreenColumns; ++column) {
      if (column >= kept.first && column <= kept.last) continue;
      record.Canvas().SetCellColour(colourRow >> 3, column, attribute);
    }
  }
  DrawWaterStrip(record, crossing, record.Read(kWaterStrip2Colour));
}

}  // namespace kestrova
