#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "level/level_table.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// The game's start-up values, one byte each.
constexpr std::uint32_t kFortressByte = 0xE327;
constexpr std::uint32_t kStartColumn = 0xDCF7;
constexpr std::uint32_t kPixelsDown = 0xDCFA;
constexpr std::uint32_t kStartingLives = 0x7983;
constexpr std::uint32_t kLivesDigit = 0x79B7;  // ASCII digit of the lives
constexpr std::uint32_t kBombsDigit = 0x79C1;  // ASCII digit of the bombs (lives + 1)
constexpr std::uint32_t kEnemyDelay = 0xDD3B;

constexpr int kFortressByteMax = 15;  // the up-down's range is 0..15
constexpr std::size_t kFortressCaptionLength = 60;

// One number prompt of the "Options" menu and the byte its value goes to.
struct SettingsPrompt {
  std::string_view title;
  std::string_view prompt;
  int maxLength;
  int min;
  int max;
  std::uint32_t address;
};

constexpr SettingsPrompt kStartColumnPrompt{"Column", "Enter New Start Column (0-29)", 2, 0, 29, kStartColumn};
constexpr SettingsPrompt kPixelsDownPrompt{"Height", "Enter Pixels down (1-85)", 2, 1, 85, kPixelsDown};
constexpr SettingsPrompt kLivesPrompt{
    "Lives", "Enter amount of lives to start with (1-8)\rNote: Starting bombs:=Lives+1", 1, 1, 8, kStartingLives};
constexpr SettingsPrompt kEnemyDelayPrompt{"Enemy Delay", "Enter time until first enemy appears (1-255)", 3, 1, 255,
                                           kEnemyDelay};

struct ByteWrite {
  std::uint32_t address;
  std::uint8_t value;
};

// Starting lives, and the two digits the game prints: lives and bombs.
std::array<ByteWrite, 3> LivesWrites(int lives);
void WriteLives(SnapshotImage& image, int lives);

struct FortressLabel {
  std::string caption;  // cut to 60 characters and "..."
  std::string hint;     // the whole text
};

// "Fortress Byte: 3 (levels 4, 8)": the levels n with n AND b = 0.
FortressLabel MakeFortressLabel(std::uint8_t fortressByte, const LevelTable& table);

}  // namespace kestrova
