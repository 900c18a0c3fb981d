#include "level/level_summary.h"

#include <gtest/gtest.h>

#include "level/game_settings.h"

namespace kestrova {
namespace {

SnapshotImage TwoLevelImage(std::uint32_t size) {
  SnapshotImage image(std::vector<std::uint8_t>(size, 0));
  // Level 1: tree, land of 22 rows, end (0x923A). Level 2 (0x923C): end. Marker.
  const std::uint8_t stream[] = {0x83, 0x05, 0x00, 0x0A, 0x22, 0x01, 0x22, 0x01, 0xFF};
  for (std::uint32_t i = 0; i < sizeof stream; ++i) image.Write(kLevelAreaStart + i, stream[i]);
  image.Write(kFortressByte, 1);
  image.Write(kStartColumn, 14);
  image.Write(kPixelsDown, 40);
  WriteLives(image, 3);
  image.Write(kEnemyDelay, 200);
  return image;
}

TEST(LevelSummary, ListsLevelsAndSettings) {
  const SnapshotImage image = TwoLevelImage(kSnapshotSize48K);
  const SnapshotSummary summary = SummariseSnapshot(image, ScanLevelTable(image), 0x98CC - 0x923C, "sna");
  EXPECT_EQ(summary.format, "sna");
  EXPECT_EQ(summary.machine, "48K");
  EXPECT_EQ(summary.snapshotSize, 49179u);
  ASSERT_EQ(summary.levels.size(), 2u);
  EXPECT_EQ(summary.levels[0].end, 0x923Au);
  EXPECT_EQ(summary.levels[0].records, 3);
  EXPECT_EQ(summary.levels[0].height, 192);
  EXPECT_EQ(summary.levels[1].start, 0x923Cu);
  EXPECT_EQ(summary.levels[1].end, 0x923Cu);
  EXPECT_EQ(summary.levels[1].records, 1);
  EXPECT_EQ(summary.levels[1].height, 0);
  EXPECT_EQ(summary.settings.lives, 3);

  const std::string text = SummaryText(summary);
  EXPECT_NE(text.find("  Level 2 $923C (37436): start 37436, end 37436, height 0, 1 records\n"), std::string::npos);
  EXPECT_NE(text.find("  enemy delay: 200\n"), std::string::npos);
}

TEST(LevelSummary, MachineAndFormat) {
  const SnapshotImage big = TwoLevelImage(kSnapshotSize128K);
  const SnapshotSummary summary = SummariseSnapshot(big, ScanLevelTable(big), 0, "szx");
  EXPECT_EQ(summary.format, "szx");
  EXPECT_EQ(summary.machine, "128K");
  EXPECT_EQ(summary.snapshotSize, 131103u);
}

}  // namespace
}  // namespace kestrova
