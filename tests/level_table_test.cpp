#include "level/level_table.h"

#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

namespace kestrova {
namespace {

constexpr std::uint8_t kTree = 0x83;
constexpr std::uint8_t kLand = 0x00;

// A 48K image with `stream` stored from 0x9236; the rest of RAM is zero.
SnapshotImage ImageWithStream(const std::vector<std::uint8_t>& stream) {
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  for (std::size_t i = 0; i < stream.size(); ++i) {
    image.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), stream[i]);
  }
  return image;
}

// One level filled with trees so that its end record lies at `endRecord`,
// then the marker and `after` (bytes in the free space).
std::vector<std::uint8_t> LevelEndingAt(std::uint32_t endRecord, std::initializer_list<std::uint8_t> after = {}) {
  std::vector<std::uint8_t> stream;
  while (kLevelAreaStart + stream.size() < endRecord) {
    stream.push_back(kTree);
    stream.push_back(0x05);
  }
  stream.insert(stream.end(), {0x22, 0x01, 0xFF});
  stream.insert(stream.end(), after);
  return stream;
}

TEST(LevelTable, OneLevelStream) {
  const SnapshotImage image = ImageWithStream({0x83, 0x05, 0x00, 0x0A, 0x22, 0x01, 0xFF});
  const auto load = CountFreeBytesAndFindLevelOne(image);
  ASSERT_TRUE(load);
  EXPECT_EQ(load->bytesFree, 1682);
  EXPECT_EQ(load->levelStart, 0x9236u);
  EXPECT_EQ(load->levelEnd, 0x923Au);
  EXPECT_TRUE(IsLastEndRecord(image, 0x923A));  // marker at 0x923C, free from 0x923D

  const LevelTable table = ScanLevelTable(image);
  EXPECT_EQ(table[0], 0x9236u);
  for (std::size_t i = 1; i < table.size(); ++i) EXPECT_EQ(table[i], 0u) << i;
  EXPECT_EQ(LevelCount(table), 1);
  EXPECT_EQ(ChooserTexts(table), std::vector<std::string>{"Level 1 $9236 (37430)"});
  EXPECT_EQ(LevelEndByBoundsRule(image, table, 0), 0x923Au);
  EXPECT_EQ(LevelHeight(image, load->levelStart, load->levelEnd), 192);  // 22 rows raised
}

TEST(LevelTable, ThreeLevels) {
  // Level 1: tree, end. Level 2 (0x923A): land, end. Level 3 (0x923E): end only.
  const SnapshotImage image = ImageWithStream({0x83, 0x05, 0x22, 0x01, 0x00, 0x03, 0x22, 0x01, 0x22, 0x01, 0xFF});
  const LevelTable table = ScanLevelTable(image);
  EXPECT_EQ(table[0], 0x9236u);
  EXPECT_EQ(table[1], 0x923Au);
  EXPECT_EQ(table[2], 0x923Eu);
  for (std::size_t i = 3; i < table.size(); ++i) EXPECT_EQ(table[i], 0u) << i;
  EXPECT_EQ(ChooserTexts(table),
            (std::vector<std::string>{"Level 1 $9236 (37430)", "Level 2 $923A (37434)", "Level 3 $923E (37438)"}));
  EXPECT_EQ(LevelEndByBoundsRule(image, table, 0), 0x9238u);
  EXPECT_EQ(LevelEndByBoundsRule(image, table, 1), 0x923Cu);
  EXPECT_EQ(LevelEndByBoundsRule(image, table, 2), 0x923Eu);  // the last: end record before the marker
  EXPECT_EQ(LevelHeight(image, 0x923E, 0x923E), 0);           // only its end record
  EXPECT_EQ(CountFreeBytesAndFindLevelOne(image)->bytesFree, 0x98CC - 0x923E);
  EXPECT_EQ(CountFreeBytesAndFindLevelOne(image)->levelEnd, 0x9238u);
}

TEST(LevelTable, ASpawnPointInsideALevelIsNoBoundary) {
  const SnapshotImage image = ImageWithStream({0x83, 0x05, 0x22, 0x00, 0x87, 0x04, 0x22, 0x01, 0xFF});
  EXPECT_EQ(LevelCount(ScanLevelTable(image)), 1);
  EXPECT_EQ(CountFreeBytesAndFindLevelOne(image)->levelEnd, 0x923Cu);
}

TEST(LevelTable, FreeBytesAtTheTopOfTheArea) {
  struct Case {
    std::uint32_t endRecord;
    std::int32_t bytesFree;
  };
  // The marker at 0x98CC leaves 2 free bytes; at 0x98CE, none.
  for (const Case c : {Case{0x98CA, 2}, Case{0x98CC, 0}, Case{0x9300, 0x98CC - 0x9300}}) {
    const SnapshotImage image = ImageWithStream(LevelEndingAt(c.endRecord));
    const auto load = CountFreeBytesAndFindLevelOne(image);
    ASSERT_TRUE(load) << std::hex << c.endRecord;
    EXPECT_EQ(load->bytesFree, c.bytesFree) << std::hex << c.endRecord;
    EXPECT_EQ(load->levelEnd, c.endRecord);
    const LevelTable table = ScanLevelTable(image);
    EXPECT_EQ(LevelCount(table), 1) << "an end record followed by the marker starts no level";
    EXPECT_EQ(LevelEndByBoundsRule(image, table, 0), c.endRecord);
  }
}

