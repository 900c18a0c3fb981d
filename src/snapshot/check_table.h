#pragma once

#include <cstdint>

#include "snapshot/snapshot_image.h"

namespace kestrova {

constexpr std::uint32_t kCheckTableStart = 0xFA00;
constexpr std::uint32_t kCheckTableSize = 256;
constexpr std::uint32_t kCheckedRangeStart = 0x8000;
constexpr std::uint32_t kCheckedPages = 112;  // 0x8000..0xEFFF

// Byte i of the table at 0xFA00 := XOR of the bytes at offset i of every
// 256-byte page from 0x8000 to 0xEFFF.
void UpdateCheckTable(SnapshotImage& image);

}  // namespace kestrova
