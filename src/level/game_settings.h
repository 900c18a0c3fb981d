#pragma once

#include <cstdint>
#include <string>

#include "level/level_table.h"

namespace kestrova {

constexpr std::uint32_t kFortressByte = 0xE327;
constexpr std::uint32_t kStartColumn = 0xDCF7;
constexpr std::uint32_t kPixelsDown = 0xDCFA;
constexpr std::uint32_t kStartingLives = 0x7983;
constexpr std::uint32_t kLivesDigit = 0x79B7;
constexpr std::uint32_t kBombsDigit = 0x79C1;
constexpr std::uint32_t kEnemyDelay = 0xDD3B;

struct FortressLabel {
  std::string caption;  // cut to 60 characters and "..."
  std::string hint;     // the whole text
};

// "Fortress Byte: 3 (levels 4, 8)": the levels n with n AND b = 0.
FortressLabel MakeFortressLabel(std::uint8_t fortressByte, const LevelTable& table);

}  // namespace kestrova
