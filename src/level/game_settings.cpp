#include "level/game_settings.h"

namespace kestrova {

namespace {
constexpr std::uint8_t kDigitZero = 0x30;
}  // namespace

std::array<ByteWrite, 3> LivesWrites(int lives) {
  const auto value = static_cast<std::uint8_t>(lives);
  return {{{kStartingLives, value},
           {kLivesDigit, static_cast<std::uint8_t>(kDigitZero + value)},
           {kBombsDigit, static_cast<std::uint8_t>(kDigitZero + value + 1)}}};
}

void WriteLives(SnapshotImage& image, int lives) {
  for (const ByteWrite& write : LivesWrites(lives)) image.Write(write.address, write.value);
}

FortressLabel MakeFortressLabel(std::uint8_t fortressByte, const LevelTable& table) {
  const std::string head = "Fortress Byte: " + std::to_string(fortressByte);
  std::string text = head + " (levels ";
  int levels = 0;
  int listed = 0;
  for (int i = 0; i < kLevelTableSize && table[static_cast<std::size_t>(i)] != 0; ++i) {
    const int n = i + 1;
    ++levels;
    if ((n & fortressByte) == 0) {
      text += std::to_string(n) + ", ";
      ++listed;
    }
  }
  if (listed == levels) {
    text = head + " (levels ALL";
  } else if (listed == 0) {
    text += "NONE";
  } else {
    text.resize(text.size() - 2);
  }
  text += ")";
  FortressLabel label;
  label.hint = text;
  label.caption = text.size() > kFortressCaptionLength ? text.substr(0, kFortressCaptionLength) + "..." : text;
  return label;
}

}  // namespace kestrova
