#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "render/render_addresses.h"
#include "render/screen_canvas.h"

namespace kestrova {

// Glyph address of a label character: ' ' is the blank glyph, 'A'..'Z' the
// letters, and three marks of the game's own: '~' (0x7EF8), '#' (0x7F08)
// and '\'' (0x7F00). Any other character gives the blank glyph.
constexpr std::uint32_t GlyphAddress(char c) {
  if (c >= 'A' && c <= 'Z') return kGlyphLetterA + 8u * static_cast<std::uint32_t>(c - 'A');
  if (c == '~') return kGlyphAlarmGap;
  if (c == '#') return kGlyphAlarmMark;
  if (c == '\'') return kGlyphBannerMark;
  return kGlyphBlank;
}

// The title banner of the top character row, one character per column.
inline constexpr std::string_view kBannerText = "      XEV' KESTROVA EDITOR      ";
inline constexpr std::string_view kSpawnPointText = "SPAWN POINT";
inline constexpr std::string_view kEndOfLevelText = "END OF LEVEL";

// Who owns the label's cells; nothing writes no CellGrid entries.
struct LabelTile {
  std::uint32_t tile = 0;
  std::uint32_t owner = 0;
};

// ORs `text` into columns 0.. with its bottom line on `bottomRow` (glyph row
// 7 - r on row bottomRow - r), only on rows minRow..191, colouring each byte
// `attribute` and writing `tile` when given.
void DrawLabel(ScreenCanvas& canvas, std::string_view text, int bottomRow, std::uint8_t attribute,
               std::optional<LabelTile> tile, int minRow = 0);

// Sets (not ORs) the banner over screen rows 0-7 and colours the row white
// on red. Writes no CellGrid entries.
void DrawTitleBanner(ScreenCanvas& canvas);

}  // namespace kestrova
