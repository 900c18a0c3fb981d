#include "edit/wipes.h"

#include <algorithm>
#include <string>

#include "edit/record_shift.h"
#include "level/level_addresses.h"
#include "level/level_table.h"

namespace kestrova {

namespace {

constexpr std::uint32_t kPair = 2;

std::uint32_t WipeStart(std::uint32_t levelStart) {
  return levelStart == kLevelAreaStart ? kFirstMovableRecord : levelStart;
}

// Whether the pairs from `from` up to `limit` can be walked, and why not.
Outcome WalkFits(std::uint32_t from, std::uint32_t limit, const char* what) {
  if (!InLevelArea(from) || from > limit) return Error{"the level holds fewer than 4 pairs"};
  if ((limit - from) % kPair != 0) return Error{std::string(what) + " are not whole pairs"};
  return Outcome::Done();
}

}  // namespace

Result<WipeResult> WipeCurrentLevel(SnapshotImage& image, std::uint32_t levelStart, std::uint32_t levelEnd) {
  WipeResult result{0, levelEnd};
  const std::uint32_t from = WipeStart(levelStart);
  if (levelEnd < kWipeKeptTail) return Error{"the level holds fewer than 4 pairs"};
  if (const Outcome fits = WalkFits(from, levelEnd - kWipeKeptTail, "the level's records"); !fits)
    return Error{fits.ErrorMessage()};
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

Result<WipeResult> WipeAllAfterCurrentLevel(SnapshotImage& image, std::uint32_t levelStart, std::uint32_t levelEnd) {
  WipeResult result{0, levelEnd};
  const auto lastEnd = FindFirstLastEndRecord(image, levelEnd);
  if (levelEnd < WipeStart(levelStart) + kWipeKeptTail) return Error{"the level holds fewer than 4 pairs"};
  if (!lastEnd) return Error{"no end-of-levels marker follows the level"};
  const std::uint32_t start = levelEnd - kWipeKeptTail;
  const LevelTable table = ScanLevelTable(image);
  const std::uint32_t lastStart = table[static_cast<std::size_t>(LevelCount(table) - 1)];
  if (lastStart <= levelEnd) return Error{"the level is the last: nothing comes after it"};
  std::uint32_t limit = std::max(*lastEnd - kWipeKeptTail, lastStart);
  if (const Outcome fits = WalkFits(start, limit, "the levels after it"); !fits) return Error{fits.ErrorMessage()};
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
