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
  const SnapshotSummary summary = SummariseSnapshot(image, ScanLevelTable(image), 0x98CC - 0x923C, false);
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

  EXPECT_EQ(SummaryJson(summary),
            "{\"format\":\"sna\",\"machine\":\"48K\",\"snapshotSize\":49179,\"bytesFree\":1680,\"levels\":["
            "{\"number\":1,\"start\":37430,\"end\":37434,\"height\":192,\"records\":3,"
            "\"chooserText\":\"Level 1 $9236 (37430)\"},"
            "{\"number\":2,\"start\":37436,\"end\":37436,\"height\":0,\"records\":1,"
            "\"chooserText\":\"Level 2 $923C (37436)\"}],"
            "\"settings\":{\"fortressByte\":1,\"fortressLabel\":\"Fortress Byte: 1 (levels 2)\","
            "\"fortressHint\":\"Fortress Byte: 1 (levels 2)\",\"startColumn\":14,\"pixelsDown\":40,"
            "\"lives\":3,\"enemyDelay\":200}}");

  const std::string text = SummaryText(summary);
  EXPECT_NE(text.find("  Level 2 $923C (37436): start 37436, end 37436, height 0, 1 records\n"), std::string::npos);
  EXPECT_NE(text.find("  enemy delay: 200\n"), std::string::npos);
}

TEST(LevelSummary, MachineAndFormat) {
  const SnapshotImage big = TwoLevelImage(kSnapshotSize128K);
  const SnapshotSummary summary = SummariseSnapshot(big, ScanLevelTable(big), 0, true);
  EXPECT_EQ(summary.format, "szx");
  EXPECT_EQ(summary.machine, "128K");
  EXPECT_EQ(summary.snapshotSize, 131103u);
}

TEST(JsonString, EscapesWhatJsonDoesNotAllowBare) {
  struct Case {
    std::string text;
    const char* json;
  };
  const Case cases[] = {
      {"plain", "\"plain\""},
      {"a\"b", "\"a\\\"b\""},
      {"a\\b", "\"a\\\\b\""},
      {"line\rnext\n\t", "\"line\\rnext\\n\\t\""},
      {std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\\u007f\""},
      {std::string("\xe9", 1), "\"\\u00e9\""},
      {std::string("nul\0x", 5), "\"nul\\u0000x\""},
  };
  for (const Case& c : cases) EXPECT_EQ(JsonString(c.text), c.json);
}

}  // namespace
}  // namespace kestrova
