#include "edit/wipes.h"

#include <algorithm>

#include "edit/record_shift.h"
#include "level/level_addresses.h"
#include "level/level_table.h"

namespace kestrova {

namespace {

constexpr std::uint32_t kPair = 2;

std::uint32_t WipeStart(std::uint32_t levelStart) {
  return levelStart == kLevelAreaStart ? kFirstMovableRecord : levelStart;
}

bool WalkFits(std::uint32_t from, std::uint32_t limit) {
  return InLevelArea(from) && from <= limit && (limit - from) % kPair == 0;
}

}  // namespace

WipeResult WipeCurrentLevel(SnapshotImage& image, std::uint32_t levelStart, std::uint32_t levelEnd) {
  WipeResult result{0, levelEnd};
  const std::uint32_t from = WipeStart(levelStart);
  if (levelEnd < kWipeKeptTail || !WalkFits(from, levelEnd - kWipeKeptTail)) return result;
  std::uint32_t limit = levelEnd - kWipeKeptTail;
  for (std::uint32_t p = from; p != limit;) {
    if (image.Read(p) != kCodeLandSpace) {
      RemoveBytes(image, p, kPair);
      result.removed += kPair;
      limit -= kPair;
    } else {
      p += kPair;
    }
  }
  result.levelEnd = limit + kWipeKeptTail;
  return result;
}

WipeResult WipeAllAfterCurrentLevel(SnapshotImage& image, std::uint32_t levelStart, std::uint32_t levelEnd) {
  WipeResult result{0, levelEnd};
  const auto lastEnd = FindFirstLastEndRecord(image, levelEnd);
  if (levelEnd < WipeStart(levelStart) + kWipeKeptTail || !lastEnd) return result;
  const std::uint32_t start = levelEnd - kWipeKeptTail;
  const LevelTable table = ScanLevelTable(image);
  const std::uint32_t lastStart = table[static_cast<std::size_t>(LevelCount(table) - 1)];
  if (lastStart <= levelEnd) return result;  // the current level is the last
  std::uint32_t limit = std::max(*lastEnd - kWipeKeptTail, lastStart);
  if (!WalkFits(start, limit)) return result;
  for (; limit != start; limit -= kPair) {
    RemoveBytes(image, start, kPair);
    result.removed += kPair;
  }
  // The last end record moved down by what went; with 4 pairs kept that is
  // where the current level's end record was.
  result.levelEnd = *lastEnd - static_cast<std::uint32_t>(result.removed);
  return result;
}

}  // namespace kestrova
