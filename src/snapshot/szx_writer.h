#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "snapshot/snapshot_image.h"
#include "snapshot/szx_snapshot.h"

namespace kestrova {

inline constexpr const char* kSzxCreatorName = "Kestrova Editor BETA";

// The image as a complete .szx file: "ZXST", "CRTR", "Z80R", "SPCR", then
// a compressed "RAMP" page for every bank the image holds: 5, 2 and 0, and
// 1, 3, 4, 6 and 7 after them for a 128K image.
// With `kept` (an image loaded from .szx) its "Z80R" and "SPCR" blocks are
// written back unchanged; otherwise both are built from the image header.
std::vector<std::uint8_t> BuildSzxFile(const SnapshotImage& image, const std::optional<KeptSzxBlocks>& kept);

// The "Z80R" and "SPCR" blocks BuildSzxFile builds from the image header:
// what another format's writer takes the machine state from.
KeptSzxBlocks SzxBlocksOfImage(const SnapshotImage& image);

}  // namespace kestrova
