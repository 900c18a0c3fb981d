#include "level/game_settings.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

SnapshotImage Blank48K() { return SnapshotImage(std::vector<std::uint8_t>(kSnapshotSize48K, 0)); }

TEST(Lives, WritesTheCountAndTheTwoDigits) {
  struct Case {
    int lives;
    std::uint8_t count, livesDigit, bombsDigit;
  };
  for (const Case c : {Case{8, 0x08, 0x38, 0x39}, Case{1, 0x01, 0x31, 0x32}, Case{4, 0x04, 0x34, 0x35}}) {
    SnapshotImage image = Blank48K();
    WriteLives(image, c.lives);
    EXPECT_EQ(image.Read(0x7983), c.count) << c.lives;
    EXPECT_EQ(image.Read(0x79B7), c.livesDigit) << c.lives;
    EXPECT_EQ(image.Read(0x79C1), c.bombsDigit) << c.lives;
    int changed = 0;
    for (std::uint8_t byte : image.Bytes()) changed += byte != 0;
    EXPECT_EQ(changed, 3) << "only the three lives bytes are written";
  }
}

LevelTable TableOf(int levels) {
  LevelTable table{};
  for (int i = 0; i < levels; ++i)
    table[static_cast<std::size_t>(i)] = kLevelAreaStart + 2u * static_cast<std::uint32_t>(i);
  return table;
}

TEST(FortressLabel, ListsTheLevelsWhoseNumberAndTheByteIsZero) {
  struct Case {
    int fortressByte;
    int levels;
    const char* text;
  };
  const Case cases[] = {
      {3, 9, "Fortress Byte: 3 (levels 4, 8)"},
      {0, 9, "Fortress Byte: 0 (levels ALL)"},
      {15, 9, "Fortress Byte: 15 (levels NONE)"},
      {1, 2, "Fortress Byte: 1 (levels 2)"},
      {1, 5, "Fortress Byte: 1 (levels 2, 4)"},
      {8, 3, "Fortress Byte: 8 (levels ALL)"},  // every level happens to pass
      {1, 1, "Fortress Byte: 1 (levels NONE)"},
      {200, 3, "Fortress Byte: 200 (levels ALL)"},  // a byte above 15 is shown as it is
  };
  for (const Case& c : cases) {
    const FortressLabel label = MakeFortressLabel(static_cast<std::uint8_t>(c.fortressByte), TableOf(c.levels));
    EXPECT_EQ(label.hint, c.text);
    EXPECT_EQ(label.caption, c.text);
  }
}

TEST(FortressLabel, StopsAtTheFirstEmptyEntry) {
  LevelTable table = TableOf(3);
  table[5] = 0x9300;  // after a zero: not a level
  EXPECT_EQ(MakeFortressLabel(1, table).hint, "Fortress Byte: 1 (levels 2)");
}

TEST(FortressLabel, CutsALongCaptionTo60CharactersAndKeepsTheWholeHint) {
  // b = 1 with 30 levels lists 2, 4, ..., 30.
  const FortressLabel label = MakeFortressLabel(1, TableOf(30));
  ASSERT_GT(label.hint.size(), 60u);
  EXPECT_EQ(label.hint, "Fortress Byte: 1 (levels 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30)");
  EXPECT_EQ(label.caption, label.hint.substr(0, 60) + "...");

  // Exactly 60 characters stay whole; 61 are cut.
  const FortressLabel sixty = MakeFortressLabel(1, TableOf(20));
  EXPECT_EQ(sixty.hint, "Fortress Byte: 1 (levels 2, 4, 6, 8, 10, 12, 14, 16, 18, 20)");
  EXPECT_EQ(sixty.caption, sixty.hint);
  const FortressLabel sixtyOne = MakeFortressLabel(8, TableOf(19));
  EXPECT_EQ(sixtyOne.hint, "Fortress Byte: 8 (levels 1, 2, 3, 4, 5, 6, 7, 16, 17, 18, 19)");
  EXPECT_EQ(sixtyOne.caption, "Fortress Byte: 8 (levels 1, 2, 3, 4, 5, 6, 7, 16, 17, 18, 19...");
}

TEST(FortressLabel, AllTwoHundredFiftySixLevels) {
  const FortressLabel label = MakeFortressLabel(0, TableOf(256));
  EXPECT_EQ(label.hint, "Fortress Byte: 0 (levels ALL)");
  const FortressLabel none = MakeFortressLabel(255, TableOf(255));
  EXPECT_EQ(none.hint, "Fortress Byte: 255 (levels NONE)");
}

}  // namespace
}  // namespace kestrova
