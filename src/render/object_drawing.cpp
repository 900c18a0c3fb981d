#include "render/object_drawing.h"

#include <algorithm>
#include <array>
#include <span>

namespace kestrova {

std::optional<std::uint8_t> ReadColour(const SnapshotImage& image, ColourSource source) {
  switch (source.kind) {
    case ColourSource::Kind::kNone:
      return std::nullopt;
    case ColourSource::Kind::kByte:
      return image.Read(source.value);
    case ColourSource::Kind::kInkOnYellow:
      return static_cast<std::uint8_t>(image.Read(source.value) + kYellowPaper);
    case ColourSource::Kind::kConstant:
      return static_cast<std::uint8_t>(source.value);
  }
  return std::nullopt;
}

RecordDrawing::RecordDrawing(DrawContext& context)
    : context_(context),
      address_(static_cast<std::uint32_t>(context.walk.streamCursor)),
      operand_(context.canvas.Image().Read(address_ + 1)),
      row_(context.walk.currentRow) {
  context_.walk.streamCursor = static_cast<std::int32_t>(address_ + 1);
}

RecordDrawing::~RecordDrawing() {
  context_.walk.streamCursor = static_cast<std::int32_t>(address_ + 2);
  context_.walk.currentRow = row_;
}

std::uint8_t RecordDrawing::ByteAt(std::int64_t offset) const {
  const std::int64_t address = static_cast<std::int64_t>(address_) + offset;
  if (address < 0) return 0;
  return Read(static_cast<std::uint32_t>(address));
}

BytePaint RecordDrawing::Paint(std::uint32_t tile, ColourSource colour) const {
  BytePaint paint;
  paint.tile = tile;
  paint.owner = address_;
  paint.colour = Colour(colour);
  return paint;
}

namespace {

// Bytes firstByte..bytes - 1 of sprite row r into `row`, read straight from
// the image when they are evenly spaced and all held in it; false otherwise
// (then nothing is read).
bool ReadEvenlySpacedRow(const SnapshotImage& image, const SpriteShape& shape, int r, int firstByte, int bytes,
                         std::array<std::uint8_t, kScreenColumns>& row) {
  const std::optional<SpriteRowSpacing> spacing = EvenlySpacedRow(shape, r);
  if (!spacing || firstByte >= bytes) return false;
  const std::int64_t first = spacing->first + static_cast<std::int64_t>(firstByte) * spacing->step;
  const std::int64_t last = spacing->first + static_cast<std::int64_t>(bytes - 1) * spacing->step;
  const std::int64_t low = std::min(first, last), high = std::max(first, last);
  if (low < kRamStart || high > kRamEnd) return false;
  const std::span<const std::uint8_t> held = image.Bytes();
  if (ImageOffsetOf(static_cast<std::uint32_t>(high)) >= held.size()) return false;
  const std::size_t offset = ImageOffsetOf(static_cast<std::uint32_t>(first));
  for (int k = firstByte; k < bytes; ++k) {
    row[static_cast<std::size_t>(k)] =
        held[offset + static_cast<std::size_t>(static_cast<std::int64_t>(k - firstByte) * spacing->step)];
  }
  return true;
}

}  // namespace

void DrawSprite(ScreenCanvas& canvas, const SpriteShape& shape, int column, int bottomRow, const BytePaint& paint) {
  // Only the rows on screen are read and drawn; the others are counted.
  const int firstRow = std::max(0, bottomRow - (kScreenRows - 1));
  const int lastRow = std::min(shape.height - 1, bottomRow - paint.minRow);
  // Only the bytes that land in columns 0..31 are read.
  const int firstByte = std::max(0, -column);
  const int bytes = std::min(shape.width, kScreenColumns - column);
  std::array<std::uint8_t, kScreenColumns> row{};
  const SnapshotImage& image = canvas.Image();
  // Every row colours the same cells of its character row, and nothing
  // else draws in between: the first row drawn in each sets them.
  BytePaint rowPaint = paint;
  int colouredCharacterRow = -1;
  for (int r = firstRow; r <= lastRow; ++r) {
    if (!ReadEvenlySpacedRow(image, shape, r, firstByte, bytes, row)) {
      for (int k = firstByte; k < bytes; ++k) {
        row[static_cast<std::size_t>(k)] = image.Read(SpriteByteAddress(shape, r, k));
      }
    }
    const int y = bottomRow - r;
    rowPaint.colour = y >> 3 != colouredCharacterRow ? paint.colour : std::nullopt;
    colouredCharacterRow = y >> 3;
    canvas.DrawRun(y, column + firstByte, row.data() + firstByte, bytes - firstByte, rowPaint);
  }
}

}  // namespace kestrova
