#include "game/level_records.h"

#include <algorithm>

#include "edit/ground_menu.h"
#include "game/record_descriptions.h"
#include "level/level_stream.h"

namespace kestrova {

namespace {

constexpr std::string_view kEndOfLevelDescription = "End of level (the END OF LEVEL label)";

bool Matches(const GroupTag& group, std::span<const std::uint8_t> bytes) {
  if (bytes.size() != group.size) return false;
  const int column = group.columnInSecondByte ? bytes[1] : 0;
  const std::vector<std::uint8_t> written = GroupBytes(group, column);
  return std::equal(written.begin(), written.end(), bytes.begin());
}

}  // namespace

const GroupTag* GroupAt(const SnapshotImage& image, std::uint32_t p, std::uint32_t end) {
  const GroupTag* found = nullptr;
  for (const GroupTag& group : kGroupTags) {
    if (p + group.size > end + kRecordSize) continue;
    if (found && found->size >= group.size) continue;
    std::vector<std::uint8_t> bytes(group.size);
    for (std::uint32_t i = 0; i < group.size; ++i) bytes[i] = image.Read(p + i);
    if (Matches(group, bytes)) found = &group;
  }
  return found;
}

const GroupTag* GroupOfBytes(std::span<const std::uint8_t> bytes) {
  for (const GroupTag& group : kGroupTags) {
    if (Matches(group, bytes)) return &group;
  }
  return nullptr;
}

std::vector<LevelUnit> LevelUnits(const SnapshotImage& image, std::uint32_t start, std::uint32_t end, bool withEnd) {
  std::vector<LevelUnit> units;
  for (std::uint32_t p = start; p <= end;) {
    const GroupTag* group = GroupAt(image, p, end);
    if (!group && p == end && !withEnd) break;
    const std::uint32_t size = group ? group->size : kRecordSize;
    units.push_back({p, size, group});
    p += size;
  }
  return units;
}

std::string GroupName(const GroupTag& group) {
  std::string_view submenu;
  for (const InsertNode& node : kInsertTree) {
    if (node.depth == 1 && node.tag == kSubmenu) submenu = node.caption;
    if (node.tag == group.tag) break;
  }
  const std::string caption(group.caption);
  if (submenu.empty() || caption.find(submenu) != std::string::npos) return caption;
  return std::string(submenu) + ": " + caption;
}

std::string DescribeRecord(std::uint8_t code, std::uint8_t operand) {
  std::string text = RecordWords(code, operand);
  if (text.empty()) return "an unknown code";
  // The level's rise is what a person edits a land space for ("Change Distance").
  if (code == kCodeLandSpace)
    text += ", distance " + std::to_string(operand) + " (" + std::to_string(LandSpaceRows(operand)) + " rows)";
  return text;
}

std::vector<ListedLevel> ListLevels(const SnapshotImage& image, const LevelTable& table) {
  std::vector<ListedLevel> levels;
  for (int i = 0; i < LevelCount(table); ++i) {
    ListedLevel level;
    level.number = i + 1;
    level.start = table[static_cast<std::size_t>(i)];
    level.end = LevelEndByBoundsRule(image, table, i).value_or(level.start);
    level.height = LevelHeight(image, level.start, level.end);
    std::int32_t row = 0;
    for (const LevelUnit& unit : LevelUnits(image, level.start, level.end, true)) {
      for (std::uint32_t p = unit.start; p < unit.start + unit.size; p = NextRecord(p)) {
        const ObjectRecord record = ReadRecord(image, p);
        // The end record reads as a spawn point in the listing; the map shows it as the label it draws.
        std::string description = p == level.end && IsEndRecord(record) ? std::string(kEndOfLevelDescription)
                                                                        : DescribeRecord(record.code, record.operand);
        level.records.push_back(
            {p, row, record.code, record.operand, std::move(description), unit.group, unit.group ? unit.start : 0});
        if (record.code == kCodeLandSpace) row += LandSpaceRows(record.operand);
      }
    }
    levels.push_back(std::move(level));
  }
  return levels;
}

}  // namespace kestrova
