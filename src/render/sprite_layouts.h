#pragma once

#include <array>
#include <cstdint>

namespace kestrova {

// How the game stores a sprite's bytes. Rows are counted from the sprite's
// bottom line (r = 0) upward; byte k of a row is drawn in column anchor + k.
enum class SpriteLayout : std::uint8_t {
  // Bytes at every other address; even rows run down from the row start,
  // odd rows up. After an even row the start falls by 4W - 2, after an odd
  // row by 2.
  kPairedSerpentine,
  // As above with a step of 1: after an even row by 2W - 1, after an odd by 1.
  kPlainSerpentine,
  // Row r, byte k at start + k - r * stride.
  kLinear,
  // One byte per row, row r at start - 2r.
  kStrip,
  // The truck: seven bytes per row in the order 0, 3, 2, 5, 4, 7, 6 from the
  // row start; the start falls by 8 per row.
  kTruck,
};

struct SpriteShape {
  SpriteLayout layout;
  int width;   // bytes per row
  int height;  // rows
  std::uint32_t start;
  int stride = 0;  // linear layout only; 0 means the width
};

namespace sprite_detail {

constexpr std::array<int, 7> kTruckByteOrder = {0, 3, 2, 5, 4, 7, 6};
constexpr int kTruckRowStep = 8;

// Serpentine rows come in pairs of 2 * rowBytes addresses (rowBytes = W
// bytes at the given step): the even row runs down from its start, the odd
// row up from the start of the next row.
constexpr std::int64_t SerpentineAddress(std::int64_t start, int width, int step, int row, int byte) {
  const std::int64_t pair = 2 * static_cast<std::int64_t>(width) * step;
  const std::int64_t pairStart = start - (row / 2) * pair;
  if (row % 2 == 0) return pairStart - static_cast<std::int64_t>(byte) * step;
  return pairStart - (pair - step) + static_cast<std::int64_t>(byte) * step;
}

}  // namespace sprite_detail

// The Spectrum address that holds byte k of row r of the sprite (the demo
// game places its graphics with it). A row or byte outside the sprite may
// give an address below 0, returned as 0, which reads as nothing. Inline:
// the drawers ask for every byte they draw.
constexpr std::uint32_t SpriteByteAddress(const SpriteShape& shape, int row, int byte) {
  using sprite_detail::kTruckByteOrder;
  const std::int64_t start = shape.start;
  std::int64_t address = start;
  switch (shape.layout) {
    case SpriteLayout::kPairedSerpentine:
      address = sprite_detail::SerpentineAddress(start, shape.width, 2, row, byte);
      break;
    case SpriteLayout::kPlainSerpentine:
      address = sprite_detail::SerpentineAddress(start, shape.width, 1, row, byte);
      break;
    case SpriteLayout::kLinear:
      address = start + byte - static_cast<std::int64_t>(row) * (shape.stride != 0 ? shape.stride : shape.width);
      break;
    case SpriteLayout::kStrip:
      address = start - 2 * static_cast<std::int64_t>(row);
      break;
    case SpriteLayout::kTruck:
      address = start - static_cast<std::int64_t>(row) * sprite_detail::kTruckRowStep +
                (byte >= 0 && byte < static_cast<int>(kTruckByteOrder.size()) ? kTruckByteOrder[static_cast<std::size_t>(byte)] : byte);
      break;
  }
  // Outside 0..0xFFFFFFFF only for rows and bytes outside the sprite; such an
  // address reads as nothing.
  return address < 0 ? 0 : static_cast<std::uint32_t>(address);
}

}  // namespace kestrova
