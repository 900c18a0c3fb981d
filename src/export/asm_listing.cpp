#include "export/asm_listing.h"

#include <algorithm>
#include <cstdio>

#include "base/hex.h"
#include "game/record_descriptions.h"
#include "level/game_settings.h"
#include "snapshot/check_table.h"

namespace kestrova {

namespace {

constexpr std::uint32_t kCheckTableLast = kCheckTableStart + 0xFF;
constexpr std::uint32_t kBytesPerBlockLine = 8;
constexpr const char* kCommentStart = " ;";

std::string Dec(unsigned value) { return std::to_string(value); }

// " ;$9300 (37632)"
std::string AddressPart(std::uint32_t address) { return " ;$" + Hex(address, 4) + " (" + Dec(address) + ")"; }

// The fixed Org lines are written with lower-case hexadecimal.
std::string OrgLine(std::uint32_t address) {
  char text[32];
  std::snprintf(text, sizeof text, " Org $%04x", address);
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
  const std::string words = RecordWords(code, operand);
  return words.empty() ? words : kCommentStart + words;
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
