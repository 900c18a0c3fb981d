#pragma once

#include <cstdint>
#include <vector>

#include "base/result.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

constexpr std::uint8_t kInkBits = 0x07;
constexpr std::uint8_t kPaperBits = 0x38;
constexpr std::uint8_t kBrightBit = 0x40;

// The attribute command for colour tag t (0/9 bright, 1..8 ink t − 1,
// 10..17 paper t − 10) on the colour byte at `address`, with the extra colour
// bytes that the tile's object keeps matched to its ink. Another tag changes
// nothing and says so.
Outcome ApplyAttribute(SnapshotImage& image, std::uint32_t address, std::uint32_t tile, int tag);

// Every colour byte a colour change can write, in ascending order: those the
// popup's "Attribute" names and those kept matched to them.
std::vector<std::uint32_t> ColourByteAddresses();

}  // namespace kestrova
