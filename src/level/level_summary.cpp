#include "level/level_summary.h"

#include <cstdio>

#include "level/game_settings.h"
#include "level/level_stream.h"

namespace kestrova {

namespace {

LevelSummary SummariseLevel(const SnapshotImage& image, const LevelTable& table, int index) {
  LevelSummary level;
  level.number = index + 1;
  level.start = table[static_cast<std::size_t>(index)];
  // After a good load every level has an end; should one be missing, the
  // level is reported as its first record alone rather than guessed at.
  level.end = LevelEndByBoundsRule(image, table, index).value_or(level.start);
  level.height = LevelHeight(image, level.start, level.end);
  level.records = static_cast<int>((level.end - level.start) / kRecordSize) + 1;
  level.chooserText = ChooserText(index, level.start);
  return level;
}

SettingsSummary SummariseSettings(const SnapshotImage& image, const LevelTable& table) {
  SettingsSummary settings;
  settings.fortressByte = image.Read(kFortressByte);
  const FortressLabel label = MakeFortressLabel(image.Read(kFortressByte), table);
  settings.fortressLabel = label.caption;
  settings.fortressHint = label.hint;
  settings.startColumn = image.Read(kStartColumn);
  settings.pixelsDown = image.Read(kPixelsDown);
  settings.lives = image.Read(kStartingLives);
  settings.enemyDelay = image.Read(kEnemyDelay);
  return settings;
}

std::string Number(long long value) { return std::to_string(value); }

}  // namespace

SnapshotSummary SummariseSnapshot(const SnapshotImage& image, const LevelTable& table, std::int32_t bytesFree,
                                  const std::string& format) {
  SnapshotSummary summary;
  summary.format = format;
  summary.snapshotSize = image.Size();
  // Every size other than the 48K one is taken as 128K, as saving does.
  summary.machine = summary.snapshotSize == kSnapshotSize48K ? "48K" : "128K";
  summary.bytesFree = bytesFree;
  for (int i = 0; i < kLevelTableSize && table[static_cast<std::size_t>(i)] != 0; ++i) {
    summary.levels.push_back(SummariseLevel(image, table, i));
  }
  summary.settings = SummariseSettings(image, table);
  return summary;
}

std::string SummaryText(const SnapshotSummary& summary) {
  std::string out;
  out += "format: " + summary.format + "\n";
  out += "machine: " + summary.machine + "\n";
  out += "snapshot size: " + Number(summary.snapshotSize) + "\n";
  out += "bytes free: " + Number(summary.bytesFree) + "\n";
  out += "levels: " + Number(static_cast<long long>(summary.levels.size())) + "\n";
  for (const LevelSummary& level : summary.levels) {
    out += "  " + level.chooserText + ": start " + Number(level.start) + ", end " + Number(level.end) + ", height " +
           Number(level.height) + ", " + Number(level.records) + " records\n";
  }
  const SettingsSummary& s = summary.settings;
  out += "settings:\n";
  out += "  fortress byte: " + Number(s.fortressByte) + "\n";
  out += "  fortress label: " + s.fortressLabel + "\n";
  out += "  fortress hint: " + s.fortressHint + "\n";
  out += "  start column: " + Number(s.startColumn) + "\n";
  out += "  pixels down: " + Number(s.pixelsDown) + "\n";
  out += "  lives: " + Number(s.lives) + "\n";
  out += "  enemy delay: " + Number(s.enemyDelay) + "\n";
  return out;
}

}  // namespace kestrova
