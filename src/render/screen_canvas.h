#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "render/cell_grid.h"
#include "render/screen_tables.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// How a drawer puts one graphic byte on the screen: ORed or set, with or
// without a CellGrid entry, with or without a colour.
struct BytePaint {
  static constexpr std::uint32_t kNoTile = 0;
  std::uint32_t tile = kNoTile;  // kNoTile: no TileId/OwnerPos written
  std::uint32_t owner = 0;
  std::optional<std::uint8_t> colour;  // nothing: the attribute is left alone
  bool set = false;                    // set the display byte instead of ORing
  int minRow = 0;                      // rows above it are skipped
};

// Whether drawing fills in the CellGrid. A window whose grid nobody reads
// (an earlier window of the whole-level pass: no drawing depends on the
// grid, and the last window starts from a cleared one) skips it.
enum class GridWrites : bool { kWrite, kSkip };

// The Spectrum screen area inside the SnapshotImage together with the
// CellGrid, as the drawers see it. Every write is clipped: a row outside
// minRow..191 or a column outside 0..31 is skipped.
//
// Display offsets come from Offset(), so they lie inside the display file;
// whether the image holds the whole screen area is checked once, when the
// canvas is made, and the bytes are then reached directly. An image too
// short for it goes through the image's own checked access.
class ScreenCanvas {
 public:
  ScreenCanvas(SnapshotImage& image, CellGrid& grid, const ScreenTables& tables,
               GridWrites gridWrites = GridWrites::kWrite)
      : image_(image),
        grid_(grid),
        tables_(tables),
        screen_(HeldScreen(image)),
        writesGrid_(gridWrites == GridWrites::kWrite) {}

  // Whether the CellGrid is being filled in.
  bool WritesGrid() const { return writesGrid_; }

  // Display offset of (row, column), or nothing when it lies off the screen.
  std::optional<std::uint32_t> Offset(int row, int column, int minRow = 0) const {
    if (row < minRow || row >= kScreenRows || column < 0 || column >= kScreenColumns) return std::nullopt;
    return tables_.rowStart[static_cast<std::size_t>(row)] + static_cast<std::uint32_t>(column);
  }

  std::uint8_t DisplayByte(std::uint32_t d) const { return ScreenByte(d); }
  void OrDisplayByte(std::uint32_t d, std::uint8_t bits) {
    SetScreenByte(d, static_cast<std::uint8_t>(ScreenByte(d) | bits));
  }
  void SetDisplayByte(std::uint32_t d, std::uint8_t bits) { SetScreenByte(d, bits); }

  std::uint8_t Colour(std::uint32_t d) const { return ScreenByte(tables_.attrOffset[d]); }
  void SetColour(std::uint32_t d, std::uint8_t attribute) { SetScreenByte(tables_.attrOffset[d], attribute); }
  // Attribute by character row and column (0..23, 0..31), clipped.
  void SetCellColour(int characterRow, int column, std::uint8_t attribute) {
    if (characterRow < 0 || characterRow >= kScreenRows / 8 || column < 0 || column >= kScreenColumns) return;
    image_.Write(
        kAttributeFileStart + static_cast<std::uint32_t>(characterRow) * 32 + static_cast<std::uint32_t>(column),
        attribute);
  }

  void SetTile(std::uint32_t d, std::uint32_t tile, std::uint32_t owner) {
    if (!writesGrid_) return;
    grid_.tileId[d] = tile;
    grid_.ownerPos[d] = owner;
  }

  // One drawn byte at (row, column), skipped entirely when it lies off the
  // screen.
  void DrawByte(int row, int column, std::uint8_t bits, const BytePaint& paint) {
    const std::optional<std::uint32_t> d = Offset(row, column, paint.minRow);
    if (d) PaintByte(*d, bits, paint);
  }

  // `count` bytes side by side on one row from `column` rightward, the row
  // and the columns clipped once for the whole run.
  void DrawRun(int row, int column, const std::uint8_t* bits, int count, const BytePaint& paint) {
    if (row < paint.minRow || row >= kScreenRows) return;
    const int first = column < 0 ? -column : 0;
    const int last = std::min(count, kScreenColumns - column);  // one past the end
    if (first >= last) return;
    const std::uint32_t rowStart = tables_.rowStart[static_cast<std::size_t>(row)];
    if (screen_ == nullptr) {
      for (int k = first; k < last; ++k) PaintByte(rowStart + static_cast<std::uint32_t>(column + k), bits[k], paint);
      return;
    }
    // The visible part of the run lies inside the display file, and its
    // colours inside the attribute file.
    const std::uint32_t start = rowStart + static_cast<std::uint32_t>(column + first);
    const std::uint8_t* visible = bits + first;
    const int length = last - first;
    std::uint8_t* display = screen_ + start;
    if (paint.set) {
      std::copy_n(visible, length, display);
    } else {
      for (int k = 0; k < length; ++k) display[k] = static_cast<std::uint8_t>(display[k] | visible[k]);
    }
    if (paint.tile != BytePaint::kNoTile && writesGrid_) {
      std::fill_n(grid_.tileId.begin() + start, length, paint.tile);
      std::fill_n(grid_.ownerPos.begin() + start, length, paint.owner);
    }
    // The cells of one row's run lie side by side in the attribute file.
    if (paint.colour) std::fill_n(screen_ + tables_.attrOffset[start], length, *paint.colour);
  }

  SnapshotImage& Image() { return image_; }
  const SnapshotImage& Image() const { return image_; }
  CellGrid& Grid() { return grid_; }
  const ScreenTables& Tables() const { return tables_; }

 private:
  static std::uint8_t* HeldScreen(SnapshotImage& image) {
    const std::size_t start = ImageOffsetOf(kScreenAreaStart);
    return image.Size() >= start + kScreenAreaSize ? image.MutableBytes().data() + start : nullptr;
  }
  // By offset from 0x4000, inside the screen area.
  std::uint8_t ScreenByte(std::uint32_t offset) const {
    return screen_ != nullptr && offset < kScreenAreaSize ? screen_[offset] : image_.Read(kScreenAreaStart + offset);
  }
  void SetScreenByte(std::uint32_t offset, std::uint8_t value) {
    if (screen_ != nullptr && offset < kScreenAreaSize) {
      screen_[offset] = value;
    } else {
      image_.Write(kScreenAreaStart + offset, value);
    }
  }
  void PaintByte(std::uint32_t d, std::uint8_t bits, const BytePaint& paint) {
    SetScreenByte(d, paint.set ? bits : static_cast<std::uint8_t>(ScreenByte(d) | bits));
    if (paint.tile != BytePaint::kNoTile) SetTile(d, paint.tile, paint.owner);
    if (paint.colour) SetColour(d, *paint.colour);
  }

  SnapshotImage& image_;
  CellGrid& grid_;
  const ScreenTables& tables_;
  std::uint8_t* screen_;  // the screen area inside the image, when the image holds all of it
  bool writesGrid_;
};

}  // namespace kestrova
