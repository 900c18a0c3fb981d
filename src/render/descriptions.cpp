#include "render/descriptions.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kestrova {

namespace {

enum class Number {
  None,      // the text alone
  Operand,   // followed by the operand in decimal
  Column31,  // followed by operand & 31
};

// A text chosen by one condition on the operand: `whenSet` if the operand
// tests true (bit 7 set, or not zero), else `text`.
enum class Choice { Always, Bit7, NonZero };

struct TileText {
  std::uint32_t first;
  std::uint32_t last;
  Choice choice;
  std::string_view text;
  Number number;
  std::string_view whenSet = {};
  Number numberWhenSet = Number::None;
};

constexpr std::array kTileTexts = {
    TileText{0, 0, Choice::Always, "Land Space", Number::None},
    TileText{4, 4, Choice::Always, "A road marking in column ", Number::Operand},
    TileText{5, 5, Choice::Always, "A road bottom edging in column ", Number::Operand},
    TileText{6, 6, Choice::Always, "A road top edging in column ", Number::Operand},
    TileText{8, 9, Choice::Always, "A tunnel in column ", Number::Operand},
    TileText{13, 14, Choice::Always, "A log crossing in column ", Number::Operand},
    TileText{15, 15, Choice::Always, "A single grenade in column ", Number::Operand},
    TileText{16, 16, Choice::Always, "A triple grenade in column ", Number::Operand},
    TileText{17, 17, Choice::Always, "A quintuple grenade in column ", Number::Operand},
    TileText{18, 18, Choice::Always, "A left mortar in column ", Number::Operand},
    TileText{19, 19, Choice::Always, "A right mortar in column ", Number::Operand},
    TileText{21, 22, Choice::Always, "Prisoner of war", Number::None},
    TileText{23, 23, Choice::Always, "A tunnel in column ", Number::Operand},
    TileText{25, 25, Choice::Always, "A log crossing in column ", Number::Operand},
    TileText{26, 26, Choice::Always, "Truck", Number::None},
    TileText{27, 27, Choice::Always, "Motorbike", Number::None},
    TileText{28, 28, Choice::Always, "Jeep", Number::None},
    TileText{29, 29, Choice::Always, "A cave top edge in column ", Number::Operand},
    TileText{30, 30, Choice::Always, "A cave main in column ", Number::Operand},
    TileText{31, 31, Choice::Always, "A cave bottom edge in column ", Number::Operand},
    TileText{32, 32, Choice::Always, "Prisoner of war", Number::None},
    TileText{33, 33, Choice::Always, "Fortress gates", Number::None},
    TileText{34, 34, Choice::Always, "Spawn Point", Number::None},
    TileText{35, 35, Choice::Always, "A trench LHS in column ", Number::Operand},
    TileText{36, 36, Choice::Always, "A trench MIDDLE in column ", Number::Operand},
    TileText{37, 37, Choice::Always, "A trench RHS in column ", Number::Operand},
    TileText{39, 39, Choice::NonZero, "Turn the alarm OFF", Number::None, "Turn the alarm ON", Number::None},
    TileText{40, 40, Choice::NonZero, "End of NME with rocket launchers", Number::None,
             "Start of NME with rocket launchers. Ferocity:", Number::Operand},
    TileText{100, 113, Choice::Bit7, "A cliff in column ", Number::Column31, "A mirrored cliff in column ",
             Number::Column31},
    TileText{114, 116, Choice::Always, "A tunnel in column ", Number::Operand},
    TileText{129, 129, Choice::Always, "A bunker in column ", Number::Operand},
    TileText{130, 130, Choice::Bit7, "A cliff in column ", Number::Column31, "A mirrored cliff in column ",
             Number::Column31},
    TileText{131, 132, Choice::Always, "A tree in column ", Number::Operand},
    TileText{135, 135, Choice::Always, "A boulder in column ", Number::Operand},
    TileText{138, 138, Choice::Always, "Sandbags LHS in column ", Number::Operand},
    TileText{139, 139, Choice::Always, "Sandbags MIDDLE in column ", Number::Operand},
    TileText{140, 140, Choice::Always, "Sandbags RHS in column ", Number::Operand},
    TileText{147, 147, Choice::Always, "A log crossing in column ", Number::Operand},
    TileText{148, 148, Choice::Bit7, "A small hut in column ", Number::Column31, "A large hut in column ",
             Number::Column31},
    TileText{149, 149, Choice::Always, "A barracks in column ", Number::Operand},
    TileText{150, 150, Choice::Always, "A tunnel in column ", Number::Operand},
    TileText{151, 151, Choice::Bit7, "A small hut in column ", Number::Column31, "A large hut in column ",
             Number::Column31},
    TileText{152, 152, Choice::Always, "A log crossing in column ", Number::Operand},
    TileText{153, 153, Choice::Bit7, "A small hut in column ", Number::Column31, "A large hut in column ",
             Number::Column31},
};

constexpr std::uint32_t kCliffEdgeLower = 38;
constexpr std::uint32_t kCliffEdgeUpper = 41;
constexpr std::uint32_t kFirstUndescribedTile = 154;

// Cliff-edge texts, first match wins: the flag bits that must all be set.
struct CliffEdgeText {
  std::uint8_t flags;
  std::string_view text;
};
constexpr std::array kCliffEdgeTexts = {
    CliffEdgeText{0xE0, "A double cliff mirrored cliff edge with soldiers in column "},
    CliffEdgeText{0x60, "A double cliff cliff edge with soldiers in column "},
    CliffEdgeText{0xC0, "A mirrored cliff edge with soldiers in column "},
    CliffEdgeText{0x40, "A cliff edge with soldiers in column "},
    CliffEdgeText{0x00, "A cliff edge in column "},
};

std::string WithNumber(std::string_view text, Number number, std::uint8_t operand) {
  std::string result(text);
  if (number == Number::Operand) result += std::to_string(operand);
  if (number == Number::Column31) result += std::to_string(operand & 31);
  return result;
}

bool Chooses(Choice choice, std::uint8_t operand) {
  switch (choice) {
    case Choice::Always:
      return false;
    case Choice::Bit7:
      return (operand & 0x80) != 0;
    case Choice::NonZero:
      return operand != 0;
  }
  return false;
}

}  // namespace

