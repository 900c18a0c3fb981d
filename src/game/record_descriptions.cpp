#include "game/record_descriptions.h"

namespace kestrova {

namespace {

// How a description is made from the record's operand.
enum class DescriptionKind {
  Fixed,      // the text alone
  Column,     // the text, then the operand in decimal
  CliffEdge,  // code 38: double / mirrored / jumping-soldier bits
  Alarm,      // code 39: ON or OFF
  Rockets,    // code 40: start with a ferocity, or end
  Cliff,      // code 130: mirrored bit
  Hut,        // code 148: large or small
};

struct Description {
  std::uint8_t code;
  const char* text;
  DescriptionKind kind;
};

constexpr Description kDescriptions[] = {
    {0, "Land Space", DescriptionKind::Fixed},
    {4, "A road marking in column ", DescriptionKind::Column},
    {5, "A road bottom edging in column ", DescriptionKind::Column},
    {6, "A road top edging in column ", DescriptionKind::Column},
    {8, "A bridge section", DescriptionKind::Fixed},
    {9, "A wall in column ", DescriptionKind::Column},
    {13, "Water", DescriptionKind::Fixed},
    {14, "Water Strip 2", DescriptionKind::Fixed},
    {15, "A single grenade in column ", DescriptionKind::Column},
    {16, "A triple grenade in column ", DescriptionKind::Column},
    {17, "A quintuple grenade in column ", DescriptionKind::Column},
    {18, "A left mortar in column ", DescriptionKind::Column},
    {19, "A right mortar in column ", DescriptionKind::Column},
    {23, "Draw Road on bridge", DescriptionKind::Fixed},
    {25, "Water Strip 1", DescriptionKind::Fixed},
    {26, "Truck", DescriptionKind::Fixed},
    {27, "Motorbike", DescriptionKind::Fixed},
    {28, "Jeep", DescriptionKind::Fixed},
    {29, "A cave top edge in column ", DescriptionKind::Column},
    {30, "A cave main in column ", DescriptionKind::Column},
    {31, "A cave bottom edge in column ", DescriptionKind::Column},
    {32, "Prisoner of war", DescriptionKind::Fixed},
    {33, "Fortress gates", DescriptionKind::Fixed},
    {34, "Spawn Point", DescriptionKind::Fixed},
    {35, "A trench LHS in column ", DescriptionKind::Column},
    {36, "A trench MIDDLE in column ", DescriptionKind::Column},
    {37, "A trench RIGHT in column ", DescriptionKind::Column},
    {38, "A ", DescriptionKind::CliffEdge},
    {39, "Turn the alarm ", DescriptionKind::Alarm},
    {40, "", DescriptionKind::Rockets},
    {129, "A bunker in column ", DescriptionKind::Column},
    {130, "A ", DescriptionKind::Cliff},
    {131, "A tree in column ", DescriptionKind::Column},
    {135, "A boulder in column ", DescriptionKind::Column},
    {138, "Sandbags LHS in column ", DescriptionKind::Column},
    {139, "Sandbags MIDDLE in column ", DescriptionKind::Column},
    {140, "Sandbags RHS in column ", DescriptionKind::Column},
    {148, "A ", DescriptionKind::Hut},
    {149, "A barracks in column ", DescriptionKind::Column},
    {150, "A tunnel in column ", DescriptionKind::Column},
    {152, "A log crossing in column ", DescriptionKind::Column},
    {255, "End of levels marker", DescriptionKind::Fixed},
};

constexpr std::uint8_t kDoubleCliffBit = 0x20;
constexpr std::uint8_t kJumpingSoldiersBit = 0x40;
constexpr std::uint8_t kMirroredBit = 0x80;
constexpr std::uint8_t kLargeHutBit = 0x80;
constexpr std::uint8_t kColumnBits = 0x1F;

std::string ColumnOf(std::uint8_t operand) { return std::to_string(operand & kColumnBits); }

std::string ComposedDescription(const Description& entry, std::uint8_t operand) {
  std::string text = entry.text;
  switch (entry.kind) {
    case DescriptionKind::Fixed:
      break;
    case DescriptionKind::Column:
      text += std::to_string(operand);
      break;
    case DescriptionKind::CliffEdge:
      if (operand & kDoubleCliffBit) text += "double cliff ";
      if (operand & kMirroredBit) text += "mirrored ";
      text += "cliff edge in column " + ColumnOf(operand);
      if (operand & kJumpingSoldiersBit) text += " with jumping soldiers";
      break;
    case DescriptionKind::Alarm:
      text += operand != 0 ? "ON" : "OFF";
      break;
    case DescriptionKind::Rockets:
      text += operand != 0 ? "Start of NME with rocket launchers. Ferocity:" + std::to_string(operand)
                           : "End of NME with rocket launchers";
      break;
    case DescriptionKind::Cliff:
      if (operand & kMirroredBit) text += "mirrored ";
      text += "cliff in column " + ColumnOf(operand);
      break;
    case DescriptionKind::Hut:
      text += (operand & kLargeHutBit) ? "large hut " : "small hut ";
      text += "in column " + ColumnOf(operand);
      break;
  }
  return text;
}

}  // namespace

std::string RecordWords(std::uint8_t code, std::uint8_t operand) {
  for (const Description& entry : kDescriptions) {
    if (entry.code == code) return ComposedDescription(entry, operand);
  }
  return {};
}

}  // namespace kestrova
