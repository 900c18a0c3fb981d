#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "demo/demo_game.h"
#include "snapshot/snapshot_image.h"

namespace kestrova::testing {

using Bytes = std::vector<std::uint8_t>;

// The demo snapshot with a level area of its own: level 1 is
// 00 0A 83 05 22 01 at 0x9236, level 2 is 00 05 22 01 at 0x923C, then the
// end-of-levels marker at 0x9240 (1678 bytes free). Registers set to
// distinct values, SP 0xFF00 with the PC 0x8123 on the stack (48K) or at
// the 128K PC slot.
SnapshotImage FixtureImage(DemoMachine machine);

// The image's bytes, as a .sna file or a comparison holds them.
Bytes BytesOf(const SnapshotImage& image);
// The image without its screen area, which the map is drawn into.
Bytes OutsideTheScreen(std::span<const std::uint8_t> image);

// A raw .szx block: id, 32-bit body size, body.
Bytes SzxBlock(const std::string& id, const Bytes& body);
// "ZXST" 1.4 header for `machine`, then the blocks.
Bytes SzxFile(std::uint8_t machine, const std::vector<Bytes>& blocks);

// Block bodies.
Bytes Z80rBody(std::uint16_t sp, std::uint16_t pc);  // other registers distinct, IFF1 1, IM 1
Bytes SpcrBody(std::uint8_t border, std::uint8_t port7FFD);
Bytes RawRampBody(std::uint8_t page, std::uint8_t fill);
Bytes CompressedRampBody(std::uint8_t page, const Bytes& page16K);

// A block of unknown id whose whole block is `blockLength` bytes (>= 8),
// for padding a file to a given length.
Bytes PaddingBlock(std::size_t blockLength);

}  // namespace kestrova::testing
