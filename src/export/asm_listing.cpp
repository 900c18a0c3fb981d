#include "export/asm_listing.h"

#include <algorithm>
#include <cstdio>

#include "level/game_settings.h"
#include "snapshot/check_table.h"

namespace kestrova {

namespace {

constexpr std::uint32_t kCheckTableLast = kCheckTableStart + 0xFF;
constexpr std::uint32_t kBytesPerBlockLine = 8;

// How a description is made from the record's operand.
enum class DescriptionKind {
  Fixed,       // the text alone
  Column,      // the text, then the operand in decimal
  CliffEdge,   // code 38: double / mirrored / jumping-soldier bits
  Alarm,       // code 39: ON or OFF
  Rockets,     // code 40: start with a ferocity, or end
  Cliff,       // code 130: mirrored bit
  Hut,         // code 148: large or small
};

struct Description {
  std::uint8_t code;
  const char* text;
  DescriptionKind kind;
};

constexpr Description kDescriptions[] = {
    {0, " ;Land Space", DescriptionKind::Fixed},
    {4, " ;A road marking in column ", DescriptionKind::Column},
    {5, " ;A road bottom edging in column ", DescriptionKind::Column},
    {6, " ;A road top edging in column ", DescriptionKind::Column},
    {8, " ;A bridge section", DescriptionKind::Fixed},
    {9, " ;A wall in column ", DescriptionKind::Column},
    {13, " ;Water", DescriptionKind::Fixed},
    {14, " ;Water Strip 2", DescriptionKind::Fixed},
    {15, " ;A single grenade in column ", DescriptionKind::Column},
    {16, " ;A triple grenade in column ", DescriptionKind::Column},
    {17, " ;A quintuple grenade in column ", DescriptionKind::Column},
    {18, " ;A left mortar in column ", DescriptionKind::Column},
    {19, " ;A right mortar in column ", DescriptionKind::Column},
    {23, " ;Draw Road on bridge", DescriptionKind::Fixed},
    {25, " ;Water Strip 1", DescriptionKind::Fixed},
    {26, " ;Truck", DescriptionKind::Fixed},
    {27, " ;Motorbike", DescriptionKind::Fixed},
    {28, " ;Jeep", DescriptionKind::Fixed},
    {29, " ;A cave top edge in column ", DescriptionKind::Column},
    {30, " ;A cave main in column ", DescriptionKind::Column},
    {31, " ;A cave bottom edge in column ", DescriptionKind::Column},
    {32, " ;Prisoner of war", DescriptionKind::Fixed},
    {33, " ;Fortress gates", DescriptionKind::Fixed},
    {34, " ;Spawn Point", DescriptionKind::Fixed},
    {35, " ;A trench LHS in column ", DescriptionKind::Column},
    {36, " ;A trench MIDDLE in column ", DescriptionKind::Column},
    {37, " ;A trench RIGHT in column ", DescriptionKind::Column},
    {38, " ;A ", DescriptionKind::CliffEdge},
    {39, " ;Turn the alarm ", DescriptionKind::Alarm},
    {40, " ;", DescriptionKind::Rockets},
    {129, " ;A bunker in column ", DescriptionKind::Column},
    {130, " ;A ", DescriptionKind::Cliff},
    {131, " ;A tree in column ", DescriptionKind::Column},
    {135, " ;A boulder in column ", DescriptionKind::Column},
    {138, " ;Sandbags LHS in column ", DescriptionKind::Column},
    {139, " ;Sandbags MIDDLE in column ", DescriptionKind::Column},
    {140, " ;Sandbags RHS in column ", DescriptionKind::Column},
    {148, " ;A ", DescriptionKind::Hut},
    {149, " ;A barracks in column ", DescriptionKind::Column},
    {150, " ;A tunnel in column ", DescriptionKind::Column},
    {152, " ;A log crossing in column ", DescriptionKind::Column},
    {255, " ;End of levels marker", DescriptionKind::Fixed},
};

constexpr std::uint8_t kDoubleCliffBit = 0x20;
constexpr std::uint8_t kJumpingSoldiersBit = 0x40;
constexpr std::uint8_t kMirroredBit = 0x80;
constexpr std::uint8_t kLargeHutBit = 0x80;
constexpr std::uint8_t kColumnBits = 0x1F;

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::string Dec(unsigned value) { return std::to_string(value); }

// " ;$9300 (37632)"
std::string AddressPart(std::uint32_t address) { return " ;$" + Hex(address, 4) + " (" + Dec(address) + ")"; }

// The fixed Org lines are written with lower-case hexadecimal.
std::string OrgLine(std::uint32_t address) {
  char text[32];
  std::snprintf(text, sizeof text, " Org $%04x", address);
  return text;
}

std::string ColumnOf(std::uint8_t operand) { return Dec(operand & kColumnBits); }

std::string ComposedDescription(const Description& entry, std::uint8_t operand) {
  std::string text = entry.text;
  switch (entry.kind) {
    case DescriptionKind::Fixed:
      break;
    case DescriptionKind::Column:
      text += Dec(operand);
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
      text += operand != 0 ? "Start of NME with rocket launchers. Ferocity:" + Dec(operand)
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

struct Setting {
  std::uint32_t address;
  const char* description;
};

// In listing order. The lives line also names the bombs (lives + 1).
constexpr Setting kSettings[] = {
    {kFortressByte, " ;Fortress byte"},
    {kStartColumn, " ;Initial starting column"},
    {kPixelsDown, " ;Initial pixels down screen start point"},
    {kStartingLives, " ;Starting lives (Starting bombs=$"},
    {kEnemyDelay, " ;Enemy delay (Time until first enemy appears)"},
};

void AppendSettings(std::vector<std::string>& lines, const SnapshotImage& image) {
  for (const Setting& setting : kSettings) {
    const std::uint8_t value = image.Read(setting.address);
    std::string data = " defb $" + Hex(value, 2) + setting.description;
    if (setting.address == kStartingLives) data += Hex(value + 1u, 2) + ")";
    lines.push_back(OrgLine(setting.address));
    lines.push_back(data);
    lines.emplace_back();
  }
}

std::string RecordLine(std::uint32_t p, std::uint8_t code, std::uint8_t operand) {
  return " defb $" + Hex(code, 2) + ",$" + Hex(operand, 2) + AddressPart(p) + RecordDescription(code, operand);
}

std::string MarkerLine(std::uint32_t p) {
  return " defb $" + Hex(kEndOfLevelsMarker, 2) + "    " + AddressPart(p) + RecordDescription(kEndOfLevelsMarker, 0);
}

// The record lines from 0x9236, with the boundary lines wherever a level of
// the table starts; the marker's address, or nothing when the level area
// holds none on a record step.
std::optional<std::uint32_t> AppendRecordLines(std::vector<std::string>& lines, const SnapshotImage& image,
                                               const LevelTable& table) {
  for (std::uint32_t p = kLevelAreaStart; p <= kLevelAreaLast; p += 2) {
    const std::uint8_t code = image.Read(p);
    // The marker is the one-byte item after the last end record; an 0xFF
    // anywhere else is listed with its operand, so the bytes stay in place.
    if (code == kEndOfLevelsMarker && IsLastEndRecord(image, p - 2)) {
      lines.push_back(MarkerLine(p));
      return p;
    }
    lines.push_back(RecordLine(p, code, image.Read(p + 1)));
    const std::uint32_t next = p + 2;
    for (int i = 1; i < kLevelTableSize; ++i) {
      if (table[static_cast<std::size_t>(i)] != next) continue;
      lines.emplace_back();
      lines.push_back(" ;End   of level " + Dec(static_cast<unsigned>(i)) + " at $" + Hex(next - 2, 4));
      lines.push_back(" ;Start of level " + Dec(static_cast<unsigned>(i + 1)) + " at $" + Hex(next, 4));
      lines.emplace_back();
    }
  }
  return std::nullopt;
}

// " defb $01, $02, ... ;$98C5 (39109)" for the bytes first..last.
std::string ByteBlockLine(const SnapshotImage& image, std::uint32_t first, std::uint32_t last) {
  std::string line = " defb $" + Hex(image.Read(first), 2);
  for (std::uint32_t a = first + 1; a <= last; ++a) line += ", $" + Hex(image.Read(a), 2);
  return line + AddressPart(first);
}

void AppendByteBlock(std::vector<std::string>& lines, const SnapshotImage& image, std::uint32_t first,
                     std::uint32_t last) {
  for (std::uint32_t a = first; a <= last; a += kBytesPerBlockLine) {
    lines.push_back(ByteBlockLine(image, a, std::min(a + kBytesPerBlockLine - 1, last)));
  }
}

void AppendEmptyLines(std::vector<std::string>& lines, int count) {
  for (int i = 0; i < count; ++i) lines.emplace_back();
}

}  // namespace

std::string RecordDescription(std::uint8_t code, std::uint8_t operand) {
  for (const Description& entry : kDescriptions) {
    if (entry.code == code) return ComposedDescription(entry, operand);
  }
  return {};
}

std::vector<std::string> BuildAsmListing(const SnapshotImage& image, const LevelTable& table) {
  std::vector<std::string> lines;
  lines.push_back(" ;Kestrova Levels Disassembly");
  AppendEmptyLines(lines, 2);
  lines.push_back(" ;Miscellaneous game information");
  AppendEmptyLines(lines, 1);
  AppendSettings(lines, image);
  AppendEmptyLines(lines, 1);
  lines.push_back(" ;Start of level 1 at $" + Hex(kLevelAreaStart, 4));
  AppendEmptyLines(lines, 1);
  lines.push_back(OrgLine(kLevelAreaStart));
  AppendEmptyLines(lines, 1);

  const std::optional<std::uint32_t> marker = AppendRecordLines(lines, image, table);
  if (marker && *marker < kLevelAreaLast) {
    AppendEmptyLines(lines, 2);
    lines.push_back(" ;Superfluous data required for integrity check");
    AppendEmptyLines(lines, 1);
    AppendByteBlock(lines, image, *marker + 1, kLevelAreaLast);
  }

  AppendEmptyLines(lines, 2);
  lines.push_back(" ;Data integrity check");
  AppendEmptyLines(lines, 1);
  lines.push_back(OrgLine(kCheckTableStart));
  AppendEmptyLines(lines, 1);
  AppendByteBlock(lines, image, kCheckTableStart, kCheckTableLast);
  return lines;
}

std::string JoinWithCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace kestrova
