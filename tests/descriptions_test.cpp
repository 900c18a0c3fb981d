#include "render/descriptions.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

struct Case {
  std::uint32_t tile;
  std::uint8_t operand;
  const char* text;  // nullptr: the text stays as it was
};

TEST(Descriptions, TileAndOperandGiveTheStatusText) {
  const Case cases[] = {
      {0, 77, "Land Space"},
      {4, 3, "A road marking in column 3"},
      {5, 200, "A road bottom edging in column 200"},
      {6, 0, "A road top edging in column 0"},
      {8, 31, "A tunnel in column 31"},
      {9, 1, "A tunnel in column 1"},
      {23, 2, "A tunnel in column 2"},
      {114, 12, "A tunnel in column 12"},
      {115, 12, "A tunnel in column 12"},
      {116, 12, "A tunnel in column 12"},
      {150, 12, "A tunnel in column 12"},
      {13, 8, "A log crossing in column 8"},
      {14, 8, "A log crossing in column 8"},
      {25, 16, "A log crossing in column 16"},
      {147, 16, "A log crossing in column 16"},
      {152, 8, "A log crossing in column 8"},
      {15, 4, "A single grenade in column 4"},
      {16, 4, "A triple grenade in column 4"},
      {17, 4, "A quintuple grenade in column 4"},
      {18, 4, "A left mortar in column 4"},
      {19, 4, "A right mortar in column 4"},
      {21, 9, "Prisoner of war"},
      {22, 9, "Prisoner of war"},
      {32, 9, "Prisoner of war"},
      {26, 9, "Truck"},
      {27, 9, "Motorbike"},
      {28, 9, "Jeep"},
      {29, 6, "A cave top edge in column 6"},
      {30, 6, "A cave main in column 6"},
      {31, 6, "A cave bottom edge in column 6"},
      {33, 31, "Fortress gates"},
      {34, 5, "Spawn Point"},
      {35, 5, "A trench LHS in column 5"},
      {36, 5, "A trench MIDDLE in column 5"},
      {37, 5, "A trench RHS in column 5"},
      {39, 1, "Turn the alarm ON"},
      {39, 7, "Turn the alarm ON"},
      {39, 0, "Turn the alarm OFF"},
      {40, 12, "Start of NME with rocket launchers. Ferocity:12"},
      {40, 0, "End of NME with rocket launchers"},
      {100, 0x85, "A mirrored cliff in column 5"},
      {113, 0x65, "A cliff in column 5"},
      {130, 0x1F, "A cliff in column 31"},
      {129, 20, "A bunker in column 20"},
      {131, 7, "A tree in column 7"},
      {132, 7, "A tree in column 7"},
      {135, 7, "A boulder in column 7"},
      {138, 7, "Sandbags LHS in column 7"},
      {139, 7, "Sandbags MIDDLE in column 7"},
      {140, 7, "Sandbags RHS in column 7"},
      {148, 0x05, "A small hut in column 5"},
      {148, 0x85, "A large hut in column 5"},
      {151, 0x85, "A large hut in column 5"},
      {153, 0x85, "A large hut in column 5"},
      {149, 10, "A barracks in column 10"},
      // Not in the table: the text stays.
      {1, 0, nullptr},
      {7, 0, nullptr},
      {20, 0, nullptr},
      {24, 0, nullptr},
      {99, 0, nullptr},
      {117, 0, nullptr},
      {141, 0, nullptr},
      {154, 0, nullptr},
      {1000, 0, nullptr},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> text = DescribeTile(c.tile, c.operand);
    if (c.text) {
      EXPECT_EQ(text, std::string(c.text)) << c.tile << " / " << int{c.operand};
    } else {
      EXPECT_FALSE(text) << c.tile;
    }
  }
}

TEST(Descriptions, CliffEdgesByTheirFlagBits) {
  const Case cases[] = {
      {38, 0xE3, "A double cliff mirrored cliff edge with soldiers in column 3"},
      {41, 0x63, "A double cliff cliff edge with soldiers in column 3"},
      {38, 0xC3, "A mirrored cliff edge with soldiers in column 3"},
      {38, 0x43, "A cliff edge with soldiers in column 3"},
      {41, 0xA3, "A cliff edge in column 3"},  // double and mirrored, no soldiers
      {38, 0x83, "A cliff edge in column 3"},
      {38, 0x23, "A cliff edge in column 3"},
      {38, 0x1F, "A cliff edge in column 31"},
  };
  for (const Case& c : cases) EXPECT_EQ(DescribeTile(c.tile, c.operand), std::string(c.text)) << int{c.operand};
}

TEST(Descriptions, PointerPositionsAreClampedToTheScreen) {
  const ScreenTables tables = BuildScreenTables();
  struct PointerCase {
    int x, y;
    int row, column;
  };
  for (const PointerCase c : {PointerCase{0, 0, 0, 0},
                              {15, 1, 0, 0},
                              {16, 2, 1, 1},
                              {511, 383, 191, 31},
                              {100, 384, 191, 6},
                              {100, 5000, 191, 6},
                              {-40, -7, 0, 0},
                              {600, 10, 5, 31}}) {
    EXPECT_EQ(CellIndexUnderPointer(tables, c.x, c.y),
              tables.rowStart[static_cast<std::size_t>(c.row)] + static_cast<std::uint32_t>(c.column))
        << c.x << "," << c.y;
  }
}

TEST(Descriptions, PointerReadsTheOwnersOperand) {
  const ScreenTables tables = BuildScreenTables();
  CellGrid grid;
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  image.Write(0x9300, 0x83);
  image.Write(0x9301, 7);
  const std::uint32_t cell = tables.rowStart[100] + 7;
  grid.tileId[cell] = 132;
  grid.ownerPos[cell] = 0x9300;
  EXPECT_EQ(DescribePointer(grid, image, tables, 7 * 16 + 3, 201), std::string("A tree in column 7"));
  EXPECT_EQ(DescribePointer(grid, image, tables, 0, 0), std::string("Land Space"));
}

}  // namespace
}  // namespace kestrova
