#include "level/level_table.h"

#include <cstdio>

#include "level/level_stream.h"

namespace kestrova {

bool IsLastEndRecord(const SnapshotImage& image, std::uint32_t p) {
  return IsEndRecord(ReadRecord(image, p)) && image.Read(p + kRecordSize) == kEndOfLevelsMarker;
}

std::optional<std::uint32_t> FindLevelEnd(const SnapshotImage& image, std::uint32_t from) {
  for (std::uint32_t p = from; p <= kLastEndPairScan; ++p) {
    if (IsEndRecord(ReadRecord(image, p))) return p;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> FindFirstLastEndRecord(const SnapshotImage& image, std::uint32_t from) {
  for (std::uint32_t p = from; p <= kLastEndRecordScan; ++p) {
    if (IsLastEndRecord(image, p)) return p;
  }
  return std::nullopt;
}

LevelTable ScanLevelTable(const SnapshotImage& image) {
  LevelTable table{};
  table[0] = kLevelAreaStart;
  std::size_t n = 1;
  for (std::uint32_t p = kFirstMovableRecord; p <= kLastEndRecordScan && n < table.size(); ++p) {
    if (!IsEndRecord(ReadRecord(image, p))) continue;
    if (image.Read(p + kRecordSize) == kEndOfLevelsMarker) break;
    table[n++] = NextRecord(p);
  }
  return table;
}

int LevelCount(const LevelTable& table) {
  int count = 0;
  while (count < kLevelTableSize && table[static_cast<std::size_t>(count)] != 0) ++count;
  return count;
}

std::optional<std::uint32_t> LevelEndByBoundsRule(const SnapshotImage& image, const LevelTable& table, int index) {
  if (index < 0 || index >= kLevelTableSize) return std::nullopt;
  const std::uint32_t start = table[static_cast<std::size_t>(index)];
  if (start == 0) return std::nullopt;
  if (index + 1 < kLevelTableSize && table[static_cast<std::size_t>(index + 1)] != 0) {
    return table[static_cast<std::size_t>(index + 1)] - kRecordSize;
  }
  return FindFirstLastEndRecord(image, start);
}

std::int32_t LevelHeight(const SnapshotImage& image, std::uint32_t start, std::uint32_t end) {
  std::int64_t height = 0;
  for (std::uint32_t p = start; p <= end && p <= kRamEnd; p = NextRecord(p)) {
    const ObjectRecord record = ReadRecord(image, p);
    if (record.code == kCodeLandSpace) height += LandSpaceRows(record.operand);
  }
  height = (height + kLevelHeightStep - 1) / kLevelHeightStep * kLevelHeightStep;
  return static_cast<std::int32_t>(height);
}

std::int32_t RowOfRecord(const SnapshotImage& image, std::uint32_t start, std::uint32_t record) {
  std::int32_t row = 0;
  for (std::uint32_t p = start; p < record && p <= kRamEnd; p = NextRecord(p)) {
    const ObjectRecord pair = ReadRecord(image, p);
    if (pair.code == kCodeLandSpace) row += LandSpaceRows(pair.operand);
  }
  return row;
}

std::string ChooserText(int index, std::uint32_t start) {
  char text[64];
  std::snprintf(text, sizeof text, "Level %d $%04X (%u)", index + 1, start, start);
  return text;
}

std::vector<std::string> ChooserTexts(const LevelTable& table) {
  std::vector<std::string> texts;
  for (int i = 0; i < kLevelTableSize; ++i) {
    if (table[static_cast<std::size_t>(i)] != 0) texts.push_back(ChooserText(i, table[static_cast<std::size_t>(i)]));
  }
  return texts;
}

std::optional<LoadTimeLevels> CountFreeBytesAndFindLevelOne(const SnapshotImage& image) {
  const auto last = FindFirstLastEndRecord(image, kFirstMovableRecord);
  if (!last) return std::nullopt;
  const auto end = FindLevelEnd(image, kLevelAreaStart + 1);
  if (!end) return std::nullopt;
  LoadTimeLevels levels;
  levels.bytesFree = static_cast<std::int32_t>(kLastEndRecordScan - *last);
  levels.levelEnd = *end;
  return levels;
}

}  // namespace kestrova