std::optional<std::string> DescribeTile(std::uint32_t tile, std::uint8_t operand) {
  if (tile >= kFirstUndescribedTile) return std::nullopt;
  if (tile == kCliffEdgeLower || tile == kCliffEdgeUpper) {
    for (const CliffEdgeText& edge : kCliffEdgeTexts) {
      if ((operand & edge.flags) == edge.flags) return WithNumber(edge.text, Number::Column31, operand);
    }
  }
  for (const TileText& entry : kTileTexts) {
    if (tile < entry.first || tile > entry.last) continue;
    if (Chooses(entry.choice, operand)) return WithNumber(entry.whenSet, entry.numberWhenSet, operand);
    return WithNumber(entry.text, entry.number, operand);
  }
  return std::nullopt;
}

std::uint32_t CellIndexUnderPointer(const ScreenTables& tables, int x, int y) {
  const int row = std::clamp(RowOfMapY(y), 0, kScreenRows - 1);
  const int column = std::clamp(ColumnOfMapX(x), 0, kScreenColumns - 1);
  return tables.rowStart[static_cast<std::size_t>(row)] + static_cast<std::uint32_t>(column);
}

std::optional<std::string> DescribePointer(const CellGrid& grid, const SnapshotImage& image, const ScreenTables& tables,
                                           int x, int y) {
  const std::uint32_t cell = CellIndexUnderPointer(tables, x, y);
  return DescribeTile(grid.tileId[cell], image.Read(grid.ownerPos[cell] + 1));
}

}  // namespace kestrova