TEST(LevelTable, NoMarkerInsideTheAreaIsNotLoadable) {
  // Both scans are bounded: a marker that only begins past 0x98CC, or lies
  // beyond the area, or is missing, is not found.
  std::vector<std::uint8_t> noMarker;
  for (std::uint32_t i = 0; i < kLevelAreaLength; i += 2) noMarker.insert(noMarker.end(), {kTree, 0x05});
  SnapshotImage image = ImageWithStream(noMarker);
  image.Write(0x9A00, 0x22);  // a triple well beyond the area
  image.Write(0x9A01, 0x01);
  image.Write(0x9A02, 0xFF);
  EXPECT_FALSE(CountFreeBytesAndFindLevelOne(image));

  image.Write(0x98CD, 0x22);  // end record in the last two bytes, marker just outside
  image.Write(0x98CE, 0x01);
  image.Write(0x98CF, 0xFF);
  EXPECT_FALSE(CountFreeBytesAndFindLevelOne(image));
  EXPECT_EQ(FindLevelEnd(image, kLevelAreaStart + 1), 0x98CDu);  // the pair scan reaches 0x98CD

  EXPECT_FALSE(CountFreeBytesAndFindLevelOne(SnapshotImage(std::vector<std::uint8_t>(kSnapshotSize48K, 0))));
  EXPECT_FALSE(CountFreeBytesAndFindLevelOne(SnapshotImage()));
}

TEST(LevelTable, FreeBytesMakeNoLevels) {
  // Free bytes have no meaning even where they read like end records: no
  // level starts after the marker, and the last level ends at the marker.
  const SnapshotImage image =
      ImageWithStream(LevelEndingAt(0x9240, {0x22, 0x01, 0x05, 0x00, 0x22, 0x01, 0xFF, 0x22, 0x01, 0xFF}));
  const LevelTable table = ScanLevelTable(image);
  EXPECT_EQ(LevelCount(table), 1);
  EXPECT_EQ(LevelEndByBoundsRule(image, table, 0), 0x9240u);
  EXPECT_EQ(CountFreeBytesAndFindLevelOne(image)->bytesFree, 0x98CC - 0x9240);
}

TEST(LevelTable, StoringStopsAtEntry255) {
  // Level 1 holds a tree; 299 further levels hold only their end records.
  std::vector<std::uint8_t> stream = {kTree, 0x05};
  for (int i = 0; i < 300; ++i) stream.insert(stream.end(), {0x22, 0x01});
  stream.push_back(0xFF);
  const SnapshotImage image = ImageWithStream(stream);
  const LevelTable table = ScanLevelTable(image);
  EXPECT_EQ(LevelCount(table), 256);
  EXPECT_EQ(table[1], 0x923Au);
  EXPECT_EQ(table[255], 0x9238u + 2 * 255);
  EXPECT_EQ(ChooserTexts(table).size(), 256u);
  EXPECT_EQ(ChooserTexts(table).back(), "Level 256 $9436 (37942)");
  // The 256th entry runs to the end record before the marker.
  EXPECT_EQ(LevelEndByBoundsRule(image, table, 255), 0x9238u + 2 * 299);
  EXPECT_EQ(LevelEndByBoundsRule(image, table, 254), 0x9436u - 2);
}

TEST(LevelTable, BoundsRuleWithoutALevelOrAMarker) {
  SnapshotImage image = ImageWithStream({kTree, 0x05, 0x22, 0x01, kTree, 0x06, 0x22, 0x01, 0xFF});
  const LevelTable table = ScanLevelTable(image);
  EXPECT_FALSE(LevelEndByBoundsRule(image, table, 2));  // no third level
  EXPECT_FALSE(LevelEndByBoundsRule(image, table, -1));
  EXPECT_FALSE(LevelEndByBoundsRule(image, table, 256));
  image.Write(0x923E, 0x00);  // marker gone: the last level has no end
  EXPECT_FALSE(LevelEndByBoundsRule(image, table, 1));
  EXPECT_EQ(LevelEndByBoundsRule(image, table, 0), 0x9238u);  // from the table alone
}

TEST(LevelHeight, SumsLandSpaceOnEvenStepsAndRaisesToWholeScreens) {
  struct Case {
    std::vector<std::uint8_t> stream;  // the level without its end record
    std::int32_t height;
  };
  const Case cases[] = {
      {{kTree, 0x05}, 0},
      {{kLand, 0}, 192},                             // 2 rows
      {{kLand, 95}, 192},                            // exactly 192
      {{kLand, 95, kLand, 0}, 384},                  // 194
      {{kLand, 191}, 384},                           // exactly 384
      {{kLand, 192}, 576},                           // 386
      {{kLand, 255, kLand, 255, kLand, 255}, 1536},  // 3 * 512 = 1536, a multiple already
      {{kTree, 0x00, 0x05, 0x00}, 0},                // the operand 0 is never read as a code
      {{0x04, kLand, kLand, 95}, 192},               // 0x04's operand 0 is no land space: 192 rows, not 194
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> stream = c.stream;
    stream.insert(stream.end(), {0x22, 0x01, 0xFF});
    const SnapshotImage image = ImageWithStream(stream);
    const std::uint32_t end = kLevelAreaStart + static_cast<std::uint32_t>(c.stream.size());
    EXPECT_EQ(LevelHeight(image, kLevelAreaStart, end), c.height) << testing::PrintToString(c.stream);
  }
}

TEST(ChooserText, LevelNumberHexAndDecimalStart) {
  EXPECT_EQ(ChooserText(0, 0x9236), "Level 1 $9236 (37430)");
  EXPECT_EQ(ChooserText(1, 0x94AC), "Level 2 $94AC (38060)");
  EXPECT_EQ(ChooserText(9, 0x98CC), "Level 10 $98CC (39116)");
}

}  // namespace
}  // namespace kestrova
