#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "render/screen_tables.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// Where the CODE blocks of the tape load: main memory from 0x61A8 (48K) or
// 0x6200 (128K) up to 0xFFFF.
constexpr std::uint32_t kTapeMain48KStart = 0x61A8;
constexpr std::uint32_t kTapeMain128KStart = 0x6200;
constexpr std::uint8_t kTapeDataFlag = 0xFF;

using TapeScreen = std::span<const std::uint8_t, kScreenAreaSize>;

// The whole .tap file for the image: the loader, the loading-screen block when
// a screen is given, the bank-1 page block for a 128K snapshot, and the main
// block. A snapshot size of 49179 means 48K; any other size is taken as 128K.
// Bytes the image does not hold are written as 0, so every block has the
// length its header names.
std::vector<std::uint8_t> BuildTapeImage(const SnapshotImage& image, std::size_t snapshotSize,
                                         std::optional<TapeScreen> screen);

// XOR of the 0xFF flag and every data byte.
std::uint8_t TapeDataChecksum(std::span<const std::uint8_t> data);

}  // namespace kestrova
