#pragma once

#include <cstdint>

#include "base/result.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// True for addresses inside the level area 0x9236..0x98CE.
bool InLevelArea(std::uint32_t address);

// Opens a gap of n bytes at p: the bytes p .. 0x98CE − n move up to
// p + n .. 0x98CE and the last n bytes of the area are dropped. The gap
// itself holds stale copies until the caller writes it. Nothing beyond
// 0x98CE is written. Does nothing (and says why) when p lies outside the
// level area or n is larger than the area.
Outcome OpenGap(SnapshotImage& image, std::uint32_t p, std::uint32_t n);

// Removes the n bytes at a: the bytes a + n .. 0x98CE + n move down by n,
// so the last n bytes of the area receive copies of the n bytes that follow
// it. Nothing beyond 0x98CE is written. Does nothing (and says why) when
// a lies outside the level area or n is larger than the area.
Outcome RemoveBytes(SnapshotImage& image, std::uint32_t a, std::uint32_t n);

}  // namespace kestrova
