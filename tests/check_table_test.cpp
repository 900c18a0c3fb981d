#include "snapshot/check_table.h"

#include <gtest/gtest.h>

#include "level/game_settings.h"

namespace kestrova {
namespace {

SnapshotImage ZeroImage() { return SnapshotImage(std::vector<std::uint8_t>(kSnapshotSize48K, 0)); }

std::vector<std::uint8_t> Table(const SnapshotImage& image) {
  std::vector<std::uint8_t> table;
  for (std::uint32_t a = 0xFA00; a <= 0xFAFF; ++a) table.push_back(image.Read(a));
  return table;
}

TEST(UpdateCheckTable, XorsOffsetIOfEveryPageFrom8000ToEFFF) {
  SnapshotImage image = ZeroImage();
  for (std::uint32_t a = 0xFA00; a <= 0xFAFF; ++a) image.Write(a, 0x5A);  // stale table
  UpdateCheckTable(image);
  EXPECT_EQ(Table(image), std::vector<std::uint8_t>(256, 0));

  image.Write(0x8005, 0xFF);
  UpdateCheckTable(image);
  std::vector<std::uint8_t> expected(256, 0);
  expected[5] = 0xFF;
  EXPECT_EQ(Table(image), expected);

  image.Write(0x8105, 0xFF);
  UpdateCheckTable(image);
  EXPECT_EQ(Table(image), std::vector<std::uint8_t>(256, 0));

  // The last covered byte and the first one past the range.
  image.Write(0xEFFF, 0x11);
  image.Write(0xF0FE, 0x22);
  UpdateCheckTable(image);
  expected[5] = 0;
  expected[0xFF] = 0x11;
  EXPECT_EQ(Table(image), expected);
}

TEST(UpdateCheckTable, CoversTheLevelAreaButNotTheLivesOrTheTableItself) {
  SnapshotImage image = ZeroImage();
  image.Write(0x9236, 0x83);
  image.Write(kFortressByte, 0x40);
  UpdateCheckTable(image);
  EXPECT_EQ(image.Read(0xFA36), 0x83);
  EXPECT_EQ(image.Read(0xFA27), 0x40);

  const std::vector<std::uint8_t> before = Table(image);
  image.Write(kStartingLives, 0x09);
  UpdateCheckTable(image);
  EXPECT_EQ(Table(image), before);
}

TEST(UpdateCheckTable, LeavesAnImageTooShortForTheTableAlone) {
  SnapshotImage image(std::vector<std::uint8_t>(ImageOffsetOf(0xF000), 0x77));
  const std::vector<std::uint8_t> before(image.Bytes().begin(), image.Bytes().end());
  UpdateCheckTable(image);
  EXPECT_EQ(std::vector<std::uint8_t>(image.Bytes().begin(), image.Bytes().end()), before);
}

}  // namespace
}  // namespace kestrova
