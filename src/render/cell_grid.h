#pragma once

#include <array>
#include <cstdint>

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

}  // namespace kestrova
