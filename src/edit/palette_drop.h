#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/result.h"
#include "edit/properties_options.h"

namespace kestrova {

// The insertion tag a left press on palette `slot` (0..31) picks, with the
// "Properties" options as they are at the press; nothing for another slot.
std::optional<int> TagOfSlot(int slot, const PropertiesOptions& options);

// A tag that writes a group of records, and the bytes free it needs more
// than; the fortress also needs the level table's last entry unused.
struct GroupDrop {
  std::array<int, 2> tags;
  std::int32_t moreThan;
  bool needsUnusedLastLevel;
};
inline constexpr std::array<GroupDrop, 6> kGroupDrops = {{
    {{28, 30}, 3, false},   // cave with space
    {{40, 40}, 13, false},  // tunnel without motorbike
    {{33, 34}, 13, false},  // log crossing
    {{41, 41}, 17, false},  // tunnel with motorbike
    {{47, 47}, 33, false},  // full road
    {{48, 49}, 9, true},    // fortress
}};
constexpr std::int32_t kTwoByteDropMinimum = 2;

// What a drop is decided on.
struct DropTarget {
  std::int32_t bytesFree = 0;
  std::uint32_t record = 0;     // the record under the pointer, 0 = none
  std::uint32_t tile = 0;       // TileId of the cell under the pointer
  bool lastLevelUnused = true;  // the level table's entry 255 is 0
};

// Whether a palette pick of `tag` released on `target` is inserted: never
// without free bytes or a record under the pointer; group tags by their
// room (and the fortress by the level table), two-byte tags with 2 bytes
// free on anything but a fortress, tunnel or log-crossing cell. A refusal
// says why.
Outcome DropAccepted(int tag, const DropTarget& target);

}  // namespace kestrova
