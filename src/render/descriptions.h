#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "render/cell_grid.h"
#include "render/map_geometry.h"
#include "render/screen_tables.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// The status text for a cell with tile id `tile` whose owner's operand is
// `operand`, or nothing when the text is to stay as it is.
std::optional<std::string> DescribeTile(std::uint32_t tile, std::uint8_t operand);

// The CellGrid index under map-view pixel (x, y) of the map view: its
// row and column, each clamped to the screen (0-191, 0-31), so
// a pointer held outside the view describes the nearest cell.
std::uint32_t CellIndexUnderPointer(const ScreenTables& tables, int x, int y);

// The description of the cell under (x, y), through the CellGrid of the last
// refresh.
std::optional<std::string> DescribePointer(const CellGrid& grid, const SnapshotImage& image, const ScreenTables& tables,
                                           int x, int y);

}  // namespace kestrova
