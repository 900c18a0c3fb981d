#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include "edit/group_tiles.h"

#include "edit/pointer_state.h"
#include "render/cell_grid.h"
#include "render/map_geometry.h"
#include "render/screen_tables.h"
#include "snapshot/snapshot_image.h"
#include "state/level_place.h"

namespace kestrova {

// Rows the view scrolls for each pointer event that goes further past an edge.
constexpr std::int32_t kAutoScrollStep = 4;

// Past the top edge (and further up than last time) the view moves into the
// level, past the bottom edge back towards its start. The offset never goes
// below 0, and auto-scroll does not take it past the level height. The
// scroll offset to show when the pointer went further past an edge (the
// scroll bar then follows it, whether it changed or not); nothing otherwise.
std::optional<std::int32_t> AutoScroll(const PointerState& pointer, std::int32_t scrollOffset, int y,
                                       std::int32_t levelHeight);

// The sideways move of the grabbed record for pointer x, within the column
// range; road edgings move one column per event. Writes the operand back.
void MoveSideways(SnapshotImage& image, PointerState& pointer, int x);

// The lowest address a downward move may reach: the level start, but never
// the first record of level 1.
std::uint32_t LowerMoveLimit(std::uint32_t levelStart);

// Moves the record at `record` past the first land-space record after it
// and on up to directly before the land-space record at `land` when that
// lies further on. Nothing happens (and nothing is returned) when no
// land-space record follows inside the level. Returns the record's new
// address.
std::optional<std::uint32_t> MoveRecordUp(SnapshotImage& image, std::uint32_t record, std::uint32_t land,
                                          std::uint32_t levelEnd);

// Moves the record at `record` down to directly before the land-space
// record at `land` (at least one slot, never below `lowerLimit`). Returns the
// record's new address.
std::uint32_t MoveRecordDown(SnapshotImage& image, std::uint32_t record, std::uint32_t land, std::uint32_t lowerLimit);

enum class VerticalMove {
  Ignored,  // the pointer is over a fortress, tunnel or crossing: the handler ends
  Tried,    // moved or not, the drag step goes on
};

// The upward and downward record moves for pointer y over cell `cell` of the
// grid the last refresh filled. Keeps the record under the pointer and the
// grabbed row up to date.
VerticalMove MoveVertically(SnapshotImage& image, PointerState& pointer, const LevelPlace& place, const CellGrid& grid,
                            std::uint32_t cell, int y);

}  // namespace kestrova
