#pragma once

#include <cstdint>

#include "base/result.h"

#include "snapshot/snapshot_image.h"

namespace kestrova {

// Both wipes keep the last 4 pairs in front of a level's end record, and the
// wipe of level 1 its first pair.
constexpr std::uint32_t kWipeKeptTail = 8;

struct WipeResult {
  int removed = 0;             // bytes removed, in pairs
  std::uint32_t levelEnd = 0;  // the current level's end afterwards
};

// "Current Level (Leaving Spaces)": removes every pair that is not land
// space between the level's start (0x9238 for level 1) and its last 4 pairs.
// Removes nothing, and says why, when that start does not lie below the
// limit by an even number of bytes.
Result<WipeResult> WipeCurrentLevel(SnapshotImage& image, std::uint32_t levelStart, std::uint32_t levelEnd);

// "ALL after current Level": removes the current level's last 4 pairs, its
// end record and all later levels except the last level's last 4 pairs, so
// that the current level ends with the last end record and the marker. A
// last level of fewer than 4 pairs is kept whole: its last 4 pairs would
// reach back into the level before it and keep that level's end record.
// Removes nothing, and says why, when no end-of-levels marker follows, when the limits are
// not an even number of bytes apart, or when the current level holds fewer
// than 4 pairs (from 0x9238 for level 1) before its end record: the removal
// would then start inside the level before it.
Result<WipeResult> WipeAllAfterCurrentLevel(SnapshotImage& image, std::uint32_t levelStart, std::uint32_t levelEnd);

}  // namespace kestrova
