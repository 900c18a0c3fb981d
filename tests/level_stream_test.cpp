#include "level/level_stream.h"

#include <set>

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(LevelStream, RecordsAreCodeThenOperand) {
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  const std::uint8_t stream[] = {0x83, 0x05, 0x00, 0x0A, 0x22, 0x01, 0xFF};
  for (std::uint32_t i = 0; i < sizeof stream; ++i) image.Write(kLevelAreaStart + i, stream[i]);
  const ObjectRecord tree = ReadRecord(image, 0x9236);
  EXPECT_EQ(tree.code, 0x83);
  EXPECT_EQ(tree.operand, 5);
  EXPECT_EQ(FindObjectCode(tree.code)->object, "tree");
  const ObjectRecord land = ReadRecord(image, NextRecord(0x9236));
  EXPECT_EQ(land.code, 0x00);
  EXPECT_EQ(LandSpaceRows(land.operand), 22);
  EXPECT_TRUE(IsEndRecord(ReadRecord(image, 0x923A)));
  EXPECT_FALSE(IsEndRecord({0x22, 0x00}));  // a spawn point inside a level
  EXPECT_EQ(image.Read(0x923C), 0xFF);

  WriteRecord(image, 0x9236, {0x87, 0x1D});
  EXPECT_EQ(image.Read(0x9236), 0x87);
  EXPECT_EQ(image.Read(0x9237), 0x1D);
}

TEST(LevelStream, FlaggedOperands) {
  // Cliff edge 0xE5: mirrored double cliff edge with jumping soldiers, column 5.
  EXPECT_EQ(FlaggedColumn(0xE5), 5);
  EXPECT_TRUE(IsMirrored(0xE5));
  EXPECT_TRUE(IsDoubleCliff(0xE5));
  EXPECT_TRUE(HasJumpingSoldiers(0xE5));
  EXPECT_FALSE(IsDoubleCliff(0x85));
  EXPECT_FALSE(HasJumpingSoldiers(0xA5));
  // Huts: 0x83 large in column 3, 0x03 small in column 3.
  EXPECT_TRUE(IsLargeHut(0x83));
  EXPECT_EQ(FlaggedColumn(0x83), 3);
  EXPECT_FALSE(IsLargeHut(0x03));
  EXPECT_EQ(FlaggedColumn(0x03), 3);
  // Rocket-launcher attack: 0 ends, 1 starts with ferocity 1.
  EXPECT_TRUE(EndsAttack(0));
  EXPECT_FALSE(EndsAttack(1));
}

TEST(LevelStream, KnowsExactlyTheGamesCodes) {
  const std::set<int> known = {0,  4,  5,   6,   8,   9,   13,  14,  15,  16,  17,  18,  19,  23,
                               25, 26, 27,  28,  29,  30,  31,  32,  33,  34,  35,  36,  37,  38,
                               39, 40, 129, 130, 131, 135, 138, 139, 140, 148, 149, 150, 152, 255};
  for (int code = 0; code < 256; ++code) {
    const ObjectCodeInfo* info = FindObjectCode(static_cast<std::uint8_t>(code));
    EXPECT_EQ(info != nullptr, known.count(code) == 1) << code;
    if (info) {
      EXPECT_EQ(static_cast<int>(info->code), code);
    }
  }
  EXPECT_EQ(kObjectCodes.size(), known.size());
  EXPECT_EQ(FindObjectCode(0x26)->operand, OperandKind::FlaggedColumn);
  EXPECT_EQ(FindObjectCode(0x94)->operand, OperandKind::FlaggedColumn);
  EXPECT_EQ(FindObjectCode(0x82)->operand, OperandKind::FlaggedColumn);
  EXPECT_EQ(FindObjectCode(0xFF)->operand, OperandKind::None);
}

}  // namespace
}  // namespace kestrova
