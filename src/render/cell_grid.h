#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "render/map_geometry.h"
#include "render/screen_tables.h"

namespace kestrova {

// One entry per display-file byte, indexed by display offset: what was drawn
// there, the record that drew it, and the land-space record whose band
// covers the row.
struct CellGrid {
  std::array<std::uint32_t, kDisplayFileSize> tileId{};
  std::array<std::uint32_t, kDisplayFileSize> ownerPos{};
  std::array<std::uint32_t, kDisplayFileSize> landPos{};
};

// Clears all three arrays: a LandPos left from an earlier refresh would name
// a band that is no longer under the row.
void ClearCellGrid(CellGrid& grid);

// The first cell the record at `owner` drew that `accept` takes, looking
// column by column from the left and each column from the top (in `column`
// alone when one is given); nothing when none is taken.
std::optional<MapCell> FindCellOwnedBy(const CellGrid& grid, const ScreenTables& tables, std::uint32_t owner,
                                       std::optional<int> column, const std::function<bool(MapCell)>& accept);

}  // namespace kestrova
