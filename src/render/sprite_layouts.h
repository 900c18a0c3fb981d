#pragma once

#include <array>
#include <cstdint>
#include <optional>

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

}  // namespace sprite_detail

// Where the bytes of one sprite row lie when they are evenly spaced: byte k
// at first + k * step.
struct SpriteRowSpacing {
  std::int64_t first = 0;
  int step = 0;
};

// The spacing of row r's bytes, for every layout but the truck's. Serpentine
// rows come in pairs of 2 * rowBytes addresses (rowBytes = W bytes at the
// layout's step): the even row runs down from its start, the odd row up
// from the start of the next row.
constexpr std::optional<SpriteRowSpacing> EvenlySpacedRow(const SpriteShape& shape, int row) {
  const std::int64_t start = shape.start;
  const auto serpentine = [&](int step) {
    const std::int64_t pair = 2 * static_cast<std::int64_t>(shape.width) * step;
    const std::int64_t pairStart = start - (row / 2) * pair;
    if (row % 2 == 0) return SpriteRowSpacing{pairStart, -step};
    return SpriteRowSpacing{pairStart - (pair - step), step};
  };
  switch (shape.layout) {
    case SpriteLayout::kPairedSerpentine:
      return serpentine(2);
    case SpriteLayout::kPlainSerpentine:
      return serpentine(1);
    case SpriteLayout::kLinear:
      return SpriteRowSpacing{start - static_cast<std::int64_t>(row) * (shape.stride != 0 ? shape.stride : shape.width),
                              1};
    case SpriteLayout::kStrip:
      return SpriteRowSpacing{start - 2 * static_cast<std::int64_t>(row), 0};
    case SpriteLayout::kTruck:
      break;
  }
  return std::nullopt;
}

// The Spectrum address that holds byte k of row r of the sprite (the demo
// game places its graphics with it). A row or byte outside the sprite may
// give an address below 0, returned as 0, which reads as nothing. Inline:
// the drawers ask for every byte they draw.
constexpr std::uint32_t SpriteByteAddress(const SpriteShape& shape, int row, int byte) {
  using sprite_detail::kTruckByteOrder;
  std::int64_t address = 0;
  if (const std::optional<SpriteRowSpacing> spacing = EvenlySpacedRow(shape, row)) {
    address = spacing->first + static_cast<std::int64_t>(byte) * spacing->step;
  } else {
    address =
        static_cast<std::int64_t>(shape.start) - static_cast<std::int64_t>(row) * sprite_detail::kTruckRowStep +
        (byte >= 0 && byte < static_cast<int>(kTruckByteOrder.size()) ? kTruckByteOrder[static_cast<std::size_t>(byte)]
                                                                      : byte);
  }
  // Outside 0..0xFFFFFFFF only for rows and bytes outside the sprite; such an
  // address reads as nothing.
  return address < 0 ? 0 : static_cast<std::uint32_t>(address);
}

}  // namespace kestrova
