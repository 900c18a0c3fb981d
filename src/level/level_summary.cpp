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

void AppendField(std::string& out, const char* key, const std::string& jsonValue, bool first = false) {
  if (!first) out += ',';
  out += JsonString(key);
  out += ':';
  out += jsonValue;
}

std::string Number(long long value) { return std::to_string(value); }

}  // namespace

SnapshotSummary SummariseSnapshot(const SnapshotImage& image, const LevelTable& table, std::int32_t bytesFree,
                                  bool loadedFromSzx) {
  SnapshotSummary summary;
  summary.format = loadedFromSzx ? "szx" : "sna";
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

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20 || byte > 0x7E) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

std::string SummaryJson(const SnapshotSummary& summary) {
  std::string levels = "[";
  for (std::size_t i = 0; i < summary.levels.size(); ++i) {
    const LevelSummary& level = summary.levels[i];
    if (i != 0) levels += ',';
    levels += '{';
    AppendField(levels, "number", Number(level.number), true);
    AppendField(levels, "start", Number(level.start));
    AppendField(levels, "end", Number(level.end));
    AppendField(levels, "height", Number(level.height));
    AppendField(levels, "records", Number(level.records));
    AppendField(levels, "chooserText", JsonString(level.chooserText));
    levels += '}';
  }
  levels += ']';

  const SettingsSummary& s = summary.settings;
  std::string settings = "{";
  AppendField(settings, "fortressByte", Number(s.fortressByte), true);
  AppendField(settings, "fortressLabel", JsonString(s.fortressLabel));
  AppendField(settings, "fortressHint", JsonString(s.fortressHint));
  AppendField(settings, "startColumn", Number(s.startColumn));
  AppendField(settings, "pixelsDown", Number(s.pixelsDown));
  AppendField(settings, "lives", Number(s.lives));
  AppendField(settings, "enemyDelay", Number(s.enemyDelay));
  settings += '}';

  std::string out = "{";
  AppendField(out, "format", JsonString(summary.format), true);
  AppendField(out, "machine", JsonString(summary.machine));
  AppendField(out, "snapshotSize", Number(summary.snapshotSize));
  AppendField(out, "bytesFree", Number(summary.bytesFree));
  AppendField(out, "levels", levels);
  AppendField(out, "settings", settings);
  out += '}';
  return out;
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
