#pragma once

#include <cstdint>

namespace kestrova {

// The level area: all levels, the end-of-levels marker, then free bytes.
constexpr std::uint32_t kLevelAreaStart = 0x9236;
constexpr std::uint32_t kLevelAreaLast = 0x98CE;                                  // last byte of the area
constexpr std::uint32_t kLevelAreaLength = kLevelAreaLast - kLevelAreaStart + 1;  // 1689
constexpr std::uint32_t kLastEndRecordScan = 0x98CC;                              // last p tested for 22 01 FF
constexpr std::uint32_t kLastEndPairScan = 0x98CD;                                // last p tested for 22 01
constexpr std::uint32_t kFirstMovableRecord = 0x9238;                             // level 1's first record never moves

constexpr std::uint8_t kCodeLandSpace = 0x00;
constexpr std::uint8_t kCodeSpawnPoint = 0x22;
constexpr std::uint8_t kOperandEndRecord = 0x01;
constexpr std::uint8_t kEndOfLevelsMarker = 0xFF;

constexpr int kLevelTableSize = 256;
constexpr std::int32_t kLevelHeightStep = 192;  // level heights are whole screens of pixel rows

}  // namespace kestrova
