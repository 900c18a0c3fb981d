#pragma once

#include <cstdint>

namespace kestrova {

// The game's character set: 8-byte glyphs, top row first.
constexpr std::uint32_t kGlyphBlank = 0x7EA0;
constexpr std::uint32_t kGlyphLetterA = 0x7F30;  // 'A'..'Z' follow at 8-byte steps
constexpr std::uint32_t kGlyphAlarmGap = 0x7EF8;
constexpr std::uint32_t kGlyphAlarmMark = 0x7F08;
constexpr std::uint32_t kGlyphBannerMark = 0x7F00;

// The palette's sample log crossing; its operand is the crossing column the
// renderer starts with after a load.
constexpr std::uint32_t kPaletteCrossingSample = 0x990F;
constexpr std::uint32_t kPaletteCrossingColumn = kPaletteCrossingSample + 1;

// Attributes the renderer writes itself.
constexpr std::uint8_t kBannerAttribute = 0x17;   // white ink on red paper
constexpr std::uint8_t kLabelAttribute = 0x32;    // red ink on yellow paper
constexpr std::uint8_t kClearedAttribute = 0x30;  // black ink on yellow paper

// Tile ids written by the land-space drawer and the labels.
constexpr std::uint32_t kTileCrossingWater = 13;
constexpr std::uint32_t kTileWaterStrip2 = 14;
constexpr std::uint32_t kTileWaterStrip1 = 25;
constexpr std::uint32_t kTileSpawnPoint = 34;
constexpr std::uint32_t kTileAlarm = 39;
constexpr std::uint32_t kTileTunnelOutside = 114;
constexpr std::uint32_t kTileTunnelWhole = 116;
constexpr std::uint32_t kTileCrossingRight = 147;
constexpr std::uint32_t kTileTunnelInside = 150;
constexpr std::uint32_t kTileCrossingLeft = 152;

// Columns of the tunnel's inner band, and the crossing columns whose band is
// marked in parts.
constexpr int kTunnelInsideFirst = 12;
constexpr int kTunnelInsideLast = 19;
constexpr int kTunnelWithMotorbikeBand = 12;  // land-space operand that marks a whole band
constexpr int kCrossingColumnLeft = 8;
constexpr int kCrossingColumnRight = 16;

}  // namespace kestrova
