#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level/level_table.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// What `kestrova info` reports about a loaded snapshot: its levels as the
// chooser lists them and the game settings as the editor shows them.
struct LevelSummary {
  int number = 0;
  std::uint32_t start = 0;
  std::uint32_t end = 0;    // the code byte of the level's end record
  std::int32_t height = 0;  // raised to whole screens, as the scroll bar's maximum
  int records = 0;          // two-byte records, the end record included
  std::string chooserText;
};

struct SettingsSummary {
  int fortressByte = 0;
  std::string fortressLabel;  // the caption, cut to 60 characters
  std::string fortressHint;   // the whole text
  int startColumn = 0;
  int pixelsDown = 0;
  int lives = 0;
  int enemyDelay = 0;
};

struct SnapshotSummary {
  std::string format;   // the format the file was read as: "sna", "szx", "z80", ...
  std::string machine;  // "48K" or "128K"
  std::size_t snapshotSize = 0;
  std::int32_t bytesFree = 0;
  std::vector<LevelSummary> levels;
  SettingsSummary settings;
};

SnapshotSummary SummariseSnapshot(const SnapshotImage& image, const LevelTable& table, std::int32_t bytesFree,
                                  const std::string& format);

// For a person to read (the tool prints the same as JSON).
std::string SummaryText(const SnapshotSummary& summary);

}  // namespace kestrova
