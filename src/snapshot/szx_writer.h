#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "snapshot/snapshot_image.h"

namespace kestrova {

// The "Z80R" and "SPCR" blocks kept from a .szx load, written back unchanged.
struct SzxKeptBlocks {
  std::span<const std::uint8_t> z80r;  // the first 45 bytes of the block as stored
  std::span<const std::uint8_t> spcr;  // the first 16 bytes
};

// The image as a .szx file, block by block through the .szx layer: "ZXST",
// "CRTR", "Z80R", "SPCR", then the "RAMP" pages 5, 2, 0 and, for a 128K
// snapshot (131103 bytes), 1. Without kept blocks the registers come from the
// image header.
std::vector<std::uint8_t> BuildSzxFile(const SnapshotImage& image, std::uint32_t snapshotSize,
                                       const SzxKeptBlocks* kept);

}  // namespace kestrova
