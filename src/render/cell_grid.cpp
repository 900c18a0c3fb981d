#include "render/cell_grid.h"

namespace kestrova {

void ClearCellGrid(CellGrid& grid) {
  grid.tileId.fill(0);
  grid.ownerPos.fill(0);
  grid.landPos.fill(0);
}

std::optional<MapCell> FindCellOwnedBy(const CellGrid& grid, const ScreenTables& tables, std::uint32_t owner,
                                       std::optional<int> column, const std::function<bool(MapCell)>& accept) {
  static_assert(kScreenColumns <= 32, "a row's cells fit one mask");
  // The grid read once, row by row as it lies in memory: per row, a bit
  // for each column holding a cell of the record.
  std::array<std::uint32_t, kScreenRows> rowMasks{};
  std::uint32_t columnsHeld = 0;
  for (std::size_t row = 0; row < rowMasks.size(); ++row) {
    const std::uint32_t* owners = grid.ownerPos.data() + tables.rowStart[row];
    // Most rows hold none of its cells: told at a vector's pace first.
    std::uint32_t held = 0;
    for (int c = 0; c < kScreenColumns; ++c) held += owners[c] == owner ? 1u : 0u;
    if (held == 0) continue;
    std::uint32_t mask = 0;
    for (int c = 0; c < kScreenColumns; ++c) mask |= static_cast<std::uint32_t>(owners[c] == owner) << c;
    rowMasks[row] = mask;
    columnsHeld |= mask;
  }
  for (int c = 0; c < kScreenColumns; ++c) {
    if ((columnsHeld >> c & 1) == 0 || (column && c != *column)) continue;
    for (int row = 0; row < kScreenRows; ++row) {
      if ((rowMasks[static_cast<std::size_t>(row)] >> c & 1) != 0 && accept({c, row})) return MapCell{c, row};
    }
  }
  return std::nullopt;
}

}  // namespace kestrova
