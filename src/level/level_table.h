#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "level/level_addresses.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// Entry i: start address of level i + 1, 0 where there is no such level.
using LevelTable = std::array<std::uint32_t, kLevelTableSize>;

// True when the bytes at p, p + 1, p + 2 are 22 01 FF: the last level's end
// record followed by the end-of-levels marker.
bool IsLastEndRecord(const SnapshotImage& image, std::uint32_t p);

// The first end record (22 01) from `from` up to 0x98CD, if any.
std::optional<std::uint32_t> FindLevelEnd(const SnapshotImage& image, std::uint32_t from);

// The first p from `from` up to 0x98CC holding 22 01 FF, if any: the last
// level's end record, followed by the end-of-levels marker. The first is the
// one that counts: whatever follows the marker is free space, whose bytes
// have no meaning even where they happen to read 22 01 FF.
std::optional<std::uint32_t> FindFirstLastEndRecord(const SnapshotImage& image, std::uint32_t from);

// The table by the byte scan from 0x9238: entry 0 is 0x9236, each end record
// not followed by the marker starts the next level. The scan ends at the
// marker, so free bytes never make levels, and storing stops at entry 255.
LevelTable ScanLevelTable(const SnapshotImage& image);

int LevelCount(const LevelTable& table);

// Level bounds rule: the level end for chooser index `index`: the next
// level's start - 2, or for the last level its end record before the marker.
// Nothing when the index names no level or the marker is missing; the caller
// then keeps the level end it had.
std::optional<std::uint32_t> LevelEndByBoundsRule(const SnapshotImage& image, const LevelTable& table, int index);

// Sum of 2n + 2 over the land-space pairs on even steps from `start` while
// p <= `end`, raised to a multiple of 192 (0 stays 0).
std::int32_t LevelHeight(const SnapshotImage& image, std::uint32_t start, std::uint32_t end);

// The rows the level has risen by when its walk from `start` reaches the
// record at `record`: 2n + 2 for each land-space pair before it. Every
// record of a level is drawn at the row of the land space before it.
std::int32_t RowOfRecord(const SnapshotImage& image, std::uint32_t start, std::uint32_t record);
// "Level 1 $9236 (37430)" for index 0.
std::string ChooserText(int index, std::uint32_t start);
std::vector<std::string> ChooserTexts(const LevelTable& table);

// The load-time count: free bytes and level 1's bounds, or nothing when the
// level area has no end-of-levels marker (such a snapshot is not loadable).
struct LoadTimeLevels {
  std::int32_t bytesFree = 0;
  std::uint32_t levelStart = kLevelAreaStart;
  std::uint32_t levelEnd = 0;
};
std::optional<LoadTimeLevels> CountFreeBytesAndFindLevelOne(const SnapshotImage& image);

}  // namespace kestrova
