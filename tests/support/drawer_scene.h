#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "editor/editor_state.h"
#include "render/cell_grid.h"
#include "render/drawer.h"
#include "render/object_drawers.h"
#include "render/screen_canvas.h"
#include "render/screen_tables.h"
#include "snapshot/snapshot_image.h"

namespace kestrova::testing {

// A 48K image with an empty yellow screen and a CellGrid, in which single
// object drawers are run on hand-made records and sprite bytes.
class DrawerScene {
 public:
  static constexpr std::uint32_t kRecord = 0x9300;
  static constexpr std::uint8_t kBackground = 0x30;

  DrawerScene() : image(std::vector<std::uint8_t>(kSnapshotSize48K, 0)), tables(BuildScreenTables()) {
    for (std::uint32_t a = kAttributeFileStart; a < kScreenAreaStart + kScreenAreaSize; ++a)
      image.Write(a, kBackground);
  }

  void Poke(std::uint32_t address, std::uint8_t value) { image.Write(address, value); }
  void Fill(std::uint32_t first, std::uint32_t last, std::uint8_t value) {
    for (std::uint32_t a = first; a <= last; ++a) image.Write(a, value);
  }

  // Runs the drawer of `code` for the record (code, operand) at `address`
  // with its bottom line on `row`; the current code is `code` unless given.
  void Draw(std::uint8_t code, std::uint8_t operand, int row, std::uint32_t address = kRecord, int currentCode = -1) {
    image.Write(address, code);
    image.Write(address + 1, operand);
    state.walk.streamCursor = static_cast<std::int32_t>(address);
    state.walk.currentRow = row;
    state.walk.currentCode = currentCode < 0 ? code : static_cast<std::uint32_t>(currentCode);
    const DrawerFunction drawer = FindObjectDrawer(code);
    if (drawer == nullptr) return;
    ScreenCanvas canvas(image, grid, tables);
    DrawContext context{canvas, state.place, state.walk, nullptr};
    drawer(context);
  }

  std::uint32_t Cell(int row, int column) const {
    return tables.rowStart[static_cast<std::size_t>(row)] + static_cast<std::uint32_t>(column);
  }
  std::uint8_t Pixels(int row, int column) const { return image.Read(kScreenAreaStart + Cell(row, column)); }
  std::uint8_t Colour(int row, int column) const {
    return image.Read(kScreenAreaStart + tables.attrOffset[Cell(row, column)]);
  }
  std::uint32_t Tile(int row, int column) const { return grid.tileId[Cell(row, column)]; }
  std::uint32_t Owner(int row, int column) const { return grid.ownerPos[Cell(row, column)]; }
  void SetPixels(int row, int column, std::uint8_t value) { image.Write(kScreenAreaStart + Cell(row, column), value); }

  // The smallest rectangle holding every cell for which `test` holds, and
  // how many cells that are.
  struct Box {
    int top = 192, bottom = -1, left = 32, right = -1, count = 0;
    bool operator==(const Box&) const = default;
  };
  Box Find(const std::function<bool(int row, int column)>& test) const {
    Box box;
    for (int row = 0; row < kScreenRows; ++row) {
      for (int column = 0; column < kScreenColumns; ++column) {
        if (!test(row, column)) continue;
        box.top = std::min(box.top, row);
        box.bottom = std::max(box.bottom, row);
        box.left = std::min(box.left, column);
        box.right = std::max(box.right, column);
        ++box.count;
      }
    }
    return box;
  }
  Box TileBox() const {
    return Find([&](int row, int column) { return Tile(row, column) != 0; });
  }
  Box PixelBox() const {
    return Find([&](int row, int column) { return Pixels(row, column) != 0; });
  }
  // Cells whose character cell lost the background colour.
  Box ColourBox() const {
    return Find([&](int row, int column) { return Colour(row, column) != kBackground; });
  }

  SnapshotImage image;
  ScreenTables tables;
  CellGrid grid;
  EditorState state;
};

// A box of whole rows top..bottom and columns left..right.
inline DrawerScene::Box Rect(int top, int bottom, int left, int right) {
  return {top, bottom, left, right, (bottom - top + 1) * (right - left + 1)};
}
// The same rectangle widened to whole character rows, for colours.
inline DrawerScene::Box CharacterRect(int top, int bottom, int left, int right) {
  return Rect(top & ~7, bottom | 7, left, right);
}

}  // namespace kestrova::testing
